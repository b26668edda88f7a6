#include "controls/download/core/working_copy.h"

#include "platform/base/file_api.h"

namespace pakrel {

std::string ExchangePath(const std::string& workingCopyName)
{
  return std::string(lumbrel::kExchangeFolder) + "\\" + workingCopyName;
}

std::optional<lumbrel::Failure> MakeWorkingCopy(const DownloadKind& kind, const std::string& downloadPath,
                                                const std::string& workingCopyName)
{
  std::optional<lumbrel::Failure> failed = kind.recording.packed
                                               ? lumbrel::Extract(downloadPath, workingCopyName)
                                               : lumbrel::CopyRecording(downloadPath, workingCopyName);
  win::DeleteFileA(downloadPath.c_str());
  if (failed) win::DeleteFileA(ExchangePath(workingCopyName).c_str());
  return failed;
}

}  // namespace pakrel
