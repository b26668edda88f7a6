#include "platform/ui/x11_connection_loss.h"

#include <X11/Xlib.h>
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

}  // namespace

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
