#include "platform/ui/x11_key_event.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xutil.h>

namespace vetra::ui {

std::optional<X11KeyEvent> X11KeyEventOf(const SDL_SysWMmsg& message)
{
  if (message.subsystem != SDL_SYSWM_X11) return std::nullopt;
  XEvent event = message.msg.x11.event;
  if (event.type != KeyPress && event.type != KeyRelease) return std::nullopt;
  KeySym keysym = NoSymbol;
  char text[16];
  XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
  return X11KeyEvent{static_cast<unsigned>(keysym), event.xkey.keycode - 8, event.xkey.state, event.type == KeyRelease};
}

}  // namespace vetra::ui
