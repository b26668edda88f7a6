#pragma once
// Moving along the time axis: playback ticks, the trigger, the start and end commands, scale
// changes that keep the sample under cursor A in place, scrolling, and clicks in the graph.
#include <cstdint>
#include <vector>

namespace morvit {

enum class PlayState { Stopped = 0, Forward = 1, Backward = 2 };

inline constexpr int kPlayStep = 50;  // columns per timer tick

// One view's page: samples per column, page start, cursors.
struct Page {
  int scale = 0;
  int previousScale = 0;
  std::int64_t start = 0;
  int cursorA = 350;
  int cursorB = -1;
};

// One playback tick; true when playback stops at this tick.
bool PlayTick(Page& page, PlayState state, std::int64_t recordLength, int playStep = kPlayStep);

// Puts the trigger sample in view: column 350 (525 in the full view and in the zoom views).
void PutTriggerInView(Page& page, std::int64_t recordLength, std::int64_t postTrigger, int cursorColumn);
void GoToStart(Page& page);
void GoToEnd(Page& page, std::int64_t recordLength);

// After a change of scale from page.previousScale to page.scale: moves the page start so that the
// sample under cursor A stays where it was.
void ApplyDisplayScale(Page& page, std::int64_t recordLength);

// Before a page turns to the whole recording (scale 0): its cursor goes to the column of the
// instant it pointed at, trunc((c x S + b) / (L x (1/700))); the page start follows that column.
void PlaceCursorForWholeView(Page& page, std::int64_t recordLength);

// Scroll bar codes of the time bars.
enum class ScrollCode { LineLeft, LineRight, PageLeft, PageRight, Thumb, Other };
// Scrolls the page: positions count hundreds of samples. Returns the new bar position.
std::int64_t Scroll(Page& page, ScrollCode code, std::int64_t barPosition, std::int64_t thumbPosition,
                    std::int64_t recordLength);
// Scroll bar range end and position of a page.
std::int64_t ScrollBarEnd(const Page& page, std::int64_t recordLength);
std::int64_t ScrollBarPosition(const Page& page);
// Bar position after a playback tick: the sample under cursor A, in hundreds.
std::int64_t PlaybackBarPosition(const Page& page);

// Moves a page's cursor A to `column`. Over the whole recording the page start follows it
// ((L / 700) x column), so that a later scale keeps the instant the cursor shows.
void MoveCursorA(Page& page, int column, std::int64_t recordLength);

// The graph column of a click at client x, or -1 outside 16 < x < 716 (normal view).
int ColumnOfClick(int x);
// A left click in the normal view's graph: cursor A to that column (and the page start in the
// full view). False when the click is outside the graph.
bool PlaceCursorA(Page& page, int x, int y, std::int64_t recordLength);

// The shown items of a view, in the order chosen.
class ItemSet {
public:
  explicit ItemSet(int capacity) : m_capacity(capacity) {}
  enum class Toggle { Removed = 1, Added = 2, Full = -1 };
  Toggle ToggleRow(int row);
  bool Contains(int row) const;
  void Clear() { m_rows.clear(); }
  const std::vector<int>& Rows() const { return m_rows; }
  int Count() const { return static_cast<int>(m_rows.size()); }
  int Capacity() const { return m_capacity; }
  // The row whose selection changed, given the selected rows of the list; -1 when none did.
  int ChangedRow(const std::vector<int>& selectedRows) const;

private:
  int m_capacity;
  std::vector<int> m_rows;
};

}  // namespace morvit
