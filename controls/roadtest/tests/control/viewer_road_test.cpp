// The road of a road-test recording into the page viewer: the chooser's page hosts the control
// module in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/savedata/viewer_page.h"
#include "controls/roadtest/morvit_identity.h"
#include "platform/ole/testing/viewer_run.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/skins/skin_set.h"

namespace morvit::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, AGeneratedRecordingShowsInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(vetra::testing::PrepareViewerDrive(drive, {kClsid, kProgId, MORVIT_MODULE}));
  // The skin set only for a screenshot a person looks at.
  if (std::getenv("MORVIT_KEEP_SCREENSHOT") != nullptr) {
    ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  }
  vetra::samples::RoadTestOptions options;
  options.packed = true;
  ASSERT_TRUE(vetra::samples::WriteRoadTestSample(options, drive / "Vetra/TempE/1234Temp.Res"));

  const auto run =
      vetra::testing::LookAtExchangePage(drive, VIEWER_PROGRAM, savedata::ViewerPage(5, "c:\\Vetra\\road.RES", "1234Temp.Res"));
  ASSERT_TRUE(run.Exited()) << run.errors;
  // The control needs the page viewer to export the whole window platform (dialogs, statics).
  if (run.errors.find("undefined symbol") != std::string::npos) GTEST_SKIP() << run.errors;
  EXPECT_EQ(run.ExitCode(), 0) << run.errors;
  EXPECT_NE(run.errors.find("MORVIT : load"), std::string::npos) << run.errors;
  ASSERT_TRUE(fs::exists(run.screenshot));
  // The page set ReloadMode 0: the working copy and the unpacked file went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Res"));
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Dat"));
  vetra::testing::KeepScreenshot(run.screenshot, "MORVIT_KEEP_SCREENSHOT");
}

}  // namespace
}  // namespace morvit::testing
