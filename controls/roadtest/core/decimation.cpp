#include "controls/roadtest/core/decimation.h"

#include <algorithm>
#include <cmath>

#include "platform/base/text.h"

namespace morvit {
namespace {

constexpr std::array<int, 6> kRates = {1, 2, 5, 10, 25, 50};
constexpr std::array<int, 9> kScales = {1, 2, 5, 10, 25, 50, 100, 200, 500};
// Pair window length by scale (rows) and rate (columns); 0 builds one point per sample.
constexpr std::array<std::array<int, 6>, 9> kSteps = {{
    {0, 0, 0, 0, 0, 2},
    {0, 0, 0, 0, 0, 2},
    {0, 0, 0, 0, 2, 5},
    {0, 0, 0, 2, 5, 10},
    {0, 0, 2, 5, 13, 25},
    {1, 2, 5, 10, 25, 50},
    {2, 4, 10, 20, 50, 100},
    {4, 8, 20, 40, 100, 200},
    {10, 20, 50, 100, 250, 500},
}};

template <std::size_t N>
int IndexOf(const std::array<int, N>& values, int v) {
  const auto it = std::find(values.begin(), values.end(), v);
  return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

void BuildPairs(const SampleMapper& m, std::int64_t start, double spacing, int step, ItemPage& page) {
  for (int c = 0; c < kColumns; ++c) {
    const std::int64_t from = start + static_cast<std::int64_t>(c * spacing);
    int max = 0, min = 256;
    FoldWindow(m, from, step, max, min);
    page.points[static_cast<std::size_t>(2 * c)] = {c, m.Y(max)};
    page.points[static_cast<std::size_t>(2 * c + 1)] = {c, m.Y(min)};
    page.columnMax[static_cast<std::size_t>(c)] = m.Value(max);
    page.columnMin[static_cast<std::size_t>(c)] = m.Value(min);
  }
  page.count = 2 * kColumns;
}

}  // namespace

void FoldWindow(const SampleMapper& m, std::int64_t from, std::int64_t length, int& max, int& min) {
  if (length <= 0) return;
  const std::span<const std::uint8_t> bytes = m.Bytes();
  const auto size = static_cast<std::int64_t>(bytes.size());
  const std::int64_t end = from + length;
  const std::int64_t first = std::clamp<std::int64_t>(from, 0, size);
  const std::int64_t last = std::clamp<std::int64_t>(end, first, size);
  if (first > from || last < end) {
    max = std::max(max, kMissingSample);
    min = std::min(min, kMissingSample);
  }
  // A plain loop over bytes, which the compiler turns into wide minimum and maximum steps: the
  // full view reads every sample of every shown item at each paint.
  std::uint8_t high = 0;
  std::uint8_t low = 255;
  const std::uint8_t* p = bytes.data() + first;
  const std::uint8_t* const stop = bytes.data() + last;
  if (p == stop) return;
  for (; p != stop; ++p) {
    high = std::max(high, *p);
    low = std::min(low, *p);
  }
  max = std::max(max, static_cast<int>(high));
  min = std::min(min, static_cast<int>(low));
}

int ScaleEntryCount(int recordLengthCode) { return recordLengthCode == 4 ? 9 : 10; }

BuilderChoice ChooseBuilder(int scale, int rate, bool zoomView) {
  const int r = IndexOf(kRates, rate);
  if (scale == 0) return {r < 0 ? Builder::None : Builder::FullView, 0};
  const int s = IndexOf(kScales, scale);
  if (s < 0 || r < 0) return {Builder::None, 0};
  int step = kSteps[static_cast<std::size_t>(s)][static_cast<std::size_t>(r)];
  if (scale == 1 && rate == 50 && !zoomView) step = 0;
  return step == 0 ? BuilderChoice{Builder::Points, 0} : BuilderChoice{Builder::Pairs, step};
}

namespace {

// Folds the full view's columns of an item's samples (the windows spread evenly over the whole
// recording, one sample longer now and then).
void FoldFullView(const SampleMapper& m, std::int64_t samples, FullViewFold& fold) {
  const std::int64_t perColumn = samples / kColumns;
  const double fraction = static_cast<double>(samples) / kColumns - static_cast<double>(perColumn);
  double sum = 0;
  for (int c = 0; c < kColumns; ++c) {
    sum += fraction;
    std::int64_t length = perColumn;
    if (sum > 1.0) {
      length = perColumn + 1;
      sum = 0;
    }
    const std::int64_t from = c * perColumn + static_cast<std::int64_t>(c * fraction);
    int max = 0, min = 256;
    FoldWindow(m, from, length, max, min);
    fold.lengths[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(length);
    fold.max[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(max);
    fold.min[static_cast<std::size_t>(c)] = static_cast<std::int16_t>(min);
  }
}

}  // namespace

void BuildItemPage(const SampleMapper& m, const PageView& view, std::int64_t recordLength, ItemPage& page, FullViewFold* fold) {
  page.count = 0;
  page.fullView = view.scale == 0;
  const int rate = m.Rate();
  const BuilderChoice choice = ChooseBuilder(view.scale, rate, view.zoomView);
  page.pairsBuilder = choice.builder == Builder::Pairs || choice.builder == Builder::FullView;
  page.step = choice.step;
  if (choice.builder == Builder::None) {
    page.drawing = view.scale >= 50 ? DrawingKind::Pairs : DrawingKind::Points0;
    page.pairsBuilder = view.scale >= 50;
    return;
  }
  const int d = kFullRate / rate;
  std::int64_t start = view.start / d;
  if (view.zoomView) start = std::max<std::int64_t>(start, 0);

  switch (choice.builder) {
    case Builder::Points: {
      page.drawing = DrawingKind::Points;
      if (view.scale == 1 && !view.zoomView) {
        start = std::max<std::int64_t>(view.start / d - 1, 0);
        page.drawing = DrawingKind::Points0;
        const int n = kColumns / d + 1;
        for (int k = 0; k < n; ++k) {
          const int raw = m.RawAt(start + k);
          page.points[static_cast<std::size_t>(k)] = {k * d, m.Y(raw)};
          page.columnMax[static_cast<std::size_t>(k)] = m.Value(raw);
        }
        page.count = n;
        break;
      }
      const int cap = view.zoomView ? 726 : 701;
      const int n = std::min((kColumns / d) * view.scale + 1, cap);
      for (int k = 0; k < n; ++k) {
        const int raw = m.RawAt(start + k);
        page.points[static_cast<std::size_t>(k)] = {static_cast<std::int32_t>(static_cast<std::int64_t>(k) * d / view.scale),
                                                    m.Y(raw)};
        if (k < kValueColumns) page.columnMax[static_cast<std::size_t>(k)] = m.Value(raw);
      }
      page.count = n;
      break;
    }
    case Builder::Pairs:
      BuildPairs(m, start, static_cast<double>(view.scale) / d, choice.step, page);
      page.drawing = choice.step > 1 ? DrawingKind::Pairs : DrawingKind::Points;
      break;
    case Builder::FullView: {
      const std::int64_t samples = recordLength / d;
      page.step = static_cast<int>(samples / kColumns);
      FullViewFold fresh;
      const bool kept = fold != nullptr && fold->samples == &m.Samples() && fold->generation == m.Samples().Generation() &&
                        fold->recordLength == recordLength && fold->rate == rate;
      if (!kept) {
        FullViewFold& into = fold != nullptr ? *fold : fresh;
        FoldFullView(m, samples, into);
        into.samples = &m.Samples();
        into.generation = m.Samples().Generation();
        into.recordLength = recordLength;
        into.rate = rate;
      }
      const FullViewFold& columns = fold != nullptr ? *fold : fresh;
      for (int c = 0; c < kColumns; ++c) {
        const int max = columns.max[static_cast<std::size_t>(c)];
        const int min = columns.min[static_cast<std::size_t>(c)];
        page.windowLengths[static_cast<std::size_t>(c)] = columns.lengths[static_cast<std::size_t>(c)];
        page.points[static_cast<std::size_t>(2 * c)] = {c, m.Y(max)};
        page.points[static_cast<std::size_t>(2 * c + 1)] = {c, m.Y(min)};
        page.columnMax[static_cast<std::size_t>(c)] = m.Value(max);
        page.columnMin[static_cast<std::size_t>(c)] = m.Value(min);
      }
      page.count = 2 * kColumns;
      page.drawing = DrawingKind::Pairs;
      break;
    }
    case Builder::None: break;
  }
}

double SampleTime(std::int64_t sample, std::int64_t recordLength, std::int64_t postTrigger) {
  return static_cast<double>(sample) * 2e-05 - static_cast<double>((recordLength - postTrigger) / 50000);
}

std::int64_t SampleUnderColumn(int column, const PageView& view, std::int64_t recordLength) {
  if (view.scale == 0) return column * (recordLength / kColumns);
  return static_cast<std::int64_t>(column) * view.scale + view.start;
}

std::string CursorTimeText(double seconds, bool stackedNormalView) {
  std::string text = vetra::Format("%7.4f", seconds);
  if (stackedNormalView && text == "-0.0000") text = "0.0000";
  return text + vetra::Cp949(" 초");
}

int EntryOfScale(int scale) {
  const auto* found = std::find(kScaleOfEntry.begin(), kScaleOfEntry.end(), scale);
  return found == kScaleOfEntry.end() ? 0 : static_cast<int>(found - kScaleOfEntry.begin());
}

bool NeedsRebuild(int scale, bool zoomView, int cursorSource, bool playing) {
  if (zoomView || scale == 1) return true;
  if (scale == 0) return !(cursorSource == 1 || playing);
  return cursorSource != 1;
}

}  // namespace morvit
