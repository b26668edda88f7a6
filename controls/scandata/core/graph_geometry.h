#pragma once
// Where the graph view puts things: the graph and slot rectangles of the shown items, the first
// sample of the window, the time ticks, the trigger marks and the marked sample. Pixels are those
// of the control; x inside a graph counts from the graph's left edge.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "controls/scandata/core/scan_limits.h"
#include "platform/base/win_types.h"

namespace quarnel {

inline constexpr win::RECT kGraphArea{3, 114, 984, 682};
inline constexpr win::RECT kGraphInvalidArea{3, 113, 1009, 678};  // what a new position repaints
inline constexpr int kValuePanelX = 787;
inline constexpr int kCurveWidth = 781;  // the curve part of a graph, left of the value panel

struct GraphSlot {
  win::RECT graph{};         // A: the drawn graph
  win::RECT slot{};          // B: the graph with the gap below it
  win::RECT removeButton{};  // the small button beside the graph
};

struct GraphLayout {
  int count = 0;
  int height = 0;      // h, alike for all graphs
  int slotHeight = 0;
  double yScale = 0;   // (h - 4) / 255, handed to the graph ordinate
  bool buttonsShown = false;
  std::array<GraphSlot, kMaxShown> slots{};
};

// The text view's two item lists: the shown items above, the others below them.
struct ItemListRects {
  win::RECT upper{};
  win::RECT lower{};
};
ItemListRects LayoutItemLists(int shownCount);

// Divides the graph area among `shownCount` graphs (nothing for 0; at most eight).
GraphLayout LayoutGraphs(int shownCount, bool showButtons);

// The first sample of the 157-sample window for a requested position.
int WindowFirstSample(int position, int step, int sampleCount);

// Abscissas of the time ticks under each graph: one tick every ten seconds of recording.
std::vector<int> TimeTickXs(int sampleCount, std::int32_t startTime, std::int32_t endTime);

struct TriggerMark {
  int number = 0;          // 1-based, as labelled
  int x = 0;
  bool lastJumped = false;  // drawn in the colour of the mark last jumped to
};
// The trigger marks inside the window that starts at `first`.
std::vector<TriggerMark> VisibleTriggerMarks(std::span<const int> triggers, int first, int lastJumped);

// The abscissa of a sample inside the window, when it lies strictly inside (first, first + 157).
std::optional<int> MarkX(int sample, int first);

}  // namespace quarnel
