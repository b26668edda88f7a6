#include "controls/roadtest/windows/graph_area.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "controls/roadtest/core/axis_texts.h"
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/report_texts.h"
#include "controls/roadtest/core/tables.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);
constexpr win::COLORREF kCursorA = win::RGB(255, 0, 0);
constexpr win::COLORREF kCursorB = win::RGB(0, 255, 255);
constexpr win::COLORREF kRecordedTrace = win::RGB(10, 60, 251);
constexpr win::COLORREF kZeroLine = win::RGB(152, 147, 143);
constexpr win::COLORREF kStretch = win::RGB(0, 255, 0);
constexpr win::COLORREF kPanelGrey = win::RGB(238, 238, 238);
constexpr win::COLORREF kPanelFrame = win::RGB(96, 96, 96);
constexpr win::COLORREF kLegend = win::RGB(16, 28, 99);
constexpr int kGraphLeft = 16;
constexpr int kGraphWidth = 700;

const std::string& Face()
{
  static const std::string face = vetra::Cp949("굴림");
  return face;
}

// A graph drawn off screen: a memory device context with a bitmap of the graph's size.
class OffscreenGraph {
public:
  OffscreenGraph(win::CDC& target, int width, int height) : m_width(width), m_height(height)
  {
    m_dc.CreateCompatibleDC(&target);
    m_dc.SetLogName("morvit.graph");
    m_bitmap.CreateCompatibleBitmap(&target, std::max(width, 1), std::max(height, 1));
    m_previous = m_dc.SelectObject(&m_bitmap);
  }
  ~OffscreenGraph() { m_dc.SelectObject(m_previous); }
  OffscreenGraph(const OffscreenGraph&) = delete;
  OffscreenGraph& operator=(const OffscreenGraph&) = delete;

  win::CDC& DC() { return m_dc; }
  void CopyTo(win::CDC& target, int x, int y) { target.BitBlt(x, y, m_width, m_height, &m_dc, 0, 0, win::SRCCOPY); }

private:
  int m_width;
  int m_height;
  win::CDC m_dc;
  win::CBitmap m_bitmap;
  win::CBitmap* m_previous = nullptr;
};

void Line(win::CDC& dc, int style, win::COLORREF colour, int x0, int y0, int x1, int y1)
{
  win::CPen pen(style, 1, colour);
  win::CPen* old = dc.SelectObject(&pen);
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
  dc.SelectObject(old);
}

void Polyline(win::CDC& dc, win::COLORREF colour, const ItemPage& page, int first, int last, int yOffset)
{
  first = std::clamp(first, 0, page.count);
  last = std::clamp(last, first, page.count);
  if (last - first < 1) return;
  std::vector<win::POINT> points;
  points.reserve(static_cast<std::size_t>(last - first));
  for (int i = first; i < last; ++i) {
    const GraphPoint& p = page.points[static_cast<std::size_t>(i)];
    points.push_back({p.x, p.y + yOffset});
  }
  win::CPen pen(win::PS_SOLID, 1, colour);
  win::CPen* old = dc.SelectObject(&pen);
  dc.Polyline(points.data(), static_cast<int>(points.size()));
  dc.SelectObject(old);
}

std::string UnitOfItem(const Recording& rec, int item)
{
  return item >= 0 && item < kItemCount ? UnitOfCode(rec.channels[static_cast<std::size_t>(item)].unitCode) : std::string();
}

std::string Heading(const Recording& rec, int item)
{
  const ChannelRecord& c = rec.channels[static_cast<std::size_t>(item)];
  return c.code + "   " + c.name;
}

// The points of the stretch between the cursors: from the point before the first beyond a to the
// point before the first beyond b (pairs: 2a to 2b).
void DrawStretch(win::CDC& dc, const ItemPage& page, int a, int b)
{
  if (a > b) std::swap(a, b);
  int first = 0;
  int last = 0;
  if (page.drawing == DrawingKind::Pairs) {
    first = 2 * a;
    last = 2 * b + 1;
  } else {
    const auto beyond = [&](int column) {
      for (int i = 0; i < page.count; ++i) {
        if (page.points[static_cast<std::size_t>(i)].x > column) return i;
      }
      return page.count;
    };
    first = std::max(beyond(a) - 1, 0);
    last = std::max(beyond(b) - 1, 0) + 1;
  }
  Polyline(dc, kStretch, page, first, last, 0);
}

