#include "controls/oscilloscope/core/time_texts.h"

#include <cmath>
#include <cstdlib>

#include "controls/oscilloscope/core/scales.h"
#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace tessial {

std::string CursorDifferenceText(int cursorA, int cursorB, int timeBase, int compression)
{
  const double ms = std::abs(cursorB - cursorA) * TimeBaseMs(timeBase) * compression / 75.0;
  if (ms >= 1000) return vetra::Format("%.1f s", ms * 0.001);
  if (ms >= 1) return vetra::Format("%.1f ms", ms);
  return vetra::Format("%.1f us", ms * 1000);
}

std::string TimeBaseText(int timeBase, int compression)
{
  const double ms = compression * TimeBaseMs(timeBase);
  if (timeBase <= 1) return vetra::Format("%.0fus/div", ms * 1000);
  if (timeBase <= 10) return vetra::Format("%.1fms/div", ms);
  return vetra::Format("%.1fs/div", ms * 0.001);
}

TimeAxis MakeTimeAxis(int timeBase, int compression)
{
  const double ms = compression * TimeBaseMs(timeBase);
  if (timeBase <= 7) return {ms, "ms"};
  return {ms * 0.001, "s"};
}

std::string FrequencyText(double hertz)
{
  if (hertz == 0) return ": -----";
  if (hertz >= 9000) return vetra::Format(": %dKHz", vetra::SaturatingCast<int>(hertz * 0.001));
  if (hertz > 1) return vetra::Format(": %dHz", vetra::SaturatingCast<int>(hertz));
  return vetra::Format(": %.1fHz", hertz);
}

std::string DutyText(double duty)
{
  if (duty == kNoDuty) return ": -----";
  return vetra::Format(": %.0f %%", 100 - duty);
}

std::string ValueText(double value)
{
  const double magnitude = std::fabs(value);
  if (magnitude >= 1000) return vetra::Format(": %.0f", value);
  if (magnitude >= 100) return vetra::Format(": %.1f", value);
  return vetra::Format(": %.2f", value);
}

MeasureTexts FormatMeasureTexts(const DisplayValues& v)
{
  return {ValueText(v.atA), ValueText(v.atB),        ValueText(v.maximum), ValueText(v.minimum),
          ValueText(v.mean), FrequencyText(v.frequency), DutyText(v.duty)};
}

}  // namespace tessial
