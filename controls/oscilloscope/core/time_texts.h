#pragma once
// Texts of the time axis and of the measurements, formatted as the screen shows them.
#include <string>

#include "controls/oscilloscope/core/measurement.h"

namespace tessial {

// Time between the cursors: "%.1f s", "%.1f ms" or "%.1f us".
std::string CursorDifferenceText(int cursorA, int cursorB, int timeBase, int compression);
// Time per division: "%.0fus/div", "%.1fms/div" or "%.1fs/div".
std::string TimeBaseText(int timeBase, int compression);

// The value of one division on the time axis and its unit ("ms" up to index 7, else "s").
struct TimeAxis {
  double value = 0.0;
  std::string unit = "ms";
};
TimeAxis MakeTimeAxis(int timeBase, int compression);

// The measurement texts of one slot as the graph window formats them for the panel.
struct MeasureTexts {
  std::string atA, atB, maximum, minimum, mean, frequency, duty;
};
MeasureTexts FormatMeasureTexts(const DisplayValues& values);
std::string FrequencyText(double hertz);
std::string DutyText(double duty);
std::string ValueText(double value);

}  // namespace tessial
