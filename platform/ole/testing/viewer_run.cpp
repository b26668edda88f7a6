#include "platform/ole/testing/viewer_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace vetra::testing {

namespace fs = std::filesystem;

bool ViewerRun::Exited() const { return WIFEXITED(status); }

int ViewerRun::ExitCode() const { return WEXITSTATUS(status); }

bool PrepareViewerDrive(const TempDrive& drive, const win::ControlRegistration& module)
{
  drive.WriteFile("Windows/keep", "");
  drive.WriteFile("Vetra/TempE/keep", "");
  return win::ControlRegistry::Register(module);
}

ViewerRun RunViewer(const TempDrive& drive, std::string_view program, std::string_view pageAddress,
                    std::string_view script, bool trace)
{
  drive.WriteFile("viewer.script", script);
  const fs::path out = drive / "viewer.out";
  const fs::path err = drive / "viewer.err";
  const std::string command = std::string("VETRA_HEADLESS=1 ") + (trace ? "VETRA_TRACE=1 " : "") + "VETRA_SCRIPT='" +
                              (drive / "viewer.script").string() + "' '" + std::string(program) + "' '" +
                              std::string(pageAddress) + "' >'" + out.string() + "' 2>'" + err.string() + "'";
  ViewerRun run;
  run.status = std::system(command.c_str());
  run.errors = ReadWholeFile(err);
  run.output = ReadWholeFile(out);
  return run;
}

std::string ScreenshotScript(const fs::path& shot) { return "wait 700\nscreenshot " + shot.string() + "\nquit\n"; }

ViewerRun LookAtExchangePage(const TempDrive& drive, std::string_view program, std::string_view html)
{
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", html);
  const fs::path shot = drive / "viewer.png";
  ViewerRun run = RunViewer(drive, program, "c:\\Vetra\\TempE\\ScriptTemp.html", ScreenshotScript(shot));
  run.screenshot = shot;
  return run;
}

void KeepScreenshot(const fs::path& shot, const char* variable)
{
  if (const char* keep = std::getenv(variable)) fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);
}

}  // namespace vetra::testing
