#include "platform/ui/progress.h"

#include <algorithm>

#include "platform/ui/control_painting.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"

namespace win {

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "msctls_progress32", "", style | WS_CHILD, rect, parent, id);
}

void CProgressCtrl::SetRange32(int lower, int upper)
{
  m_lower = lower;
  m_upper = upper;
  m_pos = std::clamp(m_pos, std::min(lower, upper), std::max(lower, upper));
  Invalidate(FALSE);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
  lower = m_lower;
  upper = m_upper;
}

int CProgressCtrl::SetPos(int pos)
{
  const int old = m_pos;
  m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
  if (m_pos != old) Invalidate(FALSE);
  return old;
}

int CProgressCtrl::OffsetPos(int delta) { return SetPos(m_pos + delta); }

int CProgressCtrl::SetStep(int step)
{
  const int old = m_step;
  m_step = step;
  return old;
}

int CProgressCtrl::StepIt()
{
  const int old = m_pos;
  int next = m_pos + m_step;
  if (next > std::max(m_lower, m_upper)) next = std::min(m_lower, m_upper) + (next - std::max(m_lower, m_upper));
  SetPos(next);
  return old;
}

int CProgressCtrl::FilledWidth(int clientWidth) const
{
  const long long span = static_cast<long long>(m_upper) - m_lower;
  if (span == 0) return 0;
  return static_cast<int>((static_cast<long long>(m_pos) - m_lower) * clientWidth / span);
}

LRESULT CProgressCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CProgressCtrl::Draw)) return *answer;
  switch (message) {
    case PBM_SETRANGE: {
      const int old = MAKELONG(static_cast<WORD>(m_lower), static_cast<WORD>(m_upper));
      SetRange32(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                 static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))));
      return old;
    }
    case PBM_SETRANGE32: SetRange32(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case PBM_SETPOS: return SetPos(static_cast<int>(wParam));
    case PBM_DELTAPOS: return OffsetPos(static_cast<int>(wParam));
    case PBM_SETSTEP: return SetStep(static_cast<int>(wParam));
    case PBM_STEPIT: return StepIt();
    case PBM_GETPOS: return GetPos();
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CProgressCtrl::Draw(CDC& dc, CRect r)
{
  dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  DrawSunkenEdge(dc, r);
  CRect inside = r;
  inside.DeflateRect(2, 2);
  const int filled = FilledWidth(inside.Width());
  const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
  if (GetStyle() & PBS_SMOOTH) {
    dc.FillSolidRect(inside.left, inside.top, filled, inside.Height(), bar);
  } else {
    // Blocks of two thirds of the height with a gap of two pixels, as many as are full.
    const int block = std::max(2, inside.Height() * 2 / 3);
    for (int x = 0; x + block <= filled + block / 2 && x < inside.Width(); x += block + 2) {
      dc.FillSolidRect(inside.left + x, inside.top, std::min(block, inside.Width() - x), inside.Height(), bar);
    }
  }
}

}  // namespace win
