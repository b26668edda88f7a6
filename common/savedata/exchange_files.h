#pragma once
// The files a viewer control is handed: the working copy of a recording in the exchange folder
// and its companion in the Windows folder, removed when the control goes unless the page asked to
// keep them. Every viewer control and the download control share the exchange-folder path with
// the conversion that makes the working copies.
#include <string>
#include <string_view>

namespace savedata {

inline constexpr const char* kExchangeFolder = "c:\\Vetra\\TempE";

// How a path spells the drive. The scan-data and road-test viewers write it as a capital, and the
// road test's "no data" message shows the path as it was built; everyone else writes "c:".
enum class DriveLetter { lower, capital };

// "c:\Vetra\TempE\<name>" ("C:\..." with DriveLetter::capital). The name is taken as it is: the
// callers decide whether it must be a plain file name.
std::string DataFilePath(std::string_view dataFileName, DriveLetter drive = DriveLetter::lower);
// "<Windows folder>\Osc<name without its last 3 characters>tmp".
std::string CompanionFilePath(std::string_view dataFileName);
// Deletes the companion of `companionName` and then the working copy `workingCopyName` (the name
// the load opened; empty when nothing was loaded), each only when it exists, unless reloadMode is
// 1. A name that is not a plain file name (vetra::IsPlainFileName) deletes nothing. Returns how
// many files were deleted.
int DeleteWorkingCopy(std::string_view companionName, std::string_view workingCopyName, int reloadMode);

}  // namespace savedata
