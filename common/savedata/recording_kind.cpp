#include "common/savedata/recording_kind.h"

#include <array>

#include "platform/base/text.h"

namespace savedata {
namespace {

constexpr std::array<RecordingKind, 7> kKinds{{
    {1, "OSC", "%dTemp.Osc", true},
    {2, "IG1", "%dTemp.Ig1", true},
    {3, "IG2", "%dTemp.Ig2", true},
    {4, "SCN", "%dTemp.Scn", true},
    {4, "HSN", "%dTemp.Hsn", true},
    {5, "RES", "%dTemp.Res", false},
    {5, "DAT", "%dTemp.Dat", false},
}};

}  // namespace

std::optional<RecordingKind> KindOfPath(std::string_view path)
{
  if (path.size() < 3) return std::nullopt;
  const std::string ending = vetra::ToUpperAscii(path.substr(path.size() - 3));
  for (const RecordingKind& kind : kKinds) {
    if (ending == kind.extension) return kind;
  }
  return std::nullopt;
}

std::optional<RecordingKind> KindOfNumber(int number)
{
  for (const RecordingKind& kind : kKinds) {
    if (kind.number == number) return kind;
  }
  return std::nullopt;
}

std::string WorkingCopyName(const RecordingKind& kind, int number)
{
  return vetra::Format(kind.workingCopyFormat, number);
}

}  // namespace savedata
