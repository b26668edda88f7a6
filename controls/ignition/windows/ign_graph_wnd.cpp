#include "controls/ignition/windows/ign_graph_wnd.h"

#include <algorithm>

#include "common/capture/child_notifier.h"
#include "controls/ignition/core/display_geometry.h"
#include "controls/ignition/core/scale_labels.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/core/value_panel.h"
#include "controls/ignition/windows/skin.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_colors.h"

namespace sparwen {
namespace {

constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);
constexpr int kGridColour = 1;
constexpr int kBandColour = 0;
constexpr int kLabelColour = 11;
constexpr int kFirstCylinderColour = 2;

// A font of the viewer's face with the size and weight given, the rest as every text here has it.
void MakeFont(win::CFont& font, int height, int weight)
{
  font.CreateFont(height, 0, 0, 5, weight, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0x20, FaceName().c_str());
}

// Selects a pen for the life of the scope.
class PenScope {
public:
  PenScope(win::CDC& dc, int style, int width, win::COLORREF colour) : m_dc(dc), m_pen(style, width, colour)
  {
    m_old = dc.SelectObject(&m_pen);
  }
  ~PenScope() { m_dc.SelectObject(m_old); }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

private:
  win::CDC& m_dc;
  win::CPen m_pen;
  win::CPen* m_old = nullptr;
};

// Moves the window origin for the life of the scope.
class OriginScope {
public:
  OriginScope(win::CDC& dc, win::POINT origin) : m_dc(dc), m_old(dc.SetWindowOrg(origin)) {}
  ~OriginScope() { m_dc.SetWindowOrg(m_old); }
  OriginScope(const OriginScope&) = delete;
  OriginScope& operator=(const OriginScope&) = delete;

private:
  win::CDC& m_dc;
  win::CPoint m_old;
};

}  // namespace

CIgnGraphWnd::CIgnGraphWnd(SparwenModel& model) : m_model(model) {}

CIgnGraphWnd::~CIgnGraphWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CIgnGraphWnd::CreateGraph(win::CWnd* parent, const win::RECT& rect)
{
  return CreateEx(0, nullptr, "", win::WS_CHILD | win::WS_VISIBLE, rect, parent, kIdGraph);
}

int CIgnGraphWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  GetClientRect(&m_client);
  FreeBuffers();
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, m_client.Width(), std::max(State().graph.height, 0), "graph");
  MakeFont(m_windowFont, 18, 600);
  MakeFont(m_labelFont, 13, 800);
  m_oldFont = m_backBuffer.DC().SelectObject(&m_windowFont);
  return 0;
}

void CIgnGraphWnd::FreeBuffers()
{
  if (m_backBuffer.DC().GetSafeHdc() != nullptr && m_oldFont != nullptr) m_backBuffer.DC().SelectObject(m_oldFont);
  m_oldFont = nullptr;
  m_backBuffer.Free();
}

int CIgnGraphWnd::Cylinders() const { return std::clamp(State().Cylinders(), 0, kMaxCylinders); }

int CIgnGraphWnd::PointCount() const { return TracePointCount(State().settings.timeBaseCode, State().sweepCount); }

