// The road of a recording into the page viewer: the chooser's page hosts the control module in
// the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/savedata/viewer_page.h"
#include "controls/oscilloscope/tessial_identity.h"
#include "platform/base/text.h"
#include "platform/ole/testing/bitmaps.h"
#include "platform/ole/testing/viewer_run.h"
#include "tools/samples/osc_sample.h"

namespace tessial::testing {
namespace {

namespace fs = std::filesystem;

// A drive with the module registered and a generated recording in the exchange folder.
void PutRecording(const vetra::testing::TempDrive& drive)
{
  ASSERT_TRUE(vetra::testing::PrepareViewerDrive(drive, {kClsid, kProgId, TESSIAL_MODULE}));
  ASSERT_TRUE(vetra::samples::WriteOsc(drive / "Vetra/TempE/1234Temp.Osc", vetra::samples::DemoOscOptions()));
}

// The chooser's page on that recording.
std::string ChooserPage() { return savedata::ViewerPage(1, "c:\\Vetra\\engine.OSC", "1234Temp.Osc"); }

TEST(ViewerRoad, AGeneratedRecordingLoadsAtItsEndInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  ASSERT_NO_FATAL_FAILURE(PutRecording(drive));

  const auto run = vetra::testing::LookAtExchangePage(drive, VIEWER_PROGRAM, ChooserPage());
  ASSERT_TRUE(run.Exited()) << run.errors;
  EXPECT_EQ(run.ExitCode(), 0) << run.errors;
  EXPECT_NE(run.errors.find("TESSIAL Run OCX End"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find(vetra::Utf8(vetra::Cp949("데이터 오픈 에러"))), std::string::npos) << run.errors;
  ASSERT_TRUE(fs::exists(run.screenshot));
  EXPECT_GT(fs::file_size(run.screenshot), 1000u);
  // The page set ReloadMode 0: the working copy went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Osc"));
  vetra::testing::KeepScreenshot(run.screenshot, "TESSIAL_KEEP_SCREENSHOT");
}

TEST(ViewerRoad, TheUnitsButtonOpensTheUnitDialogInsideThePageViewer)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/Temp/keep", "");
  drive.WriteFile("Vetra/Fenmark/Img/Ign/menu_02.bmp", vetra::testing::SolidBmp(80, 30, win::RGB(0, 0, 200)));
  ASSERT_NO_FATAL_FAILURE(PutRecording(drive));
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", ChooserPage());

  // The dialog opens with the units the viewer shows; Return confirms them.
  const auto run = vetra::testing::RunViewer(drive, VIEWER_PROGRAM, "c:\\Vetra\\TempE\\ScriptTemp.html",
                                             "wait 700\nclick 110 80\nwait 100\ncaption\nkey return\nwait 100\nquit\n", false);
  ASSERT_TRUE(run.Exited());
  EXPECT_EQ(run.ExitCode(), 0);
  EXPECT_NE(run.output.find("Vetra 단위변경"), std::string::npos);
  EXPECT_EQ(drive.ReadFile("Vetra/Temp/enviro"), "mHg\r\nmmHg\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace tessial::testing
