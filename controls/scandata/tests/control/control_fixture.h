#pragma once
// A viewer page in miniature: a top-level window the size of the page's object and the scan-data
// control inside it, on a temporary drive, driven through its properties as a page drives it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/scandata/quarnel_ctrl.h"
#include "controls/scandata/tests/fixtures.h"
#include "platform/base/trace.h"
#include "platform/ui/testing.h"

namespace quarnel::testing {

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
    drive.WriteFile("Vetra/TempE/keep", "");
    drive.WriteFile("Windows/keep", "");
    vetra::SetTraceSink([this](std::string_view text) { traces.emplace_back(text); });
    page = std::make_unique<Page>();
    ASSERT_TRUE(page->Make());
    control = std::make_unique<CQuarnelCtrl>();
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
    vetra::ui::Pump();
    traces.clear();
  }
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
  void SetShort(const char* name, int value) { Set(name, win::COleVariant(static_cast<win::SHORT>(value))); }
  win::COleVariant Get(const char* name) const
  {
    win::COleVariant value;
    control->Dispatch().GetProperty(*control->Dispatch().FindName(name), value);
    return value;
  }
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
  void ClickAt(int x, int y) { vetra::ui::Click(*control, {x, y}); }
  int Position() const { return control->Model().State().playback.position; }

  vetra::testing::TempDrive drive;
  std::unique_ptr<Page> page;
  std::unique_ptr<CQuarnelCtrl> control;
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
