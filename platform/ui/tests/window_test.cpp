#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/ui/accelerators.h"
#include "platform/ui/cursor.h"
#include "platform/ui/frame.h"
#include "platform/ui/menu.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

class Windows : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    ASSERT_TRUE(top.CreateTop(CRect(100, 100, 400, 300)));
    ASSERT_TRUE(a.CreateChild(top, CRect(10, 10, 110, 110)));
    ASSERT_TRUE(b.CreateChild(top, CRect(60, 60, 160, 160)));  // above a where they overlap
    ASSERT_TRUE(hidden.CreateChild(top, CRect(0, 0, 300, 200), 0));
    ASSERT_TRUE(disabled.CreateChild(top, CRect(200, 10, 290, 100), WS_VISIBLE | WS_DISABLED));
    vetra::ui::Pump();
    log.clear();
  }
  void TearDown() override { vetra::ui::ResetForTests(); }

  MessageLog log;
  Probe top{"top", log}, a{"a", log}, b{"b", log}, hidden{"hidden", log}, disabled{"disabled", log};
};

TEST_F(Windows, ClickGoesToTopmostVisibleEnabledWindowUnderThePoint)
{
  const struct {
    POINT at;  // client point of the top-level window
    const char* expected;
  } cases[] = {
      {{20, 20}, "a down 10,10"},        // a alone
      {{70, 70}, "b down 10,10"},        // a and b overlap: b is on top
      {{150, 150}, "b down 90,90"},      // b alone
      {{250, 50}, "top down 250,50"},    // a disabled child lets the click through
      {{250, 150}, "top down 250,150"},  // nothing but the parent (the hidden child takes nothing)
  };
  for (const auto& c : cases) {
    log.clear();
    vetra::ui::Press(top, c.at);
    vetra::ui::Release(top, c.at);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), c.expected) << c.at.x << "," << c.at.y;
  }
}

TEST_F(Windows, CapturingWindowGetsTheMouseWhereverItIs)
{
  a.SetCapture();
  vetra::ui::Click(top, {150, 150});
  EXPECT_EQ(log, (MessageLog{"a down 140,140", "a up 140,140"}));
  ReleaseCapture();
  log.clear();
  vetra::ui::Click(top, {150, 150});
  EXPECT_EQ(log, (MessageLog{"b down 90,90", "b up 90,90"}));
}

TEST_F(Windows, PressOnOneWindowAndReleaseOnAnother)
{
  vetra::ui::Press(top, {20, 20});
  vetra::ui::Release(top, {250, 150});
  EXPECT_EQ(log, (MessageLog{"a down 10,10", "top up 250,150"}));
}

TEST_F(Windows, InvalidationsCoalesceIntoOnePaint)
{
  b.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
  b.InvalidateRect(CRect(50, 40, 60, 70), FALSE);
  b.Invalidate(FALSE);
  b.InvalidateRect(CRect(20, 20, 30, 30), FALSE);
  b.UpdateWindow();
  b.InvalidateRect(CRect(5, 5, 8, 8), FALSE);
  vetra::ui::Pump();
  EXPECT_EQ(log, (MessageLog{"b paint 0,0,100,100", "b paint 5,5,8,8"}));
}

TEST_F(Windows, HiddenWindowsPaintWhenShown)
{
  hidden.Invalidate();
  vetra::ui::Pump();
  EXPECT_TRUE(log.empty());
  hidden.ShowWindow(SW_SHOW);
  vetra::ui::Pump();
  EXPECT_EQ(log, (MessageLog{"hidden paint 0,0,300,200"}));
}

TEST_F(Windows, TimersFireByTheVirtualClockInOrder)
{
  a.SetTimer(1, 30);
  b.SetTimer(2, 20);
  a.SetTimer(3, 3);  // never more often than every 10 ms
  vetra::ui::AdvanceClock(19);
  EXPECT_EQ(log, (MessageLog{"a timer 3"}));
  log.clear();
  a.SetTimer(3, 50);  // setting again replaces: next due 50 ms from now (69)
  vetra::ui::AdvanceClock(51);  // to 70
  EXPECT_EQ(log, (MessageLog{"b timer 2", "a timer 1", "b timer 2", "a timer 1", "b timer 2", "a timer 3"}));
  log.clear();
  b.DestroyWindow();  // timers end with their window
  EXPECT_TRUE(a.KillTimer(3));
  EXPECT_FALSE(a.KillTimer(3));
  vetra::ui::Pump();  // repaints where b was
  log.clear();
  vetra::ui::AdvanceClock(30);
  EXPECT_EQ(log, (MessageLog{"a timer 1"}));
}

