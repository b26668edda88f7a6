#pragma once
// Messages the viewer's child windows send their control, and the notifier every child window
// installs as its mouse-move handler so that the control can drop the hover of its drawn buttons
// while the pointer is over a child.
#include "platform/ui/cwnd.h"

namespace tessial {

// A click in a graph window placed cursor A or B: wParam the column 0..699, lParam the y.
inline constexpr win::UINT kMsgPlaceCursorA = win::WM_USER + 241;
inline constexpr win::UINT kMsgPlaceCursorB = win::WM_USER + 242;
// The pointer is over a child with the left button held.
inline constexpr win::UINT kMsgChildHoverHeld = win::WM_USER + 552;
// The pointer is over a child without the left button, or a click ended on a child.
inline constexpr win::UINT kMsgChildHoverReset = win::WM_USER + 553;

// Tells the child's parent on every move (not only on changes) whether the left button is held.
void NotifyParentMouseMove(win::CWnd& child, win::UINT flags);

}  // namespace tessial
