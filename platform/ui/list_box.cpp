#include "platform/ui/list_box.h"

#include <algorithm>
#include <cstring>

#include "platform/base/text.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {

// The id of the list box's own scroll bar among its children.
constexpr UINT kScrollBarId = 0xFFF1;

CPoint PointOf(LPARAM lParam)
{
  return {static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
          static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
}

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
    if (look.focused && row == look.caret) {
      CBrush dotted(GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      dc.FrameRect(&r, &dotted);
    }
  }
  dc.SetTextColor(text);
}

}  // namespace detail

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "LISTBOX", "", style | WS_CHILD, rect, parent, id);
}

int CListBox::AddString(const char* text)
{
  int at = GetCount();
  if (GetStyle() & LBS_SORT) {
    const std::string value = text ? text : "";
    at = static_cast<int>(std::upper_bound(m_rows.begin(), m_rows.end(), value,
                                           [](const std::string& v, const Row& r) {
                                             return vetra::ToUpperAscii(v) < vetra::ToUpperAscii(r.text);
                                           }) - m_rows.begin());
  }
  return InsertString(at, text);
}

int CListBox::InsertString(int index, const char* text)
{
  if (index < 0 || index > GetCount()) index = GetCount();
  m_rows.insert(m_rows.begin() + index, Row{text ? text : "", 0, false});
  if (m_cur >= index) ++m_cur;
  UpdateScrollBar();
  Invalidate();
  return index;
}

int CListBox::DeleteString(UINT index)
{
  if (index >= m_rows.size()) return LB_ERR;
  const int i = static_cast<int>(index);
  m_rows.erase(m_rows.begin() + i);
  if (m_cur == i) m_cur = -1;
  else if (m_cur > i) --m_cur;
  m_caret = std::clamp(m_caret, 0, std::max(0, GetCount() - 1));
  SetTopIndex(m_top);
  UpdateScrollBar();
  Invalidate();
  return GetCount();
}

void CListBox::ResetContent()
{
  m_rows.clear();
  m_cur = -1;
  m_caret = 0;
  m_top = 0;
  UpdateScrollBar();
  Invalidate();
}

int CListBox::GetText(int index, std::string& text) const
{
  if (index < 0 || index >= GetCount()) return LB_ERR;
  text = m_rows[static_cast<std::size_t>(index)].text;
  return static_cast<int>(text.size());
}

int CListBox::GetText(int index, char* buffer) const
{
  if (index < 0 || index >= GetCount() || !buffer) return LB_ERR;
  const std::string& text = m_rows[static_cast<std::size_t>(index)].text;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<int>(text.size());
}

int CListBox::GetTextLen(int index) const
{
  if (index < 0 || index >= GetCount()) return LB_ERR;
  return static_cast<int>(m_rows[static_cast<std::size_t>(index)].text.size());
}

std::uintptr_t CListBox::GetItemData(int index) const
{
  if (index < 0 || index >= GetCount()) return static_cast<std::uintptr_t>(LB_ERR);
  return m_rows[static_cast<std::size_t>(index)].data;
}

int CListBox::SetItemData(int index, std::uintptr_t data)
{
  if (index < 0 || index >= GetCount()) return LB_ERR;
  m_rows[static_cast<std::size_t>(index)].data = data;
  return 0;
}

int CListBox::FindStringExact(int startAfter, const char* text) const
{
  const int count = GetCount();
  for (int i = 1; i <= count; ++i) {
    const int row = (startAfter + i + count) % count;
    if (vetra::EqualsNoCase(m_rows[static_cast<std::size_t>(row)].text, text ? text : "")) return row;
  }
  return LB_ERR;
}

int CListBox::GetSel(int index) const
{
  if (index < 0 || index >= GetCount()) return LB_ERR;
  if (!Multiple()) return index == m_cur ? 1 : 0;
  return m_rows[static_cast<std::size_t>(index)].selected ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select)
{
  if (!Multiple()) return LB_ERR;
  if (index == -1) {
    for (Row& row : m_rows) row.selected = select != 0;
  } else if (index >= 0 && index < GetCount()) {
    m_rows[static_cast<std::size_t>(index)].selected = select != 0;
  } else {
    return LB_ERR;
  }
  Invalidate(FALSE);
  return 0;
}

int CListBox::GetCurSel() const
{
  if (Multiple()) return GetCount() > 0 && m_rows[static_cast<std::size_t>(m_caret)].selected ? m_caret : LB_ERR;
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
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.selected; }));
}