void DrawTimeTicks(win::CDC& dc, int height)
{
  for (int x = 50; x <= 650; x += 100) Line(dc, win::PS_SOLID, kBlack, x, height - 5, x, height);
  for (int x = 100; x <= 700; x += 100) Line(dc, win::PS_SOLID, kBlack, x, height - 10, x, height);
}

// A grey cross at the item's point under each cursor.
void DrawCursorMarks(win::CDC& dc, const ItemPage& page, std::initializer_list<int> columns)
{
  win::CPen pen(win::PS_SOLID, 2, win::RGB(180, 180, 180));
  win::CPen* old = dc.SelectObject(&pen);
  for (int column : columns) {
    int at = -1;
    for (int i = 0; i < page.count && page.points[static_cast<std::size_t>(i)].x <= column; ++i) at = i;
    if (at < 0) continue;
    const int x = page.drawing == DrawingKind::Pairs ? column : page.points[static_cast<std::size_t>(at)].x;
    const int y = page.points[static_cast<std::size_t>(at)].y;
    dc.MoveTo(x - 2, y - 2);
    dc.LineTo(x + 2, y + 2);
    dc.MoveTo(x + 2, y - 2);
    dc.LineTo(x - 2, y + 2);
  }
  dc.SelectObject(old);
}

struct GraphCursors {
  int a = 350;
  int b = -1;
  bool measureOn = false;
};

// The graph bitmap of one item: heading, value at cursor A, axis labels, cursor letters, zero line,
// the trace and the cursor lines.
void DrawItemGraph(win::CDC& dc, const RoadModel& model, int item, const ItemPage& page, int height,
                   const GraphCursors& cursors, const ItemFactors& factors, int zeroLine)
{
  const RoadState& s = model.State();
  const Recording& rec = s.recording;
  dc.FillSolidRect(0, 0, kGraphWidth, height, kWhite);
  win::CFont font;
  font.CreateFont(14, 7, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, Face().c_str());
  win::CFont* oldFont = dc.SelectObject(&font);
  dc.SetTextColor(kBlack);
  dc.SetBkMode(win::TRANSPARENT);
  dc.TextOut(107, 5, Heading(rec, item));
  dc.TextOut(400, 5, ValueRangeText(page, cursors.a, UnitOfItem(rec, item)));
  const AxisLimits limits = ItemAxisLimits(rec, s.derived, factors, model.Luts(), item, height, s.rangeMode, AxisFor::Screen);
  dc.TextOut(5, 5, AxisText(limits.top));
  dc.TextOut(5, height - 20, AxisText(limits.bottom));
  dc.SetTextColor(kCursorA);
  dc.TextOut(cursors.a - 8, 10, "A");
  if (cursors.measureOn) {
    dc.SetTextColor(kCursorB);
    dc.TextOut(cursors.b - 8, 10, "B");
  }
  dc.SelectObject(oldFont);
  if (item < kRecordedCount) Line(dc, win::PS_DOT, kZeroLine, 0, zeroLine - 3, kGraphWidth, zeroLine - 3);
  Polyline(dc, item < kFirstDerived ? kRecordedTrace : kBlack, page, 0, page.count, 0);
  Line(dc, win::PS_SOLID, kCursorA, cursors.a, 0, cursors.a, height);
  if (cursors.measureOn) {
    Line(dc, win::PS_SOLID, kCursorB, cursors.b, 0, cursors.b, height);
    DrawStretch(dc, page, cursors.a, cursors.b);
    DrawCursorMarks(dc, page, {cursors.a, cursors.b});
  }
  DrawTimeTicks(dc, height);
}

