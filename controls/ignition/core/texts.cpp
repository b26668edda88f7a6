#include "controls/ignition/core/texts.h"

#include <array>

#include "platform/base/text.h"

namespace sparwen {

std::string DataOpenErrorText(std::string_view dataFilePath)
{
  return vetra::Cp949("저장 파일 오픈 Error : ") + std::string(dataFilePath);
}

std::string DataTooSmallText() { return vetra::Cp949("저장 데이터가 작습니다."); }

std::string TimeBaseLabel(int timeBaseCode)
{
  static constexpr std::array<const char*, 7> kLabels = {"100 %", "720 도", "5 ms", "10 ms", "50 ms", "150 ms", "20 ms"};
  if (timeBaseCode >= 0 && timeBaseCode < static_cast<int>(kLabels.size())) return vetra::Cp949(kLabels[timeBaseCode]);
  return vetra::Format("%d", timeBaseCode) + vetra::Cp949(" 번");
}

std::string RangeLabel(int range, bool secondary)
{
  static constexpr std::array<const char*, 6> kPrimary = {"±10 V", "±20 V", "±60 V", "±100 V", "±300 V", "±600 V"};
  static constexpr std::array<const char*, 4> kSecondary = {"±5 KV", "±10 KV", "±25 KV", "±50 KV"};
  if (range >= 0 && range <= MaxRange(secondary)) return vetra::Cp949(secondary ? kSecondary[range] : kPrimary[range]);
  return vetra::Cp949("없다");
}

std::string ValueUnitText(int column, bool secondary)
{
  if (column == 0 || column == 1) return "ms";
  if (column == 2 || column == 3) return secondary ? "KV" : "V";
  return "V";
}

std::optional<TimeBaseStep> TimeBaseStepOf(int timeBaseCode, int cylinders)
{
  switch (timeBaseCode) {
    case 0: return TimeBaseStep{20.0, " %"};
    case 1:
      if (cylinders <= 0) return std::nullopt;
      return TimeBaseStep{static_cast<double>((1440 / cylinders) / 4), vetra::Cp949("도")};
    case 2: return TimeBaseStep{1.0, "ms"};
    case 3: return TimeBaseStep{2.0, "ms"};
    case 4: return TimeBaseStep{10.0, "ms"};
    case 5: return TimeBaseStep{30.0, "ms"};
    case 6: return TimeBaseStep{4.0, "ms"};
    default: return std::nullopt;
  }
}

std::string RpmText(int rpm) { return vetra::Format("%4d RPM", rpm); }

std::string ValueText(double value, std::string_view unit)
{
  return vetra::Format("%.2f %s", value, std::string(unit).c_str());
}

}  // namespace sparwen
