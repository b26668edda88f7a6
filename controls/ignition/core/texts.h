#pragma once
// The ignition viewer's texts, code page 949: messages, the time-base and range labels, unit
// texts, the time axis step and the engine-speed readout.
#include <optional>
#include <string>
#include <string_view>

namespace sparwen {

// "저장 파일 오픈 Error : %s" with the data file path.
std::string DataOpenErrorText(std::string_view dataFilePath);
// "저장 데이터가 작습니다.": a play button on a recording of fewer than 3 positions.
std::string DataTooSmallText();

// "100 %", "720 도", "5 ms", "10 ms", "50 ms", "150 ms", "20 ms" for codes 0..6; "%d 번" otherwise.
std::string TimeBaseLabel(int timeBaseCode);
// "±10 V".."±600 V" (primary) or "±5 KV".."±50 KV" (secondary); "없다" outside the kind's table.
std::string RangeLabel(int range, bool secondary);
// Highest range index of the kind: 3 secondary, 5 primary.
inline int MaxRange(bool secondary) { return secondary ? 3 : 5; }
// Unit of value column 0..5: "ms", "ms", then "KV" or "V" for the voltages, "V", "V".
std::string ValueUnitText(int column, bool secondary);

// Value of one time division and the unit of the time axis; nullopt for a code outside 0..6,
// which leaves the previous step in place. Code 1 divides 720 degrees among the cylinders (no
// step for a count of 0).
struct TimeBaseStep {
  double divValue = 0;
  std::string unitText;
};
std::optional<TimeBaseStep> TimeBaseStepOf(int timeBaseCode, int cylinders);

// "%4d RPM".
std::string RpmText(int rpm);
// "%.2f %s": a measured value with its unit.
std::string ValueText(double value, std::string_view unit);

}  // namespace sparwen
