// The road of a scan recording into the page viewer: the chooser's page hosts the control module
// in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/savedata/viewer_page.h"
#include "controls/scandata/quarnel_identity.h"
#include "platform/ole/testing/viewer_run.h"
#include "tools/samples/scan_sample.h"
#include "tools/skins/skin_set.h"

namespace quarnel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, AGeneratedScanRecordingOpensInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(vetra::testing::PrepareViewerDrive(drive, {kClsid, kProgId, QUARNEL_MODULE}));
  ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  vetra::samples::ScanOptions options;
  options.itemCount = 12;
  options.sampleCount = 400;
  ASSERT_TRUE(vetra::samples::WriteScanSample(options, drive / "Vetra/TempE/1234Temp.Scn"));

  const auto run =
      vetra::testing::LookAtExchangePage(drive, VIEWER_PROGRAM, savedata::ViewerPage(4, "c:\\Vetra\\engine.SCN", "1234Temp.Scn"));
  ASSERT_TRUE(run.Exited()) << run.errors;
  EXPECT_EQ(run.ExitCode(), 0) << run.errors;
  EXPECT_NE(run.errors.find("EcuID: HMC G4KC 2.4 DOHC, SIRIUS-II"), std::string::npos) << run.errors;
  ASSERT_TRUE(fs::exists(run.screenshot));
  EXPECT_GT(fs::file_size(run.screenshot), 1000u);
  // The page set ReloadMode 0: the working copy went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Scn"));
  vetra::testing::KeepScreenshot(run.screenshot, "QUARNEL_KEEP_SCREENSHOT");
}

}  // namespace
}  // namespace quarnel::testing
