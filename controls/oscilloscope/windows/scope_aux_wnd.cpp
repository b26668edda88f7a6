#include "controls/oscilloscope/windows/scope_aux_wnd.h"

#include <algorithm>

#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace tessial {

CScopeAuxWnd::~CScopeAuxWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CScopeAuxWnd::CreateOverlay(win::CWnd* parent, const win::RECT& rect, win::UINT id)
{
  return CreateEx(0, nullptr, "", win::WS_CHILD, rect, parent, id);
}

int CScopeAuxWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  win::CRect client;
  GetClientRect(&client);
  m_height = client.Height();
  win::CClientDC dc(this);
  m_buffer.Create(dc, client.Width(), m_height + 1, "overlay");
  const std::string face = vetra::Cp949("굴림체");
  m_labelFont.CreateFont(14, 0, 0, 0, 400, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
  m_cursorFont.CreateFont(16, 0, 0, 0, 400, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0, face.c_str());
  for (auto& row : m_rows) row = EmptySourcePoints();
  return 0;
}

void CScopeAuxWnd::SetRow(int slot, const Envelope& envelope)
{
  if (slot < 0 || slot >= kMaxSlots) return;
  const TraceSetup setup = TraceSetupOf(m_state, slot);
  m_rows[slot] = SourcePoints(envelope, setup, TraceZeroShift(m_state, setup));
}

void CScopeAuxWnd::OnPaint()
{
  win::CPaintDC paint(this);
  win::CRect client;
  GetClientRect(&client);
  const int width = m_state.graphWidth;
  m_buffer.Present(paint, client.Width(), m_height + 1, [&](win::CDC& dc) {
    dc.FillSolidRect(0, 0, client.Width(), m_height + 1, m_state.colours[kBackgroundColour]);
    const win::CPoint origin = dc.SetWindowOrg(0, -m_height);
    {
      const win::TransparentCopyDrawing modes(dc);
      DrawGrid(dc, width);
      DrawTraces(dc, width);
    }
    dc.SetWindowOrg(origin);
  });
}

void CScopeAuxWnd::DrawGrid(win::CDC& dc, int width)
{
  const int h = m_height;
  const bool fullGrid = m_state.header.blockA.grid == 1;
  win::CFont* previousFont = dc.SelectObject(&m_labelFont);
  dc.SetTextColor(win::RGB(255, 255, 255));
  win::CPen vertical(win::PS_SOLID, 1, m_state.colours[kVerticalGridColour]);
  win::CPen horizontal(win::PS_SOLID, 1, m_state.colours[kHorizontalGridColour]);
  win::CPen* previousPen = dc.SelectObject(&vertical);
  if (fullGrid) {
    for (const int x : MakeGrid(width, h, false, true).verticalX) {
      dc.MoveTo(x, 0);
      dc.LineTo(x, -h);
    }
  }
  dc.SelectObject(&horizontal);
  for (int k = 1; k <= 9; ++k) {
    // A tenth of the height in single precision, as the scale has always been placed.
    const float at = static_cast<float>(h) * static_cast<float>(k) * 0.1f;
    const int y = -static_cast<int>(at);
    dc.MoveTo(0, y);
    dc.LineTo(width, y);
    if (fullGrid) dc.TextOut(0, -static_cast<int>(at + 7.0f), vetra::Format("%d%%", 20 * k - 100));
  }
  dc.SelectObject(previousPen);
  dc.SelectObject(previousFont);
}

void CScopeAuxWnd::DrawTraces(win::CDC& dc, int width)
{
  const int h = m_height;
  win::CFont* previousFont = dc.SelectObject(&m_cursorFont);
  const win::COLORREF grey = m_state.colours[kCursorColour];
  win::CPen cursorPen(win::PS_SOLID, 1, grey);
  win::CPen* previousPen = dc.SelectObject(&cursorPen);
  dc.SetTextColor(grey);
  const struct {
    int column;
    const char* label;
  } cursors[] = {{m_state.playback.cursorA, "A"}, {m_state.playback.cursorB, "B"}};
  for (const auto& cursor : cursors) {
    const int x = CursorX(cursor.column, width);
    dc.MoveTo(x, 0);
    dc.LineTo(x, -h);
    dc.TextOut(x, -15, cursor.label);
  }
  dc.SetTextColor(win::RGB(0, 0, 0));
  const int points = 2 * std::clamp(m_state.window.validColumns, 0, kWindowColumns);
  for (int slot = 0; slot < m_state.ChannelCount() && points > 0; ++slot) {
    // Every channel is drawn about the middle, unipolar or not.
    const TracePoints screen = ScreenPoints(m_rows[slot], width, h, false);
    win::CPen pen(win::PS_SOLID, 1, m_state.colours[slot]);
    dc.SelectObject(&pen);
    dc.Polyline(screen.data(), points);
    dc.SelectObject(&cursorPen);
  }
  dc.SelectObject(previousPen);
  dc.SelectObject(previousFont);
}

void CScopeAuxWnd::PlaceCursor(win::UINT message, win::CPoint point)
{
  if (win::CWnd* parent = GetParent()) {
    parent->SendMessage(message, static_cast<win::WPARAM>(ClickColumn(point.x, m_state.graphWidth)), static_cast<win::LPARAM>(point.y));
  }
}

void CScopeAuxWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  PlaceCursor(kMsgPlaceCursorA, point);
  CWnd::OnLButtonUp(flags, point);
}

void CScopeAuxWnd::OnRButtonUp(win::UINT flags, win::CPoint point)
{
  PlaceCursor(kMsgPlaceCursorB, point);
  CWnd::OnRButtonUp(flags, point);
}

}  // namespace tessial
