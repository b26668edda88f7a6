#include "common/capture/child_notifier.h"

namespace vetra {

void NotifyParentMouseMove(win::CWnd& child, win::UINT flags)
{
  win::CWnd* parent = child.GetParent();
  if (parent == nullptr) return;
  parent->SendMessage((flags & win::MK_LBUTTON) != 0 ? kMsgChildHoverHeld : kMsgChildHoverReset, 0, 0);
}

void NotifyParentClickEnded(win::CWnd& child)
{
  if (win::CWnd* parent = child.GetParent()) parent->SendMessage(kMsgChildHoverReset, 0, 0);
}

}  // namespace vetra
