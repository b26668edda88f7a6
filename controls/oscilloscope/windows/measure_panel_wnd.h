#pragma once
// The measurement panel at the right of the graphs; the control tells it the zoom state and the
// number of rows.
#include "platform/ui/cwnd.h"

namespace tessial {

class CMeasurePanelWnd : public win::CWnd {
public:
  static constexpr win::COLORREF kBackground = win::RGB(238, 238, 238);

  CMeasurePanelWnd() = default;
  ~CMeasurePanelWnd() override;

  win::BOOL CreatePanel(win::CWnd* parent, const win::RECT& rect, win::UINT id);
  void SetZoom(bool zoomed, int slot) { m_zoomed = zoomed; m_zoomSlot = slot; }
  void SetRows(int rows) { m_rows = rows; }

  bool Zoomed() const { return m_zoomed; }
  int ZoomSlot() const { return m_zoomSlot; }
  int Rows() const { return m_rows; }

protected:
  void OnPaint() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;

private:
  bool m_zoomed = false;
  int m_zoomSlot = 0;
  int m_rows = 0;
};

}  // namespace tessial
