#pragma once
// Conversion of a saved-data file: its working copy in the exchange folder, the viewer page and
// the start of the page viewer. The chooser runs the whole conversion; the download control makes
// the working copy of what it downloaded with the same steps. A failure says what went wrong and
// undoes what the conversion made: no working copy, no page, no page viewer.

#include <optional>
#include <string>
#include <string_view>

#include "common/savedata/exchange_files.h"
#include "common/savedata/recording_kind.h"

namespace savedata {

// The status a program ends with after a conversion.
enum ExitCode : int {
  kExitOk = 0,
  kExitFileNotFound = 2,      // the saved-data file does not exist
  kExitUnknownKind = 3,       // its name ends in none of the seven kinds' letters
  kExitBadSavedData = 4,      // it cannot be read or unpacked, or holds no recording
  kExitCannotWrite = 5,       // the working copy or the page cannot be written
  kExitViewerNotStarted = 6,  // the page viewer cannot be started
};

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

// The whole conversion: the kind from the file's name, the working copy, the page and the page
// viewer's start. A failure is returned, with nothing of the conversion left behind.
std::optional<Failure> ConvertSavedData(std::string_view savedDataPath);

}  // namespace savedata
