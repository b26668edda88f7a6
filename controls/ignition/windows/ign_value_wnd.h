#pragma once
// The value panel at the right of the graph: the measured values of the shown position as a table
// of text, for every cylinder one value (the digital view) or every value of the selected
// cylinder (display mode 3). It draws what the control's state holds and keeps nothing itself.
#include <array>

#include "controls/ignition/core/ignition_state.h"
#include "common/dib/dib.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace sparwen {

inline constexpr win::UINT kIdValuePanel = 1525;

class CIgnValueWnd : public win::CWnd {
public:
  static constexpr win::COLORREF kFrame = win::RGB(96, 96, 96);
  static constexpr win::COLORREF kHeader = win::RGB(168, 167, 173);

  explicit CIgnValueWnd(const IgnitionState& state);
  ~CIgnValueWnd() override;

  // A visible child of the control.
  win::BOOL CreatePanel(win::CWnd* parent, const win::RECT& rect);
  void FreeBitmaps();

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;

private:
  void DrawValues(win::CDC& dc);

  const IgnitionState& m_state;
  win::CBackBuffer m_backBuffer;
  win::CRect m_client;
  // Title pictures by value index: dwell, burn time, spark voltage, peak voltage, Tr Off.
  std::array<vetra::CDib, 5> m_titles;
  win::RECT m_titleRect{};
};

}  // namespace sparwen
