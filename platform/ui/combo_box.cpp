#include "platform/ui/combo_box.h"

#include <algorithm>
#include <cstring>

#include "platform/base/text.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {

using detail::PointOf;

constexpr int kEditId = 1001;  // the edit field of a CBS_DROPDOWN box, as the framework numbers it

constexpr detail::RowMessages kRowMessages{CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                           CB_GETCOUNT,    CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_GETITEMDATA,
                                           CB_SETITEMDATA, CB_FINDSTRINGEXACT};

}  // namespace

namespace detail {

// The dropped list: a borderered popup above every other window that holds the mouse while it
// shows. It draws the combo's rows; the row under the pointer is highlighted and a release on a
// row chooses it.
class ComboDropList : public CWnd {
public:
  explicit ComboDropList(CComboBox& combo) : m_combo(combo.m_hWnd) {}

  void Open(const CRect& screenRect, int hot)
  {
    if (!m_hWnd) {
      CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "ComboLBox", "", WS_POPUP | WS_BORDER, screenRect, nullptr, 0);
    } else {
      MoveWindow(screenRect);
    }
    m_hot = hot;
    m_top = 0;
    m_pressSeen = false;
    KeepVisible();
    // The keys are the list's while it shows, not the input method's.
    if (!m_keyboard) m_keyboard.emplace();
    ShowWindow(SW_SHOWNA);
    SetCapture();
  }

  void Close()
  {
    if (!m_hWnd) return;
    m_closing = true;
    if (GetCapture() == this) ReleaseCapture();
    ShowWindow(SW_HIDE);
    m_keyboard.reset();
    m_closing = false;
  }

  int Hot() const { return m_hot; }
  void SetHot(int row)
  {
    m_hot = row;
    KeepVisible();
    Invalidate(FALSE);
  }
  int VisibleRows() const
  {
    CRect r;
    GetClientRect(&r);
    return RowsInHeight(r.Height(), RowHeight());
  }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (const auto answer = AnswerDrawing(*this, message, &ComboDropList::Draw)) return *answer;
    CComboBox* combo = Combo();
    switch (message) {
      case WM_MOUSEMOVE: {
        const int row = RowAt(PointOf(lParam));
        if (row >= 0 && row != m_hot) {
          m_hot = row;
          Invalidate(FALSE);
        }
        return 0;
      }
      case WM_LBUTTONDOWN: {
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(PointOf(lParam))) {
          // A click elsewhere cancels; one on the field again only closes the list, one anywhere
          // else also does what it does there.
          POINT screen = PointOf(lParam);
          ClientToScreen(&screen);
          CRect field;
          if (combo) combo->GetWindowRect(&field);
          if (combo) combo->CloseUp(-1);
          if (!field.PtInRect(screen)) WindowSystem::Get().RedeliverPress(screen, 0);
          return 0;
        }
        m_pressSeen = true;
        if (Strip().PtInRect(PointOf(lParam))) {
          ScrollFromStrip(PointOf(lParam).y);
          return 0;
        }
        const int row = RowAt(PointOf(lParam));
        if (row >= 0) m_hot = row;
        Invalidate(FALSE);
        return 0;
      }
      case WM_LBUTTONUP: {
        const int row = RowAt(PointOf(lParam));
        CRect client;
        GetClientRect(&client);
        if (Strip().PtInRect(PointOf(lParam))) return 0;
        // The release of the press that dropped the list keeps it open unless it ends on a row.
        if (row >= 0 && combo) combo->CloseUp(row);
        else if (m_pressSeen && client.PtInRect(PointOf(lParam)) && combo) combo->CloseUp(-1);
        return 0;
      }
      case WM_CAPTURECHANGED:
        if (!m_closing && IsWindowVisible() && combo) combo->CloseUp(-1);
        return 0;
      case WM_MOUSEWHEEL:
        if (combo) {
          m_top = ClampTop(m_top + WheelRows(static_cast<short>(HIWORD(wParam)), m_wheelRest), combo->GetCount(),
                           VisibleRows());
          Invalidate(FALSE);
        }
        return 0;
      case WM_MOUSEACTIVATE:
        return 3;  // MA_NOACTIVATE: the focus stays with the combo box
      case WM_DESTROY:
        m_keyboard.reset();
        break;
      default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
  }

  void Draw(CDC& dc, CRect client)
  {
    CComboBox* combo = Combo();
    if (!combo) return;
    FillControlBackground(*combo, dc, WM_CTLCOLORLISTBOX, client);
    CFont* old = dc.SelectObject(ControlFont(*combo));
    const std::vector<std::string> texts = combo->m_items.Texts();
    ListRowsLook look;
    look.top = m_top;
    look.rowHeight = RowHeight();
    const CRect strip = Strip();
    CRect rows = client;
    if (!strip.IsRectEmpty()) rows.right = strip.left;
    PaintListRows(dc, rows, texts, [this](int row) { return row == m_hot; }, look);
    if (!strip.IsRectEmpty()) PaintStrip(dc, strip, static_cast<int>(texts.size()));
    dc.SelectObject(old);
  }

