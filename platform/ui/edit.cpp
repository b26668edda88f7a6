#include "platform/ui/edit.h"

#include <algorithm>
#include <cctype>

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/ime.h"
#include "platform/ui/list_rows.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/self_drawn.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
  return CreateEx(0, "EDIT", "", style | WS_CHILD, rect, parent, id);
}

const std::string& CEdit::Text() const
{
  static const std::string none;
  auto* s = detail::WindowSystem::Get().State(m_hWnd);
  return s ? s->text : none;
}

const std::vector<detail::EditLine>& CEdit::Lines() const
{
  const std::string& text = Text();
  const bool wraps = Multiline() && !(GetStyle() & (ES_AUTOHSCROLL | WS_HSCROLL));
  const int width = wraps ? EditWrapWidth(*this) : 0;
  if (!m_layoutValid || m_layoutText != text || m_layoutWidth != width) {
    m_layout = detail::LayOutEditText(text, Multiline(), width,
                                      [this](std::string_view piece) { return EditTextWidth(*this, piece); });
    m_layoutText = text;
    m_layoutWidth = width;
    m_layoutValid = true;
  }
  return m_layout;
}

int CEdit::GetLineCount() const { return static_cast<int>(Lines().size()); }

int CEdit::LineIndex(int line) const
{
  if (line < 0) line = LineFromChar(-1);
  const auto& lines = Lines();
  if (line >= static_cast<int>(lines.size())) return -1;
  return lines[static_cast<std::size_t>(line)].start;
}

int CEdit::LineFromChar(int charIndex) const
{
  if (charIndex < 0) charIndex = std::min(m_selStart, m_selEnd);
  const auto& lines = Lines();
  int line = 0;
  for (std::size_t i = 1; i < lines.size() && lines[i].start <= charIndex; ++i) line = static_cast<int>(i);
  return line;
}

int CEdit::LineLength(int charIndex) const
{
  const int line = LineFromChar(charIndex < 0 ? std::min(m_selStart, m_selEnd) : charIndex);
  return Lines()[static_cast<std::size_t>(line)].length;
}

std::string CEdit::GetLine(int index) const
{
  const auto& lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) return {};
  const detail::EditLine& line = lines[static_cast<std::size_t>(index)];
  return Text().substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.length));
}

int CEdit::GetLine(int index, char* buffer, int maxLength) const
{
  if (!buffer || maxLength <= 0) return 0;
  const std::string line = GetLine(index);
  const int n = std::min(static_cast<int>(line.size()), maxLength);
  std::copy_n(line.data(), n, buffer);
  if (n < maxLength) buffer[n] = '\0';
  return n;
}

void CEdit::SetSel(int start, int end, BOOL)
{
  const int size = static_cast<int>(Text().size());
  if (start < 0) {
    m_selStart = m_selEnd = std::max(m_selStart, m_selEnd);
  } else {
    m_selStart = std::clamp(start, 0, size);
    m_selEnd = end < 0 ? size : std::clamp(end, 0, size);
  }
  m_typing = false;
  ScrollSideways();
  Invalidate(FALSE);
}

void CEdit::GetSel(int& start, int& end) const
{
  start = std::min(m_selStart, m_selEnd);
  end = std::max(m_selStart, m_selEnd);
}

void CEdit::ReplaceSel(const char* text, BOOL canUndo)
{
  if (canUndo) {
    Edit(text ? text : "", Change::Other, Source::Program);
    return;
  }
  // A change that cannot be undone leaves nothing earlier to undo either.
  m_undo.reset();
  m_typing = false;
  Insert(text ? text : "", Source::Program);
}

void CEdit::Edit(const std::string& bytes, Change change, Source source)
{
  UndoStep before{Text(), m_selStart, m_selEnd};
  const std::optional<UndoStep> previous = m_undo;
  const bool previousTyping = m_typing;
  const bool joins = change == Change::Typing && m_typing && m_undo;
  if (!joins) m_undo = before;
  m_typing = change == Change::Typing;
  Insert(bytes, source);
  if (m_hWnd && Text() == before.text) {
    // Nothing changed (the box is full): what could be undone before still can.
    m_undo = previous;
    m_typing = previousTyping;
  }
}

