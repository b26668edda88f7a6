#include "platform/ui/list_view.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/control_painting.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_rows.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/notify.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {

constexpr detail::OwnedScrollBar kScrollBar{0xFFF2};
constexpr UINT_PTR kHeaderId = 0;  // the header's notifications name it
constexpr int kCellPadding = 6;
constexpr int kDividerSlop = 4;

using detail::PointOf;

UINT AlignOf(int format)
{
  switch (format & 3) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}

}  // namespace

CListCtrl::CListCtrl()
    : m_bkColor(GetSysColor(COLOR_WINDOW)),
      m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_textBkColor(GetSysColor(COLOR_WINDOW))
{
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "SysListView32", "", style | WS_CHILD, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
  const DWORD old = m_exStyle;
  m_exStyle = style;
  Invalidate(FALSE);
  return old;
}

CImageList* CListCtrl::SetImageList(CImageList* images, int which)
{
  CImageList*& slot = which == LVSIL_NORMAL ? m_normalImages : m_smallImages;
  CImageList* old = slot;
  slot = images;
  UpdateScrollBar();
  Invalidate(FALSE);
  return old;
}

CImageList* CListCtrl::GetImageList(int which) const { return which == LVSIL_NORMAL ? m_normalImages : m_smallImages; }

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width, int)
{
  column = std::clamp(column, 0, GetColumnCount());
  m_columns.insert(m_columns.begin() + column, Column{heading ? heading : "", format, std::max(0, width)});
  for (Row& row : m_rows) row.cells.insert(row.cells.begin() + column, std::string());
  Invalidate(FALSE);
  return column;
}

BOOL CListCtrl::DeleteColumn(int column)
{
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  m_columns.erase(m_columns.begin() + column);
  for (Row& row : m_rows) row.cells.erase(row.cells.begin() + column);
  Invalidate(FALSE);
  return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
  return column >= 0 && column < GetColumnCount() ? m_columns[static_cast<std::size_t>(column)].width : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
  if (column < 0 || column >= GetColumnCount()) return FALSE;
  m_columns[static_cast<std::size_t>(column)].width = std::max(0, width);
  Invalidate(FALSE);
  return TRUE;
}

int CListCtrl::InsertItem(int item, const char* text) { return InsertItem(item, text, -1); }

int CListCtrl::InsertItem(int item, const char* text, int image)
{
  if (item < 0) return -1;
  item = std::min(item, GetItemCount());
  Row row;
  row.cells.resize(std::max<std::size_t>(1, m_columns.size()));
  row.cells[0] = text ? text : "";
  row.image = image;
  m_rows.insert(m_rows.begin() + item, std::move(row));
  detail::FollowInsert(m_mark, item);
  detail::FollowInsert(m_focusRow, item);
  UpdateScrollBar();
  Invalidate(FALSE);
  return item;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text)
{
  if (item < 0 || item >= GetItemCount() || subItem < 0) return FALSE;
  auto& cells = m_rows[static_cast<std::size_t>(item)].cells;
  if (subItem >= static_cast<int>(cells.size())) {
    if (subItem >= std::max(1, GetColumnCount())) return FALSE;
    cells.resize(static_cast<std::size_t>(subItem) + 1);
  }
  cells[static_cast<std::size_t>(subItem)] = text ? text : "";
  Invalidate(FALSE);
  return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
  if (item < 0 || item >= GetItemCount() || subItem < 0) return {};
  const auto& cells = m_rows[static_cast<std::size_t>(item)].cells;
  return subItem < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(subItem)] : std::string();
}

