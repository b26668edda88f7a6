#include "platform/ui/paint.h"

#include <algorithm>

#include "platform/base/text.h"
#include "platform/gdi/display.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

using detail::WindowState;
using detail::WindowSystem;

namespace {

WindowSystem& System() { return WindowSystem::Get(); }

std::shared_ptr<vetra::gdi::Bitmap32> EnsureSurface(HWND top)
{
  WindowState* s = System().State(top);
  if (!s) return nullptr;
  const CRect r = System().ScreenRect(top);
  const int width = std::max(0, r.Width());
  const int height = std::max(0, r.Height());
  if (!s->surface || s->surface->Width() != width || s->surface->Height() != height) {
    s->surface = std::make_shared<vetra::gdi::Bitmap32>(
        width, height, vetra::gdi::PixelFromColorref(GetSysColor(COLOR_BTNFACE)));
  }
  return s->surface;
}

void AttachTo(CDC& dc, HWND hwnd, bool wholeWindow, const RECT* clip)
{
  vetra::gdi::Surface surface = detail::WindowSurface(hwnd, wholeWindow);
  if (clip) {
    CRect bounds;
    bounds.IntersectRect(surface.bounds, *clip);
    surface.bounds = bounds;
  }
  dc.AttachSurface(std::move(surface));
}

// A plain handle: it lives as long as the process.
CFont* CaptionFont()
{
  static const HFONT font = CreateFontA(-12, 0, 0, 0, 700, 0, 0, 0, 129, 0, 0, 0, 0, vetra::Cp949("굴림").c_str());
  return CFont::FromHandle(font);
}

void DrawEdge(CDC& dc, CRect r, COLORREF outerTopLeft, COLORREF outerBottomRight, COLORREF innerTopLeft,
              COLORREF innerBottomRight)
{
  dc.Draw3dRect(&r, outerTopLeft, outerBottomRight);
  r.DeflateRect(1, 1);
  dc.Draw3dRect(&r, innerTopLeft, innerBottomRight);
}

// Frame, caption and edges: everything outside the client area.
void DrawNonClient(HWND hwnd)
{
  WindowState* s = System().State(hwnd);
  if (!s) return;
  const bool child = (s->style & WS_CHILD) != 0;
  const CRect insets = WindowSystem::NonClientInsets(s->style, s->exStyle, child);
  if (insets.IsRectNull()) return;
  CDC dc;
  AttachTo(dc, hwnd, true, nullptr);
  const CRect window = System().ScreenRect(hwnd);
  CRect r(0, 0, window.Width(), window.Height());
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);

