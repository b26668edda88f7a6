// Lines, shapes, pixels and blits of win::CDC.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "platform/gdi/cdc_impl.h"
#include "platform/gdi/dib_format.h"

namespace win {

using namespace vetra::gdi;

namespace {

// Run lengths of the cosmetic pen styles, in pixels, starting with a drawn run.
constexpr std::array<int, 2> kDash{18, 6};
constexpr std::array<int, 2> kDot{3, 3};
constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};

bool Empty(const RECT& r)
{
  return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

namespace {

struct PenStroke {
  bool visible = false;
  Stroke stroke;
};

PenStroke MakeStroke(const CDC::Impl& impl)
{
  PenStroke result;
  const auto& state = impl.state;
  if (!state.pen) return result;
  const LOGPEN& pen = state.pen->logPen;
  const int style = static_cast<int>(pen.lopnStyle & 0x0F);
  if (style == PS_NULL) return result;
  result.visible = true;
  result.stroke.color = PixelFromColorref(pen.lopnColor);
  result.stroke.width = std::max(1, impl.ScaleLength(pen.lopnWidth.x));
  result.stroke.rop2 = state.rop2;
  // Styled lines exist only one pixel wide; wider pens draw solid.
  if (result.stroke.width == 1) {
    switch (style) {
      case PS_DASH: result.stroke.pattern = kDash; break;
      case PS_DOT: result.stroke.pattern = kDot; break;
      case PS_DASHDOT: result.stroke.pattern = kDashDot; break;
      case PS_DASHDOTDOT: result.stroke.pattern = kDashDotDot; break;
      default: break;
    }
  }
  result.stroke.fillGaps = state.bkMode == OPAQUE;
  result.stroke.gapColor = PixelFromColorref(state.bkColor);
  return result;
}

}  // namespace

// Runs `draw` with a painter on the DC's target, if it has one.
template <class Draw>
static void Paint(const CDC::Impl& impl, Draw&& draw)
{
  const Surface target = impl.Target();
  if (!target.bitmap || target.bitmap->Empty()) return;
  Painter painter(*target.bitmap, target.origin, impl.DeviceClip());
  draw(painter);
}

CPoint CDC::MoveTo(int x, int y)
{
  const CPoint previous = m_impl->state.current;
  m_impl->state.current = {x, y};
  m_impl->Log("MoveTo", {x, y});
  return previous;
}

CPoint CDC::GetCurrentPosition() const
{
  return m_impl->state.current;
}

BOOL CDC::LineTo(int x, int y)
{
  if (!m_hDC) return FALSE;
  m_impl->Log("LineTo", {x, y});
  const POINT from = m_impl->Map(m_impl->state.current);
  const POINT to = m_impl->Map(POINT{x, y});
  m_impl->state.current = {x, y};
  const PenStroke pen = MakeStroke(*m_impl);
  if (pen.visible) {
    Paint(*m_impl, [&](Painter& painter) {
      StrokePhase phase;
      painter.Line(from, to, pen.stroke, phase);
    });
  }
  return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
  if (!m_hDC || !points || count < 2) return FALSE;
  if (m_impl->Logging()) {
    std::vector<long long> args{count};
    for (int i = 0; i < count; ++i) {
      args.push_back(points[i].x);
      args.push_back(points[i].y);
    }
    m_impl->Log("Polyline", std::move(args));
  }
  const PenStroke pen = MakeStroke(*m_impl);
  if (!pen.visible) return TRUE;
  Paint(*m_impl, [&](Painter& painter) {
    StrokePhase phase;
    POINT from = m_impl->Map(points[0]);
    for (int i = 1; i < count; ++i) {
      const POINT to = m_impl->Map(points[i]);
      painter.Line(from, to, pen.stroke, phase);
      from = to;
    }
  });
  return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
  if (!m_hDC) return FALSE;
  m_impl->Log("Rectangle", {left, top, right, bottom});
  const RECT r = NormalizedRect(m_impl->MapX(left), m_impl->MapY(top), m_impl->MapX(right), m_impl->MapY(bottom));
  if (Empty(r)) return TRUE;
  const PenStroke pen = MakeStroke(*m_impl);
  const auto& brush = m_impl->state.brush;
  Paint(*m_impl, [&](Painter& painter) {
    // The outline takes the rectangle's outer pixels; without a pen the fill is one pixel
    // narrower and lower on the right and bottom.
    if (brush && brush->logBrush.lbStyle != BS_NULL) {
      RECT inside = pen.visible ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}
                                : RECT{r.left, r.top, r.right - 1, r.bottom - 1};
      painter.FillRect(inside, PixelFromColorref(brush->logBrush.lbColor), m_impl->state.rop2);
    }
    if (pen.visible) {
      StrokePhase phase;
      const POINT corners[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
      for (int i = 0; i < 4; ++i) painter.Line(corners[i], corners[i + 1], pen.stroke, phase);
    }
  });
  return TRUE;
}

void CDC::FillRect(const RECT* rect, CBrush* brush)
{
  if (!m_hDC || !rect || !brush) return;
  const auto object = LookupAs<BrushObject>(brush->m_hObject, ObjectKind::Brush);
  if (!object) return;
  m_impl->Log("FillRect", {rect->left, rect->top, rect->right, rect->bottom, object->logBrush.lbColor});
  if (object->logBrush.lbStyle == BS_NULL) return;
  const RECT r = NormalizedRect(m_impl->MapX(rect->left), m_impl->MapY(rect->top), m_impl->MapX(rect->right), m_impl->MapY(rect->bottom));
  Paint(*m_impl, [&](Painter& painter) { painter.FillRect(r, PixelFromColorref(object->logBrush.lbColor)); });
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
  if (!m_hDC) return;
  // The framework fills through the background colour and leaves it set.
  m_impl->state.bkColor = color;
  m_impl->Log("FillSolidRect", {x, y, cx, cy, color});
  const RECT r = NormalizedRect(m_impl->MapX(x), m_impl->MapY(y), m_impl->MapX(static_cast<long long>(x) + cx), m_impl->MapY(static_cast<long long>(y) + cy));
  Paint(*m_impl, [&](Painter& painter) { painter.FillRect(r, PixelFromColorref(color)); });
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color)
{
  if (rect) FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush)
{
  if (!m_hDC || !rect || !brush) return;
  const auto object = LookupAs<BrushObject>(brush->m_hObject, ObjectKind::Brush);
  if (!object) return;
  m_impl->Log("FrameRect", {rect->left, rect->top, rect->right, rect->bottom, object->logBrush.lbColor});
  const RECT r = NormalizedRect(m_impl->MapX(rect->left), m_impl->MapY(rect->top), m_impl->MapX(rect->right), m_impl->MapY(rect->bottom));
  if (Empty(r) || object->logBrush.lbStyle == BS_NULL) return;
  const Pixel color = PixelFromColorref(object->logBrush.lbColor);
  Paint(*m_impl, [&](Painter& painter) {
    painter.FillRect({r.left, r.top, r.right, r.top + 1}, color);
    painter.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
    painter.FillRect({r.left, r.top, r.left + 1, r.bottom}, color);
    painter.FillRect({r.right - 1, r.top, r.right, r.bottom}, color);
  });
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
  if (!m_hDC) return;
  m_impl->Log("Draw3dRect", {x, y, cx, cy, topLeft, bottomRight});
  auto device = [&](long long l, long long t, long long r, long long b) {
    return NormalizedRect(m_impl->MapX(l), m_impl->MapY(t), m_impl->MapX(r), m_impl->MapY(b));
  };
  const Pixel light = PixelFromColorref(topLeft);
  const Pixel dark = PixelFromColorref(bottomRight);
  Paint(*m_impl, [&](Painter& painter) {
    painter.FillRect(device(x, y, x + cx - 1, y + 1), light);
    painter.FillRect(device(x, y, x + 1, y + cy - 1), light);
    painter.FillRect(device(x + cx - 1, y, x + cx, y + cy), dark);
    painter.FillRect(device(x, y + cy - 1, x + cx, y + cy), dark);
  });
  m_impl->state.bkColor = bottomRight;
}

void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight)
{
  if (rect) Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
  if (!m_hDC) return CLR_INVALID;
  m_impl->Log("SetPixel", {x, y, color});
  const POINT p = m_impl->Map(POINT{x, y});
  bool inside = false;
  Paint(*m_impl, [&](Painter& painter) {
    inside = painter.Visible(p.x, p.y);
    painter.Plot(p.x, p.y, PixelFromColorref(color));
  });
  return inside ? color : CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const
{
  const POINT p = m_impl->Map(POINT{x, y});
  COLORREF result = CLR_INVALID;
  Paint(*m_impl, [&](Painter& painter) {
    Pixel pixel = 0;
    if (painter.Read(p.x, p.y, pixel)) result = ColorrefFromPixel(pixel);
  });
  return result;
}

// ---- Blits ----

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
  if (!m_hDC) return FALSE;
  m_impl->Log("StretchBlt", {x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, rop});
  return Blit(x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, rop);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
  if (!m_hDC) return FALSE;
  m_impl->Log("BitBlt", {x, y, width, height, xSrc, ySrc, rop});
  return Blit(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

BOOL CDC::Blit(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
               int srcHeight, DWORD rop)
{
  const bool usesSource = ((rop >> 2) ^ rop) & 0x330000;
  const RECT dst{m_impl->MapX(x), m_impl->MapY(y), m_impl->MapX(static_cast<long long>(x) + width), m_impl->MapY(static_cast<long long>(y) + height)};
  const Pixel pattern = m_impl->state.brush ? PixelFromColorref(m_impl->state.brush->logBrush.lbColor) : 0;
  if (!usesSource) {
    static const Bitmap32 nothing(1, 1);
    Paint(*m_impl, [&](Painter& painter) { painter.Blit(dst, nothing, {0, 0, dst.right - dst.left, dst.bottom - dst.top}, rop, pattern); });
    return TRUE;
  }
  if (!src || !src->m_hDC) return FALSE;
  if (src->m_impl->kind == Impl::Kind::Display) ComposeScreen();
  const Surface source = src->CurrentSurface();
  if (!source.bitmap) return FALSE;
  const Impl& s = *src->m_impl;
  const RECT from{s.MapX(xSrc) + source.origin.x, s.MapY(ySrc) + source.origin.y,
                  s.MapX(static_cast<long long>(xSrc) + srcWidth) + source.origin.x,
                  s.MapY(static_cast<long long>(ySrc) + srcHeight) + source.origin.y};
  // A blit within one bitmap reads from a copy, so that overlapping rectangles come out right.
  std::shared_ptr<const Bitmap32> pixels = source.bitmap;
  if (source.bitmap == m_impl->Target().bitmap) pixels = std::make_shared<Bitmap32>(*source.bitmap);
  Paint(*m_impl, [&](Painter& painter) { painter.Blit(dst, *pixels, from, rop, pattern); });
  return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
  if (!m_hDC) return FALSE;
  m_impl->Log("PatBlt", {x, y, width, height, rop});
  const RECT dst{m_impl->MapX(x), m_impl->MapY(y), m_impl->MapX(static_cast<long long>(x) + width), m_impl->MapY(static_cast<long long>(y) + height)};
  const Pixel pattern = m_impl->state.brush ? PixelFromColorref(m_impl->state.brush->logBrush.lbColor) : 0;
  static const Bitmap32 nothing(1, 1);
  Paint(*m_impl, [&](Painter& painter) { painter.Blit(dst, nothing, {0, 0, dst.right - dst.left, dst.bottom - dst.top}, rop, pattern); });
  return TRUE;
}

int CDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                       int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
  if (!m_hDC || !info) return 0;
  const auto& palette = m_impl->state.palette ? m_impl->state.palette->entries : DefaultPaletteEntries();
  const auto layout = ReadDibLayout(info, std::numeric_limits<std::size_t>::max(), usage, palette);
  if (m_impl->Logging()) {
    m_impl->Log("StretchDIBits", {x, y, width, height, xSrc, ySrc, srcWidth, srcHeight,
                                  layout ? layout->width : 0, layout ? (layout->topDown ? -layout->height : layout->height) : 0,
                                  layout ? layout->bitCount : 0, usage, rop});
  }
  if (!layout || !bits || srcWidth == 0 || srcHeight == 0) return 0;
  // The source rectangle is measured from the picture's top-left corner, whatever its row order.
  const RECT wanted = NormalizedRect(xSrc, ySrc, xSrc + srcWidth, ySrc + srcHeight);
  const RECT inside{std::max(wanted.left, 0), std::max(wanted.top, 0), std::min<LONG>(wanted.right, layout->width), std::min<LONG>(wanted.bottom, layout->height)};
  const auto* data = static_cast<const std::uint8_t*>(bits);
  const RECT dst{m_impl->MapX(x), m_impl->MapY(y), m_impl->MapX(static_cast<long long>(x) + width), m_impl->MapY(static_cast<long long>(y) + height)};
  const Surface target = m_impl->Target();
  if (!target.bitmap || target.bitmap->Empty()) return std::abs(srcHeight);
  const bool sameSize = dst.right - dst.left == srcWidth && dst.bottom - dst.top == srcHeight;
  if (sameSize && rop == SRCCOPY && srcWidth > 0 && srcHeight > 0) {
    // Picture at its own size (skins mostly are): rows decoded straight onto the target.
    const RECT clip = m_impl->DeviceClip();
    const int left = std::max({dst.left, clip.left, dst.left + (inside.left - wanted.left)});
    const int right = std::min({dst.right, clip.right, dst.left + (inside.right - wanted.left)});
    const int top = std::max({dst.top, clip.top, dst.top + (inside.top - wanted.top)});
    const int bottom = std::min({dst.bottom, clip.bottom, dst.top + (inside.bottom - wanted.top)});
    for (int row = top; row < bottom; ++row) {
      Pixel* out = target.bitmap->Row(row + target.origin.y).data() + target.origin.x + left;
      DecodeRow(*layout, data, wanted.top + (row - dst.top), wanted.left + (left - dst.left), wanted.left + (right - dst.left), out);
    }
    // Parts of the source rectangle outside the picture are black.
    Painter painter(*target.bitmap, target.origin, clip);
    if (wanted.left < inside.left || wanted.top < inside.top || wanted.right > inside.right || wanted.bottom > inside.bottom) {
      for (int row = std::max(dst.top, clip.top); row < std::min(dst.bottom, clip.bottom); ++row) {
        const int sy = wanted.top + (row - dst.top);
        if (sy < inside.top || sy >= inside.bottom) {
          painter.FillRect({dst.left, row, dst.right, row + 1}, 0);
        } else {
          painter.FillRect({dst.left, row, dst.left + (inside.left - wanted.left), row + 1}, 0);
          painter.FillRect({dst.left + (inside.right - wanted.left), row, dst.right, row + 1}, 0);
        }
      }
    }
    return srcHeight;
  }
  // Otherwise decode the part of the source rectangle inside the picture and blit the whole
  // rectangle from it (the rest reads black).
  Bitmap32 decoded(std::max<LONG>(0, inside.right - inside.left), std::max<LONG>(0, inside.bottom - inside.top));
  for (int sy = inside.top; sy < inside.bottom && !decoded.Empty(); ++sy) {
    DecodeRow(*layout, data, sy, inside.left, inside.right, decoded.Row(sy - inside.top).data());
  }
  RECT from{wanted.left - inside.left, wanted.top - inside.top, wanted.right - inside.left, wanted.bottom - inside.top};
  if (srcWidth < 0) std::swap(from.left, from.right);
  if (srcHeight < 0) std::swap(from.top, from.bottom);
  Painter painter(*target.bitmap, target.origin, m_impl->DeviceClip());
  painter.Blit(dst, decoded, from, rop);
  return std::abs(srcHeight);
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                           UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage)
{
  if (!m_hDC || !info) return 0;
  const auto& palette = m_impl->state.palette ? m_impl->state.palette->entries : DefaultPaletteEntries();
  const auto layout = ReadDibLayout(info, std::numeric_limits<std::size_t>::max(), usage, palette);
  m_impl->Log("SetDIBitsToDevice", {x, y, width, height, xSrc, ySrc, startScan, scanLines});
  if (!layout || !bits) return 0;
  // Rows are numbered from the picture's origin: the bottom row for a bottom-up picture. `bits`
  // holds rows startScan .. startScan + scanLines - 1 in storage order.
  const auto* data = static_cast<const std::uint8_t*>(bits);
  const long long w = std::min<long long>(width, layout->width - static_cast<long long>(xSrc));
  const long long h = height;
  if (w <= 0 || h <= 0 || xSrc < 0) return 0;
  const POINT at = m_impl->Map(POINT{x, y});
  int drawn = 0;
  // DibPixel reads row 0 of a one-row top-down picture: the stored row at hand.
  DibLayout one = *layout;
  one.height = 1;
  one.topDown = true;
  Paint(*m_impl, [&](Painter& painter) {
    for (long long row = 0; row < h; ++row) {
      // Scan line of the picture shown at destination row `row` (counted from the origin).
      const long long scan = layout->topDown ? ySrc + row : ySrc + (h - 1 - row);
      if (scan < startScan || scan >= static_cast<long long>(startScan) + scanLines || scan >= layout->height || scan < 0) continue;
      const long long stored = scan - startScan;  // row index inside `bits`
      const std::uint8_t* line = data + static_cast<std::size_t>(stored) * layout->stride;
      for (long long col = 0; col < w; ++col) {
        painter.Plot(at.x + static_cast<int>(col), at.y + static_cast<int>(row), DibPixel(one, line, xSrc + static_cast<int>(col), 0));
      }
      ++drawn;
    }
  });
  return drawn;
}

}  // namespace win
