#pragma once
// The overlay: every shown channel over one another in one plot on a dark background, each in
// its own colour, with the cursors and a grid in percent. It lies over the graph area, hidden
// until the user switches it on; clicks in it place the cursors as in a graph window.
#include <array>

#include "controls/oscilloscope/core/scope_state.h"
#include "controls/oscilloscope/core/trace_geometry.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace tessial {

class CScopeAuxWnd : public win::CWnd {
public:
  // Indexes of the control's colour table.
  static constexpr int kCursorColour = 8;
  static constexpr int kHorizontalGridColour = 9;
  static constexpr int kVerticalGridColour = 11;
  static constexpr int kBackgroundColour = 12;

  explicit CScopeAuxWnd(const ScopeState& state) : m_state(state) {}
  ~CScopeAuxWnd() override;

  // A hidden child of the control at `rect`.
  win::BOOL CreateOverlay(win::CWnd* parent, const win::RECT& rect, win::UINT id);
  // The slot's envelope of the window just read, with the slot's calibration and scale.
  void SetRow(int slot, const Envelope& envelope);

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnRButtonUp(win::UINT flags, win::CPoint point) override;

private:
  void DrawGrid(win::CDC& dc, int width);
  void DrawTraces(win::CDC& dc, int width);
  void PlaceCursor(win::UINT message, win::CPoint point);

  const ScopeState& m_state;
  win::CBackBuffer m_buffer;
  win::CFont m_labelFont;
  win::CFont m_cursorFont;
  int m_height = 0;
  std::array<TracePoints, kMaxSlots> m_rows{};
};

}  // namespace tessial
