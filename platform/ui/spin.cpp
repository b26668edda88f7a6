#include "platform/ui/spin.h"

#include <algorithm>

#include "platform/ui/control_painting.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/notify.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"

namespace win {

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "msctls_updown32", "", style | WS_CHILD, rect, parent, id);
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
  m_lower = lower;
  m_upper = upper;
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
  lower = m_lower;
  upper = m_upper;
}

int CSpinButtonCtrl::SetPos(int pos)
{
  const int old = m_pos;
  m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
  return old;
}

int CSpinButtonCtrl::ArrowAt(CPoint point) const
{
  CRect r;
  GetClientRect(&r);
  if (!r.PtInRect(point)) return 0;
  if (Horizontal()) return point.x >= r.Width() / 2 ? 1 : -1;
  return point.y < r.Height() / 2 ? 1 : -1;
}

void CSpinButtonCtrl::Step(int arrow)
{
  if (arrow == 0 || m_lower == m_upper) return;
  const int delta = m_upper > m_lower ? arrow : -arrow;
  NMUPDOWN change;
  change.iPos = m_pos;
  change.iDelta = delta;
  const HWND self = m_hWnd;
  if (SendNotify(*this, change.hdr, UDN_DELTAPOS) != 0 || !IsWindow(self)) return;
  const int low = std::min(m_lower, m_upper);
  const int high = std::max(m_lower, m_upper);
  int next = m_pos + change.iDelta;
  if (GetStyle() & UDS_WRAP) {
    if (next > high) next = low;
    if (next < low) next = high;
  }
  next = std::clamp(next, low, high);
  if (next == m_pos) return;
  m_pos = next;
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(Horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKELONG(SB_THUMBPOSITION, static_cast<WORD>(m_pos)),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

namespace {

// Holding an arrow steps once at the press, again after a pause, then at the repeat rate.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 100;

}  // namespace

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CSpinButtonCtrl::Draw)) return *answer;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int arrow = ArrowAt(detail::PointOf(lParam));
      if (arrow == 0) return 0;
      if (GetStyle() & UDS_ARROWKEYS) SetFocus();
      m_held = arrow;
      SetCapture();
      Invalidate(FALSE);
      const HWND self = m_hWnd;
      Step(arrow);
      if (IsWindow(self) && m_held) {
        m_repeating = false;
        SetTimer(kRepeatTimer, kFirstRepeatMs);
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kRepeatTimer && m_held) {
        if (!m_repeating) {
          m_repeating = true;
          SetTimer(kRepeatTimer, kRepeatMs);
        }
        Step(m_held);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (m_held) {
        m_held = 0;
        KillTimer(kRepeatTimer);
        if (message == WM_LBUTTONUP && GetCapture() == this) ReleaseCapture();
        Invalidate(FALSE);
        if (CWnd* parent = GetParent()) {
          parent->SendMessage(Horizontal() ? WM_HSCROLL : WM_VSCROLL, MAKELONG(SB_ENDSCROLL, static_cast<WORD>(m_pos)),
                              reinterpret_cast<LPARAM>(m_hWnd));
        }
      }
      return 0;
    case WM_KEYDOWN:
      if (GetStyle() & UDS_ARROWKEYS) {
        if (wParam == VK_UP || wParam == VK_RIGHT) Step(1);
        if (wParam == VK_DOWN || wParam == VK_LEFT) Step(-1);
      }
      return 0;
    case WM_GETDLGCODE:
      return (GetStyle() & UDS_ARROWKEYS) ? DLGC_WANTARROWS : 0;
    case UDM_SETRANGE:
      SetRange32(static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))),
                 static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
      return 0;
    case UDM_GETRANGE:
      return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
    case UDM_SETRANGE32:
      SetRange32(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = m_lower;
      if (lParam) *reinterpret_cast<int*>(lParam) = m_upper;
      return 0;
    case UDM_SETPOS:
      return SetPos(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case UDM_GETPOS:
      return MAKELONG(static_cast<WORD>(m_pos), 0);
    case UDM_SETPOS32:
      return SetPos(static_cast<int>(lParam));
    case UDM_GETPOS32:
      return m_pos;
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CSpinButtonCtrl::Draw(CDC& dc, CRect r)
{
  const bool horizontal = Horizontal();
  CRect down = r;
  CRect up = r;
  if (horizontal) {
    down.right = r.Width() / 2;
    up.left = down.right;
  } else {
    up.bottom = r.Height() / 2;
    down.top = up.bottom;
  }
  const bool enabled = IsWindowEnabled() != 0;
  for (const auto& [button, arrow] : {std::pair{up, 1}, std::pair{down, -1}}) {
    dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    if (m_held == arrow) {
      dc.Draw3dRect(&button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
      DrawRaisedEdge(dc, button);
    }
    const int direction = horizontal ? (arrow > 0 ? 1 : 0) : (arrow > 0 ? 2 : 3);
    DrawArrow(dc, button, direction, enabled);
  }
}

}  // namespace win