int CListCtrl::GetItemText(int item, int subItem, char* buffer, int length) const
{
  if (!buffer || length <= 0) return 0;
  const std::string text = GetItemText(item, subItem);
  const int n = std::min(static_cast<int>(text.size()), length - 1);
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

BOOL CListCtrl::SetItemImage(int item, int image)
{
  if (item < 0 || item >= GetItemCount()) return FALSE;
  m_rows[static_cast<std::size_t>(item)].image = image;
  Invalidate(FALSE);
  return TRUE;
}

int CListCtrl::GetItemImage(int item) const
{
  return item >= 0 && item < GetItemCount() ? m_rows[static_cast<std::size_t>(item)].image : -1;
}

BOOL CListCtrl::SetItemData(int item, std::uintptr_t data)
{
  if (item < 0 || item >= GetItemCount()) return FALSE;
  m_rows[static_cast<std::size_t>(item)].data = data;
  return TRUE;
}

std::uintptr_t CListCtrl::GetItemData(int item) const
{
  return item >= 0 && item < GetItemCount() ? m_rows[static_cast<std::size_t>(item)].data : 0;
}

BOOL CListCtrl::DeleteItem(int item)
{
  if (item < 0 || item >= GetItemCount()) return FALSE;
  m_rows.erase(m_rows.begin() + item);
  detail::FollowErase(m_mark, item);
  detail::FollowErase(m_focusRow, item);
  SetTop(m_top);
  UpdateScrollBar();
  Invalidate(FALSE);
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
  m_rows.clear();
  m_mark = -1;
  m_focusRow = -1;
  m_top = 0;
  UpdateScrollBar();
  Invalidate(FALSE);
  return TRUE;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
  if (item == -1) {
    for (int i = 0; i < GetItemCount(); ++i) SetItemState(i, state, mask);
    return TRUE;
  }
  if (item < 0 || item >= GetItemCount()) return FALSE;
  if (mask & LVIS_SELECTED) {
    const bool select = (state & LVIS_SELECTED) != 0;
    if (select && (GetStyle() & LVS_SINGLESEL)) {
      for (Row& row : m_rows) row.selected = false;
    }
    m_rows[static_cast<std::size_t>(item)].selected = select;
    if (select) m_mark = item;
  }
  if (mask & LVIS_FOCUSED) m_focusRow = (state & LVIS_FOCUSED) ? item : (m_focusRow == item ? -1 : m_focusRow);
  Invalidate(FALSE);
  return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
  if (item < 0 || item >= GetItemCount()) return 0;
  UINT state = 0;
  if (m_rows[static_cast<std::size_t>(item)].selected) state |= LVIS_SELECTED;
  if (m_focusRow == item) state |= LVIS_FOCUSED;
  return state & mask;
}

int CListCtrl::GetNextItem(int start, int flags) const
{
  for (int i = std::max(0, start + 1); i < GetItemCount(); ++i) {
    if (!(flags & LVNI_SELECTED) || m_rows[static_cast<std::size_t>(i)].selected) return i;
  }
  return -1;
}

int CListCtrl::GetSelectedCount() const
{
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.selected; }));
}

int CListCtrl::RowHeight() const
{
  int height = ControlLineHeight(*this);
  if (m_smallImages) height = std::max(height, static_cast<int>(m_smallImages->GetImageSize().cy));
  return height + 1;
}

int CListCtrl::HeaderHeight() const
{
  if (GetStyle() & LVS_NOCOLUMNHEADER) return 0;
  return ControlLineHeight(*this) + 4;
}

int CListCtrl::GetCountPerPage() const
{
  CRect r;
  GetClientRect(&r);
  return std::max(0, (r.Height() - HeaderHeight()) / RowHeight());
}

int CListCtrl::Page() const { return std::max(1, GetCountPerPage()); }

void CListCtrl::SetTop(int top) { detail::ScrollRowsTo(*this, kScrollBar, m_top, top, GetItemCount(), Page()); }

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
  if (item < 0 || item >= GetItemCount()) return FALSE;
  const int top = detail::TopShowing(item, m_top, Page());
  if (top != m_top) SetTop(top);
  return TRUE;
}

BOOL CListCtrl::SetBkColor(COLORREF color)
{
  m_bkColor = color;
  Invalidate(FALSE);
  return TRUE;
}

BOOL CListCtrl::SetTextColor(COLORREF color)
{
  m_textColor = color;
  Invalidate(FALSE);
  return TRUE;
}

BOOL CListCtrl::SetTextBkColor(COLORREF color)
{
  m_textBkColor = color;
  Invalidate(FALSE);
  return TRUE;
}

int CListCtrl::RowsWidth() const { return kScrollBar.WidthBeside(*this); }

