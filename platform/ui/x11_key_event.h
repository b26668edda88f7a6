#pragma once
// A key event of the X display as the desktop's input method takes it: the key's symbol with the
// modifiers applied, its hardware code and the modifier state.

#include <optional>

struct SDL_SysWMmsg;

namespace vetra::ui {

struct X11KeyEvent {
  unsigned keysym = 0;
  unsigned keycode = 0;  // the X key code less 8, as the input method counts them
  unsigned state = 0;    // the X modifier mask
  bool released = false;
};

// The key pressed or released in a display event SDL passed on; nothing for other events.
std::optional<X11KeyEvent> X11KeyEventOf(const SDL_SysWMmsg& message);

}  // namespace vetra::ui
