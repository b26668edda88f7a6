#pragma once
// A viewer page in miniature: a top-level window the size of the page's object and the control
// inside it, on a temporary drive, with the control's debugger traces and events collected.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/oscilloscope/tessial_ctrl.h"
#include "controls/oscilloscope/tests/fixtures.h"
#include "platform/base/trace.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"

namespace tessial::testing {

class Page : public win::CWnd {
public:
  win::BOOL Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1017, 708), nullptr, 0); }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    drive.WriteFile("Vetra/Fenmark/Temp/keep", "");
    drive.WriteFile("Windows/keep", "");
    vetra::SetTraceSink([this](std::string_view text) {
      if (text.starts_with("TESSIAL")) traces.emplace_back(text);
    });
    page = std::make_unique<Page>();
    ASSERT_TRUE(page->Make());
    BeforeControl();
    control = std::make_unique<CTessialCtrl>();
    control->ConnectEvents([this](win::DISPID dispid, std::string_view, std::span<const win::COleVariant>) { events.push_back(dispid); });
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
    vetra::ui::Pump();
    traces.clear();
    // Without a skin on the drive every picture reported itself; the tests start after that.
    vetra::ui::ClearMessageBoxes();
  }
  // Runs before the control is made (to lay out what it loads when its window is made).
  virtual void BeforeControl() {}
  void TearDown() override
  {
    control.reset();
    page.reset();
    vetra::SetTraceSink({});
    vetra::ui::ResetForTests();
  }

  void Set(const char* name, const win::COleVariant& value)
  {
    const auto dispid = control->Dispatch().FindName(name);
    ASSERT_TRUE(dispid.has_value()) << name;
    ASSERT_EQ(control->Dispatch().SetProperty(*dispid, value), win::S_OK) << name;
  }
  win::COleVariant Get(const char* name) const
  {
    win::COleVariant value;
    control->Dispatch().GetProperty(*control->Dispatch().FindName(name), value);
    return value;
  }
  // What the viewer page does half a second after loading.
  void Start(const std::string& name, short reloadMode = 0)
  {
    Set("ReloadMode", win::COleVariant(static_cast<win::SHORT>(reloadMode)));
    Set("DataFileName", win::COleVariant(name));
    Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
    vetra::ui::Pump();
  }
  void Load(const OscOptions& options, const std::string& name = "test.Osc")
  {
    PutRecording(drive, vetra::samples::OscBytes(options), name);
    Start(name);
  }
  // The colour of a client pixel of a child window as the screen shows it.
  static win::COLORREF PixelOf(win::CWnd& wnd, int x, int y)
  {
    win::CClientDC dc(&wnd);
    return dc.GetPixel(x, y);
  }

  vetra::testing::TempDrive drive;
  std::unique_ptr<Page> page;
  std::unique_ptr<CTessialCtrl> control;
  std::vector<std::string> traces;
  std::vector<win::DISPID> events;
};

}  // namespace tessial::testing
