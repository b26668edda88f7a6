#include "platform/ui/x11_connection_loss.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <csetjmp>

namespace vetra::ui {
namespace {

std::atomic<bool> g_lost{false};
std::atomic<int> g_ending{0};
sigjmp_buf g_readJump;
volatile sig_atomic_t g_reading = 0;  // SDL is reading the display, inside ReadDisplayGuarded

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
  // Lost while SDL reads the display: SDL would go on with the failed requests' empty answers
  // (a property's missing name, a reply cut short) and crash. It is left at once, and never
  // called on the display again.
  if (g_reading) {
    g_reading = 0;
    siglongjmp(g_readJump, 1);
  }
}

}  // namespace

void WatchForLostXConnection()
{
  static const bool installed = [] {
    XSetIOErrorHandler(OnConnectionLost);
    // A request written to a server that has just gone fails with EPIPE and is seen as the
    // connection's loss; the signal would end the program unasked, before its shutdown. The
    // programs it starts get the signal's default back.
    ::signal(SIGPIPE, SIG_IGN);
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

int ReadDisplayGuarded(DisplayRead read, void* context)
{
  if (g_lost.load()) return 0;
  // Nothing here needs unwinding: the jump back lands before SDL's frames, which are C.
  if (sigsetjmp(g_readJump, 0) != 0) {
    g_reading = 0;
    return 0;
  }
  g_reading = 1;
  const int result = read(context);
  g_reading = 0;
  return result;
}

XEnding::XEnding() { ++g_ending; }
XEnding::~XEnding() { --g_ending; }

}  // namespace vetra::ui
