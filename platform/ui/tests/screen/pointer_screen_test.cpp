// Double clicks and the wheel on screen: the SDL display driven by real X input (xdotool) on a
// private display, with real time between the presses.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include "platform/base/testing/x_input.h"
#include "platform/base/text.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/notify.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"  // MessageLog
#include "platform/ui/window_system.h"

namespace {

using namespace win;
using vetra::testing::Xdotool;
using vetra::ui::testing::MessageLog;

class Parent : public CWnd {
public:
  MessageLog log;
  CListBox* list = nullptr;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override
  {
    if (HIWORD(wParam) == LBN_SELCHANGE) log.push_back(vetra::Format("selchange %d", list->GetCurSel()));
    if (HIWORD(wParam) == LBN_DBLCLK) log.push_back(vetra::Format("dblclk %d", list->GetCurSel()));
    return TRUE;
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
  {
    *result = 0;
    const auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == NM_DBLCLK) {
      const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
      log.push_back(vetra::Format("list view dblclk %d,%d", activate->iItem, activate->iSubItem));
    }
    return TRUE;
  }
};

class OnScreen : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    std::unique_ptr<vetra::ui::Display> sdl = vetra::ui::CreateSdlDisplay();
    ASSERT_NE(sdl, nullptr) << "no X display: run under scripts/on-screen";
    detail::WindowSystem::Get().SetDisplay(std::move(sdl));
  }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    SDL_Quit();  // the display's connections to the session end with the test
  }

  // Runs the window system, as a program's loop would, until `done` holds or time runs out.
  static bool RunUntil(const std::function<bool()>& done, std::chrono::seconds timeout = std::chrono::seconds(15))
  {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      vetra::ui::Pump();
      detail::WindowSystem::Get().WaitForInput();
    }
    return true;
  }
  // Runs xdotool while the window system goes on handling what the display brings, as a
  // program does while its user clicks; true once xdotool has done its part.
  static bool Act(const std::vector<std::string>& arguments)
  {
    auto done = std::async(std::launch::async, [&] { return Xdotool(arguments).has_value(); });
    if (!RunUntil([&] { return done.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; })) return false;
    return done.get();
  }
  // Moves the X pointer to a client point of the window shown as `xWindow`.
  static bool PointAt(const std::string& xWindow, POINT at)
  {
    return Xdotool({"mousemove", "--sync", "--window", xWindow, std::to_string(at.x), std::to_string(at.y)}).has_value();
  }
};

