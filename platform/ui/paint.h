#pragma once
// Painting: BeginPaint/EndPaint (or CPaintDC) hand a window a device context clipped to its
// invalid area; CClientDC and CWindowDC draw on the client area or the whole window at any time.
// Every top-level window keeps a picture of itself (its surface) that the display composes.

#include <memory>

#include "platform/gdi/bitmap32.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"

namespace win {

struct PAINTSTRUCT {
  CDC* hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint{};
};

CDC* BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

class CPaintDC : public CDC {
public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

private:
  HWND m_hWnd = nullptr;
};

class CClientDC : public CDC {
public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

private:
  HWND m_hWnd = nullptr;
};

class CWindowDC : public CDC {
public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

private:
  HWND m_hWnd = nullptr;
};

namespace detail {
// Sends WM_PAINT to the window now and validates it.
void PaintNow(HWND hwnd);
// Paints every window that waits for it.
void PaintAll();
// The standard background of a window (WM_ERASEBKGND without a handler).
LRESULT EraseBackground(HWND hwnd, CDC* dc);
// The standard answer to WM_CTLCOLOR...: sets the DC's colours, returns the background brush.
LRESULT DefaultControlColor(UINT message, WPARAM dc);
// The close box of a captioned window, in screen coordinates.
CRect CloseBoxRect(HWND hwnd);
// Its maximise and minimise boxes (left of the close box, in that order), in screen coordinates;
// empty where the style gives none.
CRect MaximizeBoxRect(HWND hwnd);
CRect MinimizeBoxRect(HWND hwnd);
// The picture of a top-level window (null before it first paints).
std::shared_ptr<vetra::gdi::Bitmap32> TopLevelSurface(HWND hwnd);
// Draws the visible top-level windows onto the virtual screen.
void ComposeScreen(vetra::gdi::Bitmap32& screen);
// The drawing surface of a window's client area (or whole window), clipped to what shows.
vetra::gdi::Surface WindowSurface(HWND hwnd, bool wholeWindow);
}  // namespace detail

}  // namespace win
