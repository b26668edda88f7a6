#include "controls/oscilloscope/windows/scope_graph_wnd.h"

#include <algorithm>

#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace tessial {

CScopeGraphWnd::CScopeGraphWnd(const ScopeState& state, int slot, std::string name, bool labelsCursors)
    : m_state(state), m_slot(slot), m_type(state.TypeOfSlot(slot)), m_name(std::move(name)), m_labelsCursors(labelsCursors)
{
}

CScopeGraphWnd::~CScopeGraphWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CScopeGraphWnd::CreateGraph(win::CWnd* parent, const win::RECT& rect, win::UINT id)
{
  return CreateEx(0, nullptr, m_name.c_str(), win::WS_CHILD | win::WS_VISIBLE, rect, parent, id);
}

win::BOOL CScopeGraphWnd::DestroyWindow()
{
  m_buffer.Free();
  return CWnd::DestroyWindow();
}

bool CScopeGraphWnd::Unipolar() const
{
  return IsChannelType(m_type) && m_state.header.blockA.channels[m_type].polarity == 1;
}

int CScopeGraphWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  GetClientRect(&m_ownRect);
  m_height = m_ownRect.Height();
  MakeBuffer(m_height);
  m_font.CreateFont(16, 0, 0, 0, 400, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0, vetra::Cp949("굴림체").c_str());
  ResetTrace();
  return 0;
}

void CScopeGraphWnd::ResetTrace()
{
  m_redraw = false;
  m_clicked = false;
  m_source = EmptySourcePoints();
  const int width = m_state.graphWidth;
  for (int i = 0; i < kEnvelopeSize; ++i) m_screen[i] = {i * width / kEnvelopeSize, m_height * 4095 / 1234};
}

void CScopeGraphWnd::MakeBuffer(int height)
{
  win::CClientDC client(this);
  win::CRect r;
  GetClientRect(&r);
  m_buffer.Create(client, r.Width(), height, vetra::Format("graph%d", m_slot));
}

void CScopeGraphWnd::ResizeBuffer(bool zoomed)
{
  m_height = zoomed ? m_state.zoomHeight : m_ownRect.Height();
  MakeBuffer(m_height + 1);
}

void CScopeGraphWnd::SetSamples(const Envelope& envelope)
{
  const TraceSetup setup = TraceSetupOf(m_state, m_slot);
  m_source = SourcePoints(envelope, setup, TraceZeroShift(m_state, setup));
}

void CScopeGraphWnd::OnPaint()
{
  win::CPaintDC paint(this);
  if (!m_buffer.IsReady()) return;
  win::CRect client;
  GetClientRect(&client);
  const int width = m_state.graphWidth;
  const auto selected = m_buffer.Select();
  win::CDC& dc = m_buffer.DC();

  win::CRect frame(0, 0, client.Width(), m_height);
  dc.FillSolidRect(&frame, kFrameOuter);
  frame.DeflateRect(1, 1);
  dc.FillSolidRect(&frame, kFrameInner);
  frame.DeflateRect(1, 1);
  dc.FillSolidRect(&frame, kPlot);

  // y = 0 is the bottom row; everything above it is negative.
  const win::CPoint origin = dc.SetWindowOrg(0, -m_height);
  {
    const win::TransparentCopyDrawing modes(dc);
    DrawGrid(dc, width);
    DrawTrace(dc, width);
    m_redraw = false;
  }
  dc.SetWindowOrg(origin);

  // While the overlay covers the graphs they keep their picture to themselves.
  if (!m_state.overlayShown) m_buffer.CopyTo(paint, client.Width(), m_height);
}

void CScopeGraphWnd::DrawGrid(win::CDC& dc, int width)
{
  const bool fullGrid = m_state.header.blockA.grid == 1;
  const GridLines grid = MakeGrid(width, m_height, Unipolar(), fullGrid);
  win::CPen gridPen(win::PS_SOLID, 1, kGrid);
  win::CPen* previous = dc.SelectObject(&gridPen);
  for (const int x : grid.verticalX) {
    dc.MoveTo(x, 0);
    dc.LineTo(x, -m_height);
  }
  for (const int y : grid.horizontalY) {
    dc.MoveTo(0, y);
    dc.LineTo(width, y);
  }
  // The zero line goes over the grid, so it keeps its own colour.
  win::CPen zeroPen(win::PS_SOLID, 1, m_state.colours[kZeroLineColourIndex]);
  dc.SelectObject(&zeroPen);
  dc.MoveTo(0, grid.zeroY);
  dc.LineTo(width, grid.zeroY);
  dc.SelectObject(previous);
}

