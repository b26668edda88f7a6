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

}  // namespace vetra::ui
