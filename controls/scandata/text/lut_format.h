#pragma once
// Lookup-table formatting: a field or state value turned into text by the class of its
// state-text table (two-state with a polarity, counted, capped, curve, signed with a suffix, ...).

#include <string>

#include "controls/scandata/text/unit_preferences.h"

namespace quarnel {

// `polarity` is the descriptor's polarity or sign mode, `count` the number of values the field
// can take (0 when unknown), `unit` the 1-based unit number a curve value is converted from.
// A table id outside 1 to 569, or one that names no table, gives "Lut [id]".
std::string FormatLutValue(int table, int polarity, int value, int count, int unit,
                           const UnitPreferences& preferences);

// The word of row `state` of a table cut to its first five bytes, never leaving half a
// double-byte character behind.
std::string ShortStateWord(int table, int state);

}  // namespace quarnel
