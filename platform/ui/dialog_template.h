#pragma once
// Dialog templates written in code: the dialog's caption, style, size and font and its
// controls, in dialog units. One dialog unit is 2 pixels across and down.

#include <string>
#include <vector>

#include "platform/base/win_types.h"

namespace win {

inline constexpr int kPixelsPerDialogUnit = 2;

struct DialogItem {
  std::string className;  // "BUTTON", "EDIT", "STATIC", "SCROLLBAR", ... (case as written)
  std::string text;       // code page 949
  int id = 0;
  DWORD style = 0;        // WS_CHILD is added
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  DWORD exStyle = 0;
};

struct DialogTemplate {
  std::string caption;  // code page 949
  DWORD style = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::string fontFace;  // code page 949
  int fontPoints = 9;
  std::vector<DialogItem> items;
  DWORD exStyle = 0;
};

}  // namespace win
