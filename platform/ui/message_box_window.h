#pragma once
// The message box shown on screen: a modal dialog of the window system, owned by `owner` (or the
// main window), with the Korean button texts of its type. Returns the button chosen.

#include <string>

#include "platform/ui/messages.h"

namespace vetra::ui {

int RunMessageBoxWindow(const std::string& text, const std::string& caption, win::UINT type, win::HWND owner);

}  // namespace vetra::ui
