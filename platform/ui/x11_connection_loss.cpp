#include "platform/ui/x11_connection_loss.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
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
  // A watched connection goes on to its exit handler, which returns; any other ends the program
  // as the X library would have, and the statics that end with it see the loss.
  return 0;
}

void OnWatchedConnectionLost(::Display*, void*)
{
  g_lost.store(true);
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

void WatchXConnection(_XDisplay* display)
{
  if (display) XSetIOErrorExitHandler(display, OnWatchedConnectionLost, nullptr);
}

void WatchSdlXConnection()
{
  // SDL names its connection only through a window of its own: a hidden one serves and goes.
  SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (!probe) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(probe, &info) && info.subsystem == SDL_SYSWM_X11) WatchXConnection(info.info.x11.display);
  SDL_DestroyWindow(probe);
}

bool XConnectionLost() { return g_lost.load(); }

XEnding::XEnding() { ++g_ending; }
XEnding::~XEnding() { --g_ending; }

}  // namespace vetra::ui