std::string CEdit::SelectedText() const
{
  int start = 0, end = 0;
  GetSel(start, end);
  return Text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void CEdit::CopySelection() const
{
  if (HasSelection()) vetra::ui::PutTextOnClipboard(SelectedText());
}

void CEdit::UndoLastChange()
{
  auto* s = detail::WindowSystem::Get().State(m_hWnd);
  if (!s || !m_undo || ReadOnly()) return;
  UndoStep now{s->text, m_selStart, m_selEnd};
  s->text = m_undo->text;
  const int size = static_cast<int>(s->text.size());
  m_selStart = std::clamp(m_undo->selStart, 0, size);
  m_selEnd = std::clamp(m_undo->selEnd, 0, size);
  m_undo = std::move(now);
  m_typing = false;
  m_pendingLead = -1;
  ScrollToCaret();
  Invalidate(FALSE);
  Notify(EN_UPDATE);
  if (m_hWnd) Notify(EN_CHANGE);
}

void CEdit::ShowContextMenu(CPoint screen)
{
  int start = 0, end = 0;
  GetSel(start, end);
  const int size = static_cast<int>(Text().size());
  const bool writable = !ReadOnly();
  const bool selection = start != end;
  auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
  CMenu menu;
  menu.AppendMenu(state(writable && CanUndo()), WM_UNDO, vetra::Cp949("실행 취소(&U)").c_str());
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(state(writable && selection), WM_CUT, vetra::Cp949("잘라내기(&T)").c_str());
  menu.AppendMenu(state(selection), WM_COPY, vetra::Cp949("복사(&C)").c_str());
  menu.AppendMenu(state(writable && vetra::ui::ClipboardHasText()), WM_PASTE, vetra::Cp949("붙여넣기(&P)").c_str());
  menu.AppendMenu(state(writable && selection), WM_CLEAR, vetra::Cp949("삭제(&D)").c_str());
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(state(size > 0 && !(start == 0 && end == size)), EM_SETSEL, vetra::Cp949("모두 선택(&A)").c_str());
  const UINT chosen = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, this);
  if (!m_hWnd || chosen == 0) return;
  if (chosen == EM_SETSEL) SetSel(0, -1);
  else SendMessage(chosen);
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
  ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
  return TRUE;
}

void CEdit::SetLimitText(UINT maxBytes) { m_limit = maxBytes ? maxBytes : 0x7FFFFFFE; }

void CEdit::Notify(UINT code)
{
  if (CWnd* parent = GetParent()) {
    parent->SendMessage(WM_COMMAND, MAKELONG(static_cast<WORD>(GetDlgCtrlID()), static_cast<WORD>(code)),
                        reinterpret_cast<LPARAM>(m_hWnd));
  }
}

void CEdit::Insert(const std::string& bytes, Source source)
{
  auto* s = detail::WindowSystem::Get().State(m_hWnd);
  if (!s) return;
  int start = 0, end = 0;
  GetSel(start, end);
  std::string insert = bytes;
  if (!Multiline()) {
    // A single-line box keeps the first line only.
    if (const std::size_t at = insert.find_first_of("\r\n"); at != std::string::npos) insert.resize(at);
  }
  const std::size_t room = m_limit > s->text.size() - static_cast<std::size_t>(end - start)
                               ? m_limit - (s->text.size() - static_cast<std::size_t>(end - start))
                               : 0;
  bool full = false;
  if (insert.size() > room) {
    insert = vetra::CutCp949(insert, room);
    full = true;
  }
  if (GetStyle() & ES_UPPERCASE) insert = vetra::ToUpperAscii(insert);
  if (GetStyle() & ES_LOWERCASE) insert = vetra::ToLowerAscii(insert);
  if (source == Source::User && !insert.empty() && !Multiline() && !(GetStyle() & ES_AUTOHSCROLL)) {
    // The box shows all of its text: what would run past its edge is refused, as at the limit.
    const std::size_t fits = BytesThatFit(insert, start, end);
    if (fits < insert.size()) {
      insert.resize(fits);
      full = true;
    }
  }
  if (full) {
    Notify(EN_MAXTEXT);
    if (!(s = detail::WindowSystem::Get().State(m_hWnd))) return;
  }
  s->text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), insert);
  m_selStart = m_selEnd = start + static_cast<int>(insert.size());
  ScrollToCaret();
  Invalidate(FALSE);
  Notify(EN_UPDATE);
  if (m_hWnd) Notify(EN_CHANGE);
}

