// Double clicks and the mouse wheel as the window system makes them from raw input, and as the
// session script's commands give them.
#include <gtest/gtest.h>

#include <functional>

#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/control_classes.h"
#include "platform/ui/script.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"  // MessageLog

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;

// A window that writes the pointer messages it gets into a log.
class Pad : public CWnd {
public:
  Pad(std::string name, MessageLog& log) : m_name(std::move(name)), m_log(log) {}
  BOOL Make(const char* className, CWnd* parent, RECT rect)
  {
    const DWORD style = WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
    return CreateEx(0, className, m_name.c_str(), style, rect, parent, 0);
  }
  bool takesWheel = false;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    const auto word = [](LPARAM l, bool high) { return static_cast<short>(high ? HIWORD(l) : LOWORD(l)); };
    switch (message) {
      case WM_LBUTTONDOWN: Write("down"); break;
      case WM_LBUTTONDBLCLK: Write("dblclk"); break;
      case WM_RBUTTONDOWN: Write("rdown"); break;
      case WM_RBUTTONDBLCLK: Write("rdblclk"); break;
      case WM_MOUSEWHEEL:
        if (!takesWheel) break;
        Write(vetra::Format("wheel %d at %d,%d", word(static_cast<LPARAM>(wParam), true), word(lParam, false),
                            word(lParam, true)));
        return 0;
      default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }

private:
  void Write(const std::string& what) { m_log.push_back(m_name + " " + what); }
  std::string m_name;
  MessageLog& m_log;
};

class Pointer : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    RegisterClassStyle("DoubleClickPad", CS_DBLCLKS);
    ASSERT_TRUE(top.Make("Pad", nullptr, CRect(100, 100, 400, 300)));
    ASSERT_TRUE(asks.Make("DoubleClickPad", &top, CRect(10, 10, 110, 110)));
    ASSERT_TRUE(plain.Make("Pad", &top, CRect(150, 10, 250, 110)));
  }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    detail::MainWindowSlot() = nullptr;
  }
  // A press and release at a client point of a window, `button` 0 left or 1 right.
  static void Tap(CWnd& wnd, POINT at, int button = 0) { vetra::ui::Click(wnd, at, button); }

  MessageLog log;
  Pad top{"top", log}, asks{"asks", log}, plain{"plain", log};
};

TEST_F(Pointer, ASecondPressSoonAndNearIsADoubleClickWhereTheClassAsksForIt)
{
  const struct {
    const char* what;
    std::function<void()> second;  // after a left click at (50, 50) of `asks`
    MessageLog expected;
  } cases[] = {
      {"at once", [&] { Tap(asks, {50, 50}); }, {"asks down", "asks dblclk"}},
      {"within the time", [&] { vetra::ui::AdvanceClock(500); Tap(asks, {50, 50}); }, {"asks down", "asks dblclk"}},
      {"too late", [&] { vetra::ui::AdvanceClock(501); Tap(asks, {50, 50}); }, {"asks down", "asks down"}},
      {"inside the rectangle", [&] { Tap(asks, {52, 48}); }, {"asks down", "asks dblclk"}},
      {"outside it", [&] { Tap(asks, {53, 50}); }, {"asks down", "asks down"}},
      {"the other button", [&] { Tap(asks, {50, 50}, 1); }, {"asks down", "asks rdown"}},
      {"a third press starts afresh", [&] { Tap(asks, {50, 50}); Tap(asks, {50, 50}); },
       {"asks down", "asks dblclk", "asks down"}},
      {"another window between", [&] { Tap(plain, {50, 50}); Tap(asks, {50, 50}); },
       {"asks down", "plain down", "asks down"}},
  };
  for (const auto& c : cases) {
    vetra::ui::AdvanceClock(1000);
    log.clear();
    Tap(asks, {50, 50});
    c.second();
    EXPECT_EQ(log, c.expected) << c.what;
  }
  // The right button doubles too; a class that does not ask sees presses only.
  vetra::ui::AdvanceClock(1000);
  log.clear();
  Tap(asks, {50, 50}, 1);
  Tap(asks, {50, 50}, 1);
  Tap(plain, {50, 50});
  Tap(plain, {50, 50});
  EXPECT_EQ(log, (MessageLog{"asks rdown", "asks rdblclk", "plain down", "plain down"}));
}

// A window made without a class of its own has the framework's default class, which asks for
// double clicks.
TEST_F(Pointer, AWindowWithoutAClassOfItsOwnGetsDoubleClicks)
{
  for (const char* className : {static_cast<const char*>(nullptr), ""}) {
    Pad classless{"classless", log};
    ASSERT_TRUE(classless.Make(className, &top, CRect(10, 150, 110, 190)));
    vetra::ui::AdvanceClock(1000);
    log.clear();
    Tap(classless, {50, 20});
    Tap(classless, {50, 20});
    EXPECT_EQ(log, (MessageLog{"classless down", "classless dblclk"}));
  }
}

TEST_F(Pointer, TheWheelGoesUnderThePointerAndOnToTheParent)
{
  top.takesWheel = true;
  plain.takesWheel = true;
  const auto turn = [](CWnd& wnd, POINT at, int delta) {
    wnd.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, delta);
    vetra::ui::Pump();
  };
  turn(plain, {5, 6}, -WHEEL_DELTA);     // a window that scrolls takes it (screen point)
  turn(asks, {5, 6}, 2 * WHEEL_DELTA);   // one that does not leaves it to its parent
  asks.SetFocus();
  turn(top, {-50, -50}, WHEEL_DELTA);    // over no window: the focus (and so its parent) has it
  EXPECT_EQ(log, (MessageLog{"plain wheel -120 at 255,116", "top wheel 240 at 115,116", "top wheel 120 at 50,50"}));
}

TEST_F(Pointer, SessionScriptsDoubleClickAndTurnTheWheel)
{
  top.takesWheel = true;
  detail::MainWindowSlot() = &top;
  vetra::ui::StartSessionScript(vetra::ui::SessionScript(
      "dblclick 60 60\n"
      "dblclick 200 60\n"
      "dblclick 60 60 right\n"
      "wheel 250 150 2\n"
      "wheel 250 150 -1\n"
      "wheel 250 150\n"
      "quit\n",
      "pointer.script"));
  ::testing::internal::CaptureStderr();
  while (AfxPumpMessage()) {
  }
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("pointer.script:6: wheel needs X Y N"), std::string::npos);
  EXPECT_EQ(log, (MessageLog{"asks down", "asks dblclk", "plain down", "plain down", "asks rdown", "asks rdblclk",
                             "top wheel -240 at 350,250", "top wheel 120 at 350,250"}));
}

}  // namespace