private:
  CComboBox* Combo() const { return dynamic_cast<CComboBox*>(FromHandle(m_combo)); }
  int RowHeight() const { return Combo() ? ControlLineHeight(*Combo()) : 1; }
  int RowAt(CPoint p) const
  {
    CRect r;
    GetClientRect(&r);
    CComboBox* combo = Combo();
    if (!combo || !r.PtInRect(p) || Strip().PtInRect(p)) return -1;
    return RowAtY(p.y, m_top, RowHeight(), combo->GetCount());
  }
  void KeepVisible()
  {
    if (m_hot >= 0) m_top = TopShowing(m_hot, m_top, VisibleRows());
  }
  // A list longer than the popup gets a scroll strip on its right: arrows step a row, the track
  // a page. The popup holds the mouse, so the strip is part of it rather than a window.
  CRect Strip() const
  {
    CComboBox* combo = Combo();
    if (!combo || combo->GetCount() <= VisibleRows()) return {};
    CRect r;
    GetClientRect(&r);
    return {r.right - GetSystemMetrics(SM_CXVSCROLL), r.top, r.right, r.bottom};
  }
  int ArrowSize(const CRect& strip) const { return std::min(strip.Width(), strip.Height() / 2); }
  CRect Thumb(const CRect& strip, int count) const
  {
    const int arrow = ArrowSize(strip);
    const int track = strip.Height() - 2 * arrow;
    const int size = std::max(8, track * VisibleRows() / std::max(1, count));
    const int room = std::max(1, count - VisibleRows());
    const int start = strip.top + arrow + (track - size) * m_top / room;
    return {strip.left, start, strip.right, start + size};
  }
  void ScrollFromStrip(int y)
  {
    CComboBox* combo = Combo();
    if (!combo) return;
    const CRect strip = Strip();
    const int arrow = ArrowSize(strip);
    const CRect thumb = Thumb(strip, combo->GetCount());
    int top = m_top;
    if (y < strip.top + arrow) --top;
    else if (y >= strip.bottom - arrow) ++top;
    else if (y < thumb.top) top -= VisibleRows();
    else if (y >= thumb.bottom) top += VisibleRows();
    m_top = ClampTop(top, combo->GetCount(), VisibleRows());
    Invalidate(FALSE);
  }
  void PaintStrip(CDC& dc, const CRect& strip, int count) const
  {
    dc.FillSolidRect(&strip, GetSysColor(COLOR_SCROLLBAR));
    const int arrow = ArrowSize(strip);
    const CRect up(strip.left, strip.top, strip.right, strip.top + arrow);
    const CRect down(strip.left, strip.bottom - arrow, strip.right, strip.bottom);
    const CRect thumb = Thumb(strip, count);
    for (const CRect& part : {up, down, thumb}) {
      dc.FillSolidRect(&part, GetSysColor(COLOR_BTNFACE));
      DrawRaisedEdge(dc, part);
    }
    DrawArrow(dc, up, 2, true);
    DrawArrow(dc, down, 3, true);
  }

  HWND m_combo = nullptr;
  int m_hot = -1;
  int m_top = 0;
  bool m_pressSeen = false;
  bool m_closing = false;
  int m_wheelRest = 0;
  std::optional<KeyboardHold> m_keyboard;  // while the list shows
};

