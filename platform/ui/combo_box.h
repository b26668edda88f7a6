#pragma once
// Combo boxes: a selection field with a button that drops a list of choices below it. The
// dropped list is a popup window that takes the mouse until a choice is made or the user clicks
// elsewhere; closing it tells the parent CBN_CLOSEUP, after the selection has changed.
// CBS_DROPDOWN adds an edit field for typed text; CBS_DROPDOWNLIST shows the chosen row.
// The height given at creation is the height of field and dropped list together.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"
#include "platform/ui/list_rows.h"

namespace win {

inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;
inline constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;

inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
inline constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
inline constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;

inline constexpr UINT CBN_SELCHANGE = 1;  // the user changed the choice (after CBN_CLOSEUP from the list)
inline constexpr UINT CBN_DBLCLK = 2;
inline constexpr UINT CBN_SETFOCUS = 3;
inline constexpr UINT CBN_KILLFOCUS = 4;     // after a dropped list has closed
inline constexpr UINT CBN_EDITCHANGE = 5;    // the user typed in a CBS_DROPDOWN field
inline constexpr UINT CBN_DROPDOWN = 7;      // before the list shows
inline constexpr UINT CBN_CLOSEUP = 8;
inline constexpr UINT CBN_SELENDOK = 9;      // a row was chosen from the dropped list
inline constexpr UINT CBN_SELENDCANCEL = 10;  // the list closed without a choice

inline constexpr int CB_ERR = -1;

namespace detail {
class ComboDropList;
}

class CComboBox : public CWnd {
public:
  CComboBox();
  ~CComboBox() override;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(const char* text) { return InsertString(GetStyle() & CBS_SORT ? m_items.SortedPlace(text) : GetCount(), text); }
  int InsertString(int index, const char* text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const { return m_items.Count(); }
  int GetLBText(int index, std::string& text) const { return m_items.GetText(index, text); }
  int GetLBText(int index, char* buffer) const { return m_items.GetText(index, buffer); }  // GetLBTextLen + 1 bytes
  int GetLBTextLen(int index) const { return m_items.GetTextLen(index); }
  std::uintptr_t GetItemData(int index) const { return m_items.GetData(index); }
  int SetItemData(int index, std::uintptr_t data) { return m_items.SetData(index, data); }
  int FindStringExact(int startAfter, const char* text) const { return m_items.FindExact(startAfter, text); }

  int GetCurSel() const { return m_cur; }  // -1 when nothing is chosen
  // Chooses a row (-1 none) and shows its text; tells nobody.
  int SetCurSel(int index);

  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  // The dropped list window while it shows (for tests and the display), else null.
  CWnd* GetDroppedList() const;
  int GetDroppedHeight() const { return m_droppedHeight; }
  // The dropped list is as wide as the field, or wider when a width is set (entries longer than
  // the field are read whole); CB_ERR for a width below 0.
  int GetDroppedWidth() const;
  int SetDroppedWidth(UINT width);

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void TakeOverFrom(const CWnd& previous) override;

private:
  friend class detail::ComboDropList;
  DWORD Kind() const { return GetStyle() & 0x3; }
  int FieldHeight() const;
  CRect ButtonRect() const;
  CWnd* EditField() const;
  void MakeEditField();
  void FitField();
  void Notify(UINT code);
  void ShowSelectionText();
  int DroppedRows() const;  // the rows the dropped list shows
  // The row a navigation key leads to, from the highlighted row of the dropped list or the
  // chosen one; nothing for another key.
  std::optional<int> KeyedRow(UINT vk) const;
  void ChooseFromKeyboard(int row);
  // Ends the dropped list: with a chosen row (>= 0) or cancelled (-1).
  void CloseUp(int chosen);
  void Draw(CDC& dc, CRect client);

  detail::TextRows m_items;
  int m_cur = -1;
  int m_droppedHeight = 0;
  int m_droppedWidth = 0;  // 0: the field's width
  int m_fieldHeight = 0;
  bool m_focused = false;
  bool m_fitting = false;
  bool m_settingText = false;
  std::unique_ptr<detail::ComboDropList> m_drop;
};

}  // namespace win
