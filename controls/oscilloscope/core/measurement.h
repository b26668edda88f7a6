#pragma once
// Measurement of one channel between the two cursors, on the window's min/max envelope (never on
// the raw samples, so its cost does not depend on the compression).
#include <array>
#include <cstdint>
#include <span>

#include "controls/oscilloscope/core/osc_format.h"

namespace tessial {

// 700 columns of one channel: column k holds its maximum at 2k and its minimum at 2k + 1.
using Envelope = std::array<std::int32_t, kEnvelopeSize>;

inline constexpr int kNoDuty = -100;

// Results in raw units centred on the zero level; frequency in Hz; duty in percent of the
// envelope above the threshold, kNoDuty when no period was found.
struct RawMeasurement {
  int atA = 0;
  int atB = 0;
  int maximum = 0;
  int minimum = 0;
  double mean = 0.0;
  double frequency = 0.0;
  int duty = kNoDuty;
  int markerMax = 0;  // envelope indexes of the two "X" markers
  int markerMin = 0;
};

struct MeasureSetup {
  int cursorA = 233;
  int cursorB = 466;
  int compression = 1;
  double timeBaseMs = 1.5;
  int range = 0;        // range index of the channel's type
  double gain = 0.0;    // calibration of the type at its range, for the fixed 7-unit threshold
  double offset = 0.0;
  int validColumns = kWindowColumns;  // columns of the window that hold data
};

RawMeasurement MeasureChannel(std::span<const std::int32_t, kEnvelopeSize> envelope, const MeasureSetup& setup);

// Results in the type's display unit. Until a measurement finds a period there is no duty.
struct DisplayValues {
  double atA = 0.0;
  double atB = 0.0;
  double maximum = 0.0;
  double minimum = 0.0;
  double mean = 0.0;
  double frequency = 0.0;
  double duty = kNoDuty;
};

}  // namespace tessial