  if (s->style & (WS_THICKFRAME | WS_DLGFRAME) || (s->exStyle & WS_EX_DLGMODALFRAME)) {
    const int edge = (s->style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
    DrawEdge(dc, r, face, dark, light, shadow);
    for (int i = 2; i < edge; ++i) {
      CRect inner = r;
      inner.DeflateRect(i, i);
      dc.Draw3dRect(&inner, face, face);
    }
    r.DeflateRect(edge, edge);
  } else if (s->style & WS_BORDER) {
    dc.Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
  }
  if (!child && (s->style & WS_CAPTION) == WS_CAPTION) {
    const int height = GetSystemMetrics(SM_CYCAPTION);
    const bool active = System().active == hwnd;
    CRect bar(r.left, r.top, r.right, r.top + height - 1);
    dc.FillSolidRect(&bar, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    dc.FillSolidRect(r.left, r.top + height - 1, r.Width(), 1, face);
    CFont* oldFont = dc.SelectObject(CaptionFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    // The boxes the style gives, from the right: close, maximise, minimise.
    const CRect boxes[] = {(s->style & WS_SYSMENU) ? detail::CloseBoxRect(hwnd) : CRect(),
                           detail::MaximizeBoxRect(hwnd), detail::MinimizeBoxRect(hwnd)};
    CRect text = bar;
    text.left += 4;
    text.right -= 4;
    for (const CRect& box : boxes) {
      if (!box.IsRectEmpty()) text.right = box.left - window.left - 2;
    }
    dc.DrawText(s->text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(oldFont);
    CPen pen(0, 1, GetSysColor(COLOR_BTNTEXT));
    CPen* oldPen = dc.SelectObject(&pen);
    for (int which = 0; which < 3; ++which) {
      CRect box = boxes[which];
      if (box.IsRectEmpty()) continue;
      box.OffsetRect(-window.left, -window.top);
      dc.FillSolidRect(&box, face);
      DrawEdge(dc, box, light, dark, face, shadow);
      const int x0 = box.left + 4, y0 = box.top + 3, n = box.Height() - 6;
      if (which == 0) {  // a cross
        for (int d = 0; d < 2; ++d) {
          dc.MoveTo(x0 + d, y0);
          dc.LineTo(x0 + d + n, y0 + n);
          dc.MoveTo(x0 + d + n - 1, y0);
          dc.LineTo(x0 + d - 1, y0 + n);
        }
      } else if (which == 1) {  // a window with its thick top
        dc.Draw3dRect(x0, y0, n + 1, n, GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNTEXT));
        dc.FillSolidRect(x0, y0 + 1, n + 1, 1, GetSysColor(COLOR_BTNTEXT));
      } else {  // a bar at the bottom
        dc.FillSolidRect(x0, y0 + n - 2, n - 2, 2, GetSysColor(COLOR_BTNTEXT));
      }
    }
    dc.SelectObject(oldPen);
    r.top += height;
  }
  if (s->exStyle & WS_EX_CLIENTEDGE) {
    DrawEdge(dc, r, shadow, light, dark, face);
    r.DeflateRect(2, 2);
  }
  if (s->exStyle & WS_EX_STATICEDGE) {
    dc.Draw3dRect(&r, shadow, light);
    r.DeflateRect(1, 1);
  }
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  if (s->style & WS_VSCROLL) dc.FillSolidRect(r.right - bar, r.top, bar, r.Height(), GetSysColor(COLOR_SCROLLBAR));
  if (s->style & WS_HSCROLL) dc.FillSolidRect(r.left, r.bottom - bar, r.Width(), bar, GetSysColor(COLOR_SCROLLBAR));
}

void BeginPaintInto(HWND hwnd, PAINTSTRUCT* ps, CDC& dc)
{
  WindowState* s = System().State(hwnd);
  if (!s || !ps) return;
  ps->rcPaint = s->updateRect;
  if (!s->needsPaint) {
    // Painting without an invalid area draws nothing (and clips everything away).
    ps->rcPaint = CRect();
  }
  const bool erase = s->needsErase;
  s->paintBegun = true;
  System().Validate(hwnd, nullptr);
  AttachTo(dc, hwnd, false, &ps->rcPaint);
  ps->hdc = &dc;
  ps->fErase = erase ? !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0) : FALSE;
}

void Present(HWND hwnd)
{
  if (System().HasDisplay()) System().Display().Present(System().TopLevelOf(hwnd));
}

}  // namespace

CDC* BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
  WindowState* s = System().State(hwnd);
  if (!s || !ps) return nullptr;
  s->paintDC = std::make_unique<CDC>();
  CDC& dc = *s->paintDC;
  BeginPaintInto(hwnd, ps, dc);
  return ps->hdc;
}

void EndPaint(HWND hwnd, const PAINTSTRUCT*)
{
  if (WindowState* s = System().State(hwnd)) s->paintDC.reset();
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { BeginPaintInto(m_hWnd, &m_ps, *this); }
CPaintDC::~CPaintDC() = default;

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
  if (System().State(m_hWnd)) AttachTo(*this, m_hWnd, false, nullptr);
}
CClientDC::~CClientDC() { Present(m_hWnd); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
  if (System().State(m_hWnd)) AttachTo(*this, m_hWnd, true, nullptr);
}
CWindowDC::~CWindowDC() { Present(m_hWnd); }

CDC* CWnd::GetDC()
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return nullptr;
  auto dc = std::make_unique<CDC>();
  AttachTo(*dc, m_hWnd, false, nullptr);
  s->dcs.push_back(std::move(dc));
  return s->dcs.back().get();
}

CDC* CWnd::GetWindowDC()
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return nullptr;
  auto dc = std::make_unique<CDC>();
  AttachTo(*dc, m_hWnd, true, nullptr);
  s->dcs.push_back(std::move(dc));
  return s->dcs.back().get();
}

int CWnd::ReleaseDC(CDC* dc)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return 0;
  const auto before = s->dcs.size();
  std::erase_if(s->dcs, [&](const std::unique_ptr<CDC>& d) { return d.get() == dc; });
  Present(m_hWnd);
  return before != s->dcs.size();
}

