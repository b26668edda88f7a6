// The road of an ignition recording into the page viewer: the chooser's page hosts the control
// module in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/savedata/viewer_page.h"
#include "controls/ignition/sparwen_identity.h"
#include "controls/ignition/tests/control/control_fixture.h"
#include "platform/base/text.h"
#include "platform/ole/testing/viewer_run.h"
#include "tools/samples/ignition_sample.h"

namespace sparwen::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, ASecondaryRecordingShowsInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(vetra::testing::PrepareViewerDrive(drive, {kClsid, kProgId, SPARWEN_MODULE}));
  ASSERT_TRUE(PutIgnitionSkins());
  vetra::samples::IgnitionOptions options;
  options.displayMode = 2;
  options.frameCount = 120;
  options.faultyCylinder = 3;
  std::string error;
  ASSERT_TRUE(vetra::samples::WriteIgnitionSample(options, drive / "Vetra/TempE/3Temp.Ig2", &error)) << error;

  const auto run =
      vetra::testing::LookAtExchangePage(drive, VIEWER_PROGRAM, savedata::ViewerPage(3, "c:\\Vetra\\engine.IG2", "3Temp.Ig2"));
  ASSERT_TRUE(run.Exited()) << run.errors;
  EXPECT_EQ(run.ExitCode(), 0) << run.errors;
  EXPECT_EQ(run.errors.find("Load Error"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find(vetra::Utf8(vetra::Cp949("저장 파일 오픈"))), std::string::npos) << run.errors;
  ASSERT_TRUE(fs::exists(run.screenshot));
  EXPECT_GT(fs::file_size(run.screenshot), 1000u);
  // The page set ReloadMode 0: the working copy went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/3Temp.Ig2"));
  vetra::testing::KeepScreenshot(run.screenshot, "SPARWEN_KEEP_SCREENSHOT");
}

}  // namespace
}  // namespace sparwen::testing
