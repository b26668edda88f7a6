#include "platform/ui/control_painting.h"

#include "platform/ui/edit.h"
#include "platform/ui/static.h"

namespace win {

void PaintButton(CWnd&, CDC&, const ButtonLook&) {}
void PaintStatic(CStatic&, CDC&, CBitmap*) {}
void PaintScrollBar(CScrollBar&, CDC&, const CScrollBar::Layout&, bool, bool) {}
void PaintEdit(CEdit&, CDC&, int, int, bool, int) {}
CSize BitmapSize(const CBitmap&) { return {}; }

int VisibleEditLines(const CEdit& edit)
{
  CRect client;
  edit.GetClientRect(&client);
  return client.Height() / 16;
}

int EditCharFromPoint(const CEdit& edit, CPoint) { return edit.GetWindowTextLength(); }

}  // namespace win
