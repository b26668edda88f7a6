#include "controls/oscilloscope/windows/child_messages.h"

namespace tessial {

void NotifyParentMouseMove(win::CWnd& child, win::UINT flags)
{
  win::CWnd* parent = child.GetParent();
  if (parent == nullptr) return;
  parent->SendMessage((flags & win::MK_LBUTTON) != 0 ? kMsgChildHoverHeld : kMsgChildHoverReset, 0, 0);
}

}  // namespace tessial