namespace detail {

vetra::gdi::Surface WindowSurface(HWND hwnd, bool wholeWindow)
{
  const HWND top = System().TopLevelOf(hwnd);
  vetra::gdi::Surface surface;
  surface.bitmap = EnsureSurface(top);
  if (!surface.bitmap) {
    surface.bitmap = std::make_shared<vetra::gdi::Bitmap32>(0, 0);
    return surface;
  }
  const CRect topRect = System().ScreenRect(top);
  const CRect area = wholeWindow ? System().ScreenRect(hwnd) : System().ClientScreenRect(hwnd);
  surface.origin = POINT{area.left - topRect.left, area.top - topRect.top};
  CRect visible = area;
  for (HWND h = hwnd; h != top;) {
    WindowState* s = System().State(h);
    if (!s) break;
    h = s->parent;
    visible.IntersectRect(visible, System().ClientScreenRect(h));
  }
  if (!System().IsVisible(hwnd)) visible.SetRectEmpty();
  visible.OffsetRect(-area.left, -area.top);
  surface.bounds = visible;
  return surface;
}

void PaintNow(HWND hwnd)
{
  WindowState* s = System().State(hwnd);
  if (!s) return;
  const CRect painted = s->updateRect;
  DrawNonClient(hwnd);
  s->paintBegun = false;
  s->inPaint = true;
  SendMessage(hwnd, WM_PAINT, 0, 0);
  s = System().State(hwnd);
  if (!s) return;
  s->inPaint = false;
  if (!s->paintBegun) System().Validate(hwnd, nullptr);
  s->paintDC.reset();
  // The window painted over its children's places: they draw themselves again on top.
  for (HWND child : s->children) {
    WindowState* cs = System().State(child);
    if (!cs || !(cs->style & WS_VISIBLE)) continue;
    CRect overlap;
    if (!overlap.IntersectRect(painted, cs->rect)) continue;
    overlap.OffsetRect(-cs->rect.left, -cs->rect.top);
    const CRect insets = WindowSystem::NonClientInsets(cs->style, cs->exStyle, true);
    overlap.OffsetRect(-insets.left, -insets.top);
    if (!insets.IsRectNull()) overlap = CRect(0, 0, cs->rect.Width(), cs->rect.Height());
    System().InvalidateClient(child, &overlap, false);
  }
  Present(hwnd);
}

void PaintAll()
{
  // Bounded: a window that invalidates itself while painting cannot keep this going forever.
  for (int i = 0; i < 10000; ++i) {
    const HWND next = System().NextWindowToPaint(nullptr);
    if (!next) return;
    PaintNow(next);
  }
}

LRESULT EraseBackground(HWND hwnd, CDC* dc)
{
  WindowState* s = System().State(hwnd);
  if (!s || !dc) return 0;
  if (s->className != "#32770") return 0;
  auto brush = reinterpret_cast<HBRUSH>(SendMessage(hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(hwnd)));
  CRect client = System().ClientScreenRect(hwnd);
  client.OffsetRect(-client.left, -client.top);
  dc->FillRect(&client, CBrush::FromHandle(brush ? brush : GetSysColorBrush(COLOR_BTNFACE)));
  return 1;
}

LRESULT DefaultControlColor(UINT message, WPARAM wParam)
{
  auto* dc = reinterpret_cast<CDC*>(wParam);
  const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  if (dc) {
    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc->SetBkColor(GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE));
}

CRect CloseBoxRect(HWND hwnd)
{
  WindowState* s = System().State(hwnd);
  if (!s) return {};
  const CRect window = System().ScreenRect(hwnd);
  const CRect in = WindowSystem::NonClientInsets(s->style, s->exStyle, false);
  const int edge = in.left;
  const int size = GetSystemMetrics(SM_CYCAPTION) - 5;
  const int right = window.right - edge - 2;
  const int top = window.top + edge + 2;
  return CRect(right - size - 2, top, right, top + size);
}

CRect MaximizeBoxRect(HWND hwnd)
{
  WindowState* s = System().State(hwnd);
  if (!s || !(s->style & WS_SYSMENU) || !(s->style & WS_MAXIMIZEBOX)) return {};
  CRect box = CloseBoxRect(hwnd);
  box.OffsetRect(-box.Width() - 2, 0);
  return box;
}

CRect MinimizeBoxRect(HWND hwnd)
{
  WindowState* s = System().State(hwnd);
  if (!s || !(s->style & WS_SYSMENU) || !(s->style & WS_MINIMIZEBOX)) return {};
  CRect box = CloseBoxRect(hwnd);
  box.OffsetRect(-box.Width() - 2, 0);
  if (s->style & WS_MAXIMIZEBOX) box.OffsetRect(-box.Width(), 0);
  return box;
}

std::shared_ptr<vetra::gdi::Bitmap32> TopLevelSurface(HWND hwnd)
{
  WindowState* s = System().State(System().TopLevelOf(hwnd));
  return s ? s->surface : nullptr;
}

void ComposeScreen(vetra::gdi::Bitmap32& screen)
{
  screen.Fill(vetra::gdi::PixelFromColorref(GetSysColor(COLOR_BACKGROUND)));
  for (HWND top : System().TopLevels()) {
    WindowState* s = System().State(top);
    if (!s || !s->surface || !System().IsVisible(top) || (s->style & WS_MINIMIZE)) continue;
    const CRect r = System().ScreenRect(top);
    const vetra::gdi::Bitmap32& picture = *s->surface;
    for (int y = 0; y < picture.Height(); ++y) {
      const int sy = r.top + y;
      if (sy < 0 || sy >= screen.Height()) continue;
      const int x0 = std::max(0, -r.left);
      const int x1 = std::min(picture.Width(), screen.Width() - r.left);
      if (x1 <= x0) continue;
      auto row = picture.Row(y);
      std::copy(row.begin() + x0, row.begin() + x1, screen.Row(sy).begin() + (r.left + x0));
    }
  }
}

}  // namespace detail
}  // namespace win