// The measurement panel: per item a block with the values under both cursors and the statistics
// between them, on dark blue.
void DrawMeasurementPanel(win::CDC& target, const RoadModel& model, const std::vector<int>& items, int top, const Page& view)
{
  const RoadState& s = model.State();
  const bool zoomView = s.zoomMode;
  const int height = zoomView ? 403 : 546;
  OffscreenGraph panel(target, 285, height);
  win::CDC& dc = panel.DC();
  dc.FillSolidRect(0, 0, 285, height, win::RGB(238, 238, 238));
  const int n = static_cast<int>(items.size());
  const int block = std::max(MeasurementBlockHeight(n, zoomView), 1);
  // Texts of 11 points; where a block is too low for four rows of them one line apart (many
  // items), a smaller size keeps the rows apart.
  win::CFont font;
  win::TEXTMETRIC metrics{};
  PanelRows rows4;
  for (int points = 110;; points -= 10) {
    font.DeleteObject();
    font.CreatePointFont(points, Face().c_str());
    win::CFont* previous = dc.SelectObject(&font);
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(previous);
    rows4 = MeasurementPanelRows(block, metrics.tmHeight);
    if (rows4.pitch >= metrics.tmHeight || points <= 60) break;
  }
  win::CFont* oldFont = dc.SelectObject(&font);
  dc.SetBkMode(win::TRANSPARENT);
  const int left = zoomView ? 31 : 23;
  const int right = zoomView ? 160 : 158;
  for (int k = 0; k < n; ++k) {
    const int item = items[static_cast<std::size_t>(k)];
    const ItemPage& page = s.pages[static_cast<std::size_t>(item)];
    const std::string unit = UnitOfItem(s.recording, item);
    const int y = 3 + k * (block + 5);
    dc.FillSolidRect(2, y, 281, block, kWhite);
    dc.FillSolidRect(5, y + 3, 275, block - 6, win::RGB(128, 128, 128));
    dc.FillSolidRect(7, y + 5, 271, block - 10, kLegend);
    const StatisticsTexts texts = PanelStatisticsTexts(model.Statistics(item));
    const win::COLORREF figures = !zoomView && s.layoutMode == kLayoutOverlap ? SlotColour(k) : win::RGB(250, 206, 3);
    const struct {
      std::string left;
      std::string right;
      win::COLORREF leftColour;
      win::COLORREF rightColour;
    } rows[] = {
        {PanelCursorText(true, FormatValue(page, view.cursorA, item, unit)), PanelCursorText(false, FormatValue(page, view.cursorB, item, unit)),
         kCursorA, kCursorB},
        {texts.min, texts.max, figures, figures},
        {texts.span, texts.avg, figures, figures},
        {texts.dutyPlus, texts.dutyMinus, figures, figures},
    };
    for (int r = 0; r < 4; ++r) {
      const int rowY = y + rows4.first + r * rows4.pitch;
      dc.SetTextColor(rows[r].leftColour);
      dc.TextOut(left, rowY, rows[r].left);
      dc.SetTextColor(rows[r].rightColour);
      dc.TextOut(right, rowY, rows[r].right);
    }
  }
  dc.SelectObject(oldFont);
  panel.CopyTo(target, 731, top);
}

std::vector<int> ItemsOf(const RoadState& s, const ItemSet& set)
{
  std::vector<int> items;
  for (int row : set.Rows()) {
    const int item = s.ChannelOfRow(row);
    if (item >= 0) items.push_back(item);
  }
  return items;
}

// The page of an item of the normal view: built afresh, or as the last paint left it when only a
// cursor moved since.
const ItemPage& NormalPage(RoadModel& model, int item, bool rebuild)
{
  const RoadState& s = model.State();
  if (rebuild || NeedsRebuild(s.page.scale, false, s.cursorSource, s.play != PlayState::Stopped)) return model.BuildNormalPage(item);
  return s.pages[static_cast<std::size_t>(item)];
}

