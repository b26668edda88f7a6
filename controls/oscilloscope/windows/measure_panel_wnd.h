#pragma once
// The measurement panel at the right of the graphs: a framed box per shown channel with its
// seven readouts between the cursors, or the zoomed channel alone over the whole panel. It reads
// the control's results when it paints; the control tells it the zoom state and the shown count.
#include <array>

#include "controls/oscilloscope/core/panel_layout.h"
#include "controls/oscilloscope/core/scope_state.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace tessial {

class CMeasurePanelWnd : public win::CWnd {
public:
  static constexpr win::COLORREF kBackground = win::RGB(168, 167, 173);
  static constexpr win::COLORREF kFrameOuter = win::RGB(96, 96, 96);
  static constexpr win::COLORREF kBox = win::RGB(255, 255, 255);
  static constexpr win::COLORREF kText = win::RGB(1, 1, 1);

  explicit CMeasurePanelWnd(const ScopeState& state) : m_state(state) {}
  ~CMeasurePanelWnd() override;

  win::BOOL CreatePanel(win::CWnd* parent, const win::RECT& rect, win::UINT id);
  void SetZoom(bool zoomed, int slot) { m_zoomed = zoomed; m_zoomSlot = slot; }
  void SetRows(int rows) { m_rows = rows; }
  // Boxes and fonts for the shown count; after the zoom state and the count are set.
  void Layout();

  bool Zoomed() const { return m_zoomed; }
  int ZoomSlot() const { return m_zoomSlot; }
  int Rows() const { return m_rows; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;

private:
  void DrawBox(win::CDC& dc, const win::RECT& box, int slot, int layoutCount, win::CFont& font);

  const ScopeState& m_state;
  bool m_zoomed = false;
  int m_zoomSlot = 0;
  int m_rows = 0;
  win::CBackBuffer m_backBuffer;
  win::CRect m_ownRect;
  win::CFont m_zoomFont;  // the font of one channel, also the zoomed view's
  win::CFont m_font;      // the font of the shown count
  std::vector<win::RECT> m_boxes;
};

}  // namespace tessial
