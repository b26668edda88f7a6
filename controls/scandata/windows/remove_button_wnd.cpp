#include "controls/scandata/windows/remove_button_wnd.h"

#include "controls/scandata/quarnel_identity.h"
#include "controls/scandata/windows/module_pictures.h"
#include "platform/ui/paint.h"
#include "platform/ui/styles.h"

namespace quarnel {

win::BOOL CRemoveButtonWnd::CreateButton(const win::RECT& rect, win::CWnd* parent, win::UINT id)
{
  OpenModulePicture(normal_, kRemoveButtonBitmap);
  OpenModulePicture(disabled_, kRemoveButtonDisabledBitmap);
  return CreateEx(0, "RemoveButton", "", win::WS_CHILD | win::WS_TABSTOP, rect, parent, id);
}

void CRemoveButtonWnd::OnPaint()
{
  win::CPaintDC dc(this);
  win::CRect client;
  GetClientRect(&client);
  vetra::CDib& picture = IsWindowEnabled() ? normal_ : disabled_;
  if (picture.m_loaded == 0) {
    dc.FillSolidRect(&client, win::RGB(212, 208, 200));
    return;
  }
  picture.Draw(0, 0, client.Width(), client.Height(), &dc);
}

void CRemoveButtonWnd::OnLButtonDown(win::UINT, win::CPoint)
{
  pressed_ = true;
  SetCapture();
}

void CRemoveButtonWnd::OnLButtonUp(win::UINT, win::CPoint point)
{
  if (!pressed_) return;
  pressed_ = false;
  win::ReleaseCapture();
  win::CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point) || !IsWindowEnabled()) return;
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(win::WM_COMMAND, static_cast<win::WPARAM>(win::MAKELONG(static_cast<win::WORD>(GetDlgCtrlID()), win::BN_CLICKED)),
                        reinterpret_cast<win::LPARAM>(m_hWnd));
  }
}

}  // namespace quarnel
