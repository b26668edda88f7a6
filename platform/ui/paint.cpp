#include "platform/ui/paint.h"

#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

using detail::WindowState;
using detail::WindowSystem;

CDC* BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
  WindowState* s = WindowSystem::Get().State(hwnd);
  if (!s || !ps) return nullptr;
  ps->rcPaint = s->updateRect;
  ps->fErase = s->needsErase;
  ps->hdc = nullptr;
  s->paintBegun = true;
  const bool erase = s->needsErase;
  WindowSystem::Get().Validate(hwnd, nullptr);
  if (erase) ps->fErase = !SendMessage(hwnd, WM_ERASEBKGND, 0, 0);
  return ps->hdc;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

namespace detail {

void PaintNow(HWND hwnd)
{
  auto& system = WindowSystem::Get();
  WindowState* s = system.State(hwnd);
  if (!s) return;
  const CRect painted = s->updateRect;
  s->paintBegun = false;
  s->inPaint = true;
  SendMessage(hwnd, WM_PAINT, 0, 0);
  s = system.State(hwnd);
  if (!s) return;
  s->inPaint = false;
  if (!s->paintBegun) system.Validate(hwnd, nullptr);
  // The window painted over its children's places: they draw themselves again on top.
  for (HWND child : s->children) {
    WindowState* cs = system.State(child);
    if (!cs || !(cs->style & WS_VISIBLE)) continue;
    CRect overlap;
    if (!overlap.IntersectRect(painted, cs->rect)) continue;
    overlap.OffsetRect(-cs->rect.left, -cs->rect.top);
    const CRect insets = WindowSystem::NonClientInsets(cs->style, cs->exStyle, true);
    overlap.OffsetRect(-insets.left, -insets.top);
    system.InvalidateClient(child, &overlap, false);
  }
  system.Display().Present(system.TopLevelOf(hwnd));
}

LRESULT EraseBackground(HWND, CDC*) { return 0; }

LRESULT DefaultControlColor(UINT, WPARAM) { return 0; }

CRect CloseBoxRect(HWND hwnd)
{
  auto& system = WindowSystem::Get();
  WindowState* s = system.State(hwnd);
  if (!s) return {};
  const CRect window = system.ScreenRect(hwnd);
  const CRect in = WindowSystem::NonClientInsets(s->style, s->exStyle, false);
  const int edge = in.left;
  const int size = GetSystemMetrics(SM_CYCAPTION) - 5;
  const int right = window.right - edge - 2;
  const int top = window.top + edge + 2;
  return CRect(right - size - 2, top, right, top + size);
}

}  // namespace detail
}  // namespace win
