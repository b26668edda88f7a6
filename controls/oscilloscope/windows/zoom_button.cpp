#include "controls/oscilloscope/windows/zoom_button.h"

#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace tessial {

CZoomButton::~CZoomButton()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CZoomButton::CreateButton(const char* caption, const win::RECT& rect, win::CWnd* parent, win::UINT id, unsigned bitmapId)
{
  m_picture.Open(vetra::Format("C:\\Vetra\\Fenmark\\Res\\Tessial\\Bitmap%u.bmp", bitmapId).c_str());
  return CreateEx(0, "ZoomButton", caption, win::WS_CHILD, rect, parent, id);
}

void CZoomButton::OnPaint()
{
  win::CPaintDC dc(this);
  win::CRect client;
  GetClientRect(&client);
  if (m_picture.m_loaded) {
    // Pressed, the picture moves down and right by one pixel, as a push button's face does.
    const int shift = m_pressed ? 1 : 0;
    m_picture.Draw(shift, shift, client.Width(), client.Height(), &dc);
  }
}

void CZoomButton::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_pressed = true;
  SetCapture();
  Invalidate(win::FALSE);
  CWnd::OnLButtonDown(flags, point);
}

void CZoomButton::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  const bool wasPressed = m_pressed;
  m_pressed = false;
  if (GetCapture() == this) win::ReleaseCapture();
  Invalidate(win::FALSE);
  win::CRect client;
  GetClientRect(&client);
  const bool inside = point.x >= 0 && point.y >= 0 && point.x < client.right && point.y < client.bottom;
  if (wasPressed && inside) {
    if (win::CWnd* parent = GetParent()) parent->SendMessage(win::WM_COMMAND, win::MAKELONG(GetDlgCtrlID(), 0), reinterpret_cast<win::LPARAM>(m_hWnd));
  }
  CWnd::OnLButtonUp(flags, point);
}

}  // namespace tessial
