#pragma once
// Measurement of an item between the two cursors: minimum, maximum, average, positive and
// negative duty, and the time between the cursors, with the texts of the panel and the printout.
#include <cstdint>
#include <span>
#include <string>

#include "controls/roadtest/core/decimation.h"

namespace morvit {

struct CursorStatistics {
  double min = 6000.0;
  double max = -6000.0;
  double avg = 0;
  double dutyPlus = 0;
  double dutyMinus = 0;
};

// The samples an item's measurement reads and how a byte becomes a value.
struct MeasureSource {
  std::span<const std::uint8_t> bytes;
  int rate = 0;
  // Byte to value: recorded items (b - zero) x resolution; derived items b / factor - base; a
  // table item its source's bytes through its table.
  std::array<double, 256> value{};
};
MeasureSource MeasureSourceOf(const Recording& recording, const DerivedItems& derived, int item,
                              const LutStore* luts = nullptr);

struct MeasureAverage {
  double avg = 0;
  double dutyPlus = 0;
  double dutyMinus = 0;
};

// Average and duty over the samples under page entries first..last (point indexes or columns).
// `pageStart` is the normal view's page start.
MeasureAverage MeasureAverageAndDuty(const MeasureSource& source, const ItemPage& page, int first, int last,
                                     std::int64_t pageStart);

// Average and duty over samples [from, to) of a value sequence; the duty threshold is 0.8 x avg.
MeasureAverage AverageAndDuty(const MeasureSource& source, std::int64_t from, std::int64_t to);

// Statistics of an item between cursor columns a and b.
CursorStatistics ComputeCursorStatistics(const MeasureSource& source, const ItemPage& page, int cursorA, int cursorB,
                                         std::int64_t pageStart);

// Time between the cursors in seconds: |A - B| columns at the view's scale (or the full view's
// record length / 700 per column), 20 microseconds per full-rate sample.
double CursorTimeDifference(int cursorA, int cursorB, int scale, std::int64_t recordLength);
// "%8.5f 초 %8.2f ms" (CP949).
std::string CursorTimeDifferenceText(double seconds);

// The value of an item at a cursor column, and its text as the panel shows it.
double ValueAtCursor(const ItemPage& page, int column);
std::string FormatValue(const ItemPage& page, int column, int item, const std::string& unit);

// The statistics lines of the panel (CP949) and of the printout.
struct StatisticsTexts {
  std::string min, max, span, avg, dutyPlus, dutyMinus;
};
StatisticsTexts PanelStatisticsTexts(const CursorStatistics& s);
StatisticsTexts PrintStatisticsTexts(const CursorStatistics& s);
// "커서 A:%s" / "커서 B:%s" with the value text and the unit.
std::string PanelCursorText(bool cursorA, const std::string& valueText);

}  // namespace morvit
