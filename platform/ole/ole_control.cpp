#include "platform/ole/ole_control.h"

#include "platform/ui/paint.h"
#include "platform/ui/styles.h"

namespace win {

COleControl::COleControl(ControlIdentity identity) : COleControlObject(std::move(identity)) {}

COleControl::~COleControl()
{
  // A control released with its window still up: the window goes first, while the object is
  // still whole enough to receive its last messages.
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL COleControl::CreateControlWindow(CWnd* parent, const RECT& rect, UINT id)
{
  if (parent == nullptr || parent->GetSafeHwnd() == nullptr) return FALSE;
  return CreateEx(0, "VetraControl", Identity().progId.c_str(),
                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent, id);
}

void COleControl::InvalidateControl(const RECT* rect)
{
  if (m_hWnd != nullptr) InvalidateRect(rect, FALSE);
}

void COleControl::GetControlSize(int* cx, int* cy) const
{
  CRect r(0, 0, 0, 0);
  if (m_hWnd != nullptr) GetClientRect(&r);
  if (cx != nullptr) *cx = r.Width();
  if (cy != nullptr) *cy = r.Height();
}

BOOL COleControl::SetControlSize(int cx, int cy)
{
  if (m_hWnd == nullptr || cx < 0 || cy < 0) return FALSE;
  return SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void COleControl::OnDraw(CDC*, const CRect&, const CRect&) {}

void COleControl::OnPaint()
{
  CPaintDC dc(this);
  CRect bounds;
  GetClientRect(&bounds);
  OnDraw(&dc, bounds, CRect(dc.m_ps.rcPaint));
}

COleControl* ControlWindowOf(COleControlObject* control)
{
  return dynamic_cast<COleControl*>(control);
}

}  // namespace win
