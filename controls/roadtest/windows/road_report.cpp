#include "controls/roadtest/windows/road_report.h"

#include <algorithm>
#include <vector>

#include "controls/roadtest/core/axis_texts.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/report_texts.h"
#include "controls/roadtest/core/tables.h"
#include "controls/roadtest/windows/printer_choice.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/print/printer_catalogue.h"
#include "platform/print/printer_dc.h"

namespace morvit {
namespace {

constexpr double kColumnScale = 1950.0 / 700.0;
constexpr win::COLORREF kBlack = win::RGB(0, 0, 0);

int PageX(int column) { return static_cast<int>(column * kColumnScale); }

const std::string& Gulim()
{
  static const std::string face = vetra::Cp949("굴림");
  return face;
}

// One font of the job, selected while it lives.
class JobFont {
public:
  JobFont(win::CDC& dc, const std::string& face, int height, int width, int weight) : m_dc(dc)
  {
    m_font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, 1, 0, 0, 0, 0, face.c_str());
    m_previous = dc.SelectObject(&m_font);
  }
  ~JobFont() { m_dc.SelectObject(m_previous); }
  JobFont(const JobFont&) = delete;
  JobFont& operator=(const JobFont&) = delete;

private:
  win::CDC& m_dc;
  win::CFont m_font;
  win::CFont* m_previous = nullptr;
};

void PrintLine(win::CDC& dc, int left, int top, int right, int bottom, int width, int style)
{
  win::CPen pen(style, width, kBlack);
  win::CPen* old = dc.SelectObject(&pen);
  dc.MoveTo(left, top);
  dc.LineTo(right, top);
  dc.LineTo(right, bottom);
  dc.LineTo(left, bottom);
  dc.LineTo(left, top);
  dc.SelectObject(old);
}

void Bar(win::CDC& dc, int x, int top, int width, int height, win::COLORREF colour)
{
  dc.FillSolidRect(x, top - height, width, height, colour);
}

std::string UnitOf(const Recording& rec, int item) { return UnitOfCode(rec.channels[static_cast<std::size_t>(item)].unitCode); }

void PrintHeader(win::CDC& dc, const RoadModel& model)
{
  PrintLine(dc, 1, -50, 1200, -215, 5, win::PS_SOLID);
  {
    JobFont title(dc, vetra::Cp949("바탕"), 30, 20, 600);
    dc.TextOut(6, -55, kReportTitle);
  }
  win::SYSTEMTIME now{};
  win::GetLocalTime(now);
  dc.TextOut(1, -250, PrintDateText(now));
  if (model.State().measureOn) dc.TextOut(1000, -250, PrintCursorTimeText(model.CursorTime()));
}

void PrintVehicleInfo(win::CDC& dc, const RoadModel& model)
{
  const RoadState& s = model.State();
  const Recording& rec = s.recording;
  const Page& view = s.zoomMode ? s.lower : s.page;
  const double now = PrintCurrentTime(rec.RecordLength(), rec.PostTriggerLength(), view.scale, view.start, view.cursorA);
  const auto lines = VehicleLines(rec.header, now);
  const win::POINT at[5] = {{6, -80}, {500, -80}, {6, -105}, {6, -130}, {6, -155}};
  for (std::size_t i = 0; i < lines.size(); ++i) dc.TextOut(at[i].x, at[i].y, lines[i]);
  PrintLine(dc, 1250, -50, 2800, -215, 5, win::PS_SOLID);
  dc.TextOut(1260, -55, SymptomTitle());
  int y = -80;
  for (const std::string& line : SymptomLines(rec.header.symptom)) {
    dc.TextOut(1260, y, line);
    y -= 25;
  }
}

void PrintTimeTicks(win::CDC& dc, int bottom)
{
  for (int j = 0; j <= 6; ++j) {
    Bar(dc, PageX(100 * j + 50), bottom + 10, 1, 10, kBlack);
    Bar(dc, PageX(100 * j + 100), bottom + 20, 1, 20, kBlack);
  }
}

void PrintStatistics(win::CDC& dc, int x, int y, const CursorStatistics& stats)
{
  const StatisticsTexts t = PrintStatisticsTexts(stats);
  dc.TextOut(x, y - 30, t.min);
  dc.TextOut(x + 360, y - 30, t.max);
  dc.TextOut(x, y - 60, t.span);
  dc.TextOut(x + 360, y - 60, t.avg);
  dc.TextOut(x, y - 90, t.dutyPlus);
  dc.TextOut(x + 360, y - 90, t.dutyMinus);
}

struct Strip {
  int top = 0;          // page y of the top edge (negative)
  int height = 0;       // page units
  int screenHeight = 1; // pixels of the screen row the points were made for
  int cursorA = 0;
  int cursorB = -1;
  bool measure = false;  // cursor B and its texts
};

void PrintChannelStrip(win::CDC& dc, const RoadModel& model, int item, const ItemPage& page, const ItemFactors& factors,
                       int zeroRow, const Strip& strip)
{
  const RoadState& s = model.State();
  const Recording& rec = s.recording;
  const ChannelRecord& channel = rec.channels[static_cast<std::size_t>(item)];
  const int t = strip.top;
  const int b = strip.top - strip.height;
  const double k = static_cast<double>(strip.height) / std::max(strip.screenHeight, 1);
  const std::string unit = UnitOf(rec, item);
  dc.TextOut(150, t - 5, channel.code);
  dc.TextOut(300, t - 5, channel.name);
  const AxisLimits limits = ItemAxisLimits(rec, s.derived, factors, model.Luts(), item, strip.screenHeight, s.rangeMode, AxisFor::Print);
  dc.TextOut(5, t - 5, AxisText(limits.top));
  dc.TextOut(5, b + 50, AxisText(limits.bottom));
  if (item < kRecordedCount && static_cast<int>(zeroRow * k) < strip.height) {
    win::CPen dotted(win::PS_DOT, 1, win::RGB(152, 147, 143));
    win::CPen* old = dc.SelectObject(&dotted);
    const int y = t - static_cast<int>((zeroRow - 3) * k);
    dc.MoveTo(0, y);
    dc.LineTo(1950, y);
    dc.SelectObject(old);
  }
  std::vector<win::POINT> points;
  for (int i = 0; i < page.count; ++i) {
    const GraphPoint& p = page.points[static_cast<std::size_t>(i)];
    const int y = std::clamp(static_cast<int>(p.y * k) - t, -t, -b);
    points.push_back({static_cast<int>(p.x * kColumnScale), -y});
  }
  if (points.size() > 1) dc.Polyline(points.data(), static_cast<int>(points.size()));
  Bar(dc, PageX(strip.cursorA), t, 2, strip.height, win::RGB(255, 0, 0));
  dc.TextOut(PageX(strip.cursorA), t - 30, " A");
  if (strip.measure) {
    Bar(dc, PageX(strip.cursorB), t, 2, strip.height, win::RGB(0, 255, 255));
    dc.TextOut(PageX(strip.cursorB), t - 30, " B");
  }
  PrintLine(dc, 1, t, 1950, b, 5, win::PS_SOLID);
  PrintLine(dc, 2000, t, 2800, b, 5, win::PS_SOLID);
  dc.TextOut(2010, t - 10, PrintCursorAText(FormatValue(page, strip.cursorA, item, unit)));
  if (strip.measure) dc.TextOut(2370, t - 10, PrintCursorBText(FormatValue(page, strip.cursorB, item, unit)));
  PrintStatistics(dc, 2030, t - 40, model.PrintStatistics(item));
}

void PrintTimeLabels(win::CDC& dc, int scale, std::int64_t recordLength, int y)
{
  const auto labels = TimeLabels(scale, recordLength);
  dc.TextOut(1, y, labels[0]);
  dc.TextOut(905, y, labels[1]);
  dc.TextOut(1900, y, labels[2]);
}

std::vector<int> ItemsOf(const RoadState& s, const ItemSet& set)
{
  std::vector<int> items;
  for (int row : set.Rows()) {
    if (const int item = s.ChannelOfRow(row); item >= 0) items.push_back(item);
  }
  return items;
}

void PrintNormalView(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets)
{
  RoadState& s = model.MutableState();
  const std::vector<int> items = ItemsOf(s, s.shown);
  const int n = static_cast<int>(items.size());
  if (n == 0) return;
  if (s.layoutMode == kLayoutParallel) {
    const int h = PrintStripHeight(n);
    for (int i = 0; i < n; ++i) {
      const int item = items[static_cast<std::size_t>(i)];
      const ItemPage& page = model.BuildNormalPage(item);
      const int zero = item < kRecordedCount ? s.channelScales[static_cast<std::size_t>(item)].zeroLine : 0;
      PrintChannelStrip(dc, model, item, page, s.factors, zero,
                        {-300 - h * i, h, s.graphHeight, s.page.cursorA, s.page.cursorB, s.measureOn});
      PrintTimeTicks(dc, -300 - h * (i + 1));
    }
    PrintTimeLabels(dc, s.page.scale, s.recording.RecordLength(), PrintTimeLabelY(n, false));
    return;
  }
  const int h = 1400;
  const double k = static_cast<double>(h) / kOverlapHeight;
  for (int i = 0; i < n; ++i) {
    const int item = items[static_cast<std::size_t>(i)];
    const ItemPage& page = model.BuildNormalPage(item);
    std::vector<win::POINT> points;
    for (int p = 0; p < page.count; ++p) {
      const GraphPoint& g = page.points[static_cast<std::size_t>(p)];
      const int y = std::clamp(static_cast<int>((g.y + offsets[static_cast<std::size_t>(item)]) * k) + 300, 300, h + 300);
      points.push_back({static_cast<int>(g.x * kColumnScale), -y});
    }
    if (points.size() > 1) dc.Polyline(points.data(), static_cast<int>(points.size()));
    // Two columns of four: code, name and value text at x 1, 150, 700 and at 1150, 1300, 1850.
    const bool second = i >= 4;
    const int y = -1770 - 50 * (i % 4);
    const ChannelRecord& c = s.recording.channels[static_cast<std::size_t>(item)];
    dc.TextOut(second ? 1150 : 1, y, c.code);
    dc.TextOut(second ? 1300 : 150, y, c.name);
    dc.TextOut(second ? 1850 : 700, y, ValueRangeText(page, s.page.cursorA, UnitOf(s.recording, item)));
  }
  Bar(dc, PageX(s.page.cursorA), -300, 2, h, win::RGB(255, 0, 0));
  PrintLine(dc, 1, -300, 1950, -300 - h, 5, win::PS_SOLID);
  PrintTimeTicks(dc, -300 - h);
  PrintTimeLabels(dc, s.page.scale, s.recording.RecordLength(), PrintTimeLabelY(n, true));
}

void PrintZoomView(win::CDC& dc, RoadModel& model)
{
  RoadState& s = model.MutableState();
  const int panelItem = s.ChannelOfRow(s.zoomItem);
  if (panelItem >= 0) {
    const ItemPage& page = model.BuildPanelPage();
    const int zero = panelItem < kRecordedCount ? s.zoomScales[static_cast<std::size_t>(panelItem)].zeroLine : 0;
    PrintChannelStrip(dc, model, panelItem, page, s.zoomFactors, zero,
                      {-300, 360, kZoomPanelHeight, s.zoomPanel.cursorA, -1, false});
    PrintTimeTicks(dc, -660);
  } else {
    PrintLine(dc, 1, -300, 1950, -660, 5, win::PS_SOLID);
    PrintLine(dc, 2000, -300, 2800, -660, 5, win::PS_SOLID);
    dc.TextOut(50, -400, NoZoomChannelText());
  }
  const std::vector<int> items = ItemsOf(s, s.analysis);
  const int n = static_cast<int>(items.size());
  const int h = n > 0 ? 1200 / n : 0;
  for (int i = 0; i < n; ++i) {
    const int item = items[static_cast<std::size_t>(i)];
    const ItemPage& page = model.BuildLowerPage(item);
    const int zero = item < kRecordedCount ? s.channelScales[static_cast<std::size_t>(item)].zeroLine : 0;
    PrintChannelStrip(dc, model, item, page, s.lowerFactors, zero,
                      {-700 - h * i, h, s.lowerHeight, s.lower.cursorA, s.lower.cursorB, s.measureOn});
    PrintTimeTicks(dc, -700 - h * (i + 1));
  }
  PrintTimeLabels(dc, s.zoomPanel.scale, s.recording.RecordLength(), -670);
  PrintTimeLabels(dc, s.lower.scale, s.recording.RecordLength(), -700 - h * n);
}

}  // namespace

