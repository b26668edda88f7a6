#include "platform/ui/x11_window_functions.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

namespace vetra::ui {
namespace {

// The Motif hints' fields and bits.
constexpr long kFunctionsGiven = 1 << 0;
constexpr long kDecorationsGiven = 1 << 1;
constexpr long kFunctionResize = 1 << 1;
constexpr long kFunctionMove = 1 << 2;
constexpr long kFunctionMinimize = 1 << 3;
constexpr long kFunctionMaximize = 1 << 4;
constexpr long kFunctionClose = 1 << 5;
constexpr long kDecorBorder = 1 << 1;
constexpr long kDecorResizeHandle = 1 << 2;
constexpr long kDecorTitle = 1 << 3;
constexpr long kDecorMenu = 1 << 4;
constexpr long kDecorMinimize = 1 << 5;
constexpr long kDecorMaximize = 1 << 6;

}  // namespace

void TellWindowManagerFunctions(SDL_Window* window, const WindowFunctions& f)
{
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  long functions = kFunctionMove;
  long decorations = kDecorBorder | kDecorTitle;
  if (f.resize) {
    functions |= kFunctionResize;
    decorations |= kDecorResizeHandle;
  }
  if (f.close) {
    functions |= kFunctionClose;
    decorations |= kDecorMenu;
  }
  if (f.minimize) {
    functions |= kFunctionMinimize;
    decorations |= kDecorMinimize;
  }
  if (f.maximize) {
    functions |= kFunctionMaximize;
    decorations |= kDecorMaximize;
  }
  const long hints[5] = {kFunctionsGiven | kDecorationsGiven, functions, decorations, 0, 0};
  ::Display* display = info.info.x11.display;
  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, info.info.x11.window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
  XFlush(display);
}

void AskWindowManagerToMove(SDL_Window* window)
{
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  ::Display* display = info.info.x11.display;
  constexpr long kMoveWithKeyboard = 10;
  constexpr long kFromAnApplication = 1;
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = info.info.x11.window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_MOVERESIZE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = x;
  event.xclient.data.l[1] = y;
  event.xclient.data.l[2] = kMoveWithKeyboard;
  event.xclient.data.l[3] = 0;
  event.xclient.data.l[4] = kFromAnApplication;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
}

}  // namespace vetra::ui