int CListBox::GetSelItems(int maxItems, int* indexes) const
{
  if (!Multiple()) return LB_ERR;
  int n = 0;
  for (int i = 0; i < GetCount() && n < maxItems; ++i) {
    if (m_rows[static_cast<std::size_t>(i)].selected) indexes[n++] = i;
  }
  return n;
}

int CListBox::GetItemHeight(int) const { return ControlLineHeight(*this); }

int CListBox::VisibleRows() const
{
  CRect client;
  GetClientRect(&client);
  return std::max(1, client.Height() / GetItemHeight());
}

int CListBox::SetTopIndex(int index)
{
  const int top = std::clamp(index, 0, std::max(0, GetCount() - VisibleRows()));
  if (top != m_top) {
    m_top = top;
    Invalidate(FALSE);
  }
  if (auto* bar = dynamic_cast<CScrollBar*>(ScrollBar())) bar->SetScrollPos(m_top);
  return index < 0 || (index >= GetCount() && GetCount() > 0) ? LB_ERR : 0;
}

int CListBox::RowFromPoint(CPoint client) const
{
  CRect r;
  GetClientRect(&r);
  if (client.x < 0 || client.x >= TextWidth() || client.y < 0 || client.y >= r.bottom) return -1;
  const int row = m_top + client.y / GetItemHeight();
  return row < GetCount() ? row : -1;
}

CWnd* CListBox::ScrollBar() const { return GetDlgItem(static_cast<int>(kScrollBarId)); }

int CListBox::TextWidth() const
{
  CRect r;
  GetClientRect(&r);
  const CWnd* bar = ScrollBar();
  return bar && (bar->GetStyle() & WS_VISIBLE) ? r.Width() - GetSystemMetrics(SM_CXVSCROLL) : r.Width();
}

// The box draws its own scroll bar, a child shown only while the rows do not fit (or always,
// disabled, with LBS_DISABLENOSCROLL); the window's scroll-bar styles are taken off so that they
// reserve no room. A box asked for a horizontal bar gets none: its rows are not scrolled sideways.
void CListBox::MakeScrollBar()
{
  const bool wanted = (GetStyle() & WS_VSCROLL) != 0;
  ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
  if (!wanted || ScrollBar()) return;
  auto made = std::make_unique<CScrollBar>();
  if (!made->Create(SBS_VERT, CRect(0, 0, 0, 0), this, kScrollBarId)) return;
  detail::WindowSystem::Get().State(made->m_hWnd)->systemOwned = true;
  detail::WindowSystem::Get().AdoptObject(std::move(made));
}

void CListBox::UpdateScrollBar()
{
  auto* bar = m_hWnd ? dynamic_cast<CScrollBar*>(ScrollBar()) : nullptr;
  if (!bar) return;
  CRect r;
  GetClientRect(&r);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  bar->MoveWindow(r.right - width, 0, width, r.Height());
  const int visible = std::max(1, r.Height() / GetItemHeight());
  const bool needed = GetCount() > visible;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, GetCount() - 1);
  info.nPage = static_cast<UINT>(visible);
  info.nPos = m_top;
  bar->SetScrollInfo(&info);
  const bool show = needed || (GetStyle() & LBS_DISABLENOSCROLL);
  bar->EnableScrollBar(needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
  if (show != ((bar->GetStyle() & WS_VISIBLE) != 0)) {
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    Invalidate(FALSE);
  }
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
  if (m_caret < m_top) SetTopIndex(m_caret);
  else if (m_caret >= m_top + VisibleRows()) SetTopIndex(m_caret - VisibleRows() + 1);
  Invalidate(FALSE);
}

