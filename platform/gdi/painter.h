#pragma once
// The painter: every raster primitive on a Bitmap32, in device pixels, with a translation (device
// origin inside the bitmap) and a clip rectangle. It knows nothing of mapping modes, selected
// objects or logs; win::CDC turns GDI calls into painter calls.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/bitmap32.h"

namespace vetra::gdi {

// Pixel-level effect of a pen or brush (binary raster operations, R2_* codes).
Pixel ApplyRop2(int rop2, Pixel pen, Pixel dst);
// Pixel-level effect of a blit (ternary codes without a pattern: SRCCOPY, SRCAND, SRCPAINT, ...).
Pixel ApplyRop3(std::uint32_t rop, Pixel src, Pixel dst, Pixel pattern = 0);

// How a line is stroked. `pattern` holds on/off run lengths in pixels, starting with "on";
// empty means solid. Gaps are filled with `gapColor` when `fillGaps` is set (opaque background).
struct Stroke {
  Pixel color = 0;
  int width = 1;
  int rop2 = 13;  // R2_COPYPEN
  std::span<const int> pattern;
  bool fillGaps = false;
  Pixel gapColor = 0xFFFFFF;
};

// Where a patterned line stands in its pattern; consecutive segments of one polyline share it.
struct StrokePhase {
  std::size_t run = 0;
  int left = -1;  // pixels left in the current run; -1 = not started
};

class Painter {
public:
  // Device (0, 0) is bitmap pixel `origin`; drawing is limited to `clip` (device coordinates) and
  // to the bitmap.
  Painter(Bitmap32& target, win::POINT origin, const win::RECT& clip);
  explicit Painter(Bitmap32& target);

  const win::RECT& Clip() const { return m_clip; }
  bool Visible(int x, int y) const;

  void FillRect(const win::RECT& rect, Pixel color, int rop2 = 13);
  void Plot(int x, int y, Pixel color, int rop2 = 13);
  // Colour at a device point; false outside the clip.
  bool Read(int x, int y, Pixel& out) const;

  // A line from a to b; b itself is left out. Wide pens draw round-ended strokes around the
  // same points.
  void Line(win::POINT a, win::POINT b, const Stroke& stroke, StrokePhase& phase);

  // Copies src rectangle (src pixels) onto dst rectangle (device pixels) with a ternary raster
  // operation; sizes that differ scale by nearest pixel (rows and columns dropped or repeated).
  // Opposite signs of the two sizes mirror. Source pixels outside `src` read as black; `pattern`
  // is the brush colour for codes that use one.
  void Blit(const win::RECT& dst, const Bitmap32& src, const win::RECT& srcRect, std::uint32_t rop, Pixel pattern = 0);

  // Blends a coverage mask (0..255 per pixel, rows of `width`) at device x, y in `color`.
  void BlendMask(int x, int y, int width, int height, std::span<const std::uint8_t> coverage, Pixel color);

private:
  void Stamp(int x, int y, const Stroke& stroke, Pixel color);

  Bitmap32& m_target;
  win::POINT m_origin;
  win::RECT m_clip;  // device coordinates, already inside the bitmap
};

}  // namespace vetra::gdi
