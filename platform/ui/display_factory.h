#pragma once
// Chooses the display back end: headless when VETRA_HEADLESS is set (always in tests) or no
// display is named, else SDL2.

#include <memory>

#include "platform/ui/display.h"

namespace vetra::ui {

// Null (said on stderr) when a display is named but cannot be opened.
std::unique_ptr<Display> CreateDefaultDisplay();
std::unique_ptr<Display> CreateHeadlessDisplay();
// Null when no display can be opened.
std::unique_ptr<Display> CreateSdlDisplay();

}  // namespace vetra::ui
