#pragma once
// Up-down spins: two arrow buttons that step a position inside a range. Before the position
// changes the parent is asked (WM_NOTIFY with UDN_DELTAPOS; a non-zero answer refuses the step);
// afterwards it hears WM_HSCROLL or WM_VSCROLL with SB_THUMBPOSITION and the new position.
// A held arrow repeats; with UDS_ARROWKEYS the arrow keys step too. The parent's OnHScroll and
// OnVScroll get no scroll-bar object for a spin (null): a spin is not a scroll bar.

#include "platform/ui/cwnd.h"

namespace win {

inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_ALIGNLEFT = 0x0008;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_HORZ = 0x0040;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

inline constexpr UINT UDM_SETRANGE = WM_USER + 101;
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;
inline constexpr UINT UDM_SETPOS = WM_USER + 103;
inline constexpr UINT UDM_GETPOS = WM_USER + 104;
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;

class CSpinButtonCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetRange(short lower, short upper) { SetRange32(lower, upper); }
  void SetRange32(int lower, int upper);
  void GetRange32(int& lower, int& upper) const;
  // The previous position; a position outside the range is held at its nearer end.
  int SetPos(int pos);
  int GetPos() const { return m_pos; }
  int GetPos32() const { return m_pos; }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool Horizontal() const { return (GetStyle() & UDS_HORZ) != 0; }
  // +1 for the arrow towards the upper end of the range (up, or right when horizontal).
  int ArrowAt(CPoint point) const;
  void Step(int arrow);
  void Draw(CDC& dc, CRect client);

  int m_lower = 100;  // the framework's spins start with a reversed range
  int m_upper = 0;
  int m_pos = 0;
  int m_held = 0;
  bool m_repeating = false;
};

}  // namespace win
