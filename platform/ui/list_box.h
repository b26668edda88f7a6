#pragma once
// List boxes: a column of text rows with single or multiple selection and a vertical scroll
// bar when the rows do not fit. A click changes the selection and then, with LBS_NOTIFY, tells
// the parent once (LBN_SELCHANGE); changes made by the program (SetSel, SetCurSel) tell nobody.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"
#include "platform/ui/list_rows.h"

namespace win {

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_MULTIPLESEL = 0x0008;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
inline constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;

inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETSEL = 0x0185;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETSEL = 0x0187;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETSELCOUNT = 0x0190;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

inline constexpr UINT LBN_SELCHANGE = 1;  // with LBS_NOTIFY only
inline constexpr UINT LBN_DBLCLK = 2;     // with LBS_NOTIFY only
inline constexpr UINT LBN_SETFOCUS = 4;   // always
inline constexpr UINT LBN_KILLFOCUS = 5;  // always

inline constexpr int LB_ERR = -1;

class CListBox : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(const char* text) { return InsertString(GetStyle() & LBS_SORT ? m_rows.SortedPlace(text) : GetCount(), text); }
  int InsertString(int index, const char* text);  // -1 appends
  int DeleteString(UINT index);                   // the rows left, or LB_ERR
  void ResetContent();
  int GetCount() const { return m_rows.Count(); }
  int GetText(int index, std::string& text) const { return m_rows.GetText(index, text); }
  // Copies the row's text with its terminating zero into buffer, which must be large enough
  // (GetTextLen + 1 bytes), as the framework's; returns its length or LB_ERR.
  int GetText(int index, char* buffer) const { return m_rows.GetText(index, buffer); }
  int GetTextLen(int index) const { return m_rows.GetTextLen(index); }
  std::uintptr_t GetItemData(int index) const { return m_rows.GetData(index); }
  int SetItemData(int index, std::uintptr_t data) { return m_rows.SetData(index, data); }
  int FindStringExact(int startAfter, const char* text) const { return m_rows.FindExact(startAfter, text); }

  // Selection. GetSel is positive for a selected row; SetSel (multiple selection) selects or
  // clears a row, -1 meaning every row; SetCurSel (single selection) selects a row, -1 none.
  int GetSel(int index) const;
  int SetSel(int index, BOOL select = TRUE);
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetSelCount() const;
  int GetSelItems(int maxItems, int* indexes) const;

  int GetTopIndex() const { return m_top; }
  int SetTopIndex(int index);
  int GetItemHeight(int index = 0) const;
  // The row under a client point, or -1.
  int RowFromPoint(CPoint client) const;
  // How many whole rows the box shows.
  int VisibleRows() const;

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool Multiple() const { return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  void Notify(UINT code);
  void MakeScrollBar();
  void UpdateScrollBar();
  void FitWholeRows();
  int TextWidth() const;  // the width the rows are drawn in (without the scroll bar)
  void ClickRow(int row, UINT keyFlags);
  // Moves the caret (and a single selection) to a row chosen from the keyboard.
  void KeyToRow(int row);
  void MoveCaret(int row);
  void Draw(CDC& dc, CRect client);

  detail::TextRows m_rows;
  int m_cur = -1;    // selected row of a single-selection box
  int m_caret = 0;   // the row with the focus rectangle
  int m_top = 0;
  bool m_focused = false;
  bool m_tracking = false;
  std::vector<bool> m_selectionAtPress;
  int m_curAtPress = -1;
  int m_wheelRest = 0;
};

namespace detail {
// Draws rows of text in the list look: the selected ones highlighted, the caret row framed.
struct ListRowsLook {
  int top = 0;
  int rowHeight = 1;
  int caret = -1;
  bool focused = false;
};
void PaintListRows(CDC& dc, const CRect& area, const std::vector<std::string>& texts,
                   const std::function<bool(int)>& selected, const ListRowsLook& look);
}  // namespace detail

}  // namespace win
