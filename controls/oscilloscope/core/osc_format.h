#pragma once
// Layout of an oscilloscope recording (*.OSC): a fixed 8504-byte header with the calibration of
// every channel type and two settings blocks, then the samples. All numbers little-endian.
#include <array>
#include <cstddef>
#include <cstdint>

namespace tessial {

inline constexpr int kChannelTypeCount = 12;
inline constexpr int kMaxSlots = 6;
inline constexpr int kRangeColumns = 10;
inline constexpr int kWindowColumns = 700;
inline constexpr int kEnvelopeSize = 2 * kWindowColumns;
inline constexpr int kMinCompression = 1;
inline constexpr int kMaxCompression = 10;
inline constexpr int kTimeBaseCount = 13;
inline constexpr int kDefaultTimeBase = 3;
inline constexpr int kZeroLevel = 2048;

// Channel types.
inline constexpr int kTypeLowCurrent = 6;
inline constexpr int kTypeVacuum = 7;
inline constexpr int kTypePressure = 8;
inline constexpr int kTypeHighCurrent = 9;
inline constexpr int kTypeIgnitionSecondary = 10;
inline constexpr int kTypeSpare = 11;

namespace osc {
inline constexpr std::size_t kHeaderSize = 8504;
inline constexpr std::size_t kGainVoltage = 5500;      // 6 types x 10 ranges
inline constexpr std::size_t kGainLowCurrent = 5740;   // 4 calibration sets
inline constexpr std::size_t kGainVacuum = 5756;       // 4 ranges
inline constexpr std::size_t kGainPressure = 5772;
inline constexpr std::size_t kGainHighCurrent = 5776;
inline constexpr std::size_t kOffsetBlock = 280;       // offsets follow the gains at this distance
inline constexpr std::size_t kGainIgnition = 6060;
inline constexpr std::size_t kOffsetIgnition = 6064;
inline constexpr std::size_t kGainSpare = 6068;
inline constexpr std::size_t kOffsetSpare = 6072;
inline constexpr std::size_t kLowCurrentZero = 6500;
inline constexpr std::size_t kHighCurrentZero1000 = 6504;
inline constexpr std::size_t kHighCurrentZero100 = 6508;
inline constexpr std::size_t kBlockA = 6512;
inline constexpr std::size_t kBlockASize = 357;
inline constexpr std::size_t kBlockB = 6869;
inline constexpr std::size_t kBlockBSize = 376;
inline constexpr std::size_t kTailZeros = 7512;        // 7 floats
inline constexpr std::size_t kTailMarker = 7540;       // "ace89"
inline constexpr std::size_t kTailVersion = 7545;      // float
inline constexpr std::size_t kTailPressureFlag = 7549; // signed byte, from version 1.01
inline constexpr char kMarker[] = "ace89";

// Inside settings block A.
inline constexpr std::size_t kAGrid = 0;
inline constexpr std::size_t kAHighlight = 8;
inline constexpr std::size_t kAReserved12 = 12;  // not used; 64 by default
inline constexpr std::size_t kATriggerLevel = 16;
inline constexpr std::size_t kASelectedType = 20;
inline constexpr std::size_t kATimeBase = 24;
inline constexpr std::size_t kAClamp = 28;
inline constexpr std::size_t kAChannels = 29;
inline constexpr std::size_t kChannelRecordSize = 24;
// Inside settings block B.
inline constexpr std::size_t kBTexts = 4;
inline constexpr std::size_t kBTextSize = 30;
}  // namespace osc

// Number of ranges each type's tables hold, and the range a type takes by default.
inline constexpr std::array<int, kChannelTypeCount> kRangeCount = {10, 10, 10, 10, 10, 10, 6, 3, 5, 4, 4, 1};
inline constexpr std::array<int, kChannelTypeCount> kDefaultRange = {5, 5, 5, 5, 5, 5, 2, 1, 3, 1, 0, 2};

inline constexpr bool IsChannelType(int type) { return type >= 0 && type < kChannelTypeCount; }

}  // namespace tessial
