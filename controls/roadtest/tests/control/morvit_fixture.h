#pragma once
// A viewer page in miniature: a top-level window the size of the page's object with the road-test
// control inside it, on a temporary drive.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "controls/roadtest/morvit_ctrl.h"
#include "platform/base/drive.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ui/message_box.h"
#include "platform/ui/testing.h"
#include "tools/samples/roadtest_sample.h"

namespace morvit::testing {

class Page : public win::CWnd {
public:
  win::BOOL Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1018, 708), nullptr, 0); }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    vetra::ui::ClearMessageBoxes();
    drive.WriteFile("Vetra/TempE/keep", "");
    drive.WriteFile("Vetra/Fenmark/Temp/keep", "");
    page = std::make_unique<Page>();
    ASSERT_TRUE(page->Make());
    control = std::make_unique<CMorvitCtrl>();
    ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1018, 708)));
    vetra::ui::Pump();
  }
  void TearDown() override
  {
    control.reset();
    page.reset();
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
  static std::filesystem::path Exchange(const std::string& name) { return vetra::MapPath("C:\\Vetra\\TempE\\" + name); }

  // Writes a sample recording into the exchange folder.
  static void PutRecording(const std::string& name, vetra::samples::RoadTestOptions options = {})
  {
    options.packed = !name.ends_with(".Dat") && !name.ends_with(".DAT");
    std::string error;
    ASSERT_TRUE(vetra::samples::WriteRoadTestSample(options, Exchange(name), &error)) << error;
  }
  // What a page does: the name, then step 100.
  void Open(const std::string& name)
  {
    Set("ReadFileName", win::COleVariant(name));
    Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(100)));
    vetra::ui::Pump();
  }
  // Shows listed channels, in row order, until `count` are shown.
  void ShowRows(int count)
  {
    for (int row = 0; control->Model().State().shown.Count() < count; ++row) {
      std::vector<int> rows = control->Model().State().shown.Rows();
      ASSERT_LT(row, static_cast<int>(control->Model().State().listChannels.size()));
      if (std::find(rows.begin(), rows.end(), row) != rows.end()) continue;
      rows.push_back(row);
      control->OnItemListSelChange(rows);
    }
    vetra::ui::Pump();
  }
  void ClickButton(SkinButton button)
  {
    const win::RECT& r = PlaceOf(button).hot;
    vetra::ui::Click(*control, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    vetra::ui::Pump();
  }
  static std::vector<std::string> MessageTexts()
  {
    std::vector<std::string> texts;
    for (const auto& record : vetra::ui::MessageBoxLog()) texts.push_back(record.text);
    return texts;
  }

  vetra::testing::TempDrive drive;
  std::unique_ptr<Page> page;
  std::unique_ptr<CMorvitCtrl> control;
};

}  // namespace morvit::testing
