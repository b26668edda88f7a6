#pragma once
// The zoom view's two coupled pages: the panel at the top and the graphs under it always show
// the same recorded instant under their cursors.
#include <cstdint>

#include "controls/roadtest/core/playback.h"

namespace morvit {

inline constexpr int kPanelCursorSource = 1;  // the panel's spin (or a click in the panel) moved
inline constexpr int kLowerCursorSource = 2;  // the lower graphs' spin (or a click there) moved

// Full-rate sample under a page's cursor A.
std::int64_t InstantUnderCursor(const Page& page, std::int64_t recordLength);

// Moves the other page so that its cursor points at the instant under the moved page's cursor,
// holding both page starts inside the recording.
void CoupleCursors(Page& moved, Page& other, std::int64_t recordLength);

// Coupling before a paint: both full views share cursor and page; then the lower graphs' and the
// panel's moves are carried over in that order, as the source says.
void CoupleZoomViews(Page& panel, Page& lower, int cursorSource, std::int64_t recordLength);

}  // namespace morvit
