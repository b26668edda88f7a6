#pragma once
// The window that draws one shown channel: a framed plot with grid, title, scale texts, setting
// flags, the two cursors, the extreme markers and the waveform. It reads the control's state
// when it paints and changes none of it; clicks place the cursors through the control.
#include <string>

#include "controls/oscilloscope/core/scope_state.h"
#include "controls/oscilloscope/core/trace_geometry.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace tessial {

class CScopeGraphWnd : public win::CWnd {
public:
  // Colours of the frame, the plot and what is drawn on it.
  static constexpr win::COLORREF kFrameOuter = win::RGB(96, 96, 96);
  static constexpr win::COLORREF kFrameInner = win::RGB(168, 167, 173);
  static constexpr win::COLORREF kPlot = win::RGB(255, 255, 255);
  static constexpr win::COLORREF kGrid = win::RGB(166, 166, 166);
  static constexpr win::COLORREF kCursor = win::RGB(255, 0, 0);
  static constexpr win::COLORREF kWave = win::RGB(0, 0, 255);
  static constexpr int kTextColourIndex = 13;      // of the control's colour table
  static constexpr int kZeroLineColourIndex = 9;

  CScopeGraphWnd(const ScopeState& state, int slot, std::string name, bool labelsCursors);
  ~CScopeGraphWnd() override;

  // A visible child of the control at `rect`.
  win::BOOL CreateGraph(win::CWnd* parent, const win::RECT& rect, win::UINT id);
  win::BOOL DestroyWindow() override;

  // The channel's envelope of the window just read, turned into the trace's source points with
  // the slot's calibration and scale.
  void SetSamples(const Envelope& envelope);
  // The waveform is converted again at the next paint.
  void MarkForRedraw() { m_redraw = true; }
  // The back buffer for the zoomed height (the whole graph area) or the window's own.
  void ResizeBuffer(bool zoomed);

  int Slot() const { return m_slot; }
  int Type() const { return m_type; }
  bool Clicked() const { return m_clicked; }
  void ClearClicked() { m_clicked = false; }
  const std::string& Name() const { return m_name; }
  // The waveform as last converted, in window coordinates with the origin at the bottom row.
  const TracePoints& WavePoints() const { return m_screen; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnRButtonUp(win::UINT flags, win::CPoint point) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;

private:
  bool Unipolar() const;
  void ResetTrace();
  void MakeBuffer(int height);
  void DrawGrid(win::CDC& dc, int width);
  void DrawTrace(win::CDC& dc, int width);
  void DrawWave(win::CDC& dc, int width);
  // wParam of a cursor message for a click at x, lParam for one at y.
  void PlaceCursor(win::UINT message, win::CPoint point);

  const ScopeState& m_state;
  const int m_slot;
  const int m_type;
  const std::string m_name;
  const bool m_labelsCursors;  // the first slot writes "A" and "B" at the cursors

  win::CBackBuffer m_buffer;
  win::CFont m_font;
  win::CRect m_ownRect;
  int m_height = 0;
  bool m_redraw = false;
  bool m_clicked = false;
  TracePoints m_source = EmptySourcePoints();
  TracePoints m_screen{};
};

}  // namespace tessial
