#include "controls/scandata/windows/table_list_wnd.h"

#include <algorithm>

#include "controls/scandata/quarnel_identity.h"
#include "platform/base/text.h"
#include "controls/scandata/windows/module_pictures.h"
#include "platform/ui/control_classes.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_rows.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_metrics.h"

namespace quarnel {
namespace {

constexpr int kImageWidth = 25;
constexpr win::COLORREF kImageMask = win::RGB(127, 159, 213);
// The list's vertical scroll bar, a child of its own by this id, follows the platform's rule
// for lists.
constexpr win::detail::OwnedScrollBar kBar{1};

}  // namespace

CTableListWnd::CTableListWnd(ListStyle style) : style_(std::move(style)) {}

win::BOOL CTableListWnd::CreateList(win::DWORD style, const win::RECT& rect, win::CWnd* parent, win::UINT id)
{
  // The lists stand where report list views stood: a quick second press is a double click.
  static const bool registered = (win::RegisterClassStyle("TableList", win::CS_DBLCLKS), true);
  (void)registered;
  if (!CreateEx(0, "TableList", "", style | win::WS_CHILD, rect, parent, id)) return win::FALSE;
  if (style_.images) {
    win::CClientDC screen(this);
    images_.Load(kListImagesBitmap, kImageWidth, kImageMask, screen);
  }
  font_.CreateFont(style_.fontHeight, style_.fontWidth, 0, 0, style_.fontWeight, 0, 0, 0, 1, 0, 0, 2, 0, vetra::Cp949("굴림체").c_str());
  keepBar_ = (style & win::LBS_DISABLENOSCROLL) != 0;
  kBar.Make(*this, (style & win::WS_VSCROLL) != 0);
  UpdateScrollBar();
  return win::TRUE;
}

void CTableListWnd::SetRows(std::vector<ListRow> rows)
{
  if (rows == rows_) return;
  const int chosenKey = selection_ >= 0 && selection_ < RowCount() ? rows_[static_cast<std::size_t>(selection_)].key : -1;
  rows_ = std::move(rows);
  if (chosenKey >= 0) {
    const auto at = std::find_if(rows_.begin(), rows_.end(), [chosenKey](const ListRow& row) { return row.key == chosenKey; });
    selection_ = at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin());
  } else if (selection_ >= RowCount()) {
    selection_ = -1;
  }
  SetTopRow(top_);
  UpdateScrollBar();
  if (m_hWnd != nullptr) Invalidate(win::FALSE);
}

void CTableListWnd::SetSelection(int row)
{
  selection_ = row >= 0 && row < RowCount() ? row : -1;
  if (m_hWnd != nullptr) Invalidate(win::FALSE);
}

int CTableListWnd::VisibleRows() const
{
  if (m_hWnd == nullptr) return 0;
  win::CRect client;
  GetClientRect(&client);
  return std::max(0, (client.Height() - RowsTop()) / style_.rowHeight);
}

void CTableListWnd::SetTopRow(int row)
{
  top_ = std::clamp(row, 0, std::max(0, RowCount() - VisibleRows()));
  if (win::CScrollBar* bar = VerticalBar()) bar->SetScrollPos(top_);
  if (m_hWnd != nullptr) Invalidate(win::FALSE);
}

win::CScrollBar* CTableListWnd::VerticalBar() const { return kBar.Bar(*this); }

void CTableListWnd::UpdateScrollBar()
{
  if (m_hWnd == nullptr) return;
  win::CRect client;
  GetClientRect(&client);
  const int width = win::GetSystemMetrics(win::SM_CXVSCROLL);
  const win::CRect place(client.right - width, RowsTop(), client.right, std::max(RowsTop(), static_cast<int>(client.bottom)));
  kBar.Update(*this, place, RowCount(), VisibleRows(), top_, keepBar_);
}

void CTableListWnd::OnSize(win::UINT type, int cx, int cy)
{
  CWnd::OnSize(type, cx, cy);
  SetTopRow(top_);
  UpdateScrollBar();
}

win::POINT CTableListWnd::CellPoint(int row, int column) const
{
  int x = 0;
  for (int c = 0; c < column && c < static_cast<int>(style_.columns.size()); ++c) x += style_.columns[static_cast<std::size_t>(c)].width;
  const int width = column < static_cast<int>(style_.columns.size()) ? style_.columns[static_cast<std::size_t>(column)].width : 0;
  return {x + width / 2, RowsTop() + (row - top_) * style_.rowHeight + style_.rowHeight / 2};
}

int CTableListWnd::ColumnAt(int x) const
{
  int right = 0;
  for (std::size_t c = 0; c < style_.columns.size(); ++c) {
    right += style_.columns[c].width;
    if (x < right) return static_cast<int>(c);
  }
  return -1;
}

int CTableListWnd::RowAt(int y) const
{
  if (y < RowsTop()) return -1;
  const int row = top_ + (y - RowsTop()) / style_.rowHeight;
  return row < RowCount() ? row : -1;
}

void CTableListWnd::Hit(win::CPoint point, bool doubleClick)
{
  const int row = RowAt(point.y);
  const int column = ColumnAt(point.x);
  if (row < 0 || column < 0) return;
  SetSelection(row);
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(kMsgListClick, GetDlgCtrlID(), win::MAKELPARAM(row, column | (doubleClick ? kDoubleClickFlag : 0)));
  }
}

void CTableListWnd::OnLButtonDown(win::UINT, win::CPoint point)
{
  SetFocus();
  Hit(point, false);
}

void CTableListWnd::OnLButtonDblClk(win::UINT, win::CPoint point)
{
  SetFocus();
  Hit(point, true);
}

