#include "controls/oscilloscope/core/measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/base/numeric.h"

namespace tessial {
namespace {

constexpr int kMaxCrossings = 499;
constexpr double kColumnsPerSecondAtOneMs = 75000.0;  // 75 columns make one division

struct CrossingList {
  std::array<int, kMaxCrossings> at{};
  int count = 0;
  bool Full() const { return count >= kMaxCrossings; }
  void Add(int index) { at[count++] = index; }
  // Columns between the first and the last crossing.
  int Span() const { return at[0] >= at[count - 1] ? 0 : (at[count - 1] - at[0] + 1) / 2; }
};

int Low16(std::int32_t value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

// Rising and falling crossings of the threshold, on the maxima (shift 0) or the minima (shift 1).
void FindCrossings(std::span<const std::int32_t, kEnvelopeSize> e, int start, int end, int u, int shift,
                   CrossingList& rising, CrossingList& falling)
{
  for (int i = 2 * start + 2; i < 2 * end - 2; i += 2) {
    const int p = Low16(e[i - 2 + shift]);
    const int q = Low16(e[i + shift]);
    if (p < u && q >= u) rising.Add(i);
    if (p > u && q <= u) falling.Add(i);
    if (rising.Full() || falling.Full()) return;
  }
}

}  // namespace

RawMeasurement MeasureChannel(std::span<const std::int32_t, kEnvelopeSize> e, const MeasureSetup& setup)
{
  RawMeasurement m;
  const int columns = std::clamp(setup.validColumns, 0, kWindowColumns);
  if (columns == 0) return m;
  // Cursors beyond the columns that exist measure at the last one.
  const int a = std::clamp(setup.cursorA, 0, columns - 1);
  const int b = std::clamp(setup.cursorB, 0, columns - 1);
  m.markerMax = 2 * a;
  m.markerMin = 2 * b;
  m.atA = e[2 * a] - kZeroLevel;
  m.atB = e[2 * b] - kZeroLevel;
  m.minimum = m.maximum = m.atA;
  if (a == b) {
    m.mean = m.atA;
    return m;
  }
  const int start = std::min(a, b);
  const int end = std::max(a, b);

  int maximum = e[2 * start];
  int minimum = e[2 * start];
  int maxAt = 2 * start;
  int minAt = 2 * start;
  double sum = 0.0;
  for (int j = 2 * start; j < 2 * end; ++j) {
    if (e[j] >= maximum) {
      maximum = e[j];
      maxAt = j;
    }
    if (e[j] <= minimum) {
      minimum = e[j];
      minAt = j;
    }
    sum += e[j];
  }
  m.mean = sum / (end - start) * 0.5 - kZeroLevel;

  // Below range 6 the threshold is the middle of the swing; the high ranges use the raw level
  // of 7 units, so small ripple on a high-voltage signal is not counted as a period.
  bool haveThreshold = true;
  int u = (minimum + maximum) / 2;
  if (setup.range >= 6) {
    if (setup.gain == 0.0) {
      haveThreshold = false;
    } else {
      u = vetra::SaturatingSubtract<int>(kZeroLevel, vetra::SaturatingCast<std::int64_t>((7.0 - setup.offset) * -2048.0 / setup.gain));
    }
  }

  if (haveThreshold) {
    CrossingList rising;
    CrossingList falling;
    FindCrossings(e, start, end, u, 0, rising, falling);
    if (rising.count == 0 && falling.count == 0) FindCrossings(e, start, end, u, 1, rising, falling);

    int from = 0;
    int to = 0;
    if (rising.count > 0 && falling.count > 0) {
      const double perColumn = setup.timeBaseMs * setup.compression;
      const CrossingList* list = rising.count > 1 ? &rising : falling.count > 1 ? &falling : nullptr;
      if (list != nullptr && list->Span() > 0 && perColumn > 0.0) {
        m.frequency = (list->count - 1) * kColumnsPerSecondAtOneMs / list->Span() / perColumn;
        from = list->at[0];
        to = list->at[list->count - 1];
      }
    }
    if (m.frequency > 0.0) {
      const int n = std::max(to - from, 1);
      int count = 0;
      for (int j = from; j < to; ++j) count += e[j] > u ? 1 : 0;
      m.duty = vetra::SaturatingCast<int>(count * 100.0 / n);
    }
  }

  m.markerMax = maxAt;
  m.markerMin = minAt;
  m.maximum = maximum - kZeroLevel;
  m.minimum = minimum - kZeroLevel;
  return m;
}

}  // namespace tessial
