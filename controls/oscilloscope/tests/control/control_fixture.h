#pragma once
// A viewer page in miniature: a top-level window the size of the page's object and the control
// inside it, on a temporary drive, with the control's debugger traces and events collected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/oscilloscope/tessial_ctrl.h"
#include "controls/oscilloscope/tests/fixtures.h"
#include "platform/base/trace.h"
#include "platform/ole/testing/bitmaps.h"
#include "platform/ole/testing/hosted_control.h"

namespace tessial::testing {

using Page = vetra::testing::HostPage;
using vetra::testing::SolidBmp;

class ControlTest : public vetra::testing::HostedControlTest<CTessialCtrl> {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    MakeFolders({"Vetra/Fenmark/Temp", "Windows"});
    vetra::SetTraceSink([this](std::string_view text) {
      if (text.starts_with("TESSIAL")) traces.emplace_back(text);
    });
    BeforeControl();
    ASSERT_NO_FATAL_FAILURE(HostControl(vetra::testing::kViewerObject, [this](CTessialCtrl& made) {
      made.ConnectEvents([this](win::DISPID dispid, std::string_view, std::span<const win::COleVariant>) { events.push_back(dispid); });
    }));
    traces.clear();
    // Without a skin on the drive every picture reported itself; the tests start after that.
    vetra::ui::ClearMessageBoxes();
  }
  // Runs before the control is made (to lay out what it loads when its window is made).
  virtual void BeforeControl() {}
  void TearDown() override
  {
    HostedControlTest::TearDown();
    vetra::SetTraceSink({});
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

  std::vector<std::string> traces;
  std::vector<win::DISPID> events;
};

}  // namespace tessial::testing
