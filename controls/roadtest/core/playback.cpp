#include "controls/roadtest/core/playback.h"

#include <algorithm>
#include <cmath>

#include "controls/roadtest/core/recording.h"

namespace morvit {

bool PlayTick(Page& page, PlayState state, std::int64_t length, int playStep) {
  const std::int64_t s = page.scale;
  const std::int64_t move = playStep * s;
  bool stop = false;
  if (state == PlayState::Forward) {
    if (page.start < length - (playStep + kColumns) * s) page.start += move;
    else stop = true;
    page.start = std::min(page.start, length - kColumns * s);
  } else if (state == PlayState::Backward) {
    if (page.start > move) page.start -= move;
    else stop = true;
    if (page.start < move) page.start = 0;
  }
  return stop;
}

void PutTriggerInView(Page& page, std::int64_t length, std::int64_t post, int cursorColumn) {
  if (page.scale == 0) {
    page.cursorA = 525;
    page.start = length - post;
    return;
  }
  page.cursorA = cursorColumn;
  page.start = length - static_cast<std::int64_t>(cursorColumn) * page.scale - post;
}

void GoToStart(Page& page) { page.start = 0; }

void GoToEnd(Page& page, std::int64_t length) { page.start = length - static_cast<std::int64_t>(kColumns) * page.scale - 1; }

void ApplyDisplayScale(Page& page, std::int64_t length) {
  const std::int64_t s = page.scale, o = page.previousScale, c = page.cursorA;
  if (s == 0) {
    page.start = static_cast<std::int64_t>(static_cast<double>(length) * (1.0 / kColumns) * c);
    return;
  }
  const std::int64_t half = (s - o) / 2;
  if (o < s) {
    page.start += half - c * (s - o);
    page.start = std::clamp<std::int64_t>(page.start, 0, std::max<std::int64_t>(0, length - kColumns * s - 1));
  } else if (o > s) {
    page.start += (o - s) * c + half;
  }
}

void PlaceCursorForWholeView(Page& page, std::int64_t length) {
  const double perColumn = static_cast<double>(length) * (1.0 / kColumns);
  if (page.scale == 0 || perColumn <= 0) return;
  const double instant = static_cast<double>(static_cast<std::int64_t>(page.cursorA) * page.scale + page.start);
  page.cursorA = static_cast<int>(std::clamp(std::trunc(instant / perColumn), 0.0, static_cast<double>(kColumns - 1)));
}

std::int64_t ScrollBarEnd(const Page& page, std::int64_t length) { return (length - kColumns * page.scale) / 100; }
std::int64_t ScrollBarPosition(const Page& page) { return page.start / 100; }
std::int64_t PlaybackBarPosition(const Page& page) {
  return (static_cast<std::int64_t>(page.cursorA) * page.scale + page.start) / 100;
}

std::int64_t Scroll(Page& page, ScrollCode code, std::int64_t p, std::int64_t thumb, std::int64_t length) {
  const std::int64_t s = page.scale;
  const std::int64_t limit = length / 100 - 7 * s;
  switch (code) {
    case ScrollCode::LineLeft: p = p < 2 ? 0 : p - s; break;
    case ScrollCode::LineRight: p = p >= length / 100 - 8 * s ? limit : p + s; break;
    case ScrollCode::PageLeft: p = p < 5 ? 0 : p - 4 * s; break;
    case ScrollCode::PageRight: p = p >= length / 100 - 11 * s ? limit : p + 4 * s; break;
    case ScrollCode::Thumb: p = thumb; break;
    case ScrollCode::Other: break;
  }
  p = std::min(p, limit);
  page.start = p <= 0 ? 0 : p * 100;
  return p;
}

void MoveCursorA(Page& page, int column, std::int64_t length) {
  page.cursorA = column;
  if (page.scale == 0) page.start = (length / kColumns) * column;
}

int ColumnOfClick(int x) { return x > 16 && x < 716 ? x - 16 : -1; }

bool PlaceCursorA(Page& page, int x, int y, std::int64_t length) {
  const int column = ColumnOfClick(x);
  if (column < 0 || y < 144 || y >= 683) return false;
  MoveCursorA(page, column, length);
  return true;
}

ItemSet::Toggle ItemSet::ToggleRow(int row) {
  const auto it = std::find(m_rows.begin(), m_rows.end(), row);
  if (it != m_rows.end()) {
    m_rows.erase(it);
    return Toggle::Removed;
  }
  if (Count() >= m_capacity) return Toggle::Full;
  m_rows.push_back(row);
  return Toggle::Added;
}

bool ItemSet::Contains(int row) const { return std::find(m_rows.begin(), m_rows.end(), row) != m_rows.end(); }

int ItemSet::ChangedRow(const std::vector<int>& selected) const {
  const int n = static_cast<int>(selected.size());
  if (n == Count()) return -1;
  if (n > Count()) {
    for (int row : selected) {
      if (!Contains(row)) return row;
    }
    return -1;
  }
  for (int row : m_rows) {
    if (std::find(selected.begin(), selected.end(), row) == selected.end()) return row;
  }
  return -1;
}

}  // namespace morvit
