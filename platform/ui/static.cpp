#include "platform/ui/static.h"

#include "platform/ui/control_painting.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"

namespace win {

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "STATIC", text, style | WS_CHILD, rect, parent, id);
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap)
{
  HBITMAP old = m_bitmap;
  m_bitmap = bitmap;
  if ((GetStyle() & SS_TYPEMASK) == SS_BITMAP && bitmap && !(GetStyle() & SS_CENTERIMAGE)) {
    const CSize size = BitmapSize(*CBitmap::FromHandle(bitmap));
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
  }
  Invalidate();
  return old;
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CStatic::Draw)) return *answer;
  switch (message) {
    case WM_NCHITTEST:
      if (!(GetStyle() & SS_NOTIFY)) return HTTRANSPARENT;
      break;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_SETIMAGE:
      return reinterpret_cast<LRESULT>(SetBitmap(reinterpret_cast<HBITMAP>(lParam)));
    case STM_GETIMAGE:
      return reinterpret_cast<LRESULT>(m_bitmap);
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CStatic::Draw(CDC& dc, CRect)
{
  PaintStatic(*this, dc, m_bitmap ? CBitmap::FromHandle(m_bitmap) : nullptr);
}

}  // namespace win