// The list's scroll bar shows only while the rows do not fit, beside the rows below the header.
void CListCtrl::MakeScrollBar() { kScrollBar.Make(*this, (GetStyle() & WS_VSCROLL) && !(GetStyle() & LVS_NOSCROLL)); }

void CListCtrl::UpdateScrollBar()
{
  if (!m_hWnd) return;
  CRect r;
  GetClientRect(&r);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  const int header = HeaderHeight();
  const CRect place(r.right - width, header, r.right, header + std::max(0, r.Height() - header));
  kScrollBar.Update(*this, place, GetItemCount(), Page(), m_top, false);
}

int CListCtrl::ColumnAt(int x) const
{
  int left = 0;
  for (int c = 0; c < GetColumnCount(); ++c) {
    const int right = left + m_columns[static_cast<std::size_t>(c)].width;
    if (x >= left && x < right) return c;
    left = right;
  }
  return -1;
}

int CListCtrl::DividerAt(CPoint point) const
{
  if (point.y < 0 || point.y >= HeaderHeight()) return -1;
  int right = 0;
  int found = -1;
  for (int c = 0; c < GetColumnCount(); ++c) {
    right += m_columns[static_cast<std::size_t>(c)].width;
    if (std::abs(point.x - right) <= kDividerSlop) found = c;  // the last one wins over empty columns
  }
  return found;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const
{
  if (!info) return -1;
  info->iItem = -1;
  info->iSubItem = 0;
  info->flags = LVHT_NOWHERE;
  const int y = info->pt.y - HeaderHeight();
  if (y < 0 || info->pt.x < 0 || info->pt.x >= RowsWidth()) return -1;
  const int row = detail::RowAtY(y, m_top, RowHeight(), GetItemCount());
  const int column = ColumnAt(info->pt.x);
  if (row < 0 || column < 0) return -1;
  info->iItem = row;
  info->iSubItem = column;
  info->flags = LVHT_ONITEM;
  return row;
}

void CListCtrl::NotifyItemChanged(int row, UINT oldState, UINT newState)
{
  NMLISTVIEW change;
  change.iItem = row;
  change.uOldState = oldState;
  change.uNewState = newState;
  change.uChanged = 0x8;  // LVIF_STATE
  SendNotify(*this, change.hdr, LVN_ITEMCHANGED);
}

void CListCtrl::SelectOnly(int row)
{
  const HWND self = m_hWnd;
  for (int i = 0; i < GetItemCount() && IsWindow(self); ++i) {
    Row& r = m_rows[static_cast<std::size_t>(i)];
    const bool select = i == row;
    if (r.selected != select) {
      r.selected = select;
      NotifyItemChanged(i, select ? 0 : LVIS_SELECTED, select ? LVIS_SELECTED : 0);
    }
  }
  if (!IsWindow(self)) return;
  if (row >= 0) {
    m_mark = row;
    m_focusRow = row;
  }
  Invalidate(FALSE);
}

void CListCtrl::KeyToRow(int row)
{
  if (row < 0 || row >= GetItemCount()) return;
  const HWND self = m_hWnd;
  SelectOnly(row);
  if (IsWindow(self)) EnsureVisible(row, FALSE);
}

void CListCtrl::NotifyActivate(UINT code, int row, int column, CPoint point)
{
  NMITEMACTIVATE activate;
  activate.iItem = row;
  activate.iSubItem = column;
  activate.ptAction = point;
  SendNotify(*this, activate.hdr, code);
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CListCtrl::Draw)) return *answer;
  switch (message) {
    case WM_CREATE:
      MakeScrollBar();
      UpdateScrollBar();
      return 0;
    case WM_SIZE:
    case WM_SETFONT:
      CWnd::DefWindowProc(message, wParam, lParam);
      UpdateScrollBar();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const CPoint point = PointOf(lParam);
      SetFocus();
      const int divider = DividerAt(point);
      if (divider >= 0) {
        NMHEADER header;
        HDITEM item;
        item.mask = 1;  // HDI_WIDTH
        item.cxy = GetColumnWidth(divider);
        header.iItem = divider;
        header.pitem = &item;
        if (SendNotify(*this, header.hdr, HDN_BEGINTRACK, kHeaderId) != 0) return 0;
        m_tracking = divider;
        m_trackStartX = point.x;
        m_trackStartWidth = GetColumnWidth(divider);
        SetCapture();
        return 0;
      }
      if (point.y < HeaderHeight()) return 0;
      LVHITTESTINFO hit;
      hit.pt = point;
      const int row = SubItemHitTest(&hit);
      // Without full-row selection only the first column's cell selects its row.
      const bool selects = row >= 0 && ((m_exStyle & LVS_EX_FULLROWSELECT) || hit.iSubItem == 0);
      const HWND self = m_hWnd;
      if (selects) SelectOnly(row);
      else if (row < 0 || !(m_exStyle & LVS_EX_FULLROWSELECT)) SelectOnly(-1);
      if (!IsWindow(self)) return 0;
      if (message == WM_LBUTTONDBLCLK) {
        m_clickPending = false;
        NotifyActivate(NM_DBLCLK, selects ? row : -1, hit.iSubItem, point);
      } else {
        m_clickPending = true;
        SetCapture();
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m_tracking >= 0) {
        SetColumnWidth(m_tracking, m_trackStartWidth + PointOf(lParam).x - m_trackStartX);
      }
      return 0;
    case WM_LBUTTONUP: {
      const CPoint point = PointOf(lParam);
      if (GetCapture() == this) ReleaseCapture();
      if (m_tracking >= 0) {
        const int column = m_tracking;
        m_tracking = -1;
        NMHEADER header;
        HDITEM item;
        item.mask = 1;
        item.cxy = GetColumnWidth(column);
        header.iItem = column;
        header.pitem = &item;
        SendNotify(*this, header.hdr, HDN_ENDTRACK, kHeaderId);
        return 0;
      }
      if (m_clickPending) {
        m_clickPending = false;
        LVHITTESTINFO hit;
        hit.pt = point;
        const int row = SubItemHitTest(&hit);
        const bool onRow = row >= 0 && ((m_exStyle & LVS_EX_FULLROWSELECT) || hit.iSubItem == 0);
        NotifyActivate(NM_CLICK, onRow ? row : -1, hit.iSubItem, point);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      m_tracking = -1;
      return 0;
    case WM_KEYDOWN: {
      if (GetItemCount() == 0) return 0;
      int row = m_focusRow < 0 ? 0 : m_focusRow;
      // With no row focused yet an arrow takes the first.
      const int step = m_focusRow < 0 ? 0 : 1;
      switch (wParam) {
        case VK_UP: row -= step; break;
        case VK_DOWN: row += step; break;
        case VK_PRIOR: row -= Page(); break;
        case VK_NEXT: row += Page(); break;
        case VK_HOME: row = 0; break;
        case VK_END: row = GetItemCount() - 1; break;
        default: return 0;
      }
      KeyToRow(std::clamp(row, 0, GetItemCount() - 1));
      return 0;
    }
    case WM_CHAR: {
      std::vector<std::string> texts;
      for (const Row& r : m_rows) texts.push_back(r.cells.empty() ? std::string() : r.cells[0]);
      KeyToRow(detail::RowStartingWith(texts, m_focusRow, static_cast<UINT>(wParam)));
      return 0;
    }
    case WM_MOUSEWHEEL:
      SetTop(m_top + detail::WheelRows(static_cast<short>(HIWORD(wParam)), m_wheelRest));
      return 0;
    case WM_VSCROLL:
      if (const auto top = detail::ScrolledTop(wParam, m_top, Page(), GetItemCount(), false)) SetTop(*top);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      m_focused = message == WM_SETFOCUS;
      Invalidate(FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LVM_GETITEMCOUNT: return GetItemCount();
    case LVM_DELETEITEM: return DeleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS: return DeleteAllItems();
    case LVM_GETTOPINDEX: return GetTopIndex();
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
      return SetExtendedStyle((m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask));
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return m_exStyle;
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CListCtrl::Draw(CDC& dc, CRect client)
{
  CFont* old = dc.SelectObject(ControlFont(*this));
  dc.SetBkMode(TRANSPARENT);
  const int header = HeaderHeight();
  if (header > 0) PaintHeader(dc, CRect(client.left, client.top, client.right, client.top + header));
  PaintRows(dc, CRect(client.left, client.top + header, client.left + RowsWidth(), client.bottom));
  dc.SelectObject(old);
}

void CListCtrl::PaintHeader(CDC& dc, const CRect& area)
{
  dc.FillSolidRect(&area, GetSysColor(COLOR_BTNFACE));
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  int left = area.left;
  for (const Column& column : m_columns) {
    const CRect cell(left, area.top, left + column.width, area.bottom);
    if (column.width > 0) {
      DrawRaisedEdge(dc, cell);
      CRect text(cell.left + kCellPadding, cell.top, cell.right - kCellPadding, cell.bottom);
      dc.DrawText(column.title, &text, AlignOf(column.format) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    left = cell.right;
  }
  if (left < area.right) DrawRaisedEdge(dc, CRect(left, area.top, area.right + 2, area.bottom));
}

void CListCtrl::PaintRows(CDC& dc, const CRect& area)
{
  dc.FillSolidRect(&area, m_bkColor);
  const int height = RowHeight();
  const bool grid = (m_exStyle & LVS_EX_GRIDLINES) != 0;
  const bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) != 0;
  const bool showSelection = m_focused || (GetStyle() & LVS_SHOWSELALWAYS);
  const COLORREF gridColor = GetSysColor(COLOR_3DLIGHT);
  for (int row = m_top, y = area.top; row < GetItemCount() && y < area.bottom; ++row, y += height) {
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    const bool selected = r.selected && showSelection;
    int left = area.left;
    CRect mark;  // what the focus frame goes round: the first column's label, or the whole row
    for (int c = 0; c < GetColumnCount(); ++c) {
      const Column& column = m_columns[static_cast<std::size_t>(c)];
      CRect cell(left, y, left + column.width, y + height - (grid ? 1 : 0));
      left += column.width;
      if (column.width <= 0) continue;
      int textLeft = cell.left + kCellPadding;
      if (c == 0 && m_smallImages && r.image >= 0) {
        // Two pixels in from the cell's edge, fewer when the picture would not fit the column.
        const CSize image = m_smallImages->GetImageSize();
        const int x = cell.left + std::clamp(cell.Width() - image.cx, 0, 2);
        m_smallImages->Draw(&dc, r.image, CPoint(x, cell.top + (cell.Height() - image.cy) / 2), ILD_TRANSPARENT);
        textLeft = x + image.cx + 2;
      }
      if (c == 0) mark = CRect(textLeft - 2, cell.top, cell.right, cell.bottom);
      else if (fullRow) mark.right = cell.right;
      const bool highlighted = selected && (fullRow || c == 0);
      if (highlighted) {
        const CRect fill(c == 0 ? textLeft - 2 : cell.left, cell.top, cell.right, cell.bottom);
        dc.FillSolidRect(&fill, GetSysColor(COLOR_HIGHLIGHT));
      } else if (m_textBkColor != m_bkColor) {
        const CRect fill(textLeft - 2, cell.top, cell.right, cell.bottom);
        dc.FillSolidRect(&fill, m_textBkColor);
      }
      dc.SetTextColor(highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : m_textColor);
      const std::string& text = c < static_cast<int>(r.cells.size()) ? r.cells[static_cast<std::size_t>(c)] : std::string();
      CRect textArea(textLeft, cell.top, cell.right - kCellPadding, cell.bottom);
      dc.DrawText(text, &textArea, AlignOf(column.format) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (grid) dc.FillSolidRect(area.left, y + height - 1, area.Width(), 1, gridColor);
    if (m_focused && row == m_focusRow) PaintFocusMark(dc, mark, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  }
  if (grid) {
    int left = area.left;
    for (const Column& column : m_columns) {
      left += column.width;
      dc.FillSolidRect(left - 1, area.top, 1, area.Height(), gridColor);
    }
  }
}

}  // namespace win