void CIgnGraphWnd::Line(win::CDC& dc, int x0, int y0, int x1, int y1)
{
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

void CIgnGraphWnd::DrawPoints(win::CDC& dc, int count)
{
  dc.Polyline(m_points.data(), std::clamp(count, 0, static_cast<int>(m_points.size())));
}

void CIgnGraphWnd::OnPaint()
{
  win::CPaintDC paint(this);
  if (!m_backBuffer.IsReady()) return;
  const IgnitionState& s = State();
  const int h = s.graph.height;
  win::CDC& dc = m_backBuffer.DC();
  const int bkMode = dc.SetBkMode(win::TRANSPARENT);
  const int rop = dc.SetROP2(win::R2_COPYPEN);
  const auto selected = m_backBuffer.Select();
  FillFramedPanel(dc, m_client.Width(), m_client.Height(), kFrame, s.colours[kBackgroundColour]);
  {
    // y = 0 is the bottom row; everything above it is negative.
    const OriginScope origin(dc, {0, -h});
    if (!s.trend) {
      switch (s.DisplayMode()) {
        case 0: DrawJikGrid(dc); DrawVoltageScale(dc); DrawJikTrace(dc); break;
        case 1: DrawByunGrid(dc); DrawVoltageScale(dc); DrawByunTraces(dc); break;
        case 2: Draw3DGrid(dc); DrawVoltageScale(dc); Draw3DTraces(dc); break;
        case 3: DrawGaiGrid(dc); DrawVoltageScale(dc); DrawGaiTrace(dc); break;
        default: break;  // an unknown mode leaves the plot empty
      }
    } else {
      const int opaque = dc.SetBkMode(win::OPAQUE);
      DrawTrendCurves(dc);
      DrawTrendBands(dc);
      dc.SetBkMode(opaque);
    }
  }
  dc.SetROP2(rop);
  dc.SetBkMode(bkMode);
  m_backBuffer.CopyTo(paint, m_client.Width(), h);
}

void CIgnGraphWnd::DrawAxisUnit(win::CDC& dc)
{
  dc.TextOut(State().graph.width - 50, -20, AxisUnitText(State().graph.unitText));
}

// ---- mode 0: all cylinders in one trace ---------------------------------------------------------

void CIgnGraphWnd::DrawJikGrid(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int w = s.graph.width;
  const int h = s.graph.height;
  dc.SelectObject(&m_labelFont);
  dc.SetTextColor(kBlack);
  const bool split = s.settings.pairedFlag == 1;
  const int area = split ? h / 2 : h;
  {
    const PenScope grid(dc, win::PS_DOT, 1, s.colours[kGridColour]);
    if (split) {
      win::CRect band(JikBandRect(s.settings.bandPosition, w, area));
      band.NormalizeRect();
      dc.FillSolidRect(&band, s.colours[kBandColour]);
    }
    for (const int y : ZeroGridYs(s.graph.zeroPos, area, true)) Line(dc, 0, y, w, y);
    if (split) {
      for (const int y : UpperZeroGridYs(s.graph.zeroPos, area)) Line(dc, 0, y, w, y);
    }
    for (const AxisTick& tick : JikTimeAxis(s.settings.timeBaseCode, Cylinders(), s.graph.divValue, w)) {
      Line(dc, tick.x, 0, tick.x, -h);
      dc.TextOut(tick.textX, -20, tick.text);
      if (tick.cylinderPosition == 0) continue;
      dc.SelectObject(&m_windowFont);
      const int cylinder = s.CylinderAt(tick.cylinderPosition);
      const bool known = s.graph.cylinderSync == 1;
      dc.SetTextColor(known ? s.CylinderColour(cylinder) : s.colours[kLabelColour]);
      dc.TextOut(tick.x - 5, 20 - area, TraceCylinderText(known, cylinder));
      dc.SelectObject(&m_labelFont);
      dc.SetTextColor(s.colours[kLabelColour]);
    }
    DrawAxisUnit(dc);
  }
  dc.SelectObject(&m_windowFont);
}

void CIgnGraphWnd::DrawJikTrace(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int w = s.graph.width;
  {
    const PenScope pen(dc, win::PS_SOLID, s.graph.penWidth, s.colours[kFirstCylinderColour]);
    const auto draw = [&](int row) {
      for (int i = 0; i < kTraceLength; ++i) m_points[static_cast<std::size_t>(i)] = {JikPointX(i, w), s.graph.trace[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)]};
      DrawPoints(dc, kTraceLength);
    };
    draw(0);
    if (s.settings.pairedFlag == 1) draw(8);
  }
  if (s.settings.pairedFlag == 1) {
    const PenScope split(dc, win::PS_SOLID, 2, win::GetSysColor(win::COLOR_BTNFACE));
    Line(dc, 0, -(s.graph.height / 2), w, -(s.graph.height / 2));
  }
  DrawRpmText(dc);
}

