#pragma once
// A picture being drawn: a 32-bit bitmap selected into a memory device context. Shapes are drawn
// straight into the pixels with smooth (anti-aliased) edges; text goes through the device
// context, so labels use the system's own fonts and its code page 949 texts.

#include <map>
#include <memory>
#include <span>
#include <string_view>
#include <tuple>

#include "platform/gdi/bitmap32.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_wrappers.h"

namespace vetra::skins {

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b

struct RectF {
  double left, top, right, bottom;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  RectF Inset(double d) const { return {left + d, top + d, right - d, bottom - d}; }
  RectF Offset(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

struct PointF {
  double x, y;
};

enum class Align { Left, Center, Right };

struct TextStyle {
  int height = 13;         // cell height in pixels
  int weight = 700;
  Rgb color{};
  Align align = Align::Center;
  bool fixedPitch = false; // "굴림체" in place of "굴림"
};

// Fonts made once per look and kept while pictures are drawn (making a font looks its face up).
class FontCache {
public:
  win::CFont& For(const TextStyle& style);

private:
  std::map<std::tuple<int, int, bool>, std::unique_ptr<win::CFont>> m_fonts;
};

class Canvas {
public:
  Canvas(int width, int height, Rgb fill, FontCache& fonts);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  int Width() const { return m_pixels->Width(); }
  int Height() const { return m_pixels->Height(); }
  const gdi::Bitmap32& Pixels() const { return *m_pixels; }
  Rgb At(int x, int y) const;

  void Fill(const RectF& r, Rgb color);
  // Rounded rectangle; a gradient runs from `top` at the top edge to `bottom` at the bottom edge.
  void FillRound(const RectF& r, double radius, Rgb top, Rgb bottom);
  void FillRound(const RectF& r, double radius, Rgb color) { FillRound(r, radius, color, color); }
  // Outline of `width` pixels inside the rectangle's edge.
  void StrokeRound(const RectF& r, double radius, double width, Rgb color);
  void FillPolygon(std::span<const PointF> points, Rgb color);
  void FillEllipse(const RectF& r, Rgb color);
  void Line(PointF a, PointF b, double width, Rgb color);

  // One line of UTF-8 text placed in `r` (vertically centred); lines split at '\n' are stacked.
  void Text(const RectF& r, std::string_view utf8, const TextStyle& style);

private:
  // Coverage-weighted paint of every pixel of `bounds` for which `inside(x, y)` holds, sampled on a
  // 4 x 4 grid per pixel; `classify(x, y)` gives a pixel's coverage at once where it can (0 to 1),
  // or -1 to have it sampled.
  template <class Inside, class ColorAt, class Classify>
  void Cover(const RectF& bounds, Inside inside, ColorAt colorAt, Classify classify);

  FontCache& m_fonts;
  win::CDC m_dc;
  win::CBitmap m_bitmap;
  std::shared_ptr<gdi::Bitmap32> m_pixels;
};

}  // namespace vetra::skins
