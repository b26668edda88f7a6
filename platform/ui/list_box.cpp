#include "platform/ui/list_box.h"

#include <algorithm>
#include <cstring>

#include "platform/base/text.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {

// The list box's own scroll bar, by its id among the box's children.
constexpr detail::OwnedScrollBar kScrollBar{0xFFF1};

constexpr detail::RowMessages kRowMessages{LB_ADDSTRING,  LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                           LB_GETCOUNT,   LB_GETTEXT,      LB_GETTEXTLEN,   LB_GETITEMDATA,
                                           LB_SETITEMDATA, LB_FINDSTRINGEXACT};

using detail::PointOf;

}  // namespace

namespace detail {

void PaintListRows(CDC& dc, const CRect& area, const std::vector<std::string>& texts,
                   const std::function<bool(int)>& selected, const ListRowsLook& look)
{
  const COLORREF text = dc.GetTextColor();
  dc.SetBkMode(TRANSPARENT);
  for (int row = look.top, y = area.top; row < static_cast<int>(texts.size()) && y < area.bottom;
       ++row, y += look.rowHeight) {
    const CRect r(area.left, y, area.right, y + look.rowHeight);
    const bool isSelected = selected(row);
    if (isSelected) dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(isSelected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    CRect textArea(r.left + 2, r.top, r.right, r.bottom);
    dc.DrawText(texts[static_cast<std::size_t>(row)], &textArea, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (look.focused && row == look.caret) PaintFocusMark(dc, r, GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  }
  dc.SetTextColor(text);
}

}  // namespace detail

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "LISTBOX", "", style | WS_CHILD, rect, parent, id);
}

int CListBox::InsertString(int index, const char* text)
{
  index = m_rows.Insert(index, text);
  detail::FollowInsert(m_cur, index);
  UpdateScrollBar();
  Invalidate();
  return index;
}

int CListBox::DeleteString(UINT index)
{
  const int i = static_cast<int>(index);  // past INT_MAX it turns negative: no such row
  if (!m_rows.Erase(i)) return LB_ERR;
  detail::FollowErase(m_cur, i);
  m_caret = std::clamp(m_caret, 0, std::max(0, GetCount() - 1));
  SetTopIndex(m_top);
  UpdateScrollBar();
  Invalidate();
  return GetCount();
}

void CListBox::ResetContent()
{
  m_rows.Clear();
  m_cur = -1;
  m_caret = 0;
  m_top = 0;
  UpdateScrollBar();
  Invalidate();
}

int CListBox::GetSel(int index) const
{
  if (index < 0 || index >= GetCount()) return LB_ERR;
  if (!Multiple()) return index == m_cur ? 1 : 0;
  return m_rows[index].selected ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select)
{
  if (!Multiple()) return LB_ERR;
  if (index == -1) {
    for (detail::TextRow& row : m_rows) row.selected = select != 0;
  } else if (index >= 0 && index < GetCount()) {
    m_rows[index].selected = select != 0;
  } else {
    return LB_ERR;
  }
  Invalidate(FALSE);
  return 0;
}

int CListBox::GetCurSel() const
{
  if (Multiple()) return GetCount() > 0 && m_rows[m_caret].selected ? m_caret : LB_ERR;
  return m_cur;
}

int CListBox::SetCurSel(int index)
{
  if (Multiple()) return LB_ERR;
  if (index < -1 || index >= GetCount()) {
    m_cur = -1;
    Invalidate(FALSE);
    return LB_ERR;
  }
  m_cur = index;
  if (index >= 0) MoveCaret(index);
  Invalidate(FALSE);
  return index;
}

int CListBox::GetSelCount() const
{
  if (!Multiple()) return LB_ERR;
  return m_rows.SelectedCount();
}

int CListBox::GetSelItems(int maxItems, int* indexes) const
{
  if (!Multiple()) return LB_ERR;
  int n = 0;
  for (int i = 0; i < GetCount() && n < maxItems; ++i) {
    if (m_rows[i].selected) indexes[n++] = i;
  }
  return n;
}

int CListBox::GetItemHeight(int) const { return ControlLineHeight(*this); }

int CListBox::VisibleRows() const
{
  CRect client;
  GetClientRect(&client);
  return detail::RowsInHeight(client.Height(), GetItemHeight());
}

int CListBox::SetTopIndex(int index)
{
  detail::ScrollRowsTo(*this, kScrollBar, m_top, index, GetCount(), VisibleRows());
  return index < 0 || (index >= GetCount() && GetCount() > 0) ? LB_ERR : 0;
}

int CListBox::RowFromPoint(CPoint client) const
{
  CRect r;
  GetClientRect(&r);
  if (client.x < 0 || client.x >= TextWidth() || client.y < 0 || client.y >= r.bottom) return -1;
  return detail::RowAtY(client.y, m_top, GetItemHeight(), GetCount());
}

int CListBox::TextWidth() const { return kScrollBar.WidthBeside(*this); }

// The box's scroll bar shows only while the rows do not fit, or always, disabled, with
// LBS_DISABLENOSCROLL. A box asked for a horizontal bar gets none: its rows are not scrolled
// sideways.
void CListBox::MakeScrollBar() { kScrollBar.Make(*this, (GetStyle() & WS_VSCROLL) != 0); }

void CListBox::UpdateScrollBar()
{
  if (!m_hWnd) return;
  CRect r;
  GetClientRect(&r);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  kScrollBar.Update(*this, CRect(r.right - width, 0, r.right, r.Height()), GetCount(), VisibleRows(), m_top,
                    (GetStyle() & LBS_DISABLENOSCROLL) != 0);
}

// Without LBS_NOINTEGRALHEIGHT the box shows whole rows only: it shrinks to fit them.
void CListBox::FitWholeRows()
{
  if (GetStyle() & LBS_NOINTEGRALHEIGHT) return;
  CRect client;
  GetClientRect(&client);
  const int extra = client.Height() % GetItemHeight();
  if (extra > 0 && client.Height() > GetItemHeight()) {
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - extra, SWP_NOMOVE | SWP_NOZORDER);
  }
}

