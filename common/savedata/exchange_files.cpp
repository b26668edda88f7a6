#include "common/savedata/exchange_files.h"

#include <algorithm>
#include <array>

#include "platform/base/file_api.h"
#include "platform/base/plain_file_name.h"

namespace savedata {

std::string DataFilePath(std::string_view dataFileName, DriveLetter drive)
{
  static_assert(kExchangeFolder[0] == 'c' && kExchangeFolder[1] == ':');
  std::string path = std::string(kExchangeFolder) + "\\" + std::string(dataFileName);
  if (drive == DriveLetter::capital) path.front() = 'C';
  return path;
}

std::string CompanionFilePath(std::string_view dataFileName)
{
  std::array<char, win::MAX_PATH> windows{};
  win::GetWindowsDirectoryA(windows.data(), static_cast<win::UINT>(windows.size()));
  const std::string_view stem = dataFileName.substr(0, dataFileName.size() - std::min<std::size_t>(3, dataFileName.size()));
  return std::string(windows.data()) + "\\Osc" + std::string(stem) + "tmp";
}

int DeleteWorkingCopy(std::string_view companionName, std::string_view workingCopyName, int reloadMode)
{
  if (reloadMode == 1) return 0;
  int deleted = 0;
  const auto remove = [&deleted](const std::string& path) {
    if (win::_access(path.c_str(), 0) == 0 && win::DeleteFileA(path.c_str())) ++deleted;
  };
  if (vetra::IsPlainFileName(companionName)) remove(CompanionFilePath(companionName));
  if (vetra::IsPlainFileName(workingCopyName)) remove(DataFilePath(workingCopyName));
  return deleted;
}

}  // namespace savedata