void DrawRoadReport(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets)
{
  JobFont text(dc, Gulim(), 30, 20, 0);
  dc.SetTextColor(kBlack);
  dc.SetBkMode(win::TRANSPARENT);
  PrintHeader(dc, model);
  PrintVehicleInfo(dc, model);
  if (model.State().zoomMode) {
    PrintZoomView(dc, model);
  } else {
    PrintNormalView(dc, model, offsets);
  }
}

std::string PrintFailedText() { return vetra::Cp949("인쇄를 마치지 못했습니다. 프린터와 디스크 공간을 확인하십시오."); }

ReportPrint PrintRoadReport(win::CWnd& control, RoadModel& model, const ItemOffsets& offsets)
{
  const PrinterChoice choice = AskForPrinter(&control);
  if (!choice.ok) return ReportPrint::cancelled;
  const vetra::print::PrinterInfo printer = vetra::print::FindPrinter(choice.printer).value_or(vetra::print::DefaultPrinter());
  win::DEVMODEA mode = vetra::print::DefaultDevMode(printer);
  mode.dmOrientation = choice.orientation;
  mode.dmCopies = static_cast<short>(choice.copies);
  const std::unique_ptr<win::CPrinterDC> dc = win::CreatePrinterDC(win::DevModeName(mode).c_str(), &mode);
  if (!dc) return ReportPrint::failed;
  JobFont pageFont(*dc, Gulim(), 40, 20, 600);
  win::CPen pen(win::PS_SOLID, 1, kBlack);
  win::CPen* oldPen = dc->SelectObject(&pen);
  bool printed = false;
  if (dc->StartDoc("Quillon") > 0) {
    const bool pageStarted = dc->StartPage() > 0;
    dc->SetMapMode(win::MM_LOMETRIC);
    DrawRoadReport(*dc, model, offsets);
    const bool pageEnded = pageStarted && dc->EndPage() > 0;
    // The document is written or sent only at its end: a full disk or a refused job shows here.
    printed = dc->EndDoc() > 0 && pageEnded;
  }
  dc->SelectObject(oldPen);
  control.InvalidateRect(&kGraphArea, win::FALSE);
  return printed ? ReportPrint::printed : ReportPrint::failed;
}

}  // namespace morvit
