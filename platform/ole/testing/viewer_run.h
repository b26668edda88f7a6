#pragma once
// The road of a control through the page viewer: the real Viewer program, headless on a session
// script, on a temporary drive where the control's module is registered.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_registry.h"

namespace vetra::testing {

struct ViewerRun {
  int status = -1;     // as std::system returns it
  std::string errors;  // what the program wrote on stderr (its traces)
  std::string output;  // what it wrote on stdout (the session script's answers)
  std::filesystem::path screenshot;  // where a look at the page left its picture

  bool Exited() const;
  int ExitCode() const;
};

// Lays out the folders the page viewer and the chooser's pages use and registers the module.
bool PrepareViewerDrive(const TempDrive& drive, const win::ControlRegistration& module);

// Runs `program` headless on the page at `pageAddress` (a drive path), with `script` as its session
// script; `trace` turns on the debugger traces, which go to stderr.
ViewerRun RunViewer(const TempDrive& drive, std::string_view program, std::string_view pageAddress,
                    std::string_view script, bool trace = true);

// The session script of a look at a loaded page: a screenshot to `shot`, then quit.
std::string ScreenshotScript(const std::filesystem::path& shot);

// The chooser's way into the page viewer: `html` as the exchange folder's page, and a look at it.
ViewerRun LookAtExchangePage(const TempDrive& drive, std::string_view program, std::string_view html);

// Copies a screenshot to where the environment variable `variable` names, for a person to look at.
void KeepScreenshot(const std::filesystem::path& shot, const char* variable);

}  // namespace vetra::testing
