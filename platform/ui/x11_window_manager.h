#pragma once
// Whether a window manager runs on an X display. Without one, the keyboard focus goes only where
// the program puts it, and losing it says nothing about another program being active.

namespace vetra::ui {

bool X11WindowManagerRuns(const char* displayName);

}  // namespace vetra::ui
