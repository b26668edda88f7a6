#pragma once
// Edit boxes, single and multi-line, with Korean input: text is code page 949 bytes, typed
// double-byte characters arrive as a lead and a trail byte and are inserted together; the
// caret never stands inside a character. Lines of a multi-line box end in "\r\n".

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"
#include "platform/ui/edit_layout.h"

namespace win {

inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETLINECOUNT = 0x00BA;
inline constexpr UINT EM_LINEINDEX = 0x00BB;
inline constexpr UINT EM_LINELENGTH = 0x00C1;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_GETLINE = 0x00C4;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;

class CEdit : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetLineCount() const;
  // Copies line `index` (without its line end) into buffer; returns the bytes copied. Like
  // the framework's, the text is not zero-terminated when it fills the buffer.
  int GetLine(int index, char* buffer, int maxLength) const;
  std::string GetLine(int index) const;
  int LineIndex(int line = -1) const;
  int LineLength(int charIndex = -1) const;
  int LineFromChar(int charIndex = -1) const;
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const char* text, BOOL canUndo = FALSE);
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  void SetLimitText(UINT maxBytes);
  void LimitText(UINT maxBytes = 0) { SetLimitText(maxBytes); }
  UINT GetLimitText() const { return m_limit; }
  // The standard editing commands: Clear deletes the selection; Cut, Copy and Paste exchange
  // text with the clipboard (the box's limit holds for what is pasted); Undo takes back the last
  // change, and a second Undo takes back the Undo.
  void Clear() { SendMessage(WM_CLEAR); }
  void Cut() { SendMessage(WM_CUT); }
  void Copy() { SendMessage(WM_COPY); }
  void Paste() { SendMessage(WM_PASTE); }
  BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
  BOOL CanUndo() const { return m_undo.has_value(); }
  void EmptyUndoBuffer() { m_undo.reset(); }
  int GetFirstVisibleLine() const { return m_firstLine; }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool Multiline() const { return (GetStyle() & ES_MULTILINE) != 0; }
  bool ReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
  const std::string& Text() const;
  // The lines as shown (hard lines, broken to the box's width when it wraps).
  const std::vector<detail::EditLine>& Lines() const;
  // What a change undoes to: the text and selection before it.
  struct UndoStep {
    std::string text;
    int selStart = 0;
    int selEnd = 0;
  };
  enum class Change { Typing, Other };
  // Who puts text in: what the user types, pastes or has the input method commit must fit a
  // one-line box that does not scroll sideways; the program's own text is taken as it is.
  enum class Source { User, Program };
  // Replaces the selection with `bytes` as an undoable change (typed characters in a row are
  // undone together).
  void Edit(const std::string& bytes, Change change, Source source = Source::User);
  void Insert(const std::string& bytes, Source source);
  // How much of `insert`, put in place of the bytes [start, end), the box's width takes: all of
  // it, or as many whole characters from its front as leave the text within the box.
  std::size_t BytesThatFit(std::string_view insert, int start, int end) const;
  bool HasSelection() const { return m_selStart != m_selEnd; }
  std::string SelectedText() const;
  void CopySelection() const;
  void UndoLastChange();
  void ShowContextMenu(CPoint screen);
  void Notify(UINT code);
  // Where the characters of the line holding `index` start, and where the line ends. A
  // character is one as it shows: a double-byte character, or all the double-byte characters a
  // file name keeps one character of a Linux name as (file_names.h).
  std::vector<int> CharacterStarts(int index) const;
  int CharStartBefore(int index) const;
  int CharEndAfter(int index) const;
  void MoveCaret(int index, bool extend);
  void ScrollToCaret();
  // A one-line box that scrolls sideways moves its text to keep the caret and the composition in view.
  void ScrollSideways();
  void Draw(CDC& dc, CRect client);

  int m_selStart = 0;
  int m_selEnd = 0;
  int m_firstLine = 0;
  int m_scrollX = 0;  // how far a one-line box has moved its text left, in pixels
  int m_wheelRest = 0;  // part turns of the wheel not yet a line
  UINT m_limit = 30000;
  std::optional<UndoStep> m_undo;
  bool m_typing = false;  // the last change was typing at the caret: more typing joins it
  int m_pendingLead = -1;  // lead byte of a double-byte character waiting for its trail byte
  std::string m_composition;  // what the input method composes at the caret, not yet typed
  bool m_focused = false;
  CRect m_caretRect;  // where the caret was last drawn, in client coordinates
  mutable std::vector<detail::EditLine> m_layout;
  mutable std::string m_layoutText;
  mutable int m_layoutWidth = 0;
  mutable bool m_layoutValid = false;
};

}  // namespace win