std::size_t CEdit::BytesThatFit(std::string_view insert, int start, int end) const
{
  const std::string& text = Text();
  const std::string_view before = std::string_view(text).substr(0, static_cast<std::size_t>(start));
  const std::string_view after = std::string_view(text).substr(static_cast<std::size_t>(end));
  const bool password = (GetStyle() & ES_PASSWORD) != 0;
  const int width = EditWrapWidth(*this);
  const auto fits = [&](std::size_t bytes) {
    std::string shown = std::string(before).append(insert.substr(0, bytes)).append(after);
    if (password) shown.assign(shown.size(), '*');
    return EditTextWidth(*this, shown) <= width;
  };
  if (fits(insert.size())) return insert.size();
  if (!fits(0)) return 0;
  // Cut only between characters as they show; the text grows with every character taken, so
  // the longest piece that fits is found by halving.
  std::vector<std::size_t> ends{0};
  for (const std::string_view character : vetra::ShownCharacters(insert)) ends.push_back(ends.back() + character.size());
  std::size_t low = 0, high = ends.size() - 1;  // ends[low] fits, ends[high] does not
  while (high - low > 1) {
    const std::size_t middle = (low + high) / 2;
    (fits(ends[middle]) ? low : high) = middle;
  }
  return ends[low];
}

std::vector<int> CEdit::CharacterStarts(int index) const
{
  // Walk from the line's start so a trail byte is never taken for a lead byte.
  const detail::EditLine& line = Lines()[static_cast<std::size_t>(LineFromChar(index))];
  std::vector<int> starts{line.start};
  const std::string_view text = std::string_view(Text()).substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.length));
  for (const std::string_view character : vetra::ShownCharacters(text)) starts.push_back(starts.back() + static_cast<int>(character.size()));
  return starts;
}

int CEdit::CharStartBefore(int index) const
{
  const std::string& text = Text();
  if (index <= 0) return 0;
  if (index >= 2 && text.compare(static_cast<std::size_t>(index - 2), 2, kLineEnd) == 0) return index - 2;
  int previous = 0;
  for (const int start : CharacterStarts(index - 1)) {
    if (start >= index) break;
    previous = start;
  }
  return previous;
}

int CEdit::CharEndAfter(int index) const
{
  const std::string& text = Text();
  const int size = static_cast<int>(text.size());
  if (index >= size) return size;
  if (text.compare(static_cast<std::size_t>(index), 2, kLineEnd) == 0) return index + 2;
  for (const int start : CharacterStarts(index)) {
    if (start > index) return start;
  }
  const bool lead = vetra::IsLeadByte(static_cast<unsigned char>(text[static_cast<std::size_t>(index)]));
  return std::min(size, index + (lead ? 2 : 1));
}

void CEdit::MoveCaret(int index, bool extend)
{
  m_typing = false;
  m_selEnd = std::clamp(index, 0, static_cast<int>(Text().size()));
  if (!extend) m_selStart = m_selEnd;
  ScrollToCaret();
  Invalidate(FALSE);
}

void CEdit::ScrollToCaret()
{
  if (!Multiline()) {
    ScrollSideways();
    return;
  }
  const int line = LineFromChar(m_selEnd);
  const int visible = std::max(1, VisibleEditLines(*this));
  if (line < m_firstLine) m_firstLine = line;
  else if (line >= m_firstLine + visible) m_firstLine = line - visible + 1;
}

