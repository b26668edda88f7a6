#pragma once
// The virtual key of a key the SDL back end reports; 0 for keys the system has no use for.

#include <SDL2/SDL_keyboard.h>

#include "platform/ui/messages.h"

namespace vetra::ui {

win::UINT VirtualKeyOf(const SDL_Keysym& key);

}  // namespace vetra::ui