void CScopeGraphWnd::DrawTrace(win::CDC& dc, int width)
{
  if (!IsChannelType(m_type)) return;
  const ChannelRecord& channel = m_state.header.blockA.channels[m_type];
  const int h = m_height;
  win::CFont* previousFont = dc.SelectObject(&m_font);
  const win::COLORREF previousColour = dc.SetTextColor(m_state.colours[kTextColourIndex]);

  const std::string& text = m_state.header.blockB.texts[m_type];
  const std::string title = text.empty() ? m_name + " " : m_name + ":" + text + " ";
  dc.TextOut((width - 9 * static_cast<int>(title.size())) / 2, 3 - h, title);

  dc.TextOut(3, 3 - h, m_state.topTexts[m_type]);
  if (Unipolar()) {
    dc.TextOut(3, -17 - h / 11, UnipolarBottomText(m_type, m_state.units));
  } else {
    dc.TextOut(3, -17, m_state.bottomTexts[m_type]);
  }

  dc.TextOut(width - 140, 1 - h, channel.polarity == 1 ? "UNI" : "BI");
  dc.TextOut(width - 110, 1 - h, channel.coupling == 0 ? "AC" : "DC");
  dc.TextOut(width - 80, 1 - h, vetra::Cp949(channel.peak == 1 ? "피크" : "일반"));
  dc.TextOut(width - 40, 1 - h, vetra::Cp949(channel.autoFlag == 1 ? "자동" : "수동"));

  win::CPen cursorPen(win::PS_SOLID, 1, kCursor);
  win::CPen* previousPen = dc.SelectObject(&cursorPen);
  const struct {
    int column;
    const char* label;
  } cursors[] = {{m_state.playback.cursorA, "A"}, {m_state.playback.cursorB, "B"}};
  for (const auto& cursor : cursors) {
    const int x = CursorX(cursor.column, width);
    dc.MoveTo(x, 0);
    dc.LineTo(x, -h);
    if (m_labelsCursors) dc.TextOut(x, -15, cursor.label);
  }
  DrawWave(dc, width);
  dc.SelectObject(previousPen);
  dc.SetTextColor(previousColour);
  dc.SelectObject(previousFont);
}

void CScopeGraphWnd::DrawWave(win::CDC& dc, int width)
{
  // Converted only after new data or a move; drawn on every paint, so a repaint of this window
  // alone keeps its waveform.
  if (m_redraw) m_screen = ScreenPoints(m_source, width, m_height, Unipolar());
  const int points = 2 * std::clamp(m_state.window.validColumns, 0, kWindowColumns);
  if (points == 0) return;
  const RawMeasurement& raw = m_state.raw[m_slot];
  for (const int marker : {raw.markerMax, raw.markerMin}) {
    const win::POINT at = MarkerTextPoint(m_screen, marker, width);
    dc.TextOut(at.x, at.y, "X");
  }
  win::CPen wavePen(win::PS_SOLID, 1, kWave);
  win::CPen* previous = dc.SelectObject(&wavePen);
  dc.Polyline(m_screen.data(), points);
  dc.SelectObject(previous);
}

void CScopeGraphWnd::PlaceCursor(win::UINT message, win::CPoint point)
{
  m_clicked = true;
  const int column = ClickColumn(point.x, m_state.graphWidth);
  const int y = Unipolar() ? point.y / 2 : point.y;
  if (win::CWnd* parent = GetParent()) parent->SendMessage(message, static_cast<win::WPARAM>(column), static_cast<win::LPARAM>(y));
}

void CScopeGraphWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  PlaceCursor(kMsgPlaceCursorA, point);
  if (win::CWnd* parent = GetParent()) parent->SendMessage(kMsgChildHoverReset, 0, 0);
  CWnd::OnLButtonUp(flags, point);
}

void CScopeGraphWnd::OnRButtonUp(win::UINT flags, win::CPoint point)
{
  PlaceCursor(kMsgPlaceCursorB, point);
  CWnd::OnRButtonUp(flags, point);
}

void CScopeGraphWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  NotifyParentMouseMove(*this, flags);
  CWnd::OnMouseMove(flags, point);
}

}  // namespace tessial
