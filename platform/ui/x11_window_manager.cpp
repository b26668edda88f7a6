#include "platform/ui/x11_window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/ui/x11_connection_loss.h"

namespace vetra::ui {

bool X11WindowManagerRuns(const char* displayName)
{
  ::Display* display = XOpenDisplay(displayName);
  if (!display) return false;
  WatchXConnection(display);
  // A compliant window manager names its check window on the root window.
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  bool runs = false;
  if (check != None) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success) {
      runs = data && count == 1;
    }
    if (data) XFree(data);
  }
  XCloseDisplay(display);
  return runs;
}

}  // namespace vetra::ui
