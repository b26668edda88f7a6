// The caption of a headless frame draws the boxes its style gives, as a window manager's frame
// shows them: close with a system menu, minimise and maximise with their boxes besides; a click
// on the minimise box minimizes the window.
#include <gtest/gtest.h>

#include "platform/gdi/bitmap32.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

class CaptionBoxes : public ::testing::Test {
protected:
  void SetUp() override { vetra::ui::ResetForTests(); }
  void TearDown() override { vetra::ui::ResetForTests(); }
};

TEST_F(CaptionBoxes, TheFrameDrawsTheBoxesItsStyleGives)
{
  struct Case {
    const char* name;
    DWORD style;
    bool close, maximize, minimize;  // from the right: close, maximise, minimise
  };
  const Case cases[] = {
      {"caption only", WS_POPUP | WS_CAPTION, false, false, false},
      {"system menu", WS_POPUP | WS_CAPTION | WS_SYSMENU, true, false, false},
      {"minimise box", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, true, false, true},
      {"both boxes", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vetra::ui::ResetForTests();
    MessageLog log;
    Probe window("frame", log);
    ASSERT_TRUE(window.CreateTop(CRect(100, 100, 400, 300), c.style | WS_VISIBLE));
    window.SetWindowText("A window with a long enough caption");
    vetra::ui::Pump();
    const CRect close = detail::CloseBoxRect(window.m_hWnd);
    const auto surface = detail::TopLevelSurface(window.m_hWnd);
    ASSERT_TRUE(surface);
    // A box shows the button face inside its edges; without one the caption's colour shows.
    auto boxAt = [&](int slot) {
      const int right = slot == 0 ? close.right : close.left - 2 - (slot - 1) * close.Width();
      const int x = right - close.Width() + 2 - 100, y = close.top + 2 - 100;
      return surface->At(x, y) == vetra::gdi::PixelFromColorref(GetSysColor(COLOR_BTNFACE));
    };
    EXPECT_EQ(boxAt(0), c.close);
    EXPECT_EQ(boxAt(1), c.maximize || c.minimize);
    EXPECT_EQ(boxAt(2), c.maximize && c.minimize);

    // A click on the minimise box minimizes the window; where there is none, nothing happens.
    const int slot = c.maximize ? 2 : 1;
    const int right = close.left - 2 - (slot - 1) * close.Width();
    const CPoint box(right - close.Width() / 2, close.CenterPoint().y);
    CPoint client = box;
    window.ScreenToClient(&client);
    vetra::ui::Click(window, client);
    EXPECT_EQ(window.IsIconic() != FALSE, c.minimize);
  }
}

}  // namespace
