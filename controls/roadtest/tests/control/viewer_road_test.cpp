// The road of a road-test recording into the page viewer: the chooser's page hosts the control
// module in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "controls/roadtest/morvit_identity.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_registry.h"
#include "programs/chooser/viewer_page.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/skins/skin_set.h"

namespace morvit::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, AGeneratedRecordingShowsInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Windows/keep", "");
  drive.WriteFile("Vetra/TempE/keep", "");
  const char* keep = std::getenv("MORVIT_KEEP_SCREENSHOT");
  // The skin set only for a screenshot a person looks at.
  if (keep != nullptr) ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  ASSERT_TRUE(win::ControlRegistry::Register({kClsid, kProgId, MORVIT_MODULE}));
  vetra::samples::RoadTestOptions options;
  options.packed = true;
  ASSERT_TRUE(vetra::samples::WriteRoadTestSample(options, drive / "Vetra/TempE/1234Temp.Res"));
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", lumbrel::ViewerPage(5, "c:\\Vetra\\road.RES", "1234Temp.Res"));

  const fs::path shot = drive / "viewer.png";
  drive.WriteFile("viewer.script", "wait 700\nscreenshot " + shot.string() + "\nquit\n");
  const fs::path err = drive / "err.txt";
  const std::string command = "VETRA_HEADLESS=1 VETRA_TRACE=1 VETRA_SCRIPT='" + (drive / "viewer.script").string() + "' '" +
                              VIEWER_PROGRAM + "' 'c:\\Vetra\\TempE\\ScriptTemp.html' >/dev/null 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  const std::string errors = vetra::testing::ReadWholeFile(err);
  ASSERT_TRUE(WIFEXITED(status)) << errors;
  // The control needs the page viewer to export the whole window platform (dialogs, statics).
  if (errors.find("undefined symbol") != std::string::npos) GTEST_SKIP() << errors;
  EXPECT_EQ(WEXITSTATUS(status), 0) << errors;
  EXPECT_NE(errors.find("MORVIT : load"), std::string::npos) << errors;
  ASSERT_TRUE(fs::exists(shot));
  // The page set ReloadMode 0: the working copy and the unpacked file went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Res"));
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/1234Temp.Dat"));
  if (keep != nullptr) fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace morvit::testing