void CTableListWnd::SelectAndShow(int row)
{
  if (RowCount() == 0) return;
  row = std::clamp(row, 0, RowCount() - 1);
  SetSelection(row);
  const int top = win::detail::TopShowing(row, top_, std::max(1, VisibleRows()));
  if (top != top_) SetTopRow(top);
}

void CTableListWnd::OnKeyDown(win::UINT vk, win::UINT repeat, win::UINT flags)
{
  const int page = std::max(1, VisibleRows());
  // Without a selection the first step down lands on the first row.
  const int from = selection_;
  switch (vk) {
    case win::VK_UP: SelectAndShow(from < 0 ? 0 : from - 1); return;
    case win::VK_DOWN: SelectAndShow(from + 1); return;
    case win::VK_PRIOR: SelectAndShow(from < 0 ? 0 : from - page); return;
    case win::VK_NEXT: SelectAndShow(from < 0 ? page - 1 : from + page); return;
    case win::VK_HOME: SelectAndShow(0); return;
    case win::VK_END: SelectAndShow(RowCount() - 1); return;
    case win::VK_SPACE:
    case win::VK_RETURN:
    case win::VK_TAB:
      if (CWnd* parent = GetParent()) {
        parent->SendMessage(kMsgListKey, GetDlgCtrlID(), win::MAKELPARAM(static_cast<win::WORD>(selection_), static_cast<win::WORD>(vk)));
      }
      return;
    default: CWnd::OnKeyDown(vk, repeat, flags); return;
  }
}

void CTableListWnd::OnSetFocus(win::CWnd* oldWnd)
{
  CWnd::OnSetFocus(oldWnd);
  focused_ = true;
  Invalidate(win::FALSE);
}

void CTableListWnd::OnKillFocus(win::CWnd* newWnd)
{
  CWnd::OnKillFocus(newWnd);
  focused_ = false;
  Invalidate(win::FALSE);
}

// The list keeps its keys inside a dialog as well.
win::UINT CTableListWnd::OnGetDlgCode() { return win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_WANTTAB; }

win::BOOL CTableListWnd::OnMouseWheel(win::UINT, short delta, win::CPoint)
{
  SetTopRow(top_ + win::detail::WheelRows(delta, wheelRest_));
  return win::TRUE;
}

void CTableListWnd::OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar*)
{
  const int page = std::max(1, VisibleRows());
  switch (code) {
    case win::SB_LINEUP: SetTopRow(top_ - 1); break;
    case win::SB_LINEDOWN: SetTopRow(top_ + 1); break;
    case win::SB_PAGEUP: SetTopRow(top_ - page); break;
    case win::SB_PAGEDOWN: SetTopRow(top_ + page); break;
    case win::SB_THUMBPOSITION:
    case win::SB_THUMBTRACK: SetTopRow(static_cast<int>(pos)); break;
    default: break;
  }
}

void CTableListWnd::DrawRow(win::CDC& dc, int row, int y, int width)
{
  const ListRow& r = rows_[static_cast<std::size_t>(row)];
  const bool selected = row == selection_;
  dc.FillSolidRect(0, y, width, style_.rowHeight, selected ? kSelection : style_.background);
  dc.SetTextColor(selected ? win::RGB(255, 255, 255) : win::RGB(0, 0, 0));
  int x = 0;
  for (std::size_t c = 0; c < style_.columns.size(); ++c) {
    const ListColumn& column = style_.columns[c];
    if (c == 0 && style_.images) {
      images_.Draw(r.image, x, y + (style_.rowHeight - images_.Height()) / 2, dc);
    } else if (c < r.texts.size() && !r.texts[c].empty()) {
      win::CRect cell(x + 4, y, x + column.width - 4, y + style_.rowHeight);
      dc.DrawText(r.texts[c], &cell, column.align | win::DT_VCENTER | win::DT_SINGLELINE);
    }
    x += column.width;
    if (style_.gridLines) dc.FillSolidRect(x - 1, y, 1, style_.rowHeight, kGrid);
  }
  if (style_.gridLines) dc.FillSolidRect(0, y + style_.rowHeight - 1, width, 1, kGrid);
  // The row the keys act on is framed while the list has the focus.
  if (selected && focused_) {
    win::CBrush frame(win::RGB(255, 255, 255));
    win::CRect around(0, y, width, y + style_.rowHeight);
    dc.FrameRect(&around, &frame);
  }
}

void CTableListWnd::OnPaint()
{
  win::CPaintDC dc(this);
  win::CRect client;
  GetClientRect(&client);
  // The rows take the whole width while the bar is hidden.
  const int width = kBar.WidthBeside(*this);
  dc.FillSolidRect(&client, style_.background);
  win::CFont* previous = dc.SelectObject(&font_);
  dc.SetBkMode(win::TRANSPARENT);
  if (style_.header) {
    dc.FillSolidRect(0, 0, width, style_.headerHeight, win::RGB(212, 208, 200));
    dc.SetTextColor(win::RGB(0, 0, 0));
    int x = 0;
    for (const ListColumn& column : style_.columns) {
      win::CRect cell(x + 4, 0, x + column.width - 4, style_.headerHeight);
      dc.DrawText(column.title, &cell, column.align | win::DT_VCENTER | win::DT_SINGLELINE);
      x += column.width;
      dc.FillSolidRect(x - 1, 0, 1, style_.headerHeight, win::RGB(128, 128, 128));
    }
    dc.FillSolidRect(0, style_.headerHeight - 1, width, 1, win::RGB(128, 128, 128));
  }
  for (int row = top_, y = RowsTop(); row < RowCount() && y < client.bottom; ++row, y += style_.rowHeight) DrawRow(dc, row, y, width);
  dc.SelectObject(previous);
}

}  // namespace quarnel
