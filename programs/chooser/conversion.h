#pragma once
// Conversion of a saved-data file: its working copy in the exchange folder, the viewer page and
// the start of the page viewer. A failure is shown as a message and undoes what the conversion
// made: no working copy, no page, no page viewer.

#include <optional>
#include <string>
#include <string_view>

#include "programs/chooser/recording_kind.h"

namespace lumbrel {

// The program's exit status.
enum ExitCode : int {
  kExitOk = 0,
  kExitFileNotFound = 2,      // the saved-data file does not exist
  kExitUnknownKind = 3,       // its name ends in none of the seven kinds' letters
  kExitBadSavedData = 4,      // it cannot be read or unpacked, or holds no recording
  kExitCannotWrite = 5,       // the working copy or the page cannot be written
  kExitViewerNotStarted = 6,  // the page viewer cannot be started
};

inline constexpr const char* kExchangeFolder = "c:\\Vetra\\TempE";
inline constexpr const char* kViewerProgram = "C:\\Vetra\\Fenmark\\Viewer.exe";

// A failed step: the status the program ends with and the message shown (code page 949).
struct Failure {
  int exitCode;
  std::string message;
};

// The working copy's name, created empty and exclusively in the exchange folder: a name that is
// taken already is drawn again, so no conversion replaces another's working copy.
std::optional<std::string> ReserveWorkingCopy(const RecordingKind& kind, Failure& failure);

// Unpacks the archive's data entry ("SAVEDATA.DAT", or "C:\VETRA\TEMP\SAVEDATA.DAT" as older
// recorders wrote it, in any case) into the exchange folder under `workingCopyName`.
std::optional<Failure> Extract(std::string_view savedDataPath, const std::string& workingCopyName);

// Copies a road-test recording unchanged (with its modification time).
std::optional<Failure> CopyRecording(std::string_view savedDataPath, const std::string& workingCopyName);

// Writes the viewer page (whole or not at all) and starts the page viewer on it.
std::optional<Failure> CreateScriptHtml(int kind, std::string_view savedDataPath,
                                        const std::string& workingCopyName);

// Starts "C:\Vetra\Fenmark\Viewer.exe <page path>"; false when it cannot be started.
bool RunViewer(std::string_view pagePath);

// The whole conversion; shows the message of a failure. Returns the exit status.
int ConvertSavedData(std::string_view savedDataPath);

}  // namespace lumbrel