// ---- mode 1: one band per cylinder -----------------------------------------------------------

void CIgnGraphWnd::DrawStandardTimeAxis(win::CDC& dc)
{
  const IgnitionState& s = State();
  for (const AxisTick& tick : StandardTimeAxis(s.graphScale, s.settings.timeBaseCode, s.graph.divValue, s.graph.width)) {
    Line(dc, tick.x, 0, tick.x, -s.graph.height);
    dc.TextOut(tick.textX, -20, tick.text);
  }
  DrawAxisUnit(dc);
}

void CIgnGraphWnd::DrawByunGrid(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int n = Cylinders();
  const int w = s.graph.width;
  const int h = s.graph.height;
  dc.SelectObject(&m_labelFont);
  dc.SetTextColor(kBlack);
  {
    const PenScope grid(dc, win::PS_DOT, 1, s.colours[kGridColour]);
    for (const int y : ByunBandLineYs(h, n)) Line(dc, 0, y, w, y);
    for (int j = 0; j < n; ++j) {
      const int cylinder = s.CylinderAt(n - j);
      const bool known = s.graph.cylinderSync == 1;
      dc.SelectObject(&m_windowFont);
      dc.SetTextColor(known ? s.CylinderColour(cylinder) : kUnknownCylinderColour);
      dc.TextOut(5, ByunLabelY(j, h, n), TraceCylinderText(known, cylinder));
      dc.SelectObject(&m_labelFont);
      dc.SetTextColor(kBlack);
    }
    DrawStandardTimeAxis(dc);
  }
  if (s.settings.timeBaseCode != 0) {
    {
      const PenScope cursors(dc, win::PS_SOLID, 1, s.colours[kGridColour]);
      Line(dc, s.graph.cursorX, 0, s.graph.cursorX, -h);
      Line(dc, s.graph.cursor2X, 0, s.graph.cursor2X, -h);
    }
    win::CFont large;
    MakeFont(large, 25, 600);
    dc.SelectObject(&large);
    dc.SetTextColor(kBlack);
    dc.TextOut(30, 25 - h, TimeDifferenceText(s.graph.cursorX, s.graph.cursor2X, s.graph.divValue, s.graphWidth, s.graph.unitText));
    dc.SelectObject(&m_windowFont);
  }
  dc.SelectObject(&m_windowFont);
}

void CIgnGraphWnd::DrawByunTraces(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int n = Cylinders();
  const int points = PointCount();
  for (int k = 0; k < n; ++k) {
    const OriginScope origin(dc, {0, ByunTraceOriginY(k, s.graph.height, n)});
    const PenScope pen(dc, win::PS_SOLID, s.graph.penWidth, s.CylinderColour(s.CylinderAt(k + 1)));
    for (int i = 0; i < points; ++i) {
      m_points[static_cast<std::size_t>(i)] = {TracePointX(i, s.graph.width, points), s.graph.trace[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)]};
    }
    DrawPoints(dc, points);
  }
  DrawRpmText(dc);
}

// ---- mode 2: cylinders on planes one behind the other ----------------------------------------------

void CIgnGraphWnd::Draw3DGrid(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int n = Cylinders();
  const auto g = ThreeDLayout(s.graph.width, s.graph.height, n, PointCount());
  dc.SelectObject(&m_labelFont);
  dc.SetTextColor(kBlack);
  if (g) {
    const PenScope grid(dc, win::PS_DOT, 1, s.colours[kGridColour]);
    for (const DepthTick& tick : ThreeDTimeAxis(*g, s.graphScale, s.settings.timeBaseCode, s.graph.divValue, s.graph.width, s.graph.depthStep, n)) {
      Line(dc, tick.tick.x, 0, tick.tick.x, -g->floor);
      dc.TextOut(tick.tick.textX, -20, tick.tick.text);
      if (n > 1) Line(dc, tick.tick.x, -g->floor, tick.depthEnd.x, tick.depthEnd.y);
    }
    for (int j = 0; j < n; ++j) {
      const PlaneLine plane = ThreeDPlaneLine(*g, j, s.graph.depthStep);
      Line(dc, plane.x0, plane.y, plane.x1, plane.y);
    }
    DrawAxisUnit(dc);
  }
  dc.SelectObject(&m_windowFont);
}

