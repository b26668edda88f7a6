#include "controls/ignition/windows/ign_value_wnd.h"

#include "common/capture/child_notifier.h"
#include "controls/ignition/core/value_panel.h"
#include "controls/ignition/windows/skin.h"
#include "platform/ui/paint.h"

namespace sparwen {

CIgnValueWnd::CIgnValueWnd(const IgnitionState& state) : m_state(state) {}

CIgnValueWnd::~CIgnValueWnd()
{
  if (m_hWnd != nullptr) DestroyWindow();
}

win::BOOL CIgnValueWnd::CreatePanel(win::CWnd* parent, const win::RECT& rect)
{
  return CreateEx(0, nullptr, "", win::WS_CHILD | win::WS_VISIBLE, rect, parent, kIdValuePanel);
}

int CIgnValueWnd::OnCreate(win::LPCREATESTRUCT cs)
{
  if (CWnd::OnCreate(cs) == -1) return -1;
  GetClientRect(&m_client);
  FreeBitmaps();
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, m_client.Width(), m_client.Height(), "valuepanel");
  // Loaded in this order; each failure is reported on its own.
  const struct {
    int index;
    const char* file;
    const char* member;
  } titles[] = {{3, "peak_volt.bmp", "m_PeakVoltBmp"},
                {2, "ig_volt.bmp", "m_IgVoltBmp"},
                {1, "ig_time.bmp", "m_IgTimeBmp"},
                {0, "dwell.bmp", "m_DwellTimeBmp"},
                {4, "tr_off.bmp", "m_TrOffBmp"}};
  for (const auto& title : titles) OpenSkin(m_titles[static_cast<std::size_t>(title.index)], title.file, title.member);
  const win::SIZE dwell = SkinSize(m_titles[0]);
  m_titleRect = {3, 1, 3 + dwell.cx, 1 + dwell.cy};
  return 0;
}

void CIgnValueWnd::FreeBitmaps()
{
  for (vetra::CDib& picture : m_titles) picture.Free();
  m_backBuffer.Free();
}

void CIgnValueWnd::OnPaint()
{
  win::CPaintDC paint(this);
  const int w = m_client.Width();
  const int h = m_client.Height();
  m_backBuffer.Present(paint, w, h, [&](win::CDC& dc) {
    const win::TransparentCopyDrawing modes(dc);
    FillFramedPanel(dc, w, h, kFrame, m_state.colours[kBackgroundColour]);
    const win::RECT header = {2, 2, w - 2, kValuePanelHeaderHeight};
    dc.FillSolidRect(&header, kHeader);
    DrawValues(dc);
  });
}

void CIgnValueWnd::DrawValues(win::CDC& dc)
{
  win::CFont font;
  font.CreateFont(18, 0, 0, 0, 800, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, 0x20, FaceName().c_str());
  win::CFont* oldFont = dc.SelectObject(&font);
  const ValuePanelContent content = BuildValuePanel(m_state, m_client.Width(), m_client.Height());
  if (content.titlePicture >= 0 && content.titlePicture < static_cast<int>(m_titles.size())) {
    DrawSkinIn(m_titles[static_cast<std::size_t>(content.titlePicture)], m_titleRect, dc);
  }
  if (content.headingShown) {
    const win::POINT at = HeadingOrigin(m_client.Width() - 7, static_cast<int>(content.heading.size()));
    dc.SetTextColor(content.headingColour);
    dc.TextOut(at.x, at.y, content.heading);
  }
  for (const PanelRowContent& row : content.rows) {
    if (row.shaded) dc.FillSolidRect(&row.rect, kShadedRowColour);
    dc.SetTextColor(row.colour);
    const win::POINT name = RowNameOrigin(row.rect);
    dc.TextOut(name.x, name.y, row.name);
    const win::POINT value = RowValueOrigin(row.rect, static_cast<int>(row.value.size()));
    dc.TextOut(value.x, value.y, row.value);
  }
  dc.SelectObject(oldFont);
}

void CIgnValueWnd::OnMouseMove(win::UINT flags, win::CPoint point)
{
  vetra::NotifyParentMouseMove(*this, flags);
  CWnd::OnMouseMove(flags, point);
}

void CIgnValueWnd::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  vetra::NotifyParentClickEnded(*this);
  CWnd::OnLButtonUp(flags, point);
}

}  // namespace sparwen
