#pragma once
// The names one download of a recording uses: the temporary file in the Windows folder that the
// transfer writes, and the working copy in the exchange folder that the page hands to a viewer.
// Both carry the same random number; the kind (the page's DataType) chooses the extensions.

#include <optional>
#include <string>

#include "common/savedata/recording_kind.h"

namespace pakrel {

// What a DataType stands for: its recording kind and the prefix of its temporary file.
struct DownloadKind {
  savedata::RecordingKind recording;
  const char* temporaryPrefix;  // "Osc", "Ig1", "Ig2", "Scn", "Res"
};

// Nothing for a DataType outside 1..5.
std::optional<DownloadKind> DownloadKindOf(int dataType);

// "<windowsFolder>\Osc<number>Temp.tmp".
std::string TemporaryDownloadPath(const DownloadKind& kind, const std::string& windowsFolder, int number);

// The number a working-copy name starts with ("123Temp.Osc" gives 123); -1 when it has none.
int NumberOfWorkingCopy(const std::string& name);

}  // namespace pakrel
