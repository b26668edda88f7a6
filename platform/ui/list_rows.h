#pragma once
// What the list box, the combo box's dropped list and the list view have in common: rows of
// text kept in order, an index that follows its row when rows come and go, the first row shown
// and the row under a point, and the vertical scroll bar a control owns to move its rows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"

namespace win {

class CScrollBar;

namespace detail {

// The answer of a row query for a row that does not exist (LB_ERR and CB_ERR alike).
inline constexpr int kNoRow = -1;

// A row of a list box or of a combo box's list; `selected` serves multiple-selection boxes.
struct TextRow {
  std::string text;
  std::uintptr_t data = 0;
  bool selected = false;
};

class TextRows {
public:
  int Count() const { return static_cast<int>(m_rows.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  TextRow& operator[](int index) { return m_rows[static_cast<std::size_t>(index)]; }
  const TextRow& operator[](int index) const { return m_rows[static_cast<std::size_t>(index)]; }
  auto begin() { return m_rows.begin(); }
  auto end() { return m_rows.end(); }
  auto begin() const { return m_rows.begin(); }
  auto end() const { return m_rows.end(); }

  // Where a sorted list takes the text: after every row equal to it, ASCII case ignored.
  int SortedPlace(const char* text) const;
  // Inserts before index; an index outside the rows appends. Returns where the row went.
  int Insert(int index, const char* text);
  bool Erase(int index);
  void Clear() { m_rows.clear(); }

  // Queries of a row that does not exist answer kNoRow.
  int GetText(int index, std::string& text) const;
  int GetText(int index, char* buffer) const;  // copies the terminating zero too
  int GetTextLen(int index) const { return Has(index) ? static_cast<int>((*this)[index].text.size()) : kNoRow; }
  std::uintptr_t GetData(int index) const { return Has(index) ? (*this)[index].data : static_cast<std::uintptr_t>(kNoRow); }
  int SetData(int index, std::uintptr_t data);
  // The next row after startAfter, wrapping round, whose text equals text ignoring ASCII case.
  int FindExact(int startAfter, const char* text) const;
  int SelectedCount() const;
  std::vector<std::string> Texts() const;  // for drawing

private:
  std::vector<TextRow> m_rows;
};

// The message numbers a text-row control answers for its rows.
struct RowMessages {
  UINT add, insert, remove, reset, count, getText, getTextLen, getData, setData, findExact;
};

// The answer to a row message, or nothing for any other message. Adding, inserting, deleting
// and clearing go through the control, which keeps its selection and look in step.
template <class Control>
std::optional<LRESULT> AnswerRowMessage(Control& control, TextRows& rows, const RowMessages& ids, UINT message,
                                        WPARAM wParam, LPARAM lParam)
{
  const int index = static_cast<int>(wParam);
  const auto* text = reinterpret_cast<const char*>(lParam);
  if (message == ids.add) return control.AddString(text);
  if (message == ids.insert) return control.InsertString(index, text);
  if (message == ids.remove) return control.DeleteString(static_cast<UINT>(wParam));
  if (message == ids.reset) {
    control.ResetContent();
    return 0;
  }
  if (message == ids.count) return rows.Count();
  if (message == ids.getText) return rows.GetText(index, reinterpret_cast<char*>(lParam));
  if (message == ids.getTextLen) return rows.GetTextLen(index);
  if (message == ids.getData) return static_cast<LRESULT>(rows.GetData(index));
  if (message == ids.setData) return rows.SetData(index, static_cast<std::uintptr_t>(lParam));
  if (message == ids.findExact) return rows.FindExact(index, text);
  return std::nullopt;
}

// Keeps an index (selection, caret, mark) on its row when a row is inserted at `at`.
inline void FollowInsert(int& index, int at)
{
  if (index >= at) ++index;
}
// The same when the row at `at` goes; an index on that row becomes -1.
inline void FollowErase(int& index, int at)
{
  if (index == at) index = -1;
  else if (index > at) --index;
}

// Rows of one height under a first row shown (`top`), `page` whole rows in view.
int RowsInHeight(int height, int rowHeight);  // at least one
int ClampTop(int top, int count, int page);   // the last page stays full
// The top that brings row into view, moving as little as it can.
int TopShowing(int row, int top, int page);
// The row at y pixels below the first row shown, or -1 past the last row.
int RowAtY(int y, int top, int rowHeight, int count);
// The top asked for by a WM_VSCROLL code; nothing for a code the rows do not follow
// (SB_TOP and SB_BOTTOM only when withEnds).
std::optional<int> ScrolledTop(WPARAM wParam, int top, int page, int count, bool withEnds);

// Rows the wheel moves a list: three a notch, towards the end for a turn towards the user.
// Part turns add up in `rest` until they make a row.
inline constexpr int kWheelRowsPerNotch = 3;
int WheelRows(short delta, int& rest);

// The row a typed character chooses: the next one after `from`, round to the start, whose text
// begins with it (ASCII case ignored); -1 when none does or the character is not a letter,
// digit or sign.
int RowStartingWith(const std::vector<std::string>& texts, int from, UINT ch);

// The vertical scroll bar a list control draws as a child of its own, shown only while the rows
// do not fit (or always, disabled, when asked); the window's scroll-bar styles are taken off so
// that they reserve no room.
class OwnedScrollBar {
public:
  constexpr explicit OwnedScrollBar(UINT id) : m_id(id) {}

  void Make(CWnd& owner, bool wanted) const;
  CScrollBar* Bar(const CWnd& owner) const;
  // The owner's client width less the bar while the bar shows.
  int WidthBeside(const CWnd& owner) const;
  // Places the bar, gives it the rows' range and page and shows or hides it (the owner repaints
  // when it does).
  void Update(CWnd& owner, const CRect& place, int count, int page, int top, bool showWhenFits) const;

private:
  UINT m_id;
};

// Moves the first row shown (clamped so the last page stays full), repainting the owner when it
// moved, and puts the owner's scroll bar there.
void ScrollRowsTo(CWnd& owner, const OwnedScrollBar& bar, int& top, int wanted, int count, int page);

}  // namespace detail
}  // namespace win
