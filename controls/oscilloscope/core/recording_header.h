#pragma once
// The header of an oscilloscope recording as the viewer holds it: calibration tables, the two
// settings blocks and the optional version tail. Parsing checks every index the viewer later uses
// against its table, so the rest of the viewer can index without checks.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "controls/oscilloscope/core/osc_format.h"

namespace tessial {

struct ChannelRecord {
  std::int32_t enabled = 0;   // 1: recorded and shown
  std::int32_t polarity = 1;  // 1 unipolar, else bipolar
  std::int32_t coupling = 1;  // 0 AC, else DC
  std::int32_t autoFlag = 0;  // 1 auto
  std::int32_t peak = 0;      // 1 peak
  std::int32_t range = 0;     // range index of the type, always inside the type's table
};

struct SettingsBlockA {
  std::int32_t grid = 1;
  std::int32_t highlight = 0;
  std::int32_t reserved12 = 64;  // not used
  std::int32_t triggerLevel = 64;
  std::int32_t selectedType = 0;
  std::int32_t timeBase = kDefaultTimeBase;  // always 0..12
  std::uint8_t clamp = 1;                    // 1: the 1000 A clamp, else the 100 A clamp
  std::array<ChannelRecord, kChannelTypeCount> channels = DefaultChannels();

  bool Clamp1000() const { return clamp == 1; }
  static std::array<ChannelRecord, kChannelTypeCount> DefaultChannels();
};

struct SettingsBlockB {
  // One title per channel type, code page 949, bounded by its 30-byte field.
  std::array<std::string, kChannelTypeCount> texts;
};

// Zeros of the current clamps, the low-current calibration sets and the pressure sensor.
enum ZeroIndex { kZeroLowCurrent0 = 0, kZeroHighCurrent1000 = 4, kZeroHighCurrent100 = 5, kZeroPressure = 6 };

struct Calibration {
  std::array<std::array<double, kRangeColumns>, kChannelTypeCount> gain{};
  std::array<std::array<double, kRangeColumns>, kChannelTypeCount> offset{};
  std::array<double, 7> zeros{};
  bool lowCurrentProbe = false;  // the newer low-current probe (calibration set 2 gain above 4.3)
};

struct RecordingHeader {
  Calibration calibration;
  SettingsBlockA blockA;
  SettingsBlockB blockB;
  bool hasVersionTail = false;
  float version = 0.0f;
  int pressureUnitFlag = 0;  // from the version tail; 0 for recordings without it
};

// Reads the first osc::kHeaderSize bytes of a recording. Ranges and the time base outside their
// tables fall back to their defaults.
RecordingHeader ParseHeader(std::span<const std::uint8_t, osc::kHeaderSize> bytes);

// The calibration column of a type at its range: types 8, 9 and 10 use column 0, the low-current
// type maps its range to one of four calibration sets.
int CalibrationColumn(int type, int range, bool lowCurrentProbe);

}  // namespace tessial
