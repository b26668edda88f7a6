#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_loader.h"
#include "platform/ui/frame.h"
#include "platform/ui/testing.h"
#include "platform/web/html_view.h"
#include "platform/web/tests/window_control.h"

namespace {

using vetra::web::testing::WindowControl;
using win::CRect;

class HtmlViewTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    WindowControl::Log().clear();
    win::ControlLoader::RegisterFactory(vetra::web::testing::kWindowControlClsid,
                                        [] { return std::make_unique<WindowControl>(); });
    ASSERT_TRUE(frame.Create(nullptr, "Pages", win::WS_POPUP | win::WS_VISIBLE, CRect(0, 0, 400, 300)));
    ASSERT_TRUE(view.Create(&frame));
    frame.SetActiveView(&view);
  }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    win::ControlLoader::UnregisterFactory(vetra::web::testing::kWindowControlClsid);
  }

  // Where the page's control window is, in the view.
  CRect ControlPlace()
  {
    for (win::CWnd* child : view.GetChildren()) {
      if (dynamic_cast<WindowControl*>(child) == nullptr) continue;
      CRect r;
      child->GetWindowRect(&r);
      view.ScreenToClient(&r);
      return r;
    }
    return {};
  }
  bool ScrollBarShows()
  {
    for (win::CWnd* child : view.GetChildren())
      if (dynamic_cast<win::CScrollBar*>(child) != nullptr && child->IsWindowVisible()) return true;
    return false;
  }

  vetra::testing::TempDrive drive;
  win::CFrameWnd frame;
  win::CHtmlView view;
};

TEST_F(HtmlViewTest, LongPageScrollsWithItsControlsUnlessItSaysNo)
{
  const std::string control = std::string("<object classid=\"clsid:") + vetra::web::testing::kWindowControlClsid +
                              "\" width=50 height=20></object>";
  drive.WriteFile("long.html", "<body topmargin=0 leftmargin=0><div style=\"height:1000px\"></div>" + control + "</body>");
  drive.WriteFile("fixed.html", "<body topmargin=0 leftmargin=0 scroll=no><div style=\"height:1000px\"></div>" +
                                    control + "</body>");

  view.Navigate2((drive / "long.html").string());
  EXPECT_TRUE(ScrollBarShows());
  EXPECT_EQ(ControlPlace(), CRect(0, 1000, 50, 1020));
  view.SendMessage(win::WM_VSCROLL, win::SB_PAGEDOWN, 0);  // from no bar: ignored
  EXPECT_EQ(ControlPlace().top, 1000);
  win::CScrollBar* bar = nullptr;
  for (win::CWnd* child : view.GetChildren())
    if (auto* found = dynamic_cast<win::CScrollBar*>(child)) bar = found;
  ASSERT_NE(bar, nullptr);
  const int atEnd = 1000 - (view.Layout().Height() - 300);  // the page's end at the view's bottom
  ASSERT_LT(atEnd, 300);
  const struct {
    win::UINT code;
    int top;  // of the control afterwards
  } steps[] = {
      {win::SB_PAGEDOWN, 700},
      {win::SB_LINEUP, 720},
      {win::SB_BOTTOM, atEnd},
      {win::SB_LINEDOWN, atEnd},
      {win::SB_TOP, 1000},
  };
  for (const auto& step : steps) {
    view.SendMessage(win::WM_VSCROLL, step.code, reinterpret_cast<win::LPARAM>(bar->GetSafeHwnd()));
    EXPECT_EQ(ControlPlace().top, step.top) << step.code;
  }

  // Once the page has been clicked, its keys scroll it too.
  vetra::ui::Click(view, {100, 100});
  const struct {
    const char* key;
    int top;
  } keys[] = {{"pagedown", 700}, {"up", 720}, {"end", atEnd}, {"home", 1000}};
  for (const auto& key : keys) {
    vetra::ui::PressKeys(key.key);
    vetra::ui::Pump();
    EXPECT_EQ(ControlPlace().top, key.top) << key.key;
  }

  view.Navigate2((drive / "fixed.html").string());
  EXPECT_FALSE(ScrollBarShows());
  EXPECT_EQ(ControlPlace(), CRect(0, 1000, 50, 1020));
  EXPECT_EQ(WindowControl::Log(),
            (std::vector<std::string>{"create 0,1000,50,20", "destroy", "create 0,1000,50,20"}));
}

