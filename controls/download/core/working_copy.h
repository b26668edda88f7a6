#pragma once
// Turning a finished download into the working copy a viewer reads: a saved-data archive is
// unpacked, a road-test recording copied. The temporary download file goes in every case, and a
// failure leaves no working copy behind.

#include <optional>
#include <string>

#include "common/savedata/conversion.h"
#include "controls/download/core/download_names.h"

namespace pakrel {

// `downloadPath` is the temporary file (a Windows path); `workingCopyName` a name in the
// exchange folder. Nothing on success, else the failure and its message.
std::optional<savedata::Failure> MakeWorkingCopy(const DownloadKind& kind, const std::string& downloadPath,
                                                 const std::string& workingCopyName);

}  // namespace pakrel
