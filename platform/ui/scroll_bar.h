#pragma once
// Scroll-bar controls. The bar tells its parent what the user did (WM_HSCROLL / WM_VSCROLL with
// SB_LINEUP, SB_PAGEDOWN, SB_THUMBTRACK with the track position, ...); the parent decides the
// new position and sets it. Arrows and the page area repeat while held.

#include "platform/ui/cwnd.h"

namespace win {

inline constexpr UINT SIF_RANGE = 0x1;
inline constexpr UINT SIF_PAGE = 0x2;
inline constexpr UINT SIF_POS = 0x4;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x8;
inline constexpr UINT SIF_TRACKPOS = 0x10;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_BOTH = 3;

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;

class CScrollBar : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetScrollPos() const { return m_pos; }
  int SetScrollPos(int pos, BOOL redraw = TRUE);
  void GetScrollRange(int* minPos, int* maxPos) const;
  void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  int GetScrollLimit() const;
  BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
  void ShowScrollBar(BOOL show = TRUE) { ShowWindow(show ? SW_SHOW : SW_HIDE); }

  bool IsVertical() const { return (GetStyle() & SBS_VERT) != 0; }

  // Geometry of the drawn bar along its length, in client pixels (for painting and tests).
  struct Layout {
    int length = 0;      // whole length
    int arrow = 0;       // size of each arrow
    int thumbStart = 0;  // thumb's offset from the start
    int thumbSize = 0;
  };
  Layout GetLayout() const;

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };
  Part PartAt(int along) const;
  void Notify(UINT code, int pos = 0);
  // The tracking position for the pointer at `along` while the thumb is dragged.
  int TrackPositionAt(int along) const;
  void Draw(CDC& dc, CRect client);

  int m_min = 0;
  int m_max = 100;
  UINT m_page = 0;
  int m_pos = 0;
  int m_trackPos = 0;
  bool m_disabledArrows = false;
  Part m_held = Part::None;
  // The press that began a thumb drag: pointer, position and the thumb's offset in the track.
  int m_grabAlong = 0;
  int m_grabPos = 0;
  int m_grabThumbOffset = 0;
  int m_lastAlong = 0;
  int m_wheelRest = 0;  // part turns of the wheel not yet a line
};

}  // namespace win
