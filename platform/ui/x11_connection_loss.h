#pragma once
// When the X server goes away (the desktop session ends, the server is killed) the X library
// ends the program. What ends with it (the on-screen display, the desktop clipboard) must then
// leave the lost connections alone: the display library would wait for answers that never come
// and the program would spin instead of ending.

namespace vetra::ui {

// Installs the process's handler for lost X connections (once; later calls do nothing).
void WatchForLostXConnection();

// Makes an event sent to a window that has gone no error that ends the program (the X library's
// answer to any error). Installed after the display library, whose own handler it passes the
// other errors on to; again after each start of that library, which puts its predecessor back
// when it ends.
void LoseEventsToGoneWindows();

// Whether an X connection of this process was lost.
bool XConnectionLost();

// While the display ends: a connection lost meanwhile ends the process at once, its statics
// already ending.
class XEnding {
public:
  XEnding();
  ~XEnding();
  XEnding(const XEnding&) = delete;
  XEnding& operator=(const XEnding&) = delete;
};

}  // namespace vetra::ui
