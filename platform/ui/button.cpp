#include "platform/ui/button.h"

#include "platform/ui/control_painting.h"
#include "platform/ui/dialog_navigation.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"

namespace win {

BOOL CButton::Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "BUTTON", caption, style | WS_CHILD, rect, parent, id);
}

void CButton::SetCheck(int check)
{
  const UINT next = static_cast<UINT>(check) & 3;
  if (next == m_check) return;
  m_check = next;
  Invalidate(FALSE);
}

UINT CButton::GetState() const
{
  return m_check | (m_pushed ? BST_PUSHED : 0) | (m_focused ? BST_FOCUS : 0);
}

void CButton::SetState(BOOL pushed)
{
  if (m_pushed == (pushed != 0)) return;
  m_pushed = pushed != 0;
  Invalidate(FALSE);
}

void CButton::SetButtonStyle(UINT style, BOOL redraw)
{
  ModifyStyle(0xFF, style & 0xFF);
  if (redraw) Invalidate();
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
  if (message != WM_DRAWITEM) return FALSE;
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}

void CButton::Click()
{
  switch (Kind()) {
    case BS_AUTOCHECKBOX:
      SetCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(static_cast<int>((m_check + 1) % 3));
      break;
    case BS_AUTORADIOBUTTON:
      // Only the buttons of its own group give up their check.
      if (CWnd* parent = GetParent()) {
        for (CWnd* sibling : detail::GroupOf(*parent, *this)) {
          auto* radio = dynamic_cast<CButton*>(sibling);
          if (radio && radio != this && radio->Kind() == BS_AUTORADIOBUTTON) radio->SetCheck(BST_UNCHECKED);
        }
      }
      SetCheck(BST_CHECKED);
      break;
    default:
      break;
  }
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID()), BN_CLICKED),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CButton::Draw, detail::EnabledLook::Differs)) return *answer;
  const bool groupBox = Kind() == BS_GROUPBOX;
  switch (message) {
    case WM_NCHITTEST:
      if (groupBox) return HTTRANSPARENT;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (groupBox) return 0;
      SetFocus();
      SetCapture();
      m_tracking = true;
      SetState(TRUE);
      return 0;
    case WM_MOUSEMOVE:
      if (m_tracking) {
        CRect client;
        GetClientRect(&client);
        const CPoint p(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                       static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))));
        SetState(client.PtInRect(p));
      }
      return 0;
    case WM_LBUTTONUP:
      if (m_tracking) {
        m_tracking = false;
        const bool inside = m_pushed;
        SetState(FALSE);
        if (GetCapture() == this) ReleaseCapture();
        if (inside) Click();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (m_tracking && GetCapture() != this) {
        m_tracking = false;
        SetState(FALSE);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !groupBox) SetState(TRUE);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && m_pushed) {
        SetState(FALSE);
        Click();
      }
      return 0;
    case WM_SETFOCUS:
      m_focused = true;
      Invalidate(FALSE);
      RedrawDefaultButtons();
      return 0;
    case WM_KILLFOCUS:
      m_focused = false;
      if (m_pushed && !m_tracking) SetState(FALSE);
      Invalidate(FALSE);
      RedrawDefaultButtons();
      return 0;
    case WM_GETDLGCODE: {
      // An owner-drawn button is pressed by Space only: Return goes to the default button.
      const UINT kind = Kind();
      if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      if (groupBox) return DLGC_STATIC;
      return DLGC_BUTTON;
    }
    case BM_GETCHECK:
      return m_check;
    case BM_SETCHECK:
      SetCheck(static_cast<int>(wParam));
      return 0;
    case BM_GETSTATE:
      return GetState();
    case BM_SETSTATE:
      SetState(static_cast<BOOL>(wParam));
      return 0;
    case BM_SETSTYLE:
      SetButtonStyle(static_cast<UINT>(wParam), static_cast<BOOL>(lParam));
      return 0;
    case BM_CLICK:
      Click();
      return 0;
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

bool CButton::IsPushButton(const CWnd& wnd)
{
  const auto* button = dynamic_cast<const CButton*>(&wnd);
  return button && (button->Kind() == BS_PUSHBUTTON || button->Kind() == BS_DEFPUSHBUTTON);
}

bool CButton::AnotherPushButtonHasFocus() const
{
  const CWnd* focus = GetFocus();
  return focus && focus != this && focus->GetParent() == GetParent() && IsPushButton(*focus);
}

// The thick frame of the default button steps aside while another push button has the keyboard.
void CButton::RedrawDefaultButtons()
{
  if (!IsPushButton(*this)) return;
  if (CWnd* parent = GetParent()) {
    for (CWnd* sibling : parent->GetChildren()) {
      auto* button = dynamic_cast<CButton*>(sibling);
      if (button && button != this && button->Kind() == BS_DEFPUSHBUTTON) button->Invalidate(FALSE);
    }
  }
}

void CButton::Draw(CDC& dc, CRect client)
{
  ButtonLook look;
  look.kind = Kind();
  look.style = GetStyle();
  look.check = m_check;
  look.pushed = m_pushed;
  look.focused = m_focused;
  look.enabled = IsWindowEnabled() != 0;
  look.thickFrame = IsPushButton(*this) && (m_focused || (look.kind == BS_DEFPUSHBUTTON && !AnotherPushButtonHasFocus()));
  look.text = GetWindowText();
  if (look.kind == BS_OWNERDRAW) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (m_pushed ? ODS_SELECTED : 0) | (m_focused ? ODS_FOCUS : 0) |
                    (look.enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = m_hWnd;
    dis.hDC = &dc;
    dis.rcItem = client;
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  } else {
    PaintButton(*this, dc, look);
  }
}

}  // namespace win
