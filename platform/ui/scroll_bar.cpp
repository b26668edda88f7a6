#include "platform/ui/scroll_bar.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/control_painting.h"
#include "platform/ui/list_rows.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"

namespace win {

namespace {
constexpr UINT_PTR kRepeatTimer = 0x5CB1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;
constexpr int kMinThumb = 8;
}  // namespace

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "SCROLLBAR", "", style | WS_CHILD, rect, parent, id);
}

int CScrollBar::GetScrollLimit() const
{
  return std::max(m_min, m_max - std::max(0, static_cast<int>(m_page) - 1));
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw)
{
  const int old = m_pos;
  m_pos = std::clamp(pos, m_min, GetScrollLimit());
  if (redraw && old != m_pos) Invalidate(FALSE);
  return old;
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const
{
  if (minPos) *minPos = m_min;
  if (maxPos) *maxPos = m_max;
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw)
{
  m_min = minPos;
  m_max = std::max(minPos, maxPos);
  m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
  if (redraw) Invalidate(FALSE);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw)
{
  if (!info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    m_min = info->nMin;
    m_max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) {
    m_page = std::min<UINT>(info->nPage, static_cast<UINT>(m_max - m_min + 1));
  }
  if (info->fMask & SIF_POS) m_pos = info->nPos;
  m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
  if (redraw) Invalidate(FALSE);
  return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) const
{
  if (!info) return FALSE;
  const UINT want = info->fMask ? info->fMask : mask;
  if (want & SIF_RANGE) {
    info->nMin = m_min;
    info->nMax = m_max;
  }
  if (want & SIF_PAGE) info->nPage = m_page;
  if (want & SIF_POS) info->nPos = m_pos;
  if (want & SIF_TRACKPOS) info->nTrackPos = m_held == Part::Thumb ? m_trackPos : m_pos;
  return TRUE;
}

BOOL CScrollBar::EnableScrollBar(UINT arrows)
{
  m_disabledArrows = arrows == ESB_DISABLE_BOTH;
  Invalidate(FALSE);
  return TRUE;
}

CScrollBar::Layout CScrollBar::GetLayout() const
{
  CRect client;
  GetClientRect(&client);
  Layout layout;
  layout.length = IsVertical() ? client.Height() : client.Width();
  const int thickness = IsVertical() ? client.Width() : client.Height();
  layout.arrow = std::min(thickness, layout.length / 2);
  const int track = layout.length - 2 * layout.arrow;
  const int span = m_max - m_min + 1;
  int thumb = m_page ? static_cast<int>(static_cast<long long>(track) * m_page / std::max(1, span)) : thickness;
  thumb = std::max(thumb, kMinThumb);
  if (thumb > track) thumb = track >= kMinThumb ? track : 0;
  layout.thumbSize = thumb;
  const int travel = track - thumb;
  const int limit = GetScrollLimit();
  const int shown = m_held == Part::Thumb ? m_trackPos : m_pos;
  layout.thumbStart = layout.arrow;
  if (limit > m_min && travel > 0) {
    layout.thumbStart += static_cast<int>(static_cast<long long>(travel) * (shown - m_min) / (limit - m_min));
  }
  return layout;
}

CScrollBar::Part CScrollBar::PartAt(int along) const
{
  const Layout layout = GetLayout();
  if (along < 0 || along >= layout.length) return Part::None;
  if (along < layout.arrow) return Part::LineUp;
  if (along >= layout.length - layout.arrow) return Part::LineDown;
  if (layout.thumbSize == 0) return along < layout.length / 2 ? Part::PageUp : Part::PageDown;
  if (along < layout.thumbStart) return Part::PageUp;
  if (along >= layout.thumbStart + layout.thumbSize) return Part::PageDown;
  return Part::Thumb;
}

int CScrollBar::TrackPositionAt(int along) const
{
  const Layout layout = GetLayout();
  const int travel = layout.length - 2 * layout.arrow - layout.thumbSize;
  const int limit = GetScrollLimit();
  if (travel <= 0 || limit <= m_min) return m_min;
  // The drag is measured from the press: back on the pixel where it began, the thumb is back on
  // the position it left, and a one-pixel move is as few positions as the bar's scale allows.
  const int moved = along - m_grabAlong;
  const int offset = m_grabThumbOffset + moved;
  if (offset <= 0) return m_min;
  if (offset >= travel) return limit;
  const long long span = limit - m_min;
  const long long steps = (std::abs(static_cast<long long>(moved)) * span + travel / 2) / travel;
  return std::clamp(m_grabPos + static_cast<int>(moved < 0 ? -steps : steps), m_min, limit);
}

void CScrollBar::Notify(UINT code, int pos)
{
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                        MAKELONG(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

LRESULT CScrollBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CScrollBar::Draw)) return *answer;
  const CPoint p = detail::PointOf(lParam);
  const int along = IsVertical() ? p.y : p.x;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (m_disabledArrows) return 0;
      m_held = PartAt(along);
      m_lastAlong = along;
      if (m_held == Part::None) return 0;
      SetCapture();
      if (m_held == Part::Thumb) {
        // Tracking starts where the bar stands; the thumb's place is taken from that position.
        m_trackPos = m_pos;
        m_grabPos = m_pos;
        m_grabAlong = along;
        const Layout layout = GetLayout();
        m_grabThumbOffset = layout.thumbStart - layout.arrow;
        Invalidate(FALSE);
        return 0;
      }
      static constexpr UINT kCodes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
      Notify(kCodes[static_cast<int>(m_held)]);
      if (m_hWnd) SetTimer(kRepeatTimer, kFirstRepeatMs);
      return 0;
    }
    case WM_MOUSEMOVE:
      m_lastAlong = along;
      if (m_held == Part::Thumb) {
        const int track = TrackPositionAt(along);
        if (track != m_trackPos) {
          m_trackPos = track;
          Invalidate(FALSE);
          Notify(SB_THUMBTRACK, m_trackPos);
        }
      }
      return 0;
    case WM_TIMER:
      if (wParam != kRepeatTimer) break;
      if (m_held == Part::LineUp || m_held == Part::LineDown ||
          ((m_held == Part::PageUp || m_held == Part::PageDown) && PartAt(m_lastAlong) == m_held)) {
        static constexpr UINT kCodes[] = {0, SB_LINEUP, SB_PAGEUP, 0, SB_PAGEDOWN, SB_LINEDOWN};
        Notify(kCodes[static_cast<int>(m_held)]);
        if (m_hWnd) SetTimer(kRepeatTimer, kRepeatMs);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
      if (m_held == Part::None) return 0;
      const Part held = m_held;
      m_held = Part::None;
      KillTimer(kRepeatTimer);
      if (message == WM_LBUTTONUP && GetCapture() == this) ReleaseCapture();
      if (held == Part::Thumb) Notify(SB_THUMBPOSITION, m_trackPos);
      if (m_hWnd) Notify(SB_ENDSCROLL);
      if (m_hWnd) Invalidate(FALSE);
      return 0;
    }
    case WM_KEYDOWN: {
      const bool vertical = IsVertical();
      UINT code = 0xFFFF;
      if (wParam == (vertical ? VK_UP : VK_LEFT)) code = SB_LINEUP;
      else if (wParam == (vertical ? VK_DOWN : VK_RIGHT)) code = SB_LINEDOWN;
      else if (wParam == VK_PRIOR) code = SB_PAGEUP;
      else if (wParam == VK_NEXT) code = SB_PAGEDOWN;
      else if (wParam == VK_HOME) code = SB_TOP;
      else if (wParam == VK_END) code = SB_BOTTOM;
      if (code != 0xFFFF) {
        Notify(code);
        if (m_hWnd) Notify(SB_ENDSCROLL);
      }
      return 0;
    }
    case WM_MOUSEWHEEL: {
      // The bar under the pointer moves a line at a time, as its arrows do, three lines a notch;
      // a disabled bar leaves the wheel to its parent.
      if (!IsWindowEnabled() || m_disabledArrows) break;
      const int lines = detail::WheelRows(static_cast<short>(HIWORD(wParam)), m_wheelRest);
      const HWND self = m_hWnd;
      for (int i = 0; i < std::abs(lines) && IsWindow(self); ++i) Notify(lines < 0 ? SB_LINEUP : SB_LINEDOWN);
      if (lines != 0 && IsWindow(self)) Notify(SB_ENDSCROLL);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CScrollBar::Draw(CDC& dc, CRect)
{
  PaintScrollBar(*this, dc, GetLayout(), m_held == Part::Thumb, IsWindowEnabled() && !m_disabledArrows);
}

}  // namespace win
