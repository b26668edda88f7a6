#pragma once
// Notifications that the standard controls send their parent in WM_NOTIFY: the common header,
// the codes, and the records of the up-down, list-view and header notifications.

#include "platform/ui/cwnd.h"

namespace win {

struct NMHDR {
  HWND hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};
using LPNMHDR = NMHDR*;

// Codes are negative numbers carried in an unsigned field, as the framework has them.
inline constexpr UINT NotifyCode(int code) { return static_cast<UINT>(code); }

inline constexpr UINT NM_CLICK = NotifyCode(-2);
inline constexpr UINT NM_DBLCLK = NotifyCode(-3);
inline constexpr UINT NM_RCLICK = NotifyCode(-5);
inline constexpr UINT LVN_ITEMCHANGED = NotifyCode(-101);
inline constexpr UINT HDN_BEGINTRACK = NotifyCode(-306);
inline constexpr UINT HDN_ENDTRACK = NotifyCode(-307);
inline constexpr UINT HDN_BEGINTRACKA = HDN_BEGINTRACK;
inline constexpr UINT HDN_BEGINTRACKW = NotifyCode(-326);
inline constexpr UINT UDN_DELTAPOS = NotifyCode(-722);

// Up-down spin: the position before the change and the step asked for.
struct NMUPDOWN {
  NMHDR hdr;
  int iPos = 0;
  int iDelta = 0;
};
using LPNMUPDOWN = NMUPDOWN*;
using NM_UPDOWN = NMUPDOWN;

// List view click and double click: the row and column under the pointer (-1 for no row).
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction{};
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

// List view item change (selection).
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction{};
  LPARAM lParam = 0;
};
using LPNMLISTVIEW = NMLISTVIEW*;

struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
};

// Header notifications: the column and, for tracking, its width. A non-zero answer to
// HDN_BEGINTRACK refuses the drag.
struct NMHEADER {
  NMHDR hdr;
  int iItem = 0;
  int iButton = 0;
  HDITEM* pitem = nullptr;
};
using LPNMHEADER = NMHEADER*;

// Sends a notification from a control to its parent; returns the parent's answer.
LRESULT SendNotify(CWnd& control, NMHDR& header, UINT code);

}  // namespace win
