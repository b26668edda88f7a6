// What the control does with its drawn buttons, menu commands, the children's messages, the
// playback timer and the scroll bars: each asks the model, then shows its state.
#include "controls/ignition/sparwen_ctrl.h"

#include <algorithm>

#include "common/capture/child_notifier.h"
#include "common/capture/print_capture.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/sparwen_identity.h"
#include "platform/ui/cursor.h"
#include "platform/ui/message_box.h"

namespace sparwen {

// ---- commands --------------------------------------------------------------------------------

void CSparwenCtrl::RunButton(int button)
{
  switch (button) {
    case kPrintButton: OnPrintButton(); return;
    case kConfigButton: m_model.ConfigButton(); break;
    case kJikButton: m_model.JikButton(); break;
    case kByunButton: m_model.ByunButton(); break;
    case k3DButton: m_model.ThreeDButton(); break;
    case kTrendButton: m_model.TrendButton(); break;
    case kGaiButton: m_model.GaiButton(); break;
    case kCylButton: m_model.CylButton(); break;
    case kDigitalButton: m_model.DigitalButton(); break;
    case kPlayForwardButton: ApplyToggle(m_model.PlayForward()); break;
    case kPlayReverseButton: ApplyToggle(m_model.PlayReverse()); break;
    case kFastForwardButton: ApplyToggle(m_model.FastForward()); break;
    case kFastReverseButton: ApplyToggle(m_model.FastReverse()); break;
    case kStartButton:
      StopTimer();
      m_model.ToStart();
      break;
    case kEndButton:
      StopTimer();
      m_model.ToEnd();
      break;
    default: return;
  }
  ShowState();
  // The mode buttons' pictures follow the display mode.
  InvalidateControl();
}

void CSparwenCtrl::ApplyToggle(PlayToggle toggle)
{
  if (toggle.tooSmall) {
    win::AfxMessageBox(DataTooSmallText(), win::MB_OK);
    return;
  }
  if (toggle.timer == TimerChange::start && m_hWnd != nullptr) {
    KillTimer(kPlayTimerId);
    SetTimer(kPlayTimerId, static_cast<win::UINT>(toggle.periodMs));
    m_timerRunning = true;
  } else if (toggle.timer == TimerChange::stop) {
    StopTimer();
  }
}

void CSparwenCtrl::StopTimer()
{
  m_model.StopPlayback();
  if (m_hWnd != nullptr) KillTimer(kPlayTimerId);
  m_timerRunning = false;
}

void CSparwenCtrl::OnPrintButton() { vetra::capture::PrintControl(*this); }

win::BOOL CSparwenCtrl::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  switch (win::LOWORD(static_cast<win::DWORD>(wParam))) {
    case kCmdRangeUp: m_model.RangeUp(); break;
    case kCmdRangeDown: m_model.RangeDown(); break;
    case kCmdByun: RunButton(kByunButton); return win::TRUE;
    case kCmd3D: RunButton(k3DButton); return win::TRUE;
    case kCmdGai: RunButton(kGaiButton); return win::TRUE;
    case kCmdJik: RunButton(kJikButton); return win::TRUE;
    case kCmdTrend: RunButton(kTrendButton); return win::TRUE;
    case kCmdCyl: RunButton(kCylButton); return win::TRUE;
    case kCmdDigital: RunButton(kDigitalButton); return win::TRUE;
    case kCmdPlayForward: RunButton(kPlayForwardButton); return win::TRUE;
    case kCmdPlayReverse: RunButton(kPlayReverseButton); return win::TRUE;
    default: return COleControl::OnCommand(wParam, lParam);
  }
  ShowState();
  InvalidateControl();
  return win::TRUE;
}

// ---- messages --------------------------------------------------------------------------------

win::LRESULT CSparwenCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  switch (message) {
    case kMsgGraphPosition:
      m_model.GraphPosition(static_cast<int>(std::min<win::WPARAM>(wParam, 0x7FFFFFFF)));
      ShowState();
      return 0;
    case vetra::kMsgChildHoverHeld:
    case vetra::kMsgChildHoverReset:
      OnChildHover(message == vetra::kMsgChildHoverReset);
      return 0;
    case kMsgCylinderBarCommand:
      m_model.CylinderBarCommand(static_cast<int>(std::min<win::WPARAM>(wParam, 0x7FFFFFFF)));
      ShowState();
      return 0;
    default:
      return COleControl::WindowProc(message, wParam, lParam);
  }
}

void CSparwenCtrl::OnChildHover(bool dropPress)
{
  if (dropPress) m_buttons.ChildHover();
  else m_buttons.ChildDrag();
  SetOwnCursor();
  InvalidateControl();
}

void CSparwenCtrl::OnMouseMove(win::UINT flags, win::CPoint point)
{
  m_buttons.MouseMove(point, (flags & win::MK_LBUTTON) != 0, m_model.State().DisplayMode());
  SetOwnCursor();
  InvalidateControl();
  COleControl::OnMouseMove(flags, point);
}

void CSparwenCtrl::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_buttons.LeftDown(point, m_model.State().DisplayMode());
  InvalidateControl();
  COleControl::OnLButtonDown(flags, point);
}

void CSparwenCtrl::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  const int button = m_buttons.LeftUp(point, m_model.State().DisplayMode());
  if (button != 0) RunButton(button);
  SetOwnCursor();
  InvalidateControl();
  COleControl::OnLButtonUp(flags, point);
}

void CSparwenCtrl::SetOwnCursor()
{
  if (m_hWnd != nullptr) SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
}

win::BOOL CSparwenCtrl::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_buttons.Over() ? win::LoadCursor(win::AfxGetInstanceHandle(), win::MAKEINTRESOURCE(133))
                                  : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CSparwenCtrl::OnTimer(win::UINT_PTR id)
{
  if (id == kPlayTimerId && m_timerRunning) {
    if (m_model.Tick()) StopTimer();
    ShowState();
  }
  COleControl::OnTimer(id);
}

void CSparwenCtrl::OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  // A thumb let go stands where the message says; the bar itself moves only when told.
  const int barPosition = code == win::SB_THUMBPOSITION || !m_frameBar ? static_cast<int>(pos) : m_frameBar->GetScrollPos();
  m_model.HScroll(static_cast<int>(code), barPosition, static_cast<int>(pos));
  ShowState();
  COleControl::OnHScroll(code, pos, bar);
}

void CSparwenCtrl::OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  m_model.VScroll(static_cast<int>(code), static_cast<int>(pos));
  ShowState();
  COleControl::OnVScroll(code, pos, bar);
}

// The wheel over the graph turns the vertical bar while that bar moves the trace (modes 0 and 3).
win::BOOL CSparwenCtrl::OnMouseWheel(win::UINT flags, short delta, win::CPoint screenPoint)
{
  if (m_verticalBar && m_verticalBar->IsWindowVisible() && m_verticalBar->IsWindowEnabled()) {
    m_verticalBar->SendMessage(win::WM_MOUSEWHEEL, win::MAKELONG(static_cast<win::WORD>(flags), static_cast<win::WORD>(delta)),
                               win::MAKELPARAM(screenPoint.x, screenPoint.y));
    return win::TRUE;
  }
  return COleControl::OnMouseWheel(flags, delta, screenPoint);
}

}  // namespace sparwen
