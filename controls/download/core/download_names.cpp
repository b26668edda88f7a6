#include "controls/download/core/download_names.h"

#include <array>
#include <charconv>

#include "platform/base/text.h"

namespace pakrel {
namespace {

constexpr std::array<const char*, 5> kTemporaryPrefixes{"Osc", "Ig1", "Ig2", "Scn", "Res"};

}  // namespace

std::optional<DownloadKind> DownloadKindOf(int dataType)
{
  if (dataType < 1 || dataType > static_cast<int>(kTemporaryPrefixes.size())) return std::nullopt;
  const std::optional<savedata::RecordingKind> kind = savedata::KindOfNumber(dataType);
  if (!kind) return std::nullopt;
  return DownloadKind{*kind, kTemporaryPrefixes[static_cast<std::size_t>(dataType - 1)]};
}

std::string TemporaryDownloadPath(const DownloadKind& kind, const std::string& windowsFolder, int number)
{
  return vetra::Format("%s\\%s%dTemp.tmp", windowsFolder.c_str(), kind.temporaryPrefix, number);
}

int NumberOfWorkingCopy(const std::string& name)
{
  int number = -1;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end == name.data()) return -1;
  return number;
}

}  // namespace pakrel
