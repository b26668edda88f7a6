#pragma once
// The voltage labels at the left edge of the graph in modes 0 and 3: numbers counted in divisions
// from the zero line, right-aligned at four pixels a character, and the unit above them.
#include <optional>
#include <string>
#include <vector>

#include "platform/base/win_types.h"

namespace sparwen {

// Volts (primary) or kilovolts (secondary) of one division; nullopt for a range outside the table.
std::optional<double> VoltsPerDivision(int range, bool secondary);

struct ScaleLabel {
  std::string text;
  win::POINT origin{};
};

struct VoltageScaleInput {
  bool secondary = true;
  int range = 0;
  int zeroPos = 0;  // tenths of the height
  int graphHeight = 0;
  int displayMode = 0;
  int pairedFlag = 0;
  bool trend = false;
};

// Labels and unit; none in modes 1 and 2, in the trend view, or for a range outside the table.
std::vector<ScaleLabel> VoltageScaleLabels(const VoltageScaleInput& input);

}  // namespace sparwen
