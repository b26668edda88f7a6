#pragma once
// The system addresses everything by Windows paths ("c:\Vetra\TempE\1234Temp.Osc"). Drive C is
// a folder on Linux: $VETRA_ROOT, else $XDG_DATA_HOME/vetra/drive_c, else
// ~/.local/share/vetra/drive_c.

#include <filesystem>
#include <string>
#include <string_view>

namespace vetra {

// The Linux folder that stands for drive C.
std::filesystem::path DriveRoot();

// Maps a path as the system writes it (code page 949) to a Linux path:
// - "c:\a\b" or "C:/a/b": below the drive root; ".." never climbs above it; each component is
//   matched without regard to ASCII case when the exact name does not exist;
// - "\a\b": below the drive root as well;
// - "/home/x": a Linux path, unchanged;
// - anything else is relative to the current directory (SetCurrentDirectoryA).
// Names are converted to UTF-8 for the file system.
std::filesystem::path MapPath(std::string_view windowsPath);

// True when the text starts with a drive letter and a colon.
bool HasDriveLetter(std::string_view path);

// The Windows form of a Linux path inside the drive ("C:\Vetra\TempE"), or the Linux path as it is
// (in code page 949) when it lies outside the drive.
std::string WindowsPathOf(const std::filesystem::path& linuxPath);

}  // namespace vetra