void DrawParallel(win::CDC& dc, RoadModel& model, bool rebuild)
{
  RoadState& s = model.MutableState();
  const std::vector<int> items = ItemsOf(s, s.shown);
  const int h = s.graphHeight;
  const GraphCursors cursors{s.page.cursorA, s.page.cursorB, s.measureOn};
  for (std::size_t k = 0; k < items.size() && h > 0; ++k) {
    const int item = items[k];
    const ItemPage& page = NormalPage(model, item, rebuild);
    const win::RECT row = ParallelRow(static_cast<int>(k), h);
    OffscreenGraph graph(dc, kGraphWidth, h);
    const int zero = item < kRecordedCount ? s.channelScales[static_cast<std::size_t>(item)].zeroLine : 0;
    DrawItemGraph(graph.DC(), model, item, page, h, cursors, s.factors, zero);
    graph.CopyTo(dc, row.left, row.top);
    const int gapBottom = k + 1 == items.size() ? kGraphArea.bottom : row.bottom + 5;
    dc.FillSolidRect(kGraphLeft, row.bottom, kGraphWidth, std::max(gapBottom - row.bottom, 0), kGraphBackground);
  }
  if (s.measureOn && !items.empty()) DrawMeasurementPanel(dc, model, items, kGraphArea.top, s.page);
}

void DrawOverlap(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets, bool rebuild)
{
  RoadState& s = model.MutableState();
  const std::vector<int> items = ItemsOf(s, s.shown);
  const int h = kOverlapHeight;
  OffscreenGraph graph(dc, kGraphWidth, h);
  win::CDC& g = graph.DC();
  g.FillSolidRect(0, 0, kGraphWidth, h, kWhite);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const ItemPage& page = NormalPage(model, items[k], rebuild);
    Polyline(g, SlotColour(static_cast<int>(k)), page, 0, page.count, offsets[static_cast<std::size_t>(items[k])]);
  }
  Line(g, win::PS_SOLID, kCursorA, s.page.cursorA, 0, s.page.cursorA, h);
  if (s.measureOn) Line(g, win::PS_SOLID, kCursorB, s.page.cursorB, 0, s.page.cursorB, h);
  DrawTimeTicks(g, h);
  graph.CopyTo(dc, kGraphLeft, kGraphArea.top);

  OffscreenGraph legend(dc, kGraphWidth, 100);
  win::CDC& l = legend.DC();
  l.FillSolidRect(0, 0, kGraphWidth, 100, kLegend);
  win::CFont font;
  font.CreateFont(12, 6, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, Face().c_str());
  win::CFont* oldFont = l.SelectObject(&font);
  l.SetBkMode(win::TRANSPARENT);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const int slot = static_cast<int>(k);
    const int x = slot < 4 ? 0 : 350;
    const int y = 5 + (slot % 4) * 25;
    l.SetTextColor(SlotColour(slot));
    l.TextOut(x, y, s.recording.channels[static_cast<std::size_t>(items[k])].name);
    l.TextOut(x + 210, y, ValueRangeText(s.pages[static_cast<std::size_t>(items[k])], s.page.cursorA, UnitOfItem(s.recording, items[k])));
  }
  l.SelectObject(oldFont);
  dc.FillSolidRect(kGraphLeft, 573, kGraphWidth, 5, kGraphBackground);
  legend.CopyTo(dc, kGraphLeft, 578);
  dc.FillSolidRect(kGraphLeft, 678, kGraphWidth, 5, kGraphBackground);
  if (s.measureOn && !items.empty()) DrawMeasurementPanel(dc, model, items, kGraphArea.top, s.page);
}

