// A message the display library sends to a window that has just gone (its wake-up after a
// dialog closed) is lost, as messages to gone windows are: the program goes on. The X library's
// own answer to the error would end the program in the middle of the user's work.
#include "platform/ui/tests/screen/screen_fixture.h"

// After the test framework: the X headers' macros would spoil its names.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

namespace vetra::ui::testing {
namespace {

class Panel : public win::CWnd {
public:
  bool Make()
  {
    return CreateEx(0, "Panel", "gone windows", win::WS_POPUP | win::WS_VISIBLE, win::CRect(10, 10, 200, 100), nullptr,
                    0) != 0;
  }
};

using GoneWindowScreen = ScreenFixture;

TEST_F(GoneWindowScreen, AnEventSentToAGoneWindowIsLost)
{
  Panel panel;
  ASSERT_TRUE(panel.Make());
  ASSERT_FALSE(XWindowOf(panel).empty());
  SDL_Window* shown = nullptr;
  for (Uint32 id = 1; id < 64 && !shown; ++id) shown = SDL_GetWindowFromID(id);
  ASSERT_NE(shown, nullptr);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(shown, &info));
  ::Display* x = info.info.x11.display;

  // A window made and destroyed: its number names no window any more.
  const Window gone = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(x, gone);
  XEvent wake{};
  wake.xclient.type = ClientMessage;
  wake.xclient.window = gone;
  wake.xclient.format = 32;
  XSendEvent(x, gone, False, NoEventMask, &wake);
  XSync(x, False);

  EXPECT_TRUE(RunUntil([&] { return panel.IsWindowVisible() != 0; }));
  panel.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
