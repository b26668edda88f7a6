#pragma once
// Which rule reads each state-text table: the class that turns a field value into a row
// (value formatting) and the group that turns it into a graph level (graph scaling).
// Both are looked up in constant time by table id.

#include <cstdint>
#include <span>

namespace quarnel {

inline constexpr int kFirstLutTableId = 1;
inline constexpr int kLastLutTableId = 569;

enum class LutClass : std::uint8_t {
  kNotATable,
  kTwoState,
  kSignedWithSuffix,
  kCounted,
  kCurve,
  kCappedAt3,
  kCappedAt5,
  kCappedAt7,
  kSwappedFiveSix,
  kDirect,
  kFixed,
};

enum class LevelGroup : std::uint8_t {
  kRaw,
  kOffLow,
  kOffHigh,
  kCentredByteScale,
  kFourSteps,
  kNineSteps,
  kEightStepsCapped,
  kThreeStepsCapped,
  kFiveStepsCapped,
  kSevenStepsCapped,
  kSixteenths,
  kThirtySeconds,
  kTwentySixths,
  kByteScale,
  kByteScaleFromBelow,
  kEighthsFiveSixSwapped,
  kSeventhsWithACap,
};

// Ids outside 1 to 569 are kNotATable and kRaw.
LutClass LutClassOf(int table);
LevelGroup LevelGroupOf(int table);

// The id lists behind the lookups, as written, for checking that they cover every id once.
struct IdRange {
  std::int16_t first;
  std::int16_t last;
};
template <typename Kind>
struct IdList {
  Kind kind;
  std::span<const IdRange> ranges;
};
std::span<const IdList<LutClass>> LutClassLists();
std::span<const IdList<LevelGroup>> LevelGroupLists();

}  // namespace quarnel
