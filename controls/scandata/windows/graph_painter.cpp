#include "controls/scandata/windows/graph_painter.h"

#include <vector>

#include "platform/base/text.h"

namespace quarnel {
namespace {

using C = GraphColours;

const std::string& Face()
{
  static const std::string face = vetra::Cp949("굴림체");
  return face;
}

struct Fonts {
  Fonts()
  {
    name.CreateFont(16, 8, 0, 0, 600, 0, 0, 0, 1, 0, 0, 2, 0, Face().c_str());
    scale.CreateFont(16, 8, 0, 0, 400, 0, 0, 0, 1, 0, 0, 2, 0, Face().c_str());
    value.CreateFont(18, 9, 0, 0, 600, 0, 0, 0, 1, 0, 0, 2, 0, Face().c_str());
    minMax.CreateFont(14, 7, 0, 0, 400, 0, 0, 0, 1, 0, 0, 2, 0, Face().c_str());
  }
  win::CFont name, scale, value, minMax;
};

void VerticalLine(win::CDC& dc, int x, int height, win::COLORREF colour) { dc.FillSolidRect(x, 0, 1, height, colour); }

void DrawOneGraph(win::CDC& dc, ScanModel& model, int graph, Fonts& fonts)
{
  const ScanState& s = model.State();
  const GraphSlot& slot = s.layout.slots[static_cast<std::size_t>(graph)];
  const int wA = slot.graph.right - slot.graph.left, hA = slot.graph.bottom - slot.graph.top;
  const int wB = slot.slot.right - slot.slot.left, hB = slot.slot.bottom - slot.slot.top;
  const GraphTexts texts = model.TextsOfGraph(graph);

  dc.FillSolidRect(0, 0, wB, hB, C::kFrame);
  dc.FillSolidRect(0, 0, wA, hA, win::RGB(255, 255, 255));
  for (const int x : model.TimeTicks()) dc.FillSolidRect(x, hA - 5, 1, 5, C::kFrame);
  dc.FillSolidRect(kValuePanelX, 0, 194, hA, C::kPanel);
  dc.FillSolidRect(kCurveWidth, 0, 6, hA, C::kFrame);

  // The curve with its name and the cursors.
  dc.SetBkMode(win::TRANSPARENT);
  dc.SetTextColor(win::RGB(0, 0, 0));
  win::CFont* previousFont = dc.SelectObject(&fonts.name);
  dc.TextOut(350, 5, texts.name);
  win::CPen curvePen(win::PS_SOLID, 1, C::kCurve);
  win::CPen* previousPen = dc.SelectObject(&curvePen);
  std::vector<win::POINT> points;
  const auto& ordinates = s.ordinates[static_cast<std::size_t>(graph)];
  for (int k = 0; k < s.samplesDrawn; ++k) points.push_back({kPointSpacing * k, ordinates[static_cast<std::size_t>(k)]});
  if (!points.empty()) dc.Polyline(points.data(), static_cast<int>(points.size()));
  if (s.cursors.visible1) VerticalLine(dc, s.cursors.x1, hA, C::kCursor1);
  if (s.cursors.active2) VerticalLine(dc, s.cursors.x2, hA, C::kCursor2);

  dc.SelectObject(&fonts.scale);
  dc.TextOut(5, 5, texts.top);
  dc.TextOut(5, hA - 20, texts.bottom);

  if (!texts.value.empty()) {
    dc.SelectObject(&fonts.value);
    dc.SetTextColor(C::kValueText);
    dc.TextOut(kValuePanelX, hA / 2 - 10, texts.value);
  }

  // Trigger marks with their numbers, then the recording's marked sample.
  win::CPen triggerPen(win::PS_SOLID, 2, C::kTrigger);
  dc.SelectObject(&triggerPen);
  dc.SelectObject(&fonts.scale);
  for (const TriggerMark& mark : model.TriggerMarks()) {
    dc.MoveTo(mark.x, 0);
    dc.LineTo(mark.x, s.layout.height);
    dc.SetTextColor(mark.lastJumped ? C::kTrigger : C::kTriggerLabel);
    dc.TextOut(mark.x + 5, hA - 20, vetra::Format("%d", mark.number));
  }
  if (const auto marked = model.MarkedSampleX()) VerticalLine(dc, *marked, hA, C::kMarkedSample);

  dc.SelectObject(&fonts.minMax);
  dc.SetTextColor(C::kValueText);
  dc.TextOut(790, 2, texts.maxLabel);
  dc.TextOut(790, hA - 16, texts.minLabel);
  win::CPen markPen(win::PS_SOLID, 2, C::kRangeMark);
  dc.SelectObject(&markPen);
  for (const CurvePoint& p : model.RangeMarks(graph)) {
    dc.MoveTo(p.x - 2, p.y - 2);
    dc.LineTo(p.x + 2, p.y + 2);
    dc.MoveTo(p.x + 2, p.y - 2);
    dc.LineTo(p.x - 2, p.y + 2);
  }
  dc.SelectObject(previousPen);
  dc.SelectObject(previousFont);
}

}  // namespace

void DrawGraphs(win::CDC& screen, win::CDC& back, ScanModel& model)
{
  Fonts fonts;
  const ScanState& s = model.State();
  for (int graph = 0; graph < s.ShownCount() && graph < s.layout.count; ++graph) {
    const GraphSlot& slot = s.layout.slots[static_cast<std::size_t>(graph)];
    const int wB = slot.slot.right - slot.slot.left, hB = slot.slot.bottom - slot.slot.top;
    DrawOneGraph(back, model, graph, fonts);
    screen.BitBlt(slot.slot.left, slot.slot.top, wB, hB, &back, 0, 0, win::SRCCOPY);
    screen.FillSolidRect(984, slot.slot.top, 25, hB, C::kPanel);
    screen.FillSolidRect(984, slot.slot.bottom - 5, 25, 5, C::kFrame);
  }
}

}  // namespace quarnel
