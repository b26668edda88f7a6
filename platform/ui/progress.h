#pragma once
// Progress bars: a range and a position inside it, drawn as blocks or (PBS_SMOOTH) as one bar.
// Positions outside the range are held at its ends.

#include "platform/ui/cwnd.h"

namespace win {

inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_VERTICAL = 0x04;

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;

class CProgressCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetRange(short lower, short upper) { SetRange32(lower, upper); }
  void SetRange32(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  int SetPos(int pos);  // returns the previous position
  int GetPos() const { return m_pos; }
  int OffsetPos(int delta);
  int SetStep(int step);
  int StepIt();  // advances by the step, wrapping to the start past the end

  // The width in pixels the filled part takes in a client area this wide.
  int FilledWidth(int clientWidth) const;

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Draw(CDC& dc, CRect client);
  int m_lower = 0;
  int m_upper = 100;
  int m_pos = 0;
  int m_step = 10;
};

}  // namespace win