void DrawZoomView(win::CDC& dc, RoadModel& model)
{
  model.CoupleZoomViewsForPaint();
  RoadState& s = model.MutableState();
  const int panelItem = s.ChannelOfRow(s.zoomItem);
  if (panelItem < 0) {
    dc.FillSolidRect(19, 146, 694, 124, kPanelGrey);
    win::CFont font;
    font.CreateFont(32, 16, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, Face().c_str());
    win::CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(win::TRANSPARENT);
    dc.SetTextColor(kBlack);
    dc.TextOut(100, 190, NoZoomChannelText());
    dc.SelectObject(oldFont);
  } else {
    const ItemPage& page = model.BuildPanelPage();
    OffscreenGraph graph(dc, kGraphWidth, kZoomPanelHeight);
    const int zero = panelItem < kRecordedCount ? s.zoomScales[static_cast<std::size_t>(panelItem)].zeroLine : 0;
    DrawItemGraph(graph.DC(), model, panelItem, page, kZoomPanelHeight, {s.zoomPanel.cursorA, -1, false}, s.zoomFactors, zero);
    graph.CopyTo(dc, kGraphLeft, kGraphArea.top);
  }
  dc.FillSolidRect(kGraphLeft, kGraphArea.top + kZoomPanelHeight, kGraphWidth, 280 - (kGraphArea.top + kZoomPanelHeight), kGraphBackground);
  dc.FillSolidRect(16, 143, 700, 3, kPanelFrame);
  dc.FillSolidRect(16, 143, 3, 130, kPanelFrame);
  dc.FillSolidRect(16, 270, 700, 3, kPanelFrame);
  dc.FillSolidRect(713, 143, 3, 130, kPanelFrame);

  const std::vector<int> items = ItemsOf(s, s.analysis);
  if (items.empty()) {
    dc.FillSolidRect(16, 280, 700, 403, kGraphBackground);
    return;
  }
  const int h = s.lowerHeight;
  const GraphCursors cursors{s.lower.cursorA, s.lower.cursorB, s.measureOn};
  for (std::size_t k = 0; k < items.size() && h > 0; ++k) {
    const ItemPage& page = model.BuildLowerPage(items[k]);
    const win::RECT row = LowerRow(static_cast<int>(k), h);
    OffscreenGraph graph(dc, kGraphWidth, h);
    const int zero = items[k] < kRecordedCount ? s.channelScales[static_cast<std::size_t>(items[k])].zeroLine : 0;
    DrawItemGraph(graph.DC(), model, items[k], page, h, cursors, s.lowerFactors, zero);
    graph.CopyTo(dc, row.left, row.top);
    const int gapBottom = k + 1 == items.size() ? kGraphArea.bottom : row.bottom + 5;
    dc.FillSolidRect(kGraphLeft, row.bottom, kGraphWidth, std::max(gapBottom - row.bottom, 0), kGraphBackground);
  }
  if (s.measureOn) DrawMeasurementPanel(dc, model, items, 280, s.lower);
}

}  // namespace

win::COLORREF SlotColour(int slot)
{
  static constexpr std::array<win::COLORREF, 8> kColours = {
      win::RGB(9, 60, 250), win::RGB(210, 5, 254), win::RGB(254, 5, 175), win::RGB(0, 167, 80),
      win::RGB(163, 62, 6), win::RGB(25, 212, 11), win::RGB(51, 161, 246), win::RGB(250, 206, 3)};
  return kColours[static_cast<std::size_t>(std::clamp(slot, 0, 7))];
}

void DrawGraphArea(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets, bool fullRedraw, bool rebuildPages)
{
  RoadState& s = model.MutableState();
  if (fullRedraw || (s.zoomMode ? s.analysis.Count() == 0 : s.shown.Count() == 0)) {
    dc.FillSolidRect(kGraphArea.left, kGraphArea.top, 724, 540, kGraphBackground);
  }
  if (s.zoomMode) {
    DrawZoomView(dc, model);
  } else if (s.layoutMode == kLayoutParallel) {
    DrawParallel(dc, model, rebuildPages);
  } else {
    DrawOverlap(dc, model, offsets, rebuildPages);
  }
  dc.FillSolidRect(kGraphArea.left, kGraphArea.top, 12, 540, kGraphBackground);
  dc.FillSolidRect(716, kGraphArea.top, 12, 540, kGraphBackground);
  s.cursorSource = 0;
}

}  // namespace morvit