void CEdit::ScrollSideways()
{
  if (Multiline() || !(GetStyle() & ES_AUTOHSCROLL)) return;
  std::string text = Text();
  if (GetStyle() & ES_PASSWORD) text.assign(text.size(), '*');
  // The composition stands in place of the selection; the caret is at the selection's end.
  const int at = m_composition.empty() ? m_selEnd : std::min(m_selStart, m_selEnd);
  const int caret = EditTextWidth(*this, std::string_view(text).substr(0, static_cast<std::size_t>(at)));
  const int composed = m_composition.empty() ? 1 : EditTextWidth(*this, m_composition);
  const int width = EditWrapWidth(*this);
  // Past an edge the text moves by a quarter of the box more, so typing on does not move it at
  // every character.
  if (caret + composed - m_scrollX > width) m_scrollX = caret + composed - width + width / 4;
  if (caret < m_scrollX) m_scrollX = std::max(0, caret - width / 4);
  const int whole = EditTextWidth(*this, text) + composed;
  if (whole <= width) m_scrollX = 0;
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (const auto answer = detail::AnswerDrawing(*this, message, &CEdit::Draw)) return *answer;
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
      m_selStart = m_selEnd = 0;
      m_firstLine = 0;
      m_scrollX = 0;
      m_pendingLead = -1;
      m_undo.reset();
      m_typing = false;
      return r;
    }
    case WM_IME_COMPOSITION: {
      const HIMC context = ImmGetContext(m_hWnd);
      std::string text(static_cast<std::size_t>(ImmGetCompositionString(context, GCS_COMPSTR, nullptr, 0)), '\0');
      ImmGetCompositionString(context, GCS_COMPSTR, text.data(), static_cast<DWORD>(text.size()));
      ImmReleaseContext(m_hWnd, context);
      if (ReadOnly()) text.clear();
      if (text != m_composition) {
        m_composition = std::move(text);
        ScrollSideways();
        Invalidate(FALSE);
      }
      return 0;
    }
    case WM_CHAR: {
      const auto byte = static_cast<unsigned char>(wParam);
      if (!m_composition.empty()) {
        // The composed text arrives typed.
        m_composition.clear();
        Invalidate(FALSE);
      }
      if (ReadOnly()) return 0;
      // A number box takes digits only (and the keys that edit).
      if ((GetStyle() & ES_NUMBER) && byte >= 0x20 && !std::isdigit(byte)) return 0;
      if (m_pendingLead >= 0) {
        std::string pair{static_cast<char>(m_pendingLead), static_cast<char>(byte)};
        m_pendingLead = -1;
        Edit(pair, Change::Typing);
        return 0;
      }
      if (vetra::IsLeadByte(byte)) {
        m_pendingLead = byte;
        return 0;
      }
      if (byte == '\r') {
        if (Multiline()) Edit(std::string(kLineEnd), Change::Typing);
        return 0;
      }
      if (byte == 0x08) {
        int start = 0, end = 0;
        GetSel(start, end);
        if (start == end) {
          if (start == 0) return 0;
          m_selStart = CharStartBefore(start);
          m_selEnd = end;
        }
        Edit("", Change::Other);
        return 0;
      }
      if (byte < 0x20 || byte == 0x7F) return 0;
      Edit(std::string(1, static_cast<char>(byte)), Change::Typing);
      return 0;
    }
    case WM_KEYDOWN: {
      const bool shift = GetKeyState(VK_SHIFT) < 0;
      const bool control = GetKeyState(VK_CONTROL) < 0;
      const int caret = m_selEnd;
      if (control) {
        // The editing keys: Ctrl+C, X, V, Z and A; Ctrl+Insert copies.
        switch (wParam) {
          case 'C':
          case VK_INSERT: SendMessage(WM_COPY); return 0;
          case 'X': SendMessage(WM_CUT); return 0;
          case 'V': SendMessage(WM_PASTE); return 0;
          case 'Z': SendMessage(WM_UNDO); return 0;
          case 'A': SetSel(0, -1); return 0;
          default: break;
        }
      } else if (shift && wParam == VK_INSERT) {
        SendMessage(WM_PASTE);
        return 0;
      } else if (shift && wParam == VK_DELETE) {
        SendMessage(WM_CUT);
        return 0;
      } else if ((shift && wParam == VK_F10) || wParam == VK_APPS) {
        // The menu key: the right-click menu at the caret.
        CPoint at(m_caretRect.left, m_caretRect.bottom);
        ClientToScreen(&at);
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(at.x, at.y));
        return 0;
      }
      switch (wParam) {
        case VK_LEFT: MoveCaret(CharStartBefore(caret), shift); break;
        case VK_RIGHT: MoveCaret(CharEndAfter(caret), shift); break;
        case VK_HOME: MoveCaret(LineIndex(LineFromChar(caret)), shift); break;
        case VK_END: MoveCaret(LineIndex(LineFromChar(caret)) + LineLength(caret), shift); break;
        case VK_UP:
        case VK_DOWN: {
          const int line = LineFromChar(caret) + (wParam == VK_UP ? -1 : 1);
          if (line < 0 || line >= GetLineCount()) break;
          const int column = caret - LineIndex(LineFromChar(caret));
          const int start = LineIndex(line);
          int target = start + std::min(column, Lines()[static_cast<std::size_t>(line)].length);
          if (target > start) target = CharEndAfter(CharStartBefore(target)) > target ? CharStartBefore(target) : target;
          MoveCaret(target, shift);
          break;
        }
        case VK_DELETE:
          if (ReadOnly()) break;
          if (m_selStart == m_selEnd) m_selEnd = CharEndAfter(caret);
          Edit("", Change::Other);
          break;
        default:
          break;
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
      const CPoint p = detail::PointOf(lParam);
      if (message == WM_LBUTTONDOWN) {
        // A press places the caret (Shift extends the selection); dragging selects.
        SetFocus();
        if (!m_hWnd) return 0;
        MoveCaret(EditCharFromPoint(*this, p, m_scrollX), (wParam & MK_SHIFT) != 0);
        SetCapture();
      } else if (GetCapture() == this) {
        MoveCaret(EditCharFromPoint(*this, p, m_scrollX), true);
        if (message == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    }
    case WM_RBUTTONDOWN:
      SetFocus();
      return 0;
    case WM_RBUTTONUP: {
      CPoint at = detail::PointOf(lParam);
      ClientToScreen(&at);
      SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(at.x, at.y));
      return 0;
    }
    case WM_CONTEXTMENU:
      ShowContextMenu(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
      return 0;
    case WM_COPY:
      CopySelection();
      return 0;
    case WM_CUT:
      if (ReadOnly() || !HasSelection()) return 0;
      CopySelection();
      Edit("", Change::Other);
      return 0;
    case WM_CLEAR:
      if (!ReadOnly() && HasSelection()) Edit("", Change::Other);
      return 0;
    case WM_PASTE:
      if (!ReadOnly()) {
        const std::string text = (GetStyle() & ES_FILENAME) ? vetra::ui::FileNameTextFromClipboard() : vetra::ui::TextFromClipboard();
        const bool number = (GetStyle() & ES_NUMBER) != 0;
        // A number box refuses a text with anything but digits rather than take part of it.
        const bool refused = number && !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        if (!text.empty() && !refused) Edit(text, Change::Other);
      }
      return 0;
    case WM_UNDO:
    case EM_UNDO: {
      const bool can = m_undo.has_value() && !ReadOnly();
      UndoLastChange();
      return can;
    }
    case EM_CANUNDO:
      return m_undo.has_value();
    case EM_EMPTYUNDOBUFFER:
      m_undo.reset();
      m_typing = false;
      return 0;
    case WM_MOUSEWHEEL: {
      // A multi-line box whose text runs past its bottom scrolls three lines a notch; the caret
      // stays where it is. Any other box leaves the wheel to its parent.
      const int visible = std::max(1, VisibleEditLines(*this));
      if (!Multiline() || GetLineCount() <= visible) break;
      const int lines = detail::WheelRows(static_cast<short>(HIWORD(wParam)), m_wheelRest);
      m_firstLine = std::clamp(m_firstLine + lines, 0, GetLineCount() - visible);
      Invalidate(FALSE);
      return 0;
    }
    case WM_SETFOCUS:
      m_focused = true;
      Invalidate(FALSE);
      Notify(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      m_focused = false;
      m_pendingLead = -1;
      m_composition.clear();
      Invalidate(FALSE);
      Notify(EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: {
      // A multi-line box that asks for Return keeps it; Esc and Tab stay the dialog's (the box
      // takes no tab characters).
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      const bool isReturn = msg && ((msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) ||
                                    (msg->message == WM_CHAR && msg->wParam == '\r'));
      if (Multiline() && (GetStyle() & ES_WANTRETURN) && (!msg || isReturn)) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case EM_GETSEL: {
      int start = 0, end = 0;
      GetSel(start, end);
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
      return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
    }
    case EM_SETSEL:
      SetSel(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case EM_GETLINECOUNT:
      return GetLineCount();
    case EM_LINEINDEX:
      return LineIndex(static_cast<int>(wParam));
    case EM_LINELENGTH:
      return LineLength(static_cast<int>(wParam));
    case EM_LINEFROMCHAR:
      return LineFromChar(static_cast<int>(wParam));
    case EM_REPLACESEL:
      ReplaceSel(reinterpret_cast<const char*>(lParam));
      return 0;
    case EM_LIMITTEXT:
      SetLimitText(static_cast<UINT>(wParam));
      return 0;
    case EM_SETREADONLY:
      return SetReadOnly(static_cast<BOOL>(wParam));
    default:
      break;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CEdit::Draw(CDC& dc, CRect)
{
  int start = 0, end = 0;
  GetSel(start, end);
  const std::optional<CRect> caret = PaintEdit(*this, dc, start, end, m_focused, m_firstLine, m_scrollX, m_composition);
  if (caret) m_caretRect = *caret;
  if (m_focused && caret) vetra::ui::PlaceInputMethodWindow(m_hWnd, *caret);
}

}  // namespace win