void CIgnGraphWnd::Draw3DTraces(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int n = Cylinders();
  const int points = PointCount();
  const auto g = ThreeDLayout(s.graph.width, s.graph.height, n, points);
  if (g) {
    for (int k = 0; k < n; ++k) {
      const int position = n - k;
      const int cylinder = s.CylinderAt(position);
      const bool known = s.graph.cylinderSync == 1;
      const PenScope pen(dc, win::PS_SOLID, s.graph.penWidth, s.CylinderColour(cylinder));
      dc.SetTextColor(known ? s.CylinderColour(cylinder) : s.colours[kLabelColour]);
      const OriginScope origin(dc, ThreeDTraceOrigin(*g, k, s.graph.depthStep, s.graph.height));
      dc.TextOut(-20, -5, TraceCylinderText(known, cylinder));
      for (int i = 0; i < points; ++i) {
        m_points[static_cast<std::size_t>(i)] = {ThreeDPointX(i, *g, points), s.graph.trace[static_cast<std::size_t>(position - 1)][static_cast<std::size_t>(i)]};
      }
      DrawPoints(dc, points);
    }
  }
  DrawRpmText(dc);
}

// ---- mode 3: the selected cylinder alone ---------------------------------------------------

void CIgnGraphWnd::DrawGaiGrid(win::CDC& dc)
{
  const IgnitionState& s = State();
  dc.SelectObject(&m_labelFont);
  dc.SetTextColor(kBlack);
  {
    const PenScope grid(dc, win::PS_DOT, 1, s.colours[kGridColour]);
    for (const int y : ZeroGridYs(s.graph.zeroPos, s.graph.height, false)) Line(dc, 0, y, s.graph.width, y);
    DrawStandardTimeAxis(dc);
  }
  dc.SelectObject(&m_windowFont);
}

void CIgnGraphWnd::DrawGaiTrace(win::CDC& dc)
{
  const IgnitionState& s = State();
  if (Cylinders() > 0) {
    const int row = s.SelectedIndex();
    const int cylinder = s.CylinderAt(row + 1);
    const int points = PointCount();
    const PenScope pen(dc, win::PS_SOLID, s.graph.penWidth, s.CylinderColour(cylinder));
    for (int i = 0; i < points; ++i) {
      m_points[static_cast<std::size_t>(i)] = {TracePointX(i, s.graph.width, points), s.graph.trace[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)]};
    }
    DrawPoints(dc, points);
    const bool known = s.graph.cylinderSync == 1;
    dc.SetTextColor(known ? s.CylinderColour(cylinder) : s.colours[kLabelColour]);
    dc.TextOut(320, -460, GaiCylinderText(known, cylinder));
  }
  DrawRpmText(dc);
}

// ---- labels ----------------------------------------------------------------------------

void CIgnGraphWnd::DrawVoltageScale(win::CDC& dc)
{
  const IgnitionState& s = State();
  VoltageScaleInput input;
  input.secondary = s.Secondary();
  input.range = s.graph.range;
  input.zeroPos = s.graph.zeroPos;
  input.graphHeight = s.graph.height;
  input.displayMode = s.DisplayMode();
  input.pairedFlag = s.settings.pairedFlag;
  input.trend = s.trend;
  const std::vector<ScaleLabel> labels = VoltageScaleLabels(input);
  if (labels.empty()) return;
  const PenScope pen(dc, win::PS_SOLID, 1, kScaleColour);
  dc.SelectObject(&m_labelFont);
  dc.SetTextColor(kBlack);
  for (const ScaleLabel& label : labels) dc.TextOut(label.origin.x, label.origin.y, label.text);
  dc.SelectObject(&m_windowFont);
}

