#pragma once
// Painting: BeginPaint/EndPaint hand a window a device context clipped to its invalid area;
// every top-level window keeps a picture of itself (its surface) that the display composes.

#include "platform/ui/cwnd.h"

namespace win {

struct PAINTSTRUCT {
  CDC* hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint{};
};

CDC* BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

namespace detail {
// Sends WM_PAINT to the window now and validates it.
void PaintNow(HWND hwnd);
// The standard background of a window (WM_ERASEBKGND without a handler).
LRESULT EraseBackground(HWND hwnd, CDC* dc);
// The standard answer to WM_CTLCOLOR...: the brush to paint a control's background with.
LRESULT DefaultControlColor(UINT message, WPARAM dc);
// The close box of a captioned window, in screen coordinates.
CRect CloseBoxRect(HWND hwnd);
}  // namespace detail

}  // namespace win
