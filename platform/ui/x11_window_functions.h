#pragma once
// What the window manager's frame offers round a window of ours: the boxes and functions its
// style gives (close with a system menu; minimise and maximise with their boxes besides; resizing
// with a sizing frame), told through the Motif hints that desktops read for it.

struct SDL_Window;

namespace vetra::ui {

struct WindowFunctions {
  bool close = false;
  bool minimize = false;
  bool maximize = false;
  bool resize = false;
};

void TellWindowManagerFunctions(SDL_Window* window, const WindowFunctions& functions);

// Asks the window manager to let the user move the window with the keyboard (the system menu's
// Move), as its own frame's menu does.
void AskWindowManagerToMove(SDL_Window* window);

}  // namespace vetra::ui
