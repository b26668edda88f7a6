#pragma once
// The plain classic look of the standard controls, kept apart from their behaviour.

#include <string>
#include <string_view>

#include "platform/ui/cwnd.h"
#include "platform/ui/scroll_bar.h"

namespace win {

class CBitmap;
class CEdit;
class CStatic;

struct ButtonLook {
  UINT kind = 0;
  DWORD style = 0;
  UINT check = 0;
  bool pushed = false;
  bool focused = false;
  bool enabled = true;
  std::string text;
};

void PaintButton(CWnd& button, CDC& dc, const ButtonLook& look);
void PaintStatic(CStatic& control, CDC& dc, CBitmap* bitmap);
void PaintScrollBar(CScrollBar& bar, CDC& dc, const CScrollBar::Layout& layout, bool tracking, bool enabled);
void PaintEdit(CEdit& edit, CDC& dc, int selStart, int selEnd, bool focused, int firstLine);

CSize BitmapSize(const CBitmap& bitmap);
// How many lines of text the edit box shows.
int VisibleEditLines(const CEdit& edit);
// The drawn width of a piece of an edit box's text, and the width its lines wrap at.
int EditTextWidth(const CEdit& edit, std::string_view text);
int EditWrapWidth(const CEdit& edit);
// The text position nearest to a client point of the edit box.
int EditCharFromPoint(const CEdit& edit, CPoint point);

}  // namespace win
