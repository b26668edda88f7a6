// The road of a scan recording into the page viewer: the chooser's page hosts the control module
// in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "controls/scandata/quarnel_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_registry.h"
#include "programs/chooser/viewer_page.h"
#include "tools/samples/scan_sample.h"
#include "tools/skins/skin_set.h"

namespace quarnel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, AGeneratedScanRecordingOpensInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Windows/keep", "");
  drive.WriteFile("Vetra/TempE/keep", "");
  ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  ASSERT_TRUE(win::ControlRegistry::Register({kClsid, kProgId, QUARNEL_MODULE}));
  vetra::samples::ScanOptions options;
  options.itemCount = 12;
  options.sampleCount = 400;
  ASSERT_TRUE(vetra::samples::WriteScanSample(options, drive / "Vetra/TempE/1234Temp.Scn"));
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", lumbrel::ViewerPage(4, "c:\\Vetra\\engine.SCN", "1234Temp.Scn"));

  const fs::path shot = drive / "viewer.png";
  drive.WriteFile("viewer.script", "wait 700\nscreenshot " + shot.string() + "\nquit\n");
  const fs::path err = drive / "err.txt";
  const std::string command = "VETRA_HEADLESS=1 VETRA_TRACE=1 VETRA_SCRIPT='" + (drive / "viewer.script").string() + "' '" +
                              VIEWER_PROGRAM + "' 'c:\\Vetra\\TempE\\ScriptTemp.html' >/dev/null 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  const std::string errors = vetra::testing::ReadWholeFile(err);
  ASSERT_TRUE(WIFEXITED(status)) << errors;
  EXPECT_EQ(WEXITSTATUS(status), 0) << errors;
  EXPECT_NE(errors.find("EcuID: HMC G4KC 2.4 DOHC, SIRIUS-II"), std::string::npos) << errors;
  ASSERT_TRUE(fs::exists(shot));
  EXPECT_GT(fs::file_size(shot), 1000u);
  // The page set ReloadMode 0: the working copy went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Scn"));
  if (const char* keep = std::getenv("QUARNEL_KEEP_SCREENSHOT")) fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace quarnel::testing
