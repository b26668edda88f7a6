#include "controls/oscilloscope/windows/measure_panel_wnd.h"

#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/ui/paint.h"

namespace tessial {

CMeasurePanelWnd::~CMeasurePanelWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CMeasurePanelWnd::CreatePanel(win::CWnd* parent, const win::RECT& rect, win::UINT id)
{
  return CreateEx(0, "MeasurePanel", "", win::WS_CHILD | win::WS_VISIBLE, rect, parent, id);
}

void CMeasurePanelWnd::OnPaint()
{
  win::CPaintDC dc(this);
  win::CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kBackground);
}

void CMeasurePanelWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  NotifyParentMouseMove(*this, flags);
  CWnd::OnMouseMove(flags, point);
}

void CMeasurePanelWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  if (win::CWnd* parent = GetParent()) parent->SendMessage(kMsgChildHoverReset, 0, 0);
  CWnd::OnLButtonUp(flags, point);
}

}  // namespace tessial
