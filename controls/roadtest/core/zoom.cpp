#include "controls/roadtest/core/zoom.h"

#include <algorithm>

#include "controls/roadtest/core/recording.h"

namespace morvit {

std::int64_t InstantUnderCursor(const Page& page, std::int64_t length) {
  if (page.scale == 0) return page.cursorA * (length / kColumns);
  return static_cast<std::int64_t>(page.cursorA) * page.scale + page.start;
}

namespace {

// Holds a page start inside 0 .. L - 700 x S and puts its cursor on `instant`.
void HoldPage(Page& page, std::int64_t instant, std::int64_t length) {
  if (page.scale == 0) return;
  const std::int64_t s = page.scale;
  const std::int64_t last = length - kColumns * s;
  if (page.start < 0) {
    page.start = 0;
    page.cursorA = static_cast<int>(std::clamp<std::int64_t>(instant / s, 0, kColumns));
  } else if (page.start > last) {
    page.start = last;
    page.cursorA = static_cast<int>(std::clamp<std::int64_t>(kColumns - (length - instant) / s, 0, kColumns));
  }
}

}  // namespace

void CoupleCursors(Page& moved, Page& other, std::int64_t length) {
  const std::int64_t perColumn = length / kColumns;
  const int c = moved.cursorA;
  if (moved.scale == 0 && other.scale == 0) {
    other.cursorA = c;
    return;
  }
  if (moved.scale == 0) {
    other.cursorA = c;
    other.start = perColumn * c - static_cast<std::int64_t>(c) * other.scale;
  } else {
    other.start = moved.start + static_cast<std::int64_t>(moved.scale - other.scale) * c;
    other.cursorA = other.scale == 0 ? static_cast<int>(perColumn > 0 ? other.start / perColumn : 0) : c;
  }
  HoldPage(other, InstantUnderCursor(moved, length), length);
  HoldPage(moved, InstantUnderCursor(other, length), length);
}

void CoupleZoomViews(Page& panel, Page& lower, int cursorSource, std::int64_t length) {
  if (panel.scale == 0 && lower.scale == 0) {
    // Both show the whole recording: one cursor column for both, the one that moved last.
    if (cursorSource == kPanelCursorSource) lower.cursorA = panel.cursorA;
    else panel.cursorA = lower.cursorA;
    panel.start = lower.start = (length / kColumns) * lower.cursorA;
    return;
  }
  if (cursorSource == kLowerCursorSource) CoupleCursors(lower, panel, length);
  if (cursorSource == kPanelCursorSource) CoupleCursors(panel, lower, length);
}

}  // namespace morvit
