#pragma once
// A list of rows with fixed columns, as the viewer's two item lists and its item chooser need it:
// optional header, grid lines, full-row selection, an optional image in column 0, a vertical
// scroll bar. A click or double click tells the parent which row and column were hit; the parent
// decides what that means. A click takes the keyboard focus; the arrow, page, Home and End keys
// then move the selection and keep it in view, and the keys that act on a row (Space, Return)
// and Tab are handed to the parent with the selected row.
#include <memory>
#include <string>
#include <vector>

#include "controls/scandata/windows/module_pictures.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/scroll_bar.h"

namespace quarnel {

// Sent to the parent: wParam the list's id, lParam MAKELPARAM(row, column | kDoubleClickFlag).
inline constexpr win::UINT kMsgListClick = win::WM_USER + 511;
inline constexpr int kDoubleClickFlag = 0x100;
// Sent to the parent: wParam the list's id, lParam MAKELPARAM(selected row or 0xFFFF, virtual key)
// for Space, Return and Tab (Shift held: see GetKeyState).
inline constexpr win::UINT kMsgListKey = win::WM_USER + 512;

struct ListColumn {
  std::string title;  // code page 949
  win::UINT align = 0;  // DT_LEFT, DT_CENTER or DT_RIGHT
  int width = 0;
};

struct ListStyle {
  std::vector<ListColumn> columns;
  bool header = true;
  bool gridLines = true;
  bool images = false;       // column 0 shows image 0 or 1 of the module's list images
  int rowHeight = 31;
  int headerHeight = 32;
  int fontHeight = 30;
  int fontWidth = 12;
  int fontWeight = 600;
  win::COLORREF background = win::RGB(255, 255, 255);
};

struct ListRow {
  std::vector<std::string> texts;
  int image = 0;
  int key = -1;  // the item the row stands for: the list's choice follows it through new rows
  friend bool operator==(const ListRow&, const ListRow&) = default;
};

class CTableListWnd : public win::CWnd {
 public:
  static constexpr win::COLORREF kGrid = win::RGB(192, 192, 192);
  static constexpr win::COLORREF kSelection = win::RGB(10, 36, 106);

  explicit CTableListWnd(ListStyle style);
  win::BOOL CreateList(win::DWORD style, const win::RECT& rect, win::CWnd* parent, win::UINT id);

  // Replaces every row. The choice stays with its item (the row of the same key) and goes when
  // the item has no row any more; rows without a key keep the choice by place where it still
  // fits. The first visible row is kept where it still fits. Rows equal to those shown repaint
  // nothing.
  void SetRows(std::vector<ListRow> rows);
  const std::vector<ListRow>& Rows() const { return rows_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int Selection() const { return selection_; }
  void SetSelection(int row);
  // Selects a row and scrolls as little as it takes to show it whole.
  void SelectAndShow(int row);
  bool HasFocus() const { return focused_; }
  int TopRow() const { return top_; }
  void SetTopRow(int row);
  // The rows the window shows whole.
  int VisibleRows() const;
  // The vertical scroll bar, shown only while the rows do not fit (always, disabled, with
  // LBS_DISABLENOSCROLL); none without WS_VSCROLL.
  win::CScrollBar* VerticalBar() const;
  // The client point of a row's column (for clicks from tests and from the parent).
  win::POINT CellPoint(int row, int column) const;

 protected:
  void OnPaint() override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonDblClk(win::UINT flags, win::CPoint point) override;
  win::BOOL OnMouseWheel(win::UINT flags, short delta, win::CPoint screenPoint) override;
  void OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  void OnSize(win::UINT type, int cx, int cy) override;
  void OnKeyDown(win::UINT vk, win::UINT repeat, win::UINT flags) override;
  void OnSetFocus(win::CWnd* oldWnd) override;
  void OnKillFocus(win::CWnd* newWnd) override;
  win::UINT OnGetDlgCode() override;

 private:
  int RowsTop() const { return style_.header ? style_.headerHeight : 0; }
  int ColumnAt(int x) const;
  int RowAt(int y) const;
  void Hit(win::CPoint point, bool doubleClick);
  void UpdateScrollBar();
  void DrawRow(win::CDC& dc, int row, int y, int width);

  ListStyle style_;
  std::vector<ListRow> rows_;
  int selection_ = -1;
  int top_ = 0;
  int wheelRest_ = 0;  // part turns of the wheel not yet a row
  bool focused_ = false;
  win::CFont font_;
  MaskedStrip images_;  // the row images, 25 pixels a cell
  bool keepBar_ = false;  // LBS_DISABLENOSCROLL: the bar stays while the rows fit
};

}  // namespace quarnel
