#pragma once
// A viewer page in miniature: a top-level window the size of the page's object and the scan-data
// control inside it, on a temporary drive, driven through its properties as a page drives it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/scandata/quarnel_ctrl.h"
#include "controls/scandata/tests/fixtures.h"
#include "platform/base/trace.h"
#include "platform/ole/testing/hosted_control.h"

namespace quarnel::testing {

using Page = vetra::testing::HostPage;

class ControlTest : public vetra::testing::HostedControlTest<CQuarnelCtrl> {
 protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    MakeFolders({"Vetra/Fenmark/Temp", "Vetra/TempE", "Windows"});
    vetra::SetTraceSink([this](std::string_view text) { traces.emplace_back(text); });
    ASSERT_NO_FATAL_FAILURE(HostControl(vetra::testing::kViewerObject));
    traces.clear();
  }
  void TearDown() override
  {
    HostedControlTest::TearDown();
    vetra::SetTraceSink({});
  }

  void SetShort(const char* name, int value) { Set(name, win::COleVariant(static_cast<win::SHORT>(value))); }
  // What the chooser's viewer page does after loading.
  void Start(const std::string& name)
  {
    SetShort("ReloadMode", 0);
    Set("SaveDataFilePath", win::COleVariant(name));
    SetShort("RunScantool", 1);
    vetra::ui::Pump();
  }
  void LoadBytes(const ScanBytes& bytes, const std::string& name = "test.SCN")
  {
    drive.WriteFile("Vetra/TempE/" + name, bytes.Str());
    Start(name);
  }
  void LoadSample(const vetra::samples::ScanOptions& options, const std::string& name = "test.SCN")
  {
    std::string error;
    ASSERT_TRUE(vetra::samples::WriteScanSample(options, drive / ("Vetra/TempE/" + name), &error)) << error;
    Start(name);
  }
  // Press and release on a drawn button of the top band.
  void ClickAt(int x, int y) { vetra::ui::ClickAlone(*control, {x, y}); }
  int Position() const { return control->Model().State().playback.position; }

  std::vector<std::string> traces;
};

// A recording of one plain item whose samples are the given values; engine speeds 700 + sample index.
inline ScanBytes Ramp(int count, const std::vector<int>& triggers = {})
{
  std::vector<int> samples;
  for (int s = 0; s < count; ++s) samples.push_back(s % 256);
  return OneItem(samples, triggers);
}

}  // namespace quarnel::testing
