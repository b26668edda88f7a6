#include "controls/oscilloscope/windows/measure_panel_wnd.h"

#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/base/text.h"
#include "platform/ui/paint.h"

namespace tessial {
namespace {

void MakeFont(win::CFont& font, const PanelFont& look)
{
  font.DeleteObject();
  font.CreateFont(look.height, look.width, 0, 0, look.weight, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0, vetra::Cp949("굴림체").c_str());
}

}  // namespace

CMeasurePanelWnd::~CMeasurePanelWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CMeasurePanelWnd::CreatePanel(win::CWnd* parent, const win::RECT& rect, win::UINT id)
{
  return CreateEx(0, nullptr, "", win::WS_CHILD | win::WS_VISIBLE, rect, parent, id);
}

int CMeasurePanelWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  GetClientRect(&m_ownRect);
  win::CClientDC client(this);
  m_backBuffer.Create(client, m_ownRect.Width(), m_ownRect.Height(), "panel");
  m_backBuffer.DC().SetBkMode(win::TRANSPARENT);
  m_backBuffer.DC().SetROP2(win::R2_COPYPEN);
  return 0;
}

void CMeasurePanelWnd::Layout()
{
  m_boxes = PanelBoxes(m_ownRect.Width(), m_ownRect.Height(), m_rows);
  MakeFont(m_zoomFont, PanelFontFor(1));
  MakeFont(m_font, PanelFontFor(m_rows));
}

void CMeasurePanelWnd::OnPaint()
{
  win::CPaintDC paint(this);
  m_backBuffer.Present(paint, m_ownRect.Width(), m_ownRect.Height(), [&](win::CDC& dc) {
    win::CFont* previousFont = dc.GetCurrentFont();
    dc.FillSolidRect(&m_ownRect, kBackground);
    if (m_zoomed) {
      DrawBox(dc, ZoomedPanelBox(m_ownRect.Width(), m_ownRect.Height()), m_zoomSlot, 1, m_zoomFont);
    } else {
      dc.SetTextColor(kText);
      for (int slot = 0; slot < static_cast<int>(m_boxes.size()); ++slot) DrawBox(dc, m_boxes[slot], slot, m_rows, m_font);
    }
    if (previousFont != nullptr) dc.SelectObject(previousFont);
  });
}

void CMeasurePanelWnd::DrawBox(win::CDC& dc, const win::RECT& box, int slot, int layoutCount, win::CFont& font)
{
  win::CRect frame(box);
  dc.FillSolidRect(&frame, kFrameOuter);
  frame.DeflateRect(1, 1);
  dc.FillSolidRect(&frame, kBackground);
  frame.DeflateRect(1, 1);
  dc.FillSolidRect(&frame, kBox);
  if (slot < 0 || slot >= m_state.ChannelCount()) return;
  // Readouts are placed in the box's own coordinates; the height of the first box sets the rows.
  const int boxHeight = m_zoomed ? box.bottom - box.top : (m_boxes.empty() ? 0 : m_boxes[0].bottom - m_boxes[0].top);
  const win::CPoint origin = dc.SetWindowOrg(-box.left, -box.top);
  dc.SelectObject(&font);
  const auto texts = ReadoutTexts(FormatMeasureTexts(m_state.values[slot]));
  const auto points = ReadoutPoints(layoutCount, boxHeight);
  for (int k = 0; k < kReadoutCount; ++k) dc.TextOut(points[k].x, points[k].y, texts[k]);
  dc.SetWindowOrg(origin);
}

void CMeasurePanelWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  NotifyParentMouseMove(*this, flags);
  CWnd::OnMouseMove(flags, point);
}

void CMeasurePanelWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  if (win::CWnd* parent = GetParent()) parent->SendMessage(kMsgChildHoverReset, 0, 0);
  CWnd::OnLButtonUp(flags, point);
}

}  // namespace tessial
