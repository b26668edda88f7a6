#pragma once
// Edit boxes, single and multi-line, with Korean input: text is code page 949 bytes, typed
// double-byte characters arrive as a lead and a trail byte and are inserted together; the
// caret never stands inside a character. Lines of a multi-line box end in "\r\n".

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
inline constexpr UINT EM_LINEFROMCHAR = 0x00C9;
inline constexpr UINT EM_SETREADONLY = 0x00CF;

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
  void Clear() { ReplaceSel(""); }
  int GetFirstVisibleLine() const { return m_firstLine; }

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool Multiline() const { return (GetStyle() & ES_MULTILINE) != 0; }
  bool ReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
  const std::string& Text() const;
  // The lines as shown (hard lines, broken to the box's width when it wraps).
  const std::vector<detail::EditLine>& Lines() const;
  void Insert(const std::string& bytes);
  void Notify(UINT code);
  int CharStartBefore(int index) const;
  int CharEndAfter(int index) const;
  void MoveCaret(int index, bool extend);
  void ScrollToCaret();
  void Draw(CDC& dc, CRect client);

  int m_selStart = 0;
  int m_selEnd = 0;
  int m_firstLine = 0;
  int m_wheelRest = 0;  // part turns of the wheel not yet a line
  UINT m_limit = 30000;
  int m_pendingLead = -1;  // lead byte of a double-byte character waiting for its trail byte
  std::string m_composition;  // what the input method composes at the caret, not yet typed
  bool m_focused = false;
  mutable std::vector<detail::EditLine> m_layout;
  mutable std::string m_layoutText;
  mutable int m_layoutWidth = 0;
  mutable bool m_layoutValid = false;
};

}  // namespace win
