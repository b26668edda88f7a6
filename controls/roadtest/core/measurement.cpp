#include "controls/roadtest/core/measurement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "controls/roadtest/core/tables.h"
#include "platform/base/text.h"

namespace morvit {

MeasureSource MeasureSourceOf(const Recording& rec, const DerivedItems& derived, int item, const LutStore* luts) {
  MeasureSource source;
  if (item < 0 || item >= kItemCount) return source;
  const auto idx = static_cast<std::size_t>(item);
  source.bytes = rec.data[idx];
  source.rate = rec.SampleRate(item);
  if (item >= kFirstDerived && rec.channels[idx].itemType == 201) {
    const int s = rec.SourceIndex(item);
    source.bytes = s < 0 ? std::span<const std::uint8_t>() : std::span<const std::uint8_t>(rec.data[static_cast<std::size_t>(s)]);
    const LutTable table = luts ? luts->Load(rec.channels[idx].lutNumber) : LutTable{};
    std::copy(table.begin(), table.end(), source.value.begin());
    return source;
  }
  for (int b = 0; b < 256; ++b) {
    source.value[static_cast<std::size_t>(b)] =
        item < kFirstDerived ? RecordedValue(rec.channels[idx], b) : DerivedValue(derived[idx], b);
  }
  return source;
}

MeasureAverage AverageAndDuty(const MeasureSource& source, std::int64_t from, std::int64_t to) {
  MeasureAverage out;
  const auto size = static_cast<std::int64_t>(source.bytes.size());
  if (size == 0) return out;
  from = std::clamp<std::int64_t>(from, 0, size - 1);
  to = std::clamp<std::int64_t>(to, from, size);
  auto v = [&](std::int64_t i) { return source.value[source.bytes[static_cast<std::size_t>(i)]]; };
  if (to > from) {
    double sum = 0;
    for (std::int64_t i = from; i < to; ++i) sum += v(i);
    out.avg = sum / static_cast<double>(to - from);
  } else {
    out.avg = v(from);
  }

  const double thr = out.avg * static_cast<double>(0.8f);
  std::int64_t j = from;
  while (j < to && v(j) == thr) ++j;
  if (j >= to) return out;
  const bool lowThenHigh = v(j) > thr;
  double plus = 0, minus = 0;
  int cycles = 0;
  bool first = true;
  while (j < to) {
    std::int64_t highs = 0, lows = 0;
    bool cut;
    if (lowThenHigh) {
      while (j < to && v(j) < thr) ++lows, ++j;
      while (j < to && v(j) >= thr) ++highs, ++j;
      // The cycle must end on a low sample that is not the range's last.
      cut = j >= to - 1;
    } else {
      while (j < to && v(j) >= thr) ++highs, ++j;
      while (j < to && v(j) < thr) ++lows, ++j;
      cut = j >= to;
    }
    if (highs > 0 && lows > 0 && !first && !cut) {
      const double total = static_cast<double>(highs + lows);
      plus += static_cast<double>(highs) / total * 100.0;
      minus += static_cast<double>(lows) / total * 100.0;
      ++cycles;
    }
    first = false;
    ++j;  // the sample that ended the cycle belongs to neither
  }
  if (cycles > 0) {
    out.dutyPlus = plus / cycles;
    out.dutyMinus = minus / cycles;
  }
  return out;
}

MeasureAverage MeasureAverageAndDuty(const MeasureSource& source, const ItemPage& page, int first, int last,
                                     std::int64_t pageStart) {
  std::int64_t from = 0, to = 0;
  if (page.fullView) {
    for (int c = 0; c < std::min(first, kColumns); ++c) from += page.windowLengths[static_cast<std::size_t>(c)];
    for (int c = 0; c < std::min(last, kColumns); ++c) to += page.windowLengths[static_cast<std::size_t>(c)];
  } else {
    const int d = source.rate > 0 ? kFullRate / source.rate : 0;
    const std::int64_t base = d > 0 ? pageStart / d : 0;
    const std::int64_t step = page.pairsBuilder ? page.step : 1;
    from = step * first + base;
    to = step * last + base;
  }
  return AverageAndDuty(source, from, to);
}

CursorStatistics ComputeCursorStatistics(const MeasureSource& source, const ItemPage& page, int cursorA, int cursorB,
                                         std::int64_t pageStart) {
  CursorStatistics s;
  const int from = std::clamp(std::min(cursorA, cursorB), 0, kColumns - 1);
  const int to = std::clamp(std::max(cursorA, cursorB), 0, kColumns - 1);
  int first = from, last = to;
  if (page.drawing == DrawingKind::Pairs) {
    for (int c = from; c <= to; ++c) {
      s.min = std::min(s.min, page.columnMin[static_cast<std::size_t>(c)]);
      s.max = std::max(s.max, page.columnMax[static_cast<std::size_t>(c)]);
    }
  } else {
    auto firstRightOf = [&](int column) {
      for (int k = 0; k < page.count; ++k) {
        if (page.points[static_cast<std::size_t>(k)].x > column) return k;
      }
      return -1;
    };
    const int afterFrom = firstRightOf(from);
    const int afterTo = firstRightOf(to);
    first = afterFrom > 0 ? afterFrom - 1 : 0;  // no point right of the cursor: the first point
    last = afterTo >= 0 ? afterTo - 1 : from;
    last = std::max(last, first);
    for (int k = first; k <= last; ++k) {
      const int at = k > kColumns - 1 ? k / 2 : k;
      const double value = page.columnMax[static_cast<std::size_t>(std::min(at, kValueColumns - 1))];
      s.min = std::min(s.min, value);
      s.max = std::max(s.max, value);
    }
  }
  const MeasureAverage m = MeasureAverageAndDuty(source, page, first, last, pageStart);
  s.avg = m.avg;
  s.dutyPlus = m.dutyPlus;
  s.dutyMinus = m.dutyMinus;
  return s;
}

double CursorTimeDifference(int cursorA, int cursorB, int scale, std::int64_t recordLength) {
  const std::int64_t columns = std::abs(cursorA - cursorB);
  const std::int64_t samples = scale == 0 ? columns * recordLength / kColumns : columns * scale;
  return static_cast<double>(samples) * 0.00002;
}

std::string CursorTimeDifferenceText(double seconds) {
  return vetra::Format("%8.5f", seconds) + vetra::Cp949(" 초 ") + vetra::Format("%8.2f ms", seconds * 1000.0);
}

double ValueAtCursor(const ItemPage& page, int column) {
  if (page.count == 0) return 0;
  if (page.drawing == DrawingKind::Pairs) {
    return page.columnMax[static_cast<std::size_t>(std::clamp(column, 0, kColumns - 1))];
  }
  int k = 0;
  for (int i = 0; i < page.count; ++i) {
    if (page.points[static_cast<std::size_t>(i)].x <= column) k = i;
    else break;
  }
  if (page.count < kColumns && k + 1 < page.count) ++k;  // a sparse page shows the following point
  return page.columnMax[static_cast<std::size_t>(std::min(k, kValueColumns - 1))];
}

std::string FormatValue(const ItemPage& page, int column, int item, const std::string& unit) {
  const double value = ValueAtCursor(page, column);
  if (item < kFirstDerived) return vetra::Format("%5.2f%s", value, unit.c_str());
  return vetra::Format(page.drawing == DrawingKind::Pairs ? "%5.2f" : "%5.2f ", value);
}

StatisticsTexts PanelStatisticsTexts(const CursorStatistics& s) {
  return {vetra::Cp949("최소: ") + vetra::Format("%5.2f", s.min),
          vetra::Cp949("최대: ") + vetra::Format("%5.2f", s.max),
          vetra::Cp949("최대-최소: ") + vetra::Format("%5.2f", std::abs(s.max - s.min)),
          vetra::Cp949("평균: ") + vetra::Format("%5.2f", s.avg),
          vetra::Cp949("듀티(+): ") + vetra::Format("%5.2f", s.dutyPlus),
          vetra::Cp949("듀티(-): ") + vetra::Format("%5.2f", s.dutyMinus)};
}

StatisticsTexts PrintStatisticsTexts(const CursorStatistics& s) {
  return {vetra::Format("Min: %5.2f", s.min),        vetra::Format("Max: %5.2f", s.max),
          vetra::Format("Max-Min: %5.2f", s.max - s.min), vetra::Format("Avg: %5.2f", s.avg),
          vetra::Format("duty(+) : %5.2f", s.dutyPlus), vetra::Format("duty(-) : %5.2f", s.dutyMinus)};
}

std::string PanelCursorText(bool cursorA, const std::string& valueText) {
  return vetra::Cp949(cursorA ? "커서 A:" : "커서 B:") + valueText;
}

}  // namespace morvit
