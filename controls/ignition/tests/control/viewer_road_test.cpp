// The road of an ignition recording into the page viewer: the chooser's page hosts the control
// module in the Viewer program, which runs headless on a session script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "controls/ignition/sparwen_identity.h"
#include "controls/ignition/tests/control/control_fixture.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/ole/control_registry.h"
#include "programs/chooser/viewer_page.h"
#include "tools/samples/ignition_sample.h"

namespace sparwen::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, ASecondaryRecordingShowsInThePageViewerAndGoesWithThePage)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Windows/keep", "");
  drive.WriteFile("Vetra/TempE/keep", "");
  ASSERT_TRUE(PutIgnitionSkins());
  ASSERT_TRUE(win::ControlRegistry::Register({kClsid, kProgId, SPARWEN_MODULE}));
  vetra::samples::IgnitionOptions options;
  options.displayMode = 2;
  options.frameCount = 120;
  options.faultyCylinder = 3;
  std::string error;
  ASSERT_TRUE(vetra::samples::WriteIgnitionSample(options, drive / "Vetra/TempE/3Temp.Ig2", &error)) << error;
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", lumbrel::ViewerPage(3, "c:\\Vetra\\engine.IG2", "3Temp.Ig2"));

  const fs::path shot = drive / "viewer.png";
  drive.WriteFile("viewer.script", "wait 700\nscreenshot " + shot.string() + "\nquit\n");
  const fs::path err = drive / "err.txt";
  const std::string command = "VETRA_HEADLESS=1 VETRA_TRACE=1 VETRA_SCRIPT='" + (drive / "viewer.script").string() + "' '" +
                              VIEWER_PROGRAM + "' 'c:\\Vetra\\TempE\\ScriptTemp.html' >/dev/null 2>'" + err.string() + "'";
  const int status = std::system(command.c_str());
  const std::string errors = vetra::testing::ReadWholeFile(err);
  ASSERT_TRUE(WIFEXITED(status)) << errors;
  EXPECT_EQ(WEXITSTATUS(status), 0) << errors;
  EXPECT_EQ(errors.find("Load Error"), std::string::npos) << errors;
  EXPECT_EQ(errors.find(vetra::Utf8(vetra::Cp949("저장 파일 오픈"))), std::string::npos) << errors;
  ASSERT_TRUE(fs::exists(shot));
  EXPECT_GT(fs::file_size(shot), 1000u);
  // The page set ReloadMode 0: the working copy went with the control.
  EXPECT_FALSE(fs::exists(drive / "Vetra/TempE/3Temp.Ig2"));
  if (const char* keep = std::getenv("SPARWEN_KEEP_SCREENSHOT")) fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace sparwen::testing
