#pragma once
// The plain classic look of the standard controls, kept apart from their behaviour.

#include <optional>
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
  // A push button drawn with the thick frame: the dialog's default button, or the push button
  // that has the keyboard.
  bool thickFrame = false;
  std::string text;
};

// The dotted rectangle that shows which control has the keyboard.
void PaintFocusMark(CDC& dc, const CRect& r);
// The same in another ink (on a highlighted row, the highlight's text colour).
void PaintFocusMark(CDC& dc, const CRect& r, COLORREF ink);

// One line of a control's or menu entry's text in `r`, aligned as `format` says: "&x" shows x
// underlined (the key that picks it), "&&" shows one "&".
void DrawControlText(CDC& dc, const std::string& text, CRect r, UINT format);

void PaintButton(CWnd& button, CDC& dc, const ButtonLook& look);
void PaintStatic(CStatic& control, CDC& dc, CBitmap* bitmap);
void PaintScrollBar(CScrollBar& bar, CDC& dc, const CScrollBar::Layout& layout, bool tracking, bool enabled);
// Paints an edit box from its line `firstLine`, its text moved `scrollX` pixels left, with
// `composition` (what the input method composes, code page 949) shown at the caret; the caret's
// client rectangle when the caret is in view.
std::optional<CRect> PaintEdit(CEdit& edit, CDC& dc, int selStart, int selEnd, bool focused, int firstLine, int scrollX,
                               std::string_view composition = {});

CSize BitmapSize(const CBitmap& bitmap);
// How many lines of text the edit box shows.
int VisibleEditLines(const CEdit& edit);
// The drawn width of a piece of an edit box's text, and the width its lines wrap at.
int EditTextWidth(const CEdit& edit, std::string_view text);
int EditWrapWidth(const CEdit& edit);
// The text position nearest to a client point of the edit box, its text moved `scrollX` pixels left.
int EditCharFromPoint(const CEdit& edit, CPoint point, int scrollX = 0);

// Pieces of the look that the list, combo, spin and progress controls share.
CFont* ControlFont(const CWnd& control);
int ControlLineHeight(const CWnd& control);
// Asks the parent for the control's colours (WM_CTLCOLOR...) into dc, then fills area.
void FillControlBackground(CWnd& control, CDC& dc, UINT ctlColorMessage, const CRect& area);
void DrawRaisedEdge(CDC& dc, const CRect& r);
void DrawSunkenEdge(CDC& dc, const CRect& r);
// A small solid triangle: direction 0 left, 1 right, 2 up, 3 down.
void DrawArrow(CDC& dc, const CRect& r, int direction, bool enabled);

}  // namespace win
