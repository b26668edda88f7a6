#include "platform/ui/x11_connection_loss.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <unistd.h>

#include <atomic>

namespace vetra::ui {
namespace {

std::atomic<bool> g_lost{false};
std::atomic<int> g_ending{0};

int OnConnectionLost(::Display*)
{
  g_lost.store(true);
  if (g_ending.load() > 0) ::_exit(1);
  // Returning lets the X library end the program as it would have; the statics that end with
  // it see the loss and leave the display alone.
  return 0;
}

XErrorHandler g_beforeGoneWindows = nullptr;

int OnXError(::Display* display, XErrorEvent* error)
{
  // An event sent to a window that has gone meanwhile (the display library's wake-up of the
  // window a dialog had just before it closed) is lost, as it would be a moment later.
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_beforeGoneWindows ? g_beforeGoneWindows(display, error) : 0;
}

}  // namespace

void LoseEventsToGoneWindows()
{
  const XErrorHandler before = XSetErrorHandler(OnXError);
  if (before != OnXError) g_beforeGoneWindows = before;
}

void WatchForLostXConnection()
{
  static const bool installed = [] {
    XSetIOErrorHandler(OnConnectionLost);
    return true;
  }();
  (void)installed;
}

bool XConnectionLost() { return g_lost.load(); }

XEnding::XEnding() { ++g_ending; }
XEnding::~XEnding() { --g_ending; }

}  // namespace vetra::ui
