#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ole/control_loader.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"

namespace {

using namespace win;

constexpr const char* kClsid = "{0A1B2C3D-0000-4000-8000-00000000C0DE}";

// Writes its window roles into a shared log.
class LoggingControl : public COleControl {
public:
  static inline std::vector<std::string> log;

  LoggingControl() : COleControl({kClsid, "VETRATEST.Logging.1", "", "", ""})
  {
    AddStockErrorEvent();
    SetPropertyPage({"{0A1B2C3D-0000-4000-8000-00000000FA6E}", "VETRATEST.LoggingPage.1"});
  }

protected:
  int OnCreate(LPCREATESTRUCT cs) override
  {
    const int result = COleControl::OnCreate(cs);
    log.push_back(vetra::Format("create %dx%d", cs->cx, cs->cy));
    return result;
  }
  void OnDraw(CDC* dc, const CRect& bounds, const CRect&) override
  {
    dc->FillSolidRect(&bounds, RGB(10, 20, 30));
    log.push_back(vetra::Format("draw %d,%d,%d,%d", bounds.left, bounds.top, bounds.right, bounds.bottom));
  }
  void OnDestroy() override
  {
    log.push_back("destroy");
    COleControl::OnDestroy();
  }
};

class Host : public CWnd {
public:
  BOOL Make() { return CreateEx(0, "Host", "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0); }
};

class ControlWindow : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    LoggingControl::log.clear();
    ASSERT_TRUE(host.Make());
  }
  void TearDown() override { vetra::ui::ResetForTests(); }
  Host host;
};

TEST_F(ControlWindow, LivesAsChildAtItsRectangleAndDrawsItsBounds)
{
  LoggingControl control;
  control.InvalidateControl();  // before the window: nothing to do
  ASSERT_TRUE(control.CreateControlWindow(&host, CRect(20, 10, 120, 60)));
  EXPECT_EQ(control.GetParent(), &host);
  CRect r;
  control.GetWindowRect(&r);
  host.ScreenToClient(&r);
  EXPECT_EQ(r, CRect(20, 10, 120, 60));
  int cx = 0, cy = 0;
  control.GetControlSize(&cx, &cy);
  EXPECT_EQ(cx, 100);
  EXPECT_EQ(cy, 50);

  vetra::ui::Pump();
  control.InvalidateControl();
  vetra::ui::Pump();
  EXPECT_EQ(LoggingControl::log,
            (std::vector<std::string>{"create 100x50", "draw 0,0,100,50", "draw 0,0,100,50"}));
  const auto surface = detail::TopLevelSurface(host.GetSafeHwnd());
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->Get(20, 10), vetra::gdi::MakePixel(10, 20, 30));

  ASSERT_TRUE(control.SetControlSize(40, 30));
  control.GetControlSize(&cx, &cy);
  EXPECT_EQ(cx, 40);
  EXPECT_EQ(cy, 30);
}

TEST_F(ControlWindow, GoesWithItsHostOrWhenReleased)
{
  {
    LoggingControl released;
    ASSERT_TRUE(released.CreateControlWindow(&host, CRect(0, 0, 10, 10)));
    released.DestroyWindow();
    EXPECT_EQ(released.GetSafeHwnd(), nullptr);
  }
  EXPECT_EQ(LoggingControl::log, (std::vector<std::string>{"create 10x10", "destroy"}));

  LoggingControl::log.clear();
  LoggingControl withHost;
  ASSERT_TRUE(withHost.CreateControlWindow(&host, CRect(0, 0, 10, 10)));
  host.DestroyWindow();
  EXPECT_EQ(withHost.GetSafeHwnd(), nullptr);
  EXPECT_EQ(LoggingControl::log, (std::vector<std::string>{"create 10x10", "destroy"}));
}

TEST_F(ControlWindow, ModuleClassTableCreatesTheWindowRole)
{
  static constexpr ControlClassInfo kClasses[] = {ControlClass<LoggingControl>(kClsid, "VETRATEST.Logging.1")};
  const ControlModuleInfo module = ControlModuleOf(kClasses);
  EXPECT_EQ(module.abiVersion, kControlModuleAbi);
  ASSERT_EQ(module.classCount, 1u);
  auto created = module.classes[0].create();
  COleControl* window = ControlWindowOf(created.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->PropertyPage().progId, "VETRATEST.LoggingPage.1");
  ASSERT_NE(window->FindEvent(DISPID_ERROREVENT), nullptr);
  EXPECT_FALSE(window->CreateControlWindow(nullptr, CRect(0, 0, 1, 1)));
}

}  // namespace