// The edit field of a CBS_DROPDOWN box: the keys that choose rows or open and close the list go
// to the box (Home and End too while the list shows), the rest edit the text.
class ComboEditField : public CEdit {
protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
      auto* combo = dynamic_cast<CComboBox*>(GetParent());
      const bool dropped = combo && combo->GetDroppedState();
      const bool forBox = message == WM_SYSKEYDOWN
                              ? (wParam == VK_UP || wParam == VK_DOWN)
                              : (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT ||
                                 wParam == VK_F1 + 3 ||
                                 (dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_HOME ||
                                              wParam == VK_END)));
      if (combo && forBox) return combo->SendMessage(message, wParam, lParam);
    }
    if (message == WM_GETDLGCODE) {
      // The field holds the keyboard for its box: while the list is down, Return and Esc go to
      // the list through it, not to the dialog.
      auto* combo = dynamic_cast<CComboBox*>(GetParent());
      const LRESULT code = CEdit::WindowProc(message, wParam, lParam);
      return combo && combo->GetDroppedState() ? code | DLGC_WANTALLKEYS : code;
    }
    return CEdit::WindowProc(message, wParam, lParam);
  }
};

}  // namespace detail

CComboBox::CComboBox() = default;

CComboBox::~CComboBox()
{
  if (m_drop && m_drop->m_hWnd) m_drop->DestroyWindow();
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "COMBOBOX", "", style | WS_CHILD, rect, parent, id);
}

int CComboBox::InsertString(int index, const char* text)
{
  index = m_items.Insert(index, text);
  detail::FollowInsert(m_cur, index);
  if (m_drop && m_drop->IsWindowVisible()) m_drop->Invalidate(FALSE);
  return index;
}

int CComboBox::DeleteString(UINT index)
{
  const int i = static_cast<int>(index);  // past INT_MAX it turns negative: no such row
  if (!m_items.Erase(i)) return CB_ERR;
  const bool lostChoice = m_cur == i;
  detail::FollowErase(m_cur, i);
  if (lostChoice) ShowSelectionText();
  return GetCount();
}

void CComboBox::ResetContent()
{
  m_items.Clear();
  m_cur = -1;
  ShowSelectionText();
}

int CComboBox::SetCurSel(int index)
{
  const bool valid = index >= 0 && index < GetCount();
  m_cur = valid ? index : -1;
  ShowSelectionText();
  return valid ? index : CB_ERR;
}

void CComboBox::ShowSelectionText()
{
  if (!m_hWnd) return;
  const std::string text = m_cur >= 0 ? m_items[m_cur].text : std::string();
  CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (CWnd* edit = EditField()) {
    m_settingText = true;  // the program's change is not the user's edit
    edit->SetWindowText(text.c_str());
    if (auto* e = dynamic_cast<CEdit*>(edit)) e->SetSel(0, -1);
    m_settingText = false;
  }
  Invalidate(FALSE);
}

BOOL CComboBox::GetDroppedState() const { return m_drop && m_drop->m_hWnd && m_drop->IsWindowVisible(); }

CWnd* CComboBox::GetDroppedList() const { return GetDroppedState() ? m_drop.get() : nullptr; }

void CComboBox::ShowDropDown(BOOL show)
{
  if ((show != 0) == (GetDroppedState() != 0)) return;
  if (!show) {
    CloseUp(-1);
    return;
  }
  Notify(CBN_DROPDOWN);
  if (!m_hWnd) return;
  CRect field;
  GetWindowRect(&field);
  const int rowHeight = ControlLineHeight(*this);
  const int rows = DroppedRows();
  CRect list(field.left, field.bottom, field.left + GetDroppedWidth(), field.bottom + rows * rowHeight + 2);
  if (list.bottom > GetSystemMetrics(SM_CYSCREEN)) list.OffsetRect(0, -(list.Height() + field.Height()));
  // A list wider than the field that would run off the screen's right edge moves left.
  if (list.right > GetSystemMetrics(SM_CXSCREEN)) list.OffsetRect(std::max(GetSystemMetrics(SM_CXSCREEN), field.right) - list.right, 0);
  if (!m_drop) m_drop = std::make_unique<detail::ComboDropList>(*this);
  m_drop->Open(list, m_cur);
  Invalidate(FALSE);
}

int CComboBox::GetDroppedWidth() const
{
  CRect field;
  GetWindowRect(&field);
  return std::max<int>(field.Width(), m_droppedWidth);
}

int CComboBox::SetDroppedWidth(UINT width)
{
  if (static_cast<int>(width) < 0) return CB_ERR;
  m_droppedWidth = static_cast<int>(width);
  return GetDroppedWidth();
}

