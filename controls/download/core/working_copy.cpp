#include "controls/download/core/working_copy.h"

#include "common/savedata/exchange_files.h"
#include "platform/base/file_api.h"

namespace pakrel {

std::optional<savedata::Failure> MakeWorkingCopy(const DownloadKind& kind, const std::string& downloadPath,
                                                 const std::string& workingCopyName)
{
  std::optional<savedata::Failure> failed = kind.recording.packed
                                                ? savedata::Extract(downloadPath, workingCopyName)
                                                : savedata::CopyRecording(downloadPath, workingCopyName);
  win::DeleteFileA(downloadPath.c_str());
  if (failed) win::DeleteFileA(savedata::DataFilePath(workingCopyName).c_str());
  return failed;
}

}  // namespace pakrel
