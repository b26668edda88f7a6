#pragma once
// Derived items (80..99): samples computed from one or two recorded channels (pulse periods,
// pulse groups, duty, frequency, gated low time, linear and table conversion, wheel speed). Each
// routine writes the item's bytes, its factor (bytes per value unit), its min/max pair and, for
// some kinds, its value range. Stored bytes saturate to 0..255; no loop runs past either array.
#include <array>

#include "controls/roadtest/core/recording.h"

namespace morvit {

struct DerivedItem {
  double itemFactor = 1.0;    // bytes per value unit
  bool done = false;          // derivation has run for this recording
  bool negativeBase = false;  // bytes are distances from base = trunc(table[255])
  std::array<double, 256> table{};  // piecewise conversion table
};
using DerivedItems = std::array<DerivedItem, kItemCount>;

enum class Derivation {
  None,
  PeriodValueFixed,
  PeriodValue,
  WheelSpeedOld,
  GroupRate,
  WheelSpeed,
  DutyPercent,
  PiecewiseTableAbs,
  GatedLowTime,
  Linear,
  PiecewiseTable,
  Frequency,
};

// The routine of an item type in a layout.
Derivation DerivationOf(bool oldLayout, int itemType);

// Runs the derivation of a derived item the first time it is asked for; true when it ran now.
bool ComputeDerivedItem(Recording& recording, DerivedItems& items, int item);

// The value of a stored byte of a derived item: b / factor, less the base when it has one.
double DerivedValue(const DerivedItem& item, int byte);

// Physical value of a recorded channel's byte: (b - zero) x value per step of its coding.
double RecordedValue(const ChannelRecord& channel, int byte);

}  // namespace morvit