void CComboBox::CloseUp(int chosen)
{
  if (!GetDroppedState()) return;
  m_drop->Close();
  const int before = m_cur;
  if (chosen >= 0 && chosen < GetCount()) {
    m_cur = chosen;
    ShowSelectionText();
    Notify(CBN_SELENDOK);
  } else {
    Notify(CBN_SELENDCANCEL);
  }
  Notify(CBN_CLOSEUP);
  if (m_cur != before) Notify(CBN_SELCHANGE);
  if (m_hWnd) Invalidate(FALSE);
}

int CComboBox::DroppedRows() const
{
  CRect field;
  GetWindowRect(&field);
  const int rowHeight = ControlLineHeight(*this);
  const int room = std::max(rowHeight + 2, m_droppedHeight - field.Height());
  return std::max(1, std::min(GetCount(), (room - 2) / rowHeight));
}

std::optional<int> CComboBox::KeyedRow(UINT vk) const
{
  const int from = GetDroppedState() ? m_drop->Hot() : m_cur;
  const int page = GetDroppedState() ? m_drop->VisibleRows() : DroppedRows();
  switch (vk) {
    case VK_UP: return std::max(0, from - 1);
    case VK_DOWN: return from + 1;
    case VK_PRIOR: return std::max(0, from - page);
    case VK_NEXT: return std::max(0, from) + page;
    case VK_HOME: return 0;
    case VK_END: return GetCount() - 1;
    default: return std::nullopt;
  }
}

// A row chosen from the keyboard is chosen at once, the dropped list following it, and the
// parent hears of it as of a click.
void CComboBox::ChooseFromKeyboard(int row)
{
  if (row < 0 || GetCount() == 0) return;
  row = std::min(row, GetCount() - 1);
  if (GetDroppedState()) m_drop->SetHot(row);
  if (row == m_cur) return;
  SetCurSel(row);
  Notify(CBN_SELCHANGE);
}

void CComboBox::Notify(UINT code)
{
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID()), code),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

int CComboBox::FieldHeight() const { return ControlLineHeight(*this) + 8; }

CRect CComboBox::ButtonRect() const
{
  CRect r;
  GetClientRect(&r);
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  return {r.right - 2 - width, r.top + 2, r.right - 2, r.bottom - 2};
}

CWnd* CComboBox::EditField() const { return GetDlgItem(kEditId); }

void CComboBox::MakeEditField()
{
  if (Kind() != CBS_DROPDOWN || EditField()) return;
  const CRect button = ButtonRect();
  auto edit = std::make_unique<detail::ComboEditField>();
  const DWORD style = WS_VISIBLE | ES_AUTOHSCROLL;
  if (!edit->Create(style, CRect(3, 3, button.left - 1, button.bottom - 1), this, kEditId)) return;
  edit->SetFont(GetFont(), FALSE);
  detail::WindowSystem::Get().State(edit->m_hWnd)->systemOwned = true;
  detail::WindowSystem::Get().AdoptObject(std::move(edit));
}

// The list drops as far as the height the window was created with, whoever made it.
void CComboBox::TakeOverFrom(const CWnd& previous)
{
  if (const auto* combo = dynamic_cast<const CComboBox*>(&previous)) {
    m_droppedHeight = combo->m_droppedHeight;
    m_fieldHeight = combo->m_fieldHeight;
  }
}