TEST_F(Windows, CoordinatesAndNonClientArea)
{
  Probe framed("framed", log);
  ASSERT_TRUE(framed.CreateEx(0, "Probe", "Framed", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                              CRect(0, 0, 504, 360), nullptr, 0));
  CRect window, client;
  framed.GetWindowRect(&window);
  framed.GetClientRect(&client);
  const int frame = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_EQ(window, CRect(0, 0, 504, 360));
  EXPECT_EQ(client, CRect(0, 0, 504 - 2 * frame, 360 - 2 * frame - GetSystemMetrics(SM_CYCAPTION)));
  // The whole window in client coordinates starts above and left of the client origin.
  framed.ScreenToClient(&window);
  EXPECT_EQ(window.TopLeft(), CPoint(-frame, -frame - GetSystemMetrics(SM_CYCAPTION)));
  CPoint p(5, 5);
  b.ClientToScreen(&p);
  EXPECT_EQ(p, CPoint(165, 165));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST_F(Windows, SystemMenuEdits)
{
  Probe frame("frame", log);
  ASSERT_TRUE(frame.CreateEx(0, "Probe", "Viewer", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             CRect(0, 0, 1024, 738), nullptr, 0));
  CMenu* menu = frame.GetSystemMenu(FALSE);
  ASSERT_NE(menu, nullptr);
  menu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, 0x10, "About...");
  EXPECT_EQ(frame.GetSystemMenu(FALSE)->GetMenuState(SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(menu->GetMenuState(SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(menu->GetMenuItemID(static_cast<int>(menu->GetMenuItemCount()) - 1), 0x10u);
  EXPECT_EQ(frame.GetSystemMenu(TRUE), nullptr);  // back to the standard menu
  EXPECT_EQ(frame.GetSystemMenu(FALSE)->GetMenuItemCount(), 7u);
  EXPECT_EQ(a.GetSystemMenu(FALSE), nullptr);  // no system menu without WS_SYSMENU
}

// A window with drawn buttons: the hand over its hot area, the arrow elsewhere.
class HandWindow : public Probe {
public:
  using Probe::Probe;
  BOOL OnSetCursor(CWnd*, UINT, UINT) override
  {
    SetCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(133)));
    if (!m_overButton) SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
  }
  void OnMouseMove(UINT, CPoint p) override { m_overButton = p.x < 50; }
  bool m_overButton = false;
};

TEST_F(Windows, CursorsFollowTheSetCursorAnswer)
{
  HandWindow hand("hand", log);
  ASSERT_TRUE(hand.CreateChild(top, CRect(0, 150, 100, 200)));
  vetra::ui::MoveMouse(hand, {10, 10});  // the cursor is set before the move is seen
  vetra::ui::MoveMouse(hand, {11, 10});
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);
  vetra::ui::MoveMouse(hand, {80, 10});
  vetra::ui::MoveMouse(hand, {81, 10});
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);
  {
    CWaitCursor wait;
    EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Wait);
  }
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);
}

class KeyView : public CView {
public:
  explicit KeyView(MessageLog& log) : m_log(log) {}
  BOOL OnViewCommand(UINT id) override
  {
    m_log.push_back(vetra::Format("view command %u", id));
    return id != 32787;
  }
  MessageLog& m_log;
};

TEST_F(Windows, AcceleratorsBecomeCommandsOfTheFrameAndItsView)
{
  CFrameWnd frame;
  ASSERT_TRUE(frame.Create(nullptr, "Viewer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1024, 738)));
  KeyView view(log);
  ASSERT_TRUE(view.Create(&frame));
  view.SetFocus();
  frame.SetAccelerators(CreateAcceleratorTable({{FVIRTKEY | FCONTROL, 'P', 57607},
                                                {FVIRTKEY, VK_ESCAPE, 32778},
                                                {FVIRTKEY | FALT, VK_RIGHT, 32788}}));
  vetra::ui::PressKeys("ctrl+p");
  vetra::ui::PressKeys("p");  // no Ctrl: not the accelerator
  vetra::ui::PressKeys("esc");
  vetra::ui::PressKeys("alt+right");
  vetra::ui::PressKeys("alt+left");
  EXPECT_EQ(log, (MessageLog{"view command 57607", "view command 32778", "view command 32788"}));
  CRect client, pane;
  frame.GetClientRect(&client);
  view.GetWindowRect(&pane);
  frame.ScreenToClient(&pane);
  EXPECT_EQ(pane, client);  // the view fills the frame
}

TEST_F(Windows, TopmostWindowsStayAboveAndFindWindowFindsCaptions)
{
  vetra::testing::TempDrive drive;  // the registry of other programs' captions is empty
  Probe print("print", log), other("other", log);
  ASSERT_TRUE(print.CreateEx(WS_EX_TOPMOST, "#32770", vetra::Cp949("프린트").c_str(), WS_POPUP | WS_VISIBLE,
                             CRect(0, 0, 50, 50), nullptr, 0));
  ASSERT_TRUE(other.CreateTop(CRect(0, 0, 50, 50)));
  other.SetActiveWindow();
  EXPECT_EQ(CWnd::FromHandle(WindowFromPoint({10, 10})), &print);  // still on top
  EXPECT_EQ(FindWindowA(nullptr, vetra::Cp949("프린트").c_str()), print.m_hWnd);
  EXPECT_EQ(FindWindowA(nullptr, "Print"), nullptr);
}

TEST_F(Windows, DestroyingAParentEndsItsChildrenAndReleasesCapture)
{
  b.SetCapture();
  const HWND childHandle = b.m_hWnd;
  top.DestroyWindow();
  EXPECT_FALSE(IsWindow(childHandle));
  EXPECT_EQ(b.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  EXPECT_EQ(CWnd::FromHandle(childHandle), nullptr);
}

// Owns its child window objects and lets them go when it ends, as the viewer controls do.
class OwningWindow : public Probe {
public:
  using Probe::Probe;
  int OnCreate(LPCREATESTRUCT cs) override
  {
    child = std::make_unique<Probe>("child", log);
    child->CreateChild(*this, CRect(0, 0, 10, 10));
    return Probe::OnCreate(cs);
  }
  void OnDestroy() override
  {
    child.reset();
    Probe::OnDestroy();
  }
  MessageLog log;
  std::unique_ptr<Probe> child;
};

TEST_F(Windows, ChildObjectsDeletedWhileTheirParentEnds)
{
  auto owner = std::make_unique<OwningWindow>("owner", log);
  ASSERT_TRUE(owner->CreateChild(top, CRect(0, 0, 50, 50)));
  const HWND child = owner->child->m_hWnd;
  top.DestroyWindow();
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(owner->child, nullptr);
  EXPECT_EQ(owner->m_hWnd, nullptr);
}

}  // namespace
