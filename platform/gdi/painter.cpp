#include "platform/gdi/painter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vetra::gdi {

namespace {

constexpr Pixel kColorBits = 0xFFFFFF;

win::RECT Intersect(const win::RECT& a, const win::RECT& b)
{
  win::RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace

Pixel ApplyRop2(int rop2, Pixel pen, Pixel dst)
{
  Pixel result = pen;
  switch (rop2) {
    case 1: result = 0; break;
    case 2: result = ~(pen | dst); break;
    case 3: result = ~pen & dst; break;
    case 4: result = ~pen; break;
    case 5: result = pen & ~dst; break;
    case 6: result = ~dst; break;
    case 7: result = pen ^ dst; break;
    case 8: result = ~(pen & dst); break;
    case 9: result = pen & dst; break;
    case 10: result = ~(pen ^ dst); break;
    case 11: result = dst; break;
    case 12: result = ~pen | dst; break;
    case 14: result = pen | ~dst; break;
    case 15: result = pen | dst; break;
    case 16: result = kColorBits; break;
    default: break;  // R2_COPYPEN and unknown codes copy
  }
  return result & kColorBits;
}

Pixel ApplyRop3(std::uint32_t rop, Pixel src, Pixel dst, Pixel pattern)
{
  switch (rop) {  // the common codes, without the general evaluation
    case 0x00CC0020: return src & kColorBits;
    case 0x008800C6: return src & dst & kColorBits;
    case 0x00EE0086: return (src | dst) & kColorBits;
    default: break;
  }
  // Bit (p << 2 | s << 1 | d) of the code's third byte is the result for pattern, source and
  // destination bits p, s, d.
  const unsigned table = (rop >> 16) & 0xFF;
  Pixel result = 0;
  for (unsigned index = 0; index < 8; ++index) {
    if (!((table >> index) & 1)) continue;
    const Pixel p = (index & 4) ? pattern : ~pattern;
    const Pixel s = (index & 2) ? src : ~src;
    const Pixel d = (index & 1) ? dst : ~dst;
    result |= p & s & d;
  }
  return result & kColorBits;
}

Painter::Painter(Bitmap32& target, win::POINT origin, const win::RECT& clip)
    : m_target(target), m_origin(origin)
{
  const win::RECT bitmap{-origin.x, -origin.y, target.Width() - origin.x, target.Height() - origin.y};
  m_clip = Intersect(clip, bitmap);
}

Painter::Painter(Bitmap32& target) : Painter(target, {0, 0}, {0, 0, target.Width(), target.Height()}) {}

bool Painter::Visible(int x, int y) const
{
  return x >= m_clip.left && x < m_clip.right && y >= m_clip.top && y < m_clip.bottom;
}

void Painter::FillRect(const win::RECT& rect, Pixel color, int rop2)
{
  const win::RECT r = Intersect(rect, m_clip);
  color &= kColorBits;
  for (int y = r.top; y < r.bottom; ++y) {
    auto row = m_target.Row(y + m_origin.y);
    auto* first = row.data() + (r.left + m_origin.x);
    auto* last = row.data() + (r.right + m_origin.x);
    if (rop2 == 13) {
      std::fill(first, last, color);
    } else {
      for (auto* p = first; p != last; ++p) *p = ApplyRop2(rop2, color, *p);
    }
  }
}

void Painter::Plot(int x, int y, Pixel color, int rop2)
{
  if (!Visible(x, y)) return;
  Pixel& p = m_target.At(x + m_origin.x, y + m_origin.y);
  p = rop2 == 13 ? (color & kColorBits) : ApplyRop2(rop2, color, p);
}

bool Painter::Read(int x, int y, Pixel& out) const
{
  if (!Visible(x, y)) return false;
  out = m_target.At(x + m_origin.x, y + m_origin.y);
  return true;
}

void Painter::Stamp(int x, int y, const Stroke& stroke, Pixel color)
{
  if (stroke.width <= 1) {
    Plot(x, y, color, stroke.rop2);
    return;
  }
  // A round dot of the pen's width centred on the point (even widths lean up and left).
  const int w = stroke.width;
  const int low = -(w / 2);
  const double centre = (w % 2 == 0) ? -0.5 : 0.0;
  const double radius2 = (w / 2.0) * (w / 2.0);
  for (int dy = low; dy < low + w; ++dy) {
    for (int dx = low; dx < low + w; ++dx) {
      const double fx = dx - centre;
      const double fy = dy - centre;
      if (fx * fx + fy * fy <= radius2 + 0.25) Plot(x + dx, y + dy, color, stroke.rop2);
    }
  }
}

namespace {

// n / d rounded to the nearest integer (halves up), d > 0.
long long RoundDiv(long long n, long long d)
{
  const long long twice = 2 * n + d;
  const long long den = 2 * d;
  long long q = twice / den;
  if (twice % den != 0 && twice < 0) --q;  // floor
  return q;
}

// The same for products too large for 64 bits (coordinates billions apart).
long long RoundDiv(__int128 n, long long d)
{
  const __int128 twice = 2 * n + d;
  const __int128 den = 2 * static_cast<__int128>(d);
  __int128 q = twice / den;
  if (twice % den != 0 && twice < 0) --q;  // floor
  return static_cast<long long>(q);
}

// Moves a pattern position on by `pixels` drawn or skipped pixels.
void Advance(const Stroke& stroke, StrokePhase& phase, long long pixels)
{
  if (stroke.pattern.empty() || pixels <= 0) return;
  long long cycle = 0;
  for (const int run : stroke.pattern) cycle += run;
  if (cycle <= 0) return;
  if (phase.left >= 0 && pixels > cycle) pixels = pixels % cycle + cycle;  // whole cycles change nothing
  while (pixels > 0) {
    if (phase.left <= 0) {
      if (phase.left == 0) phase.run = (phase.run + 1) % stroke.pattern.size();
      phase.left = stroke.pattern[phase.run];
    }
    const long long take = std::min<long long>(pixels, phase.left);
    phase.left -= static_cast<int>(take);
    pixels -= take;
  }
}

// Whether the next pixel of a patterned line is drawn; moves the pattern on by one.
bool NextIsOn(const Stroke& stroke, StrokePhase& phase)
{
  if (stroke.pattern.empty()) return true;
  if (phase.left <= 0) {
    if (phase.left == 0) phase.run = (phase.run + 1) % stroke.pattern.size();
    phase.left = stroke.pattern[phase.run];
  }
  --phase.left;
  return phase.run % 2 == 0;
}

}  // namespace

void Painter::Line(win::POINT a, win::POINT b, const Stroke& stroke, StrokePhase& phase)
{
  const long long dx = static_cast<long long>(b.x) - a.x;
  const long long dy = static_cast<long long>(b.y) - a.y;
  const long long adx = dx < 0 ? -dx : dx;
  const long long ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const long long major = xMajor ? adx : ady;
  // A cosmetic line leaves out its last pixel; a wide one ends in a round cap over it.
  const long long steps = major + (stroke.width > 1 ? 1 : 0);
  if (steps == 0) return;
  // Only the steps whose major coordinate can touch the clip are walked (coordinates far outside
  // cost nothing); the pattern moves on over the skipped ones.
  const long long margin = stroke.width;
  const long long start = xMajor ? a.x : a.y;
  const long long sign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const long long low = (xMajor ? m_clip.left : m_clip.top) - margin;
  const long long high = (xMajor ? m_clip.right : m_clip.bottom) + margin;  // exclusive
  long long first = sign > 0 ? low - start : start - high + 1;
  long long last = sign > 0 ? high - start : start - low + 1;  // exclusive
  first = std::max<long long>(first, 0);
  last = std::min(last, steps);
  if (first >= last) {
    Advance(stroke, phase, steps);
    return;
  }
  Advance(stroke, phase, first);
  // The minor coordinate of step i is a + round(i * minorDelta / major), halves up. It is kept as
  // a quotient and remainder moved on by one step at a time; only the first step divides.
  const long long minorDelta = xMajor ? dy : dx;
  const long long den = 2 * std::max<long long>(major, 1);
  const long long twiceDelta = 2 * minorDelta;
  long long quotient = 0;
  long long remainder = 0;  // 0 <= remainder < den
  // One step along the major axis: the minor coordinate's quotient moves when the remainder wraps.
  const auto step = [&] {
    remainder += twiceDelta;
    if (remainder >= den) {
      remainder -= den;
      ++quotient;
    } else if (remainder < 0) {
      remainder += den;
      --quotient;
    }
  };
  if (major > 0 && first == 0) {
    // The usual start, inside the clip: half a step of remainder, no division.
    remainder = major;
  } else if (major > 0) {
    constexpr long long kSmall = 1LL << 30;  // products of two such values fit in 64 bits
    const bool small = major < kSmall;
    quotient = small ? RoundDiv(first * minorDelta, major) : RoundDiv(static_cast<__int128>(first) * minorDelta, major);
    const __int128 twice = 2 * static_cast<__int128>(first) * minorDelta + major;
    remainder = static_cast<long long>(twice - static_cast<__int128>(quotient) * den);
  }
  const long long majorStart = (xMajor ? a.x : a.y) + sign * first;
  const long long minorStart = xMajor ? a.y : a.x;
  if (stroke.width <= 1 && minorDelta == 0 && stroke.pattern.empty() && stroke.rop2 == 13) {
    // A solid level or upright cosmetic line (grids, cursors, the columns of min/max pairs): the
    // run of pixels it covers, cut to the clip, in one colour.
    const long long count = last - first;
    const long long majorLow = sign > 0 ? majorStart : majorStart - (count - 1);
    const long long majorHigh = majorLow + count;  // exclusive
    const long long clipLow = xMajor ? m_clip.left : m_clip.top;
    const long long clipHigh = xMajor ? m_clip.right : m_clip.bottom;
    const long long fixedLow = xMajor ? m_clip.top : m_clip.left;
    const long long fixedHigh = xMajor ? m_clip.bottom : m_clip.right;
    const long long runLow = std::max(majorLow, clipLow);
    const long long runHigh = std::min(majorHigh, clipHigh);
    if (minorStart >= fixedLow && minorStart < fixedHigh && runLow < runHigh) {
      const Pixel color = stroke.color & kColorBits;
      if (xMajor) {
        Pixel* p = &m_target.At(static_cast<int>(runLow) + m_origin.x, static_cast<int>(minorStart) + m_origin.y);
        std::fill(p, p + (runHigh - runLow), color);
      } else {
        const auto stride = static_cast<std::ptrdiff_t>(m_target.Width());
        Pixel* p = &m_target.At(static_cast<int>(minorStart) + m_origin.x, static_cast<int>(runLow) + m_origin.y);
        for (long long k = runLow; k < runHigh; ++k, p += stride) *p = color;
      }
    }
    return;
  }
  if (stroke.width > 1 && minorDelta == 0 && stroke.pattern.empty() && stroke.rop2 == 13) {
    // A solid wide level or upright line in copy mode (band lines, frames): the dots stamped along
    // it cover, at each offset across the line, one run along it, from the first dot's reach to
    // the last one's; each run is filled in one go.
    const int w = stroke.width;
    const int low = -(w / 2);
    const double centre = (w % 2 == 0) ? -0.5 : 0.0;
    const double radius2 = (w / 2.0) * (w / 2.0);
    const long long lastMajor = majorStart + sign * (last - 1 - first);
    const long long majorMin = std::min(majorStart, lastMajor);
    const long long majorMax = std::max(majorStart, lastMajor);
    const Pixel color = stroke.color & kColorBits;
    const auto stride = static_cast<std::ptrdiff_t>(m_target.Width());
    Pixel* const pixels = m_target.Pixels().data();
    for (int across = low; across < low + w; ++across) {
      int reachLow = w;
      int reachHigh = -w;
      for (int along = low; along < low + w; ++along) {
        // The dot's test as the stamp makes it (it is the same with the offsets swapped).
        const double fAlong = along - centre;
        const double fAcross = across - centre;
        if (fAlong * fAlong + fAcross * fAcross <= radius2 + 0.25) {
          reachLow = std::min(reachLow, along);
          reachHigh = std::max(reachHigh, along);
        }
      }
      if (reachLow > reachHigh) continue;
      const long long minorAt = minorStart + across;
      const long long minorClipLow = xMajor ? m_clip.top : m_clip.left;
      const long long minorClipHigh = xMajor ? m_clip.bottom : m_clip.right;
      if (minorAt < minorClipLow || minorAt >= minorClipHigh) continue;
      const long long runLow = std::max<long long>(majorMin + reachLow, xMajor ? m_clip.left : m_clip.top);
      const long long runHigh = std::min<long long>(majorMax + reachHigh + 1, xMajor ? m_clip.right : m_clip.bottom);
      if (runLow >= runHigh) continue;
      if (xMajor) {
        Pixel* row = &m_target.At(static_cast<int>(runLow) + m_origin.x, static_cast<int>(minorAt) + m_origin.y);
        std::fill(row, row + (runHigh - runLow), color);
      } else {
        const std::ptrdiff_t start =
            (static_cast<std::ptrdiff_t>(runLow) + m_origin.y) * stride + static_cast<std::ptrdiff_t>(minorAt) + m_origin.x;
        for (long long k = 0; k < runHigh - runLow; ++k) pixels[start + static_cast<std::ptrdiff_t>(k) * stride] = color;
      }
    }
    Advance(stroke, phase, steps - last);
    return;
  }
  if (stroke.width <= 1 && stroke.pattern.empty() && stroke.rop2 == 13) {
    // A solid cosmetic line in copy mode (the trace of every graph, whose min/max pairs make long
    // steep strokes): only the steps inside the clip along the major axis are walked, and the pixel
    // is found by moving its index through the rows, not by working it out afresh each step.
    const long long majorLow = xMajor ? m_clip.left : m_clip.top;
    const long long majorHigh = xMajor ? m_clip.right : m_clip.bottom;  // exclusive
    const long long minorLow = xMajor ? m_clip.top : m_clip.left;
    const long long minorHigh = xMajor ? m_clip.bottom : m_clip.right;  // exclusive
    long long from = first;
    long long to = last;
    if (sign > 0) {
      from = std::max(from, first + (majorLow - majorStart));
      to = std::min(to, first + (majorHigh - majorStart));
    } else {
      from = std::max(from, first + (majorStart - (majorHigh - 1)));
      to = std::min(to, first + (majorStart - majorLow) + 1);
    }
    for (long long i = first; i < from; ++i) step();
    if (from < to) {
      const Pixel color = stroke.color & kColorBits;
      const auto stride = static_cast<std::ptrdiff_t>(m_target.Width());
      const std::ptrdiff_t majorStep = sign * (xMajor ? 1 : stride);
      const std::ptrdiff_t minorStep = xMajor ? stride : 1;
      long long minorAt = minorStart + quotient;
      const long long majorAt = majorStart + sign * (from - first);
      const long long x = (xMajor ? majorAt : minorAt) + m_origin.x;
      const long long y = (xMajor ? minorAt : majorAt) + m_origin.y;
      // The index may point outside the rows while the minor coordinate is outside the clip; it
      // is used only inside.
      std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x);
      Pixel* const pixels = m_target.Pixels().data();
      // (Short lines, of which a trend curve has thousands, are quicker stepped pixel by pixel.)
      const long long stepsPerMinor = to - from < 8 || twiceDelta == 0 ? 0 : den / (twiceDelta < 0 ? -twiceDelta : twiceDelta);
      if (stepsPerMinor >= 2 && to - from >= 8) {
        // Steep or flat enough that the pixels fall in runs along the major axis (the upright
        // strokes of a trace): each run is as long as the steps until the remainder wraps.
        const long long delta = twiceDelta < 0 ? -twiceDelta : twiceDelta;
        const std::ptrdiff_t minorMove = twiceDelta < 0 ? -minorStep : minorStep;
        for (long long i = from; i < to;) {
          const long long untilWrap = twiceDelta > 0 ? (den - remainder + delta - 1) / delta : remainder / delta + 1;
          const long long run = std::min(untilWrap, to - i);
          if (minorAt >= minorLow && minorAt < minorHigh) {
            if (majorStep == 1) {
              std::fill(pixels + at, pixels + at + run, color);
            } else if (majorStep == -1) {
              std::fill(pixels + at - (run - 1), pixels + at + 1, color);
            } else {
              for (std::ptrdiff_t k = 0, to = static_cast<std::ptrdiff_t>(run) * majorStep; k != to; k += majorStep) pixels[at + k] = color;
            }
          }
          at += majorStep * run;
          remainder += twiceDelta * run;
          i += run;
          if (run == untilWrap) {
            remainder += twiceDelta > 0 ? -den : den;
            minorAt += twiceDelta > 0 ? 1 : -1;
            at += minorMove;
          }
        }
        return;
      }
      for (long long i = from; i < to; ++i) {
        if (minorAt >= minorLow && minorAt < minorHigh) pixels[at] = color;
        at += majorStep;
        remainder += twiceDelta;
        if (remainder >= den) {
          remainder -= den;
          ++minorAt;
          at += minorStep;
        } else if (remainder < 0) {
          remainder += den;
          --minorAt;
          at -= minorStep;
        }
      }
    }
    return;
  }
  if (stroke.width <= 1) {
    // Cosmetic pens set single pixels: straight into the rows, inside the clip only.
    const Pixel color = stroke.color & kColorBits;
    const Pixel gapColor = stroke.gapColor & kColorBits;
    const bool solid = stroke.pattern.empty();
    long long majorAt = majorStart;
    for (long long i = first; i < last; ++i, majorAt += sign) {
      const long long minorAt = minorStart + quotient;
      const long long x = xMajor ? majorAt : minorAt;
      const long long y = xMajor ? minorAt : majorAt;
      const bool on = solid || NextIsOn(stroke, phase);
      if ((on || stroke.fillGaps) && x >= m_clip.left && x < m_clip.right && y >= m_clip.top && y < m_clip.bottom) {
        Pixel& p = m_target.At(static_cast<int>(x) + m_origin.x, static_cast<int>(y) + m_origin.y);
        const Pixel c = on ? color : gapColor;
        p = stroke.rop2 == 13 ? c : ApplyRop2(stroke.rop2, c, p);
      }
      step();
    }
    Advance(stroke, phase, steps - last);
    return;
  }
  long long majorAt = majorStart;
  for (long long i = first; i < last; ++i, majorAt += sign) {
    const long long minorAt = minorStart + quotient;
    const long long x = xMajor ? majorAt : minorAt;
    const long long y = xMajor ? minorAt : majorAt;
    step();
    const bool on = NextIsOn(stroke, phase);
    if (x < m_clip.left - margin || x >= m_clip.right + margin || y < m_clip.top - margin || y >= m_clip.bottom + margin) continue;
    if (on) {
      Stamp(static_cast<int>(x), static_cast<int>(y), stroke, stroke.color);
    } else if (stroke.fillGaps) {
      Stamp(static_cast<int>(x), static_cast<int>(y), stroke, stroke.gapColor);
    }
  }
  Advance(stroke, phase, steps - last);
}

void Painter::Blit(const win::RECT& dst, const Bitmap32& src, const win::RECT& srcRect, std::uint32_t rop, Pixel pattern)
{
  const int dstW = dst.right - dst.left;
  const int dstH = dst.bottom - dst.top;
  const int srcW = srcRect.right - srcRect.left;
  const int srcH = srcRect.bottom - srcRect.top;
  if (dstW == 0 || dstH == 0 || srcW == 0 || srcH == 0) return;
  // Work on normalised rectangles; opposite signs mirror.
  const bool mirrorX = (dstW < 0) != (srcW < 0);
  const bool mirrorY = (dstH < 0) != (srcH < 0);
  const win::RECT d{std::min(dst.left, dst.right), std::min(dst.top, dst.bottom), std::max(dst.left, dst.right), std::max(dst.top, dst.bottom)};
  const win::RECT s{std::min(srcRect.left, srcRect.right), std::min(srcRect.top, srcRect.bottom), std::max(srcRect.left, srcRect.right), std::max(srcRect.top, srcRect.bottom)};
  const long long dw = d.right - d.left, dh = d.bottom - d.top;
  const long long sw = s.right - s.left, sh = s.bottom - s.top;
  const win::RECT visible = Intersect(d, m_clip);
  if (visible.right <= visible.left || visible.bottom <= visible.top) return;

  // Source column for each visible destination column (nearest pixel: columns dropped or repeated).
  std::vector<int> columns(static_cast<std::size_t>(visible.right - visible.left));
  for (int x = visible.left; x < visible.right; ++x) {
    long long i = x - d.left;
    if (mirrorX) i = dw - 1 - i;
    columns[static_cast<std::size_t>(x - visible.left)] = s.left + static_cast<int>(static_cast<__int128>(i) * sw / dw);
  }
  const bool straightCopy = rop == 0x00CC0020 && !mirrorX && sw == dw;
  for (int y = visible.top; y < visible.bottom; ++y) {
    long long j = y - d.top;
    if (mirrorY) j = dh - 1 - j;
    const int sy = s.top + static_cast<int>(static_cast<__int128>(j) * sh / dh);
    Pixel* out = m_target.Row(y + m_origin.y).data() + m_origin.x;
    const bool rowInside = sy >= 0 && sy < src.Height();
    if (straightCopy && rowInside && columns.front() >= 0 && columns.back() < src.Width()) {
      std::memcpy(out + visible.left, src.Row(sy).data() + columns.front(), columns.size() * sizeof(Pixel));
      continue;
    }
    for (int x = visible.left; x < visible.right; ++x) {
      const int sx = columns[static_cast<std::size_t>(x - visible.left)];
      const Pixel sp = (rowInside && sx >= 0 && sx < src.Width()) ? src.At(sx, sy) : 0;
      out[x] = ApplyRop3(rop, sp, out[x], pattern);
    }
  }
}

void Painter::BlendMask(int x, int y, int width, int height, std::span<const std::uint8_t> coverage, Pixel color)
{
  if (width <= 0 || height <= 0 || coverage.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return;
  const win::RECT visible = Intersect({x, y, x + width, y + height}, m_clip);
  const unsigned cr = (color >> 16) & 0xFF, cg = (color >> 8) & 0xFF, cb = color & 0xFF;
  for (int py = visible.top; py < visible.bottom; ++py) {
    const auto* mask = coverage.data() + static_cast<std::size_t>(py - y) * static_cast<std::size_t>(width);
    Pixel* out = m_target.Row(py + m_origin.y).data() + m_origin.x;
    for (int px = visible.left; px < visible.right; ++px) {
      const unsigned a = mask[px - x];
      if (a == 0) continue;
      Pixel& p = out[px];
      if (a == 255) { p = color & kColorBits; continue; }
      const unsigned r = (cr * a + ((p >> 16) & 0xFF) * (255 - a) + 127) / 255;
      const unsigned g = (cg * a + ((p >> 8) & 0xFF) * (255 - a) + 127) / 255;
      const unsigned b = (cb * a + (p & 0xFF) * (255 - a) + 127) / 255;
      p = (r << 16) | (g << 8) | b;
    }
  }
}

}  // namespace vetra::gdi
