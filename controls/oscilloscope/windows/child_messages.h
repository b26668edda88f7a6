#pragma once
// Messages the viewer's child windows send their control. The hover messages and the notifier
// every child installs as its mouse-move handler are shared with the other viewer controls.
#include "common/capture/child_notifier.h"
#include "platform/ui/cwnd.h"

namespace tessial {

// A click in a graph window placed cursor A or B: wParam the column 0..699, lParam the y.
inline constexpr win::UINT kMsgPlaceCursorA = win::WM_USER + 241;
inline constexpr win::UINT kMsgPlaceCursorB = win::WM_USER + 242;
using vetra::kMsgChildHoverHeld;
using vetra::kMsgChildHoverReset;
using vetra::NotifyParentMouseMove;

}  // namespace tessial
