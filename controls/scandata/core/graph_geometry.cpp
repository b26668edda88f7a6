#include "controls/scandata/core/graph_geometry.h"

#include <algorithm>
#include <cmath>

namespace quarnel {
namespace {
constexpr int kGraphAreaHeight = 568;
constexpr int kGraphGap = 5;
constexpr int kButtonSize = 20;
constexpr int kButtonX = 986;
constexpr int kTickRange = 779;  // the curve's width less the last pixel column
}  // namespace

ItemListRects LayoutItemLists(int shownCount) {
  const int n = std::clamp(shownCount, 0, kMaxShown);
  constexpr int kRow = 31;
  return {{3, 109, 1009, 109 + 36 + kRow * n}, {3, 144 + kRow * n, 1009, 144 + kRow * n + 533 - kRow * n}};
}

GraphLayout LayoutGraphs(int shownCount, bool showButtons) {
  GraphLayout layout;
  const int n = std::clamp(shownCount, 0, kMaxShown);
  layout.buttonsShown = showButtons;
  if (n == 0) return layout;
  layout.count = n;
  layout.slotHeight = kGraphAreaHeight / n;
  layout.height = (kGraphAreaHeight - kGraphGap * n) / n;
  layout.yScale = (layout.height - 4) / 255.0;
  int y = kGraphArea.top;
  for (int i = 0; i < n; ++i) {
    GraphSlot& s = layout.slots[static_cast<std::size_t>(i)];
    s.graph = {kGraphArea.left, y, kGraphArea.right, y + layout.height};
    s.slot = {kGraphArea.left, y, kGraphArea.right, y + layout.slotHeight};
    s.removeButton = {kButtonX, s.graph.bottom - 23, kButtonX + kButtonSize, s.graph.bottom - 23 + kButtonSize};
    y += layout.height + kGraphGap;
  }
  return layout;
}

int WindowFirstSample(int position, int step, int sampleCount) {
  if (position + step + kWindowSamples <= sampleCount) return std::max(position, 0);
  return sampleCount > kWindowSamples - 1 ? sampleCount - kWindowSamples : 0;
}

std::vector<int> TimeTickXs(int sampleCount, std::int32_t startTime, std::int32_t endTime) {
  std::vector<int> xs;
  const std::int64_t seconds = static_cast<std::int64_t>(endTime) - startTime;
  if (sampleCount <= 0 || seconds == 0) return xs;
  // Samples per ten seconds, computed in floating point and truncated; a backward clock gives 1.
  const double perTen = static_cast<double>(sampleCount) / static_cast<double>(seconds) * 10.0;
  const int g = perTen >= 1.0 ? static_cast<int>(std::min(perTen, 1e6)) : 1;
  const int m = kTickRange / g / kPointSpacing + 1;
  for (int k = 0; k < m; ++k) xs.push_back(kPointSpacing * g * k);
  return xs;
}

std::optional<int> MarkX(int sample, int first) {
  if (sample <= first || sample >= first + kWindowSamples) return std::nullopt;
  return kPointSpacing * (sample - first);
}

std::vector<TriggerMark> VisibleTriggerMarks(std::span<const int> triggers, int first, int lastJumped) {
  std::vector<TriggerMark> marks;
  for (std::size_t k = 0; k < triggers.size(); ++k) {
    if (const auto x = MarkX(triggers[k], first)) {
      marks.push_back({static_cast<int>(k) + 1, *x, static_cast<int>(k) == lastJumped});
    }
  }
  return marks;
}

}  // namespace quarnel