void CListBox::ClickRow(int row, UINT keyFlags)
{
  if (row < 0) return;
  if (!Multiple()) {
    m_cur = row;
  } else if ((GetStyle() & LBS_EXTENDEDSEL) && !(keyFlags & MK_CONTROL)) {
    for (std::size_t i = 0; i < m_rows.size(); ++i) m_rows[i].selected = static_cast<int>(i) == row;
  } else {
    m_rows[static_cast<std::size_t>(row)].selected = !m_rows[static_cast<std::size_t>(row)].selected;
  }
  MoveCaret(row);
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
    case WM_CREATE:
      MakeScrollBar();
      FitWholeRows();
      UpdateScrollBar();
      return 0;
    case WM_SETFONT:
      CWnd::DefWindowProc(message, wParam, lParam);
      FitWholeRows();
      UpdateScrollBar();
      return 0;
    case WM_SIZE:
      CWnd::DefWindowProc(message, wParam, lParam);
      UpdateScrollBar();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      SetFocus();
      const int row = RowFromPoint(PointOf(lParam));
      m_selectionAtPress.clear();
      for (const Row& r : m_rows) m_selectionAtPress.push_back(r.selected);
      m_curAtPress = m_cur;
      const bool second = m_clicks.Press(PointOf(lParam));
      if (second && row >= 0 && row == (Multiple() ? m_caret : m_cur)) {
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
        bool changed = m_cur != m_curAtPress || m_selectionAtPress.size() != m_rows.size();
        for (std::size_t i = 0; !changed && i < m_rows.size(); ++i) changed = m_rows[i].selected != m_selectionAtPress[i];
        if (changed) Notify(LBN_SELCHANGE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      m_tracking = false;
      return 0;
    case WM_KEYDOWN: {
      int row = m_caret;
      switch (wParam) {
        case VK_UP: row = m_caret - 1; break;
        case VK_DOWN: row = m_caret + 1; break;
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
      if (GetCount() == 0) return 0;
      row = std::clamp(row, 0, GetCount() - 1);
      if (Multiple()) {
        MoveCaret(row);
      } else if (row != m_cur) {
        ClickRow(row, 0);
        Notify(LBN_SELCHANGE);
      }
      return 0;
    }
    case WM_VSCROLL: {
      int top = m_top;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleRows(); break;
        case SB_PAGEDOWN: top += VisibleRows(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = static_cast<short>(HIWORD(wParam)); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = GetCount(); break;
        default: return 0;
      }
      SetTopIndex(top);
      return 0;
    }
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
    case LB_ADDSTRING: return AddString(reinterpret_cast<const char*>(lParam));
    case LB_INSERTSTRING: return InsertString(static_cast<int>(wParam), reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING: return DeleteString(static_cast<UINT>(wParam));
    case LB_RESETCONTENT: ResetContent(); return 0;
    case LB_GETCOUNT: return GetCount();
    case LB_GETTEXT: return GetText(static_cast<int>(wParam), reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN: return GetTextLen(static_cast<int>(wParam));
    case LB_SETSEL: return SetSel(static_cast<int>(lParam), static_cast<BOOL>(wParam));
    case LB_GETSEL: return GetSel(static_cast<int>(wParam));
    case LB_SETCURSEL: return SetCurSel(static_cast<int>(wParam));
    case LB_GETCURSEL: return GetCurSel();
    case LB_GETSELCOUNT: return GetSelCount();
    case LB_GETTOPINDEX: return GetTopIndex();
    case LB_SETTOPINDEX: return SetTopIndex(static_cast<int>(wParam));
    case LB_GETITEMDATA: return static_cast<LRESULT>(GetItemData(static_cast<int>(wParam)));
    case LB_SETITEMDATA: return SetItemData(static_cast<int>(wParam), static_cast<std::uintptr_t>(lParam));
    case LB_GETITEMHEIGHT: return GetItemHeight();
    case LB_FINDSTRINGEXACT: return FindStringExact(static_cast<int>(wParam), reinterpret_cast<const char*>(lParam));
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CListBox::Paint()
{
  PAINTSTRUCT ps;
  if (CDC* dc = BeginPaint(m_hWnd, &ps)) {
    CRect r;
    GetClientRect(&r);
    r.right = r.left + TextWidth();
    FillControlBackground(*this, *dc, WM_CTLCOLORLISTBOX, r);
    CFont* oldFont = dc->SelectObject(ControlFont(*this));
    if (!IsWindowEnabled()) dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    std::vector<std::string> texts;
    texts.reserve(m_rows.size());
    for (const Row& row : m_rows) texts.push_back(row.text);
    detail::ListRowsLook look;
    look.top = m_top;
    look.rowHeight = GetItemHeight();
    look.caret = Multiple() ? m_caret : m_cur;
    look.focused = m_focused;
    detail::PaintListRows(*dc, r, texts, [this](int row) { return GetSel(row) > 0; }, look);
    dc->SelectObject(oldFont);
  }
  EndPaint(m_hWnd, &ps);
}

}  // namespace win
