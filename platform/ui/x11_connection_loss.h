#pragma once
// When the X server goes away (the desktop session ends, the server is killed) the program ends
// the way it does when it is asked to: its message loops quit, its windows end and what they hold
// (working copies, unpacked recordings) is deleted. The X library would end the process on the
// spot, from inside whatever request noticed the loss; on the connections the program watches it
// returns instead, every later request on them doing nothing, and the loops see the loss.

struct _XDisplay;

namespace vetra::ui {

// Installs the process's handler for lost X connections (once; later calls do nothing).
void WatchForLostXConnection();

// A connection of the program's: its loss is noted and the program goes on to end by itself.
// A connection not watched that is lost still ends the process at once.
void WatchXConnection(_XDisplay* display);

// The display library's (SDL's) connection, when it runs on X.
void WatchSdlXConnection();

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

// Runs `read`, a call into SDL that reads the display (its events). When the display is lost
// inside it, the call is left at once and 0 returned, as SDL cannot go on safely; otherwise
// `read`'s own result. The program then never calls SDL on the display again.
using DisplayRead = int (*)(void* context);
int ReadDisplayGuarded(DisplayRead read, void* context);

}  // namespace vetra::ui