// The field is as high as one row of the font; the rest of the height given is the list's.
void CComboBox::FitField()
{
  if (m_fitting || !m_hWnd) return;
  CRect window;
  GetWindowRect(&window);
  const int field = FieldHeight();
  if (window.Height() != field) {
    // A height other than the field's own is the caller's: field and list together. A new font
    // only refits the field.
    if (window.Height() != m_fieldHeight) m_droppedHeight = window.Height();
    m_fitting = true;
    SetWindowPos(nullptr, 0, 0, window.Width(), field, SWP_NOMOVE | SWP_NOZORDER);
    m_fitting = false;
  }
  m_fieldHeight = field;
  if (CWnd* edit = EditField()) {
    const CRect button = ButtonRect();
    edit->MoveWindow(3, 3, std::max(0, button.left - 4), std::max(0, button.Height() - 2));
  }
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CComboBox::Draw, detail::EnabledLook::Differs)) return *answer;
  if (const auto answer = detail::AnswerRowMessage(*this, m_items, kRowMessages, message, wParam, lParam)) return *answer;
  switch (message) {
    case WM_CREATE:
      // The dropped list scrolls by itself when it must; the field keeps its whole width.
      ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
      FitField();
      MakeEditField();
      return 0;
    case WM_SIZE:
      CWnd::DefWindowProc(message, wParam, lParam);
      FitField();
      return 0;
    case WM_SETFONT:
      CWnd::DefWindowProc(message, wParam, lParam);
      if (CWnd* edit = EditField()) edit->SetFont(GetFont(), FALSE);
      FitField();
      return 0;
    case WM_DESTROY:
      if (m_drop && m_drop->m_hWnd) m_drop->DestroyWindow();
      break;
    case WM_SETTEXT: {
      const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
      if (CWnd* edit = EditField()) {
        m_settingText = true;
        edit->SetWindowText(reinterpret_cast<const char*>(lParam));
        m_settingText = false;
      }
      return result;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE && !m_settingText) {
        if (CWnd* edit = EditField()) {
          const std::string text = edit->GetWindowText();
          CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        Notify(CBN_EDITCHANGE);
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (CWnd* parent = GetParent()) return parent->SendMessage(message, wParam, reinterpret_cast<LPARAM>(m_hWnd));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!IsWindowEnabled()) return 0;
      if (Kind() == CBS_DROPDOWNLIST || ButtonRect().PtInRect(PointOf(lParam))) {
        if (Kind() == CBS_DROPDOWNLIST) SetFocus();
        ShowDropDown(!GetDroppedState());
      }
      return 0;
    case WM_KEYDOWN: {
      const bool dropped = GetDroppedState();
      if (wParam == VK_F1 + 3) {  // F4
        ShowDropDown(!dropped);
      } else if (dropped && wParam == VK_RETURN) {
        CloseUp(m_drop->Hot());
      } else if (dropped && wParam == VK_ESCAPE) {
        CloseUp(-1);
      } else if (const std::optional<int> row = KeyedRow(static_cast<UINT>(wParam))) {
        ChooseFromKeyboard(*row);
      }
      return 0;
    }
    case WM_CHAR:
      // A box with an edit field takes typed text there; one without chooses by the first letter.
      if (Kind() == CBS_DROPDOWNLIST) {
        const int from = GetDroppedState() ? m_drop->Hot() : m_cur;
        ChooseFromKeyboard(detail::RowStartingWith(m_items.Texts(), from, static_cast<UINT>(wParam)));
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN || wParam == VK_UP) {
        ShowDropDown(!GetDroppedState());
        return 0;
      }
      break;
    case WM_SETFOCUS:
      m_focused = true;
      if (CWnd* edit = EditField()) edit->SetFocus();
      Invalidate(FALSE);
      Notify(CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      m_focused = false;
      if (GetDroppedState()) CloseUp(-1);
      Invalidate(FALSE);
      Notify(CBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      // While the list is down, Return and Esc are the list's (they choose or close it), not the
      // dialog's.
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (GetDroppedState() ? DLGC_WANTALLKEYS : 0);
    case CB_GETCURSEL: return GetCurSel();
    case CB_SETCURSEL: return SetCurSel(static_cast<int>(wParam));
    case CB_SHOWDROPDOWN: ShowDropDown(static_cast<BOOL>(wParam)); return TRUE;
    case CB_GETDROPPEDSTATE: return GetDroppedState();
    case CB_GETDROPPEDWIDTH: return GetDroppedWidth();
    case CB_SETDROPPEDWIDTH: return SetDroppedWidth(static_cast<UINT>(wParam));
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CComboBox::Draw(CDC& dc, CRect client)
{
  FillControlBackground(*this, dc, WM_CTLCOLOREDIT, client);
  DrawSunkenEdge(dc, client);
  const CRect button = ButtonRect();
  dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
  if (GetDroppedState()) {
    dc.Draw3dRect(&button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
  } else {
    DrawRaisedEdge(dc, button);
  }
  DrawArrow(dc, button, 3, IsWindowEnabled() != 0);
  if (Kind() == CBS_DROPDOWNLIST) {
    CRect field(client.left + 3, client.top + 3, button.left - 1, client.bottom - 3);
    CFont* old = dc.SelectObject(ControlFont(*this));
    dc.SetBkMode(TRANSPARENT);
    if (!IsWindowEnabled()) {
      dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    } else if (m_focused && !GetDroppedState()) {
      dc.FillSolidRect(&field, GetSysColor(COLOR_HIGHLIGHT));
      dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
      PaintFocusMark(dc, field, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    CRect text(field.left + 2, field.top, field.right, field.bottom);
    dc.DrawText(GetWindowText(), &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
  }
}

}  // namespace win
