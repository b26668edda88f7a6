#include "platform/ui/sdl_keys.h"

#include <utility>

namespace vetra::ui {

namespace {

// Keypad keys that stand for a digit with Num Lock on and for a moving key without it.
win::UINT KeypadKey(SDL_Keycode key, bool numLock)
{
  static const std::pair<SDL_Keycode, win::UINT> kWithoutNumLock[] = {
      {SDLK_KP_0, win::VK_INSERT}, {SDLK_KP_1, win::VK_END},   {SDLK_KP_2, win::VK_DOWN},
      {SDLK_KP_3, win::VK_NEXT},   {SDLK_KP_4, win::VK_LEFT},  {SDLK_KP_5, win::VK_CLEAR},
      {SDLK_KP_6, win::VK_RIGHT},  {SDLK_KP_7, win::VK_HOME},  {SDLK_KP_8, win::VK_UP},
      {SDLK_KP_9, win::VK_PRIOR},  {SDLK_KP_PERIOD, win::VK_DELETE}};
  if (numLock) {
    if (key == SDLK_KP_0) return win::VK_NUMPAD0;
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<win::UINT>(win::VK_NUMPAD0 + 1 + (key - SDLK_KP_1));
    if (key == SDLK_KP_PERIOD) return win::VK_DECIMAL;
  }
  for (const auto& [sdl, vk] : kWithoutNumLock) {
    if (sdl == key) return vk;
  }
  switch (key) {
    case SDLK_KP_DIVIDE: return win::VK_DIVIDE;
    case SDLK_KP_MULTIPLY: return win::VK_MULTIPLY;
    case SDLK_KP_MINUS: return win::VK_SUBTRACT;
    case SDLK_KP_PLUS: return win::VK_ADD;
    case SDLK_KP_ENTER: return win::VK_RETURN;
    default: return 0;
  }
}

// Punctuation keys go by their place on the keyboard, whatever the layout prints on them.
win::UINT PunctuationKey(SDL_Scancode scancode)
{
  switch (scancode) {
    case SDL_SCANCODE_SEMICOLON: return win::VK_OEM_1;
    case SDL_SCANCODE_EQUALS: return win::VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA: return win::VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS: return win::VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD: return win::VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH: return win::VK_OEM_2;
    case SDL_SCANCODE_GRAVE: return win::VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET: return win::VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH: return win::VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET: return win::VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE: return win::VK_OEM_7;
    default: return 0;
  }
}

}  // namespace

win::UINT VirtualKeyOf(const SDL_Keysym& keysym)
{
  const SDL_Keycode key = keysym.sym;
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<win::UINT>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<win::UINT>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<win::UINT>(win::VK_F1 + (key - SDLK_F1));
  if (const win::UINT keypad = KeypadKey(key, (keysym.mod & KMOD_NUM) != 0)) return keypad;
  if (const win::UINT punctuation = PunctuationKey(keysym.scancode)) return punctuation;
  switch (key) {
    case SDLK_RETURN: return win::VK_RETURN;
    case SDLK_ESCAPE: return win::VK_ESCAPE;
    case SDLK_BACKSPACE: return win::VK_BACK;
    case SDLK_TAB: return win::VK_TAB;
    case SDLK_SPACE: return win::VK_SPACE;
    case SDLK_LEFT: return win::VK_LEFT;
    case SDLK_RIGHT: return win::VK_RIGHT;
    case SDLK_UP: return win::VK_UP;
    case SDLK_DOWN: return win::VK_DOWN;
    case SDLK_HOME: return win::VK_HOME;
    case SDLK_END: return win::VK_END;
    case SDLK_PAGEUP: return win::VK_PRIOR;
    case SDLK_PAGEDOWN: return win::VK_NEXT;
    case SDLK_DELETE: return win::VK_DELETE;
    case SDLK_INSERT: return win::VK_INSERT;
    case SDLK_APPLICATION: return win::VK_APPS;
    case SDLK_NUMLOCKCLEAR: return win::VK_NUMLOCK;
    case SDLK_LCTRL: case SDLK_RCTRL: return win::VK_CONTROL;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return win::VK_SHIFT;
    case SDLK_LALT: case SDLK_RALT: return win::VK_MENU;
    default: return 0;
  }
}

}  // namespace vetra::ui
