#include "platform/base/testing/x_late_request.h"

#include <X11/Xlib.h>

namespace vetra::testing {

bool SendToAWindowThatIsGone()
{
  ::Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  const Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(display, gone);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = gone;
  event.xclient.format = 32;
  XSendEvent(display, gone, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}

}  // namespace vetra::testing
