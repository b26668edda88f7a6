#include "platform/ui/bitmap_button.h"

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/control_painting.h"

namespace win {

BOOL CBitmapButton::LoadBitmaps(UINT up, UINT selected, UINT focus, UINT disabled)
{
  m_bitmap.DeleteObject();
  m_bitmapSel.DeleteObject();
  m_bitmapFocus.DeleteObject();
  m_bitmapDisabled.DeleteObject();
  if (!LoadBitmapResource(m_bitmap, up)) return FALSE;
  BOOL ok = TRUE;
  if (selected) ok &= LoadBitmapResource(m_bitmapSel, selected);
  if (focus) ok &= LoadBitmapResource(m_bitmapFocus, focus);
  if (disabled) ok &= LoadBitmapResource(m_bitmapDisabled, disabled);
  return ok;
}

void CBitmapButton::SizeToContent()
{
  const CSize size = BitmapSize(m_bitmap);
  SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
  if (!dis || !dis->hDC) return;
  CBitmap* picture = &m_bitmap;
  if ((dis->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject) picture = &m_bitmapSel;
  else if ((dis->itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject) picture = &m_bitmapFocus;
  else if ((dis->itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject) picture = &m_bitmapDisabled;
  if (!picture->m_hObject) return;
  CDC memory;
  memory.CreateCompatibleDC(dis->hDC);
  CBitmap* old = memory.SelectObject(picture);
  const CRect r(dis->rcItem);
  dis->hDC->BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

}  // namespace win
