#pragma once
// Everything below the button bar: the stacked or overlaid graphs of the shown items, the zoom
// panel with the graphs under it, and in measurement mode the measurement panel. Each graph is
// drawn off screen in a bitmap of its own and copied in one piece.
#include <array>

#include "controls/roadtest/core/road_model.h"
#include "platform/gdi/cdc.h"

namespace morvit {

// Vertical offsets of the items in the overlap layout (screen pixels, -150..150).
using ItemOffsets = std::array<int, kItemCount>;

inline constexpr win::RECT kGraphArea = {4, 143, 728, 683};
inline constexpr win::COLORREF kGraphBackground = win::RGB(168, 167, 173);

// Slot colours 1 to 8 of the overlap layout.
win::COLORREF SlotColour(int slot);

// Paints the graph area of the control into `dc` (client coordinates). `fullRedraw` fills the
// whole area first; `rebuildPages` builds every item's page afresh, which otherwise happens only
// when more than a cursor moved.
void DrawGraphArea(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets, bool fullRedraw, bool rebuildPages);

}  // namespace morvit
