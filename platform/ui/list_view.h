#pragma once
// Report list views: rows of cells under titled columns (title, alignment, width), with an
// optional picture from an image list at the start of each row, grid lines, full-row selection
// and a header that can be hidden. Clicks and double clicks reach the parent as NM_CLICK and
// NM_DBLCLK with the row and column under the pointer; dragging a column edge first asks the
// parent (HDN_BEGINTRACK; a non-zero answer refuses). Rows are as high as the font (or the
// pictures, when taller) plus one pixel.

#include <string>
#include <vector>

#include "platform/ui/cwnd.h"

namespace win {

class CImageList;

inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr int LVNI_ALL = 0x0000;
inline constexpr int LVNI_SELECTED = 0x0002;
inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEM = 0x000E;

inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;

struct LVHITTESTINFO {
  POINT pt{};
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

class CListCtrl : public CWnd {
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  DWORD SetExtendedStyle(DWORD style);
  DWORD GetExtendedStyle() const { return m_exStyle; }
  CImageList* SetImageList(CImageList* images, int which);  // not owned
  CImageList* GetImageList(int which) const;

  // Columns.
  int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int column);
  int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);

  // Rows.
  int InsertItem(int item, const char* text);
  int InsertItem(int item, const char* text, int image);
  BOOL SetItemText(int item, int subItem, const char* text);
  std::string GetItemText(int item, int subItem) const;
  // Copies at most length - 1 bytes and a terminating zero; returns the bytes copied.
  int GetItemText(int item, int subItem, char* buffer, int length) const;
  BOOL SetItemImage(int item, int image);
  int GetItemImage(int item) const;
  BOOL SetItemData(int item, std::uintptr_t data);
  std::uintptr_t GetItemData(int item) const;
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const { return static_cast<int>(m_rows.size()); }

  // Selection and scrolling.
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  int GetNextItem(int start, int flags) const;
  int GetSelectedCount() const;
  int GetSelectionMark() const { return m_mark; }
  int GetTopIndex() const { return m_top; }
  int GetCountPerPage() const;
  BOOL EnsureVisible(int item, BOOL partialOK);

  COLORREF GetBkColor() const { return m_bkColor; }
  BOOL SetBkColor(COLORREF color);
  BOOL SetTextColor(COLORREF color);
  BOOL SetTextBkColor(COLORREF color);

  // Geometry (client pixels).
  int RowHeight() const;
  int HeaderHeight() const;  // 0 with LVS_NOCOLUMNHEADER
  int SubItemHitTest(LVHITTESTINFO* info) const;

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  struct Column {
    std::string title;
    int format = LVCFMT_LEFT;
    int width = 0;
  };
  struct Row {
    std::vector<std::string> cells;  // one per column
    int image = -1;
    bool selected = false;
    std::uintptr_t data = 0;
  };
  int ColumnAt(int x) const;
  int DividerAt(CPoint point) const;  // the column whose right edge is under the point, or -1
  void MakeScrollBar();
  void UpdateScrollBar();
  int Page() const;  // whole rows in view, at least one
  int RowsWidth() const;
  void SetTop(int top);
  void SelectOnly(int row);
  // Selects a row chosen from the keyboard and brings it into view.
  void KeyToRow(int row);
  void NotifyItemChanged(int row, UINT oldState, UINT newState);
  void NotifyActivate(UINT code, int row, int column, CPoint point);
  void Draw(CDC& dc, CRect client);
  void PaintHeader(CDC& dc, const CRect& area);
  void PaintRows(CDC& dc, const CRect& area);

  std::vector<Column> m_columns;
  std::vector<Row> m_rows;
  DWORD m_exStyle = 0;
  CImageList* m_smallImages = nullptr;
  CImageList* m_normalImages = nullptr;
  int m_top = 0;
  int m_mark = -1;
  int m_focusRow = -1;
  bool m_focused = false;
  COLORREF m_bkColor;
  COLORREF m_textColor;
  COLORREF m_textBkColor;
  // Mouse: a column edge being dragged, or a click that ends in NM_CLICK on release.
  int m_tracking = -1;
  int m_trackStartX = 0;
  int m_trackStartWidth = 0;
  bool m_clickPending = false;
  int m_wheelRest = 0;

public:
  CListCtrl();
};

}  // namespace win