TEST_F(HtmlViewTest, TheWheelScrollsALongPageWhereverThePointerIsOnIt)
{
  const std::string control = std::string("<object classid=\"clsid:") + vetra::web::testing::kWindowControlClsid +
                              "\" width=50 height=20></object>";
  drive.WriteFile("long.html", "<body topmargin=0 leftmargin=0><div style=\"height:150px\"></div>" + control + "<div style=\"height:1000px\"></div></body>");
  drive.WriteFile("fixed.html", "<body topmargin=0 leftmargin=0 scroll=no><div style=\"height:150px\"></div>" + control + "<div style=\"height:1000px\"></div></body>");
  const auto turn = [&](win::POINT at, int notchesTowardsTheUser) {
    view.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, -notchesTowardsTheUser * win::WHEEL_DELTA);
    vetra::ui::Pump();
  };

  view.Navigate2((drive / "long.html").string());
  ASSERT_EQ(ControlPlace().top, 150);
  const int atEnd = 150 - (view.Layout().Height() - 300);  // the control's top with the page's end in view
  // Three lines of 20 pixels a notch, over the page or over its control (which does not scroll
  // itself), and never past an end.
  const struct {
    bool overControl;
    int notches;
    int top;
  } turns[] = {{true, 1, 90}, {true, 1, 30}, {false, -1, 90}, {false, 2, -30}, {false, 100, atEnd}, {false, -100, 150}};
  for (const auto& t : turns) {
    const CRect place = ControlPlace();
    turn(t.overControl ? win::POINT{place.left + 10, place.top + 10} : win::POINT{200, 150}, t.notches);
    EXPECT_EQ(ControlPlace().top, t.top) << t.notches;
  }

  // A page that says it does not scroll stays where it is.
  view.Navigate2((drive / "fixed.html").string());
  turn({200, 100}, 2);
  EXPECT_EQ(ControlPlace().top, 150);
}

TEST_F(HtmlViewTest, TheViewHasTheKeysFromTheStartAndTabTakesThemIntoThePagesControls)
{
  const std::string control = std::string("<object classid=\"clsid:") + vetra::web::testing::kWindowControlClsid +
                              "\" width=50 height=20></object>";
  drive.WriteFile("long.html", "<body topmargin=0 leftmargin=0>" + control + "<div style=\"height:1000px\"></div>" +
                                   control + "</body>");
  view.Navigate2((drive / "long.html").string());
  std::vector<win::CWnd*> controls;
  for (win::CWnd* child : view.GetChildren())
    if (dynamic_cast<WindowControl*>(child) != nullptr) controls.push_back(child);
  ASSERT_EQ(controls.size(), 2u);

  // No click needed: the page scrolls by its keys at once.
  EXPECT_EQ(win::GetFocus(), view.m_hWnd);
  vetra::ui::PressKeys("pagedown");
  vetra::ui::Pump();
  EXPECT_EQ(ControlPlace().top, -300);
  vetra::ui::PressKeys("home");
  vetra::ui::Pump();
  // Tab gives the first control the keys, Shift+Tab the last one.
  vetra::ui::PressKeys("tab");
  EXPECT_EQ(win::GetFocus(), controls.front()->m_hWnd);
  view.SetFocus();
  vetra::ui::PressKeys("shift+tab");
  EXPECT_EQ(win::GetFocus(), controls.back()->m_hWnd);
}

}  // namespace