void CListBox::Notify(UINT code)
{
  if (!(GetStyle() & LBS_NOTIFY) && code != LBN_SETFOCUS && code != LBN_KILLFOCUS) return;
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID()), code),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

void CListBox::MoveCaret(int row)
{
  if (GetCount() == 0) return;
  m_caret = std::clamp(row, 0, GetCount() - 1);
  const int top = detail::TopShowing(m_caret, m_top, VisibleRows());
  if (top != m_top) SetTopIndex(top);
  Invalidate(FALSE);
}

void CListBox::ClickRow(int row, UINT keyFlags)
{
  if (row < 0) return;
  if (!Multiple()) {
    m_cur = row;
  } else if ((GetStyle() & LBS_EXTENDEDSEL) && !(keyFlags & MK_CONTROL)) {
    for (int i = 0; i < GetCount(); ++i) m_rows[i].selected = i == row;
  } else {
    m_rows[row].selected = !m_rows[row].selected;
  }
  MoveCaret(row);
}

void CListBox::KeyToRow(int row)
{
  if (GetCount() == 0 || row < 0) return;
  row = std::min(row, GetCount() - 1);
  if (Multiple()) {
    MoveCaret(row);
  } else if (row != m_cur) {
    ClickRow(row, 0);
    Notify(LBN_SELCHANGE);
  }
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CListBox::Draw)) return *answer;
  if (const auto answer = detail::AnswerRowMessage(*this, m_rows, kRowMessages, message, wParam, lParam)) return *answer;
  switch (message) {
    case WM_SIZE:
    case WM_SETFONT:
      CWnd::DefWindowProc(message, wParam, lParam);
      if (message == WM_SETFONT) FitWholeRows();  // a new row height; a new size is the caller's
      UpdateScrollBar();
      return 0;
    case WM_CREATE:
      MakeScrollBar();
      FitWholeRows();
      UpdateScrollBar();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus();
      const int row = RowFromPoint(PointOf(lParam));
      m_selectionAtPress.clear();
      for (const detail::TextRow& r : m_rows) m_selectionAtPress.push_back(r.selected);
      m_curAtPress = m_cur;
      if (message == WM_LBUTTONDBLCLK && row >= 0 && row == (Multiple() ? m_caret : m_cur)) {
        // The second press of a double click leaves the selection as the first one made it.
        const HWND self = m_hWnd;
        Notify(LBN_DBLCLK);
        if (!IsWindow(self)) return 0;
        m_tracking = false;
        return 0;
      }
      ClickRow(row, static_cast<UINT>(wParam));
      m_tracking = true;
      SetCapture();
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m_tracking && !Multiple()) {
        // A single-selection box follows the pointer while the button is held.
        const int row = RowFromPoint(PointOf(lParam));
        if (row >= 0 && row != m_cur) ClickRow(row, 0);
      }
      return 0;
    case WM_LBUTTONUP:
      if (m_tracking) {
        m_tracking = false;
        if (GetCapture() == this) ReleaseCapture();
        bool changed = m_cur != m_curAtPress || m_selectionAtPress.size() != static_cast<std::size_t>(GetCount());
        for (int i = 0; !changed && i < GetCount(); ++i) changed = m_rows[i].selected != m_selectionAtPress[static_cast<std::size_t>(i)];
        if (changed) Notify(LBN_SELCHANGE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      m_tracking = false;
      return 0;
    case WM_KEYDOWN: {
      int row = m_caret;
      switch (wParam) {
        // With nothing chosen yet an arrow chooses the row the focus frame is on.
        case VK_UP: row = !Multiple() && m_cur < 0 ? m_caret : m_caret - 1; break;
        case VK_DOWN: row = !Multiple() && m_cur < 0 ? m_caret : m_caret + 1; break;
        case VK_PRIOR: row = m_caret - VisibleRows(); break;
        case VK_NEXT: row = m_caret + VisibleRows(); break;
        case VK_HOME: row = 0; break;
        case VK_END: row = GetCount() - 1; break;
        case VK_SPACE:
          if (Multiple() && GetCount() > 0) {
            ClickRow(m_caret, MK_CONTROL);
            Notify(LBN_SELCHANGE);
          }
          return 0;
        default: return 0;
      }
      KeyToRow(std::clamp(row, 0, std::max(0, GetCount() - 1)));
      return 0;
    }
    case WM_CHAR:
      KeyToRow(detail::RowStartingWith(m_rows.Texts(), m_caret, static_cast<UINT>(wParam)));
      return 0;
    case WM_MOUSEWHEEL:
      SetTopIndex(m_top + detail::WheelRows(static_cast<short>(HIWORD(wParam)), m_wheelRest));
      return 0;
    case WM_VSCROLL:
      if (const auto top = detail::ScrolledTop(wParam, m_top, VisibleRows(), GetCount(), true)) SetTopIndex(*top);
      return 0;
    case WM_SETFOCUS:
      m_focused = true;
      Invalidate(FALSE);
      Notify(LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      m_focused = false;
      Invalidate(FALSE);
      Notify(LBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_SETSEL: return SetSel(static_cast<int>(lParam), static_cast<BOOL>(wParam));
    case LB_GETSEL: return GetSel(static_cast<int>(wParam));
    case LB_SETCURSEL: return SetCurSel(static_cast<int>(wParam));
    case LB_GETCURSEL: return GetCurSel();
    case LB_GETSELCOUNT: return GetSelCount();
    case LB_GETTOPINDEX: return GetTopIndex();
    case LB_SETTOPINDEX: return SetTopIndex(static_cast<int>(wParam));
    case LB_GETITEMHEIGHT: return GetItemHeight();
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CListBox::Draw(CDC& dc, CRect client)
{
  client.right = client.left + TextWidth();
  FillControlBackground(*this, dc, WM_CTLCOLORLISTBOX, client);
  CFont* oldFont = dc.SelectObject(ControlFont(*this));
  if (!IsWindowEnabled()) dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  detail::ListRowsLook look;
  look.top = m_top;
  look.rowHeight = GetItemHeight();
  // With nothing chosen yet the focus frame sits on the caret row (the first row at first).
  look.caret = Multiple() || m_cur < 0 ? m_caret : m_cur;
  look.focused = m_focused;
  detail::PaintListRows(dc, client, m_rows.Texts(), [this](int row) { return GetSel(row) > 0; }, look);
  // An empty list with the keyboard frames the place of its first row.
  if (m_focused && GetCount() == 0) {
    PaintFocusMark(dc, CRect(client.left, client.top, client.right, client.top + look.rowHeight));
  }
  dc.SelectObject(oldFont);
}

}  // namespace win