void CIgnGraphWnd::DrawRpmText(win::CDC& dc)
{
  const IgnitionState& s = State();
  win::CFont font;
  MakeFont(font, 22, 600);
  dc.SelectObject(&font);
  dc.SetTextColor(kRpmColour);
  dc.TextOut(s.graph.width - 120, 20 - s.graph.height, RpmText(s.graph.rpm));
  dc.SelectObject(&m_windowFont);
}

// ---- trend view ------------------------------------------------------------------------

void CIgnGraphWnd::DrawTrendCurves(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int w = s.graph.width;
  const int h = s.graph.height;
  const TrendHistory& trend = s.graph.trend;
  const bool secondary = s.Secondary();
  const int count = std::clamp(trend.Count() * 10, 0, kTrendPoints);
  {
    const PenScope red(dc, win::PS_SOLID, s.graph.penWidth, kTrendPositionColour);
    const int x = TrendPositionLineX(s.graph.trendSpan, w);
    Line(dc, x, 0, x, -h);
  }
  const int rows = secondary ? 4 : 5;
  for (int c = 0; c < Cylinders(); ++c) {
    if (s.trendSelection[static_cast<std::size_t>(c)] != 1) continue;
    const PenScope pen(dc, win::PS_SOLID, s.graph.penWidth, s.CylinderColour(s.CylinderAt(c + 1)));
    for (int k = 0; k < rows; ++k) {
      const TrendCurveMapping mapping(k, trend.Maxima()[static_cast<std::size_t>(TrendMaxIndex(k))], secondary, h, w);
      for (int i = 0; i < count; ++i) m_points[static_cast<std::size_t>(i)] = mapping.Point(trend.Point(c, k, i));
      DrawPoints(dc, count);
    }
  }
  const PenScope black(dc, win::PS_SOLID, s.graph.penWidth, kBlack);
  for (int i = 0; i < count; ++i) m_points[static_cast<std::size_t>(i)] = TrendRpmPoint(trend.RpmPoint(i), trend.Maxima()[kTrendRpmMax], secondary, h, w);
  DrawPoints(dc, count);
}

void CIgnGraphWnd::DrawTrendBands(win::CDC& dc)
{
  const IgnitionState& s = State();
  const int w = s.graph.width;
  const PenScope pen(dc, win::PS_SOLID, 2, kScaleColour);
  for (const int y : TrendBandLineYs(s.Secondary(), s.graph.height)) Line(dc, 0, y, w, y);
  win::CFont font;
  MakeFont(font, 16, 800);
  dc.SelectObject(&font);
  dc.SetTextColor(kBlack);
  for (const TrendBandText& band : TrendBandTexts(s.Secondary(), s.graph.height, w, s.graph.trend.Maxima())) {
    dc.TextOut(band.namePos.x, band.namePos.y, band.name);
    dc.TextOut(band.maximumPos.x, band.maximumPos.y, band.maximum);
    dc.TextOut(band.zeroPos.x, band.zeroPos.y, "0");
  }
  dc.SelectObject(&m_windowFont);
}

// ---- mouse ------------------------------------------------------------------------------

void CIgnGraphWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  win::CWnd* parent = GetParent();
  if (m_model.GraphLeftClick(point.x)) {
    if (parent != nullptr) parent->SendMessage(kMsgGraphPosition, static_cast<win::WPARAM>(std::max(0, static_cast<int>(point.x))), static_cast<win::LPARAM>(point.y));
  } else if (State().DisplayMode() == 1) {
    Invalidate(win::FALSE);
  }
  vetra::NotifyParentClickEnded(*this);
  CWnd::OnLButtonUp(flags, point);
}

void CIgnGraphWnd::OnRButtonUp(win::UINT flags, win::CPoint point)
{
  if (State().DisplayMode() == 1) {
    m_model.GraphRightClick(point.x);
    Invalidate(win::FALSE);
  }
  CWnd::OnRButtonUp(flags, point);
}

void CIgnGraphWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  vetra::NotifyParentMouseMove(*this, flags);
  CWnd::OnMouseMove(flags, point);
}

}  // namespace sparwen