TEST_F(OnScreen, ListsTakeDoubleClicksAndTheWheelFromRealInput)
{
  Parent parent;
  ASSERT_TRUE(parent.CreateEx(0, "Parent", "Pointer test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 640, 440), nullptr, 0));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, CRect(10, 10, 210, 10), &parent, 238));
  parent.list = &list;
  const int h = list.GetItemHeight();
  list.MoveWindow(10, 10, 200, 5 * h + 2);
  for (int i = 0; i < 20; ++i) list.AddString(vetra::Format("row %d", i).c_str());
  CListCtrl view;
  ASSERT_TRUE(view.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(250, 10, 590, 200), &parent, 1125));
  view.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  view.InsertColumn(0, "", LVCFMT_LEFT, 40);
  view.InsertColumn(1, "item", LVCFMT_LEFT, 200);
  for (int i = 0; i < 3; ++i) view.SetItemText(view.InsertItem(i, ""), 1, vetra::Format("item %d", i).c_str());

  // Once painted, the native window is the one that stays (its first picture may replace it).
  vetra::ui::Pump();
  detail::WindowSystem::Get().WaitForInput();
  const std::optional<std::string> window = vetra::testing::WaitForXWindow("Pointer test");
  ASSERT_TRUE(window.has_value());

  // Two clicks in quick succession on a row: the list reports a double click.
  ASSERT_TRUE(PointAt(*window, {10 + 40, 10 + 1 + 2 * h + h / 2}));
  ASSERT_TRUE(Act({"click", "--repeat", "2", "--delay", "80", "1"}));
  EXPECT_TRUE(RunUntil([&] { return parent.log.size() >= 2; })) << parent.log.size();
  EXPECT_EQ(parent.log, (MessageLog{"selchange 2", "dblclk 2"}));

  // Two clicks further apart than the double-click time are two clicks.
  parent.log.clear();
  ASSERT_TRUE(PointAt(*window, {10 + 40, 10 + 1 + 3 * h + h / 2}));
  ASSERT_TRUE(Act({"click", "--repeat", "2", "--delay", "700", "1"}));
  ASSERT_TRUE(PointAt(*window, {10 + 40, 10 + 1 + 4 * h + h / 2}));
  ASSERT_TRUE(Act({"click", "1"}));
  EXPECT_TRUE(RunUntil([&] { return parent.log.size() >= 2; }));
  EXPECT_EQ(parent.log, (MessageLog{"selchange 3", "selchange 4"}));

  // The wheel: a notch towards the user (button 5) scrolls three rows down, two away scroll back.
  ASSERT_TRUE(PointAt(*window, {10 + 40, 10 + 1 + h}));
  ASSERT_TRUE(Act({"click", "5"}));
  EXPECT_TRUE(RunUntil([&] { return list.GetTopIndex() == 3; })) << list.GetTopIndex();
  ASSERT_TRUE(Act({"click", "--repeat", "2", "--delay", "30", "4"}));
  EXPECT_TRUE(RunUntil([&] { return list.GetTopIndex() == 0; })) << list.GetTopIndex();

  // The list view names the row and the column of a double click.
  parent.log.clear();
  ASSERT_TRUE(PointAt(*window, {250 + 1 + 100, 10 + 1 + view.HeaderHeight() + view.RowHeight() + view.RowHeight() / 2}));
  ASSERT_TRUE(Act({"click", "--repeat", "2", "--delay", "80", "1"}));
  EXPECT_TRUE(RunUntil([&] { return !parent.log.empty(); }));
  EXPECT_EQ(parent.log, (MessageLog{"list view dblclk 1,1"}));
}

// A window that notes its presses and double clicks.
class PressPad : public CWnd {
public:
  MessageLog log;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (message == WM_LBUTTONDOWN) log.push_back("down");
    if (message == WM_LBUTTONDBLCLK) log.push_back("dblclk");
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A window made without a class of its own, and a viewer control's window, take a real double
// click as a press and a double click, as their drawn buttons expect.
TEST_F(OnScreen, WindowsOfTheFrameworksClassesTakeRealDoubleClicks)
{
  Parent parent;
  ASSERT_TRUE(parent.CreateEx(0, "Parent", "Double click test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 440, 240), nullptr, 0));
  PressPad classless, control;
  ASSERT_TRUE(classless.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 110), &parent, 1));
  ASSERT_TRUE(control.CreateEx(0, "VetraControl", "", WS_CHILD | WS_VISIBLE, CRect(150, 10, 250, 110), &parent, 2));
  vetra::ui::Pump();
  detail::WindowSystem::Get().WaitForInput();
  const std::optional<std::string> window = vetra::testing::WaitForXWindow("Double click test");
  ASSERT_TRUE(window.has_value());
  for (PressPad* pad : {&classless, &control}) {
    CRect r;
    pad->GetWindowRect(&r);
    parent.ScreenToClient(&r);
    ASSERT_TRUE(PointAt(*window, r.CenterPoint()));
    ASSERT_TRUE(Act({"click", "--repeat", "2", "--delay", "80", "1"}));
    EXPECT_TRUE(RunUntil([&] { return pad->log.size() >= 2; }));
    EXPECT_EQ(pad->log, (MessageLog{"down", "dblclk"}));
  }
}

}  // namespace
