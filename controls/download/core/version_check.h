#pragma once
// Installed and offered program versions. A version file holds one decimal number as text;
// versions are compared in hundredths, each side rounded down after a small lift, so that a
// version read back as a 32-bit float (1.3 reads as 1.2999999) still equals the same offer.

#include <string>

namespace pakrel {

// The installed version from a version file (a Windows path); 0 when the file cannot be read
// or holds no number. Only the file's first 99 bytes are read.
float ReadVersionFile(const std::string& path);

// floor(version × 100 + 0.01), held inside the range of int (NaN gives 0).
int VersionHundredths(double version);

// True when `offered` is a later version than `installed`.
bool IsNewerVersion(double offered, double installed);

}  // namespace pakrel
