#pragma once
// What every viewer control hears from its child windows about the pointer: the messages a child
// sends its parent, and the mouse-move handler every child installs, so that the control can drop
// the hover (and the press) of its drawn buttons while the pointer is over a child.
#include "platform/ui/cwnd.h"

namespace vetra {

// The pointer is over a child with the left button held.
inline constexpr win::UINT kMsgChildHoverHeld = win::WM_USER + 552;
// The pointer is over a child without the left button, or a click ended on a child.
inline constexpr win::UINT kMsgChildHoverReset = win::WM_USER + 553;

// Tells the child's parent on every move (not only on changes) whether the left button is held.
void NotifyParentMouseMove(win::CWnd& child, win::UINT flags);
// A click ended on the child.
void NotifyParentClickEnded(win::CWnd& child);

}  // namespace vetra
