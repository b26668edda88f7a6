#pragma once
// The graph window of the ignition viewer: the traces of the shown position in one of the four
// display modes, or the trend view, with grid, time axis, voltage labels and engine speed. It
// draws what the control's model holds (the converted traces and the shared state) through one
// back buffer; clicks go to the model and, in the trend view, to the control as a position.
#include <array>

#include "controls/ignition/core/sparwen_model.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace sparwen {

// A left click in the trend view: wParam x, lParam y of the click.
inline constexpr win::UINT kMsgGraphPosition = win::WM_USER + 551;
inline constexpr win::UINT kIdGraph = 1526;

class CIgnGraphWnd : public win::CWnd {
public:
  static constexpr win::COLORREF kFrame = win::RGB(96, 96, 96);
  static constexpr win::COLORREF kScaleColour = win::RGB(43, 58, 124);
  static constexpr win::COLORREF kRpmColour = win::RGB(15, 24, 177);
  static constexpr win::COLORREF kTrendPositionColour = win::RGB(255, 0, 0);

  explicit CIgnGraphWnd(SparwenModel& model);
  ~CIgnGraphWnd() override;

  // A visible child of the control.
  win::BOOL CreateGraph(win::CWnd* parent, const win::RECT& rect);
  void FreeBuffers();

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnRButtonUp(win::UINT flags, win::CPoint point) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;

private:
  const IgnitionState& State() const { return m_model.State(); }
  int Cylinders() const;
  int PointCount() const;
  void Line(win::CDC& dc, int x0, int y0, int x1, int y1);
  // One polyline of `count` points of the shared buffer.
  void DrawPoints(win::CDC& dc, int count);
  void DrawAxisUnit(win::CDC& dc);

  void DrawJikGrid(win::CDC& dc);
  void DrawJikTrace(win::CDC& dc);
  void DrawByunGrid(win::CDC& dc);
  void DrawByunTraces(win::CDC& dc);
  void Draw3DGrid(win::CDC& dc);
  void Draw3DTraces(win::CDC& dc);
  void DrawGaiGrid(win::CDC& dc);
  void DrawGaiTrace(win::CDC& dc);
  void DrawStandardTimeAxis(win::CDC& dc);
  void DrawVoltageScale(win::CDC& dc);
  void DrawRpmText(win::CDC& dc);
  void DrawTrendCurves(win::CDC& dc);
  void DrawTrendBands(win::CDC& dc);

  SparwenModel& m_model;
  win::CBackBuffer m_backBuffer;
  win::CFont m_windowFont;
  win::CFont m_labelFont;
  win::CFont* m_oldFont = nullptr;
  win::CRect m_client;
  std::array<win::POINT, kTraceLength> m_points{};
};

}  // namespace sparwen
