#pragma once
// A viewer page in miniature: a top-level window the size of the page's object with the road-test
// control inside it, on a temporary drive.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "controls/roadtest/morvit_ctrl.h"
#include "platform/base/drive.h"
#include "platform/ole/testing/hosted_control.h"
#include "tools/samples/roadtest_sample.h"

namespace morvit::testing {


class ControlTest : public vetra::testing::HostedControlTest<CMorvitCtrl> {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    vetra::ui::ClearMessageBoxes();
    MakeFolders({"Vetra/TempE", "Vetra/Fenmark/Temp"});
    ASSERT_NO_FATAL_FAILURE(HostControl(win::CRect(0, 0, 1018, 708)));
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
    vetra::ui::ClickAlone(*control, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    vetra::ui::Pump();
  }
};

}  // namespace morvit::testing
