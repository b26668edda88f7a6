#pragma once
// A 32-bit picture in memory: rows top-down, each pixel 0x00RRGGBB (blue, green, red, unused bytes
// in memory, the byte order of a 32-bit DIB). Every surface of the raster is one of these: the
// virtual screen, window back buffers, memory bitmaps.

#include <cstdint>
#include <span>
#include <vector>

namespace vetra::gdi {

using Pixel = std::uint32_t;

constexpr Pixel PixelFromColorref(std::uint32_t colorref)
{
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
constexpr std::uint32_t ColorrefFromPixel(Pixel p)
{
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
constexpr Pixel MakePixel(int r, int g, int b)
{
  return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) | static_cast<Pixel>(b & 0xFF);
}

class Bitmap32 {
public:
  Bitmap32() = default;
  // Sizes below 0 count as 0. Pixels start as `fill`.
  Bitmap32(int width, int height, Pixel fill = 0);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Empty() const { return m_width == 0 || m_height == 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

  // Unchecked access; callers clip first.
  Pixel At(int x, int y) const { return m_pixels[Index(x, y)]; }
  Pixel& At(int x, int y) { return m_pixels[Index(x, y)]; }
  // Checked access: 0 outside, writes outside are dropped.
  Pixel Get(int x, int y) const { return Contains(x, y) ? At(x, y) : 0; }
  void Set(int x, int y, Pixel p) { if (Contains(x, y)) At(x, y) = p; }

  std::span<Pixel> Row(int y) { return {m_pixels.data() + Index(0, y), static_cast<std::size_t>(m_width)}; }
  std::span<const Pixel> Row(int y) const { return {m_pixels.data() + Index(0, y), static_cast<std::size_t>(m_width)}; }
  std::span<Pixel> Pixels() { return m_pixels; }
  std::span<const Pixel> Pixels() const { return m_pixels; }

  void Fill(Pixel p);
  // New size; the contents are lost (all `fill`).
  void Reset(int width, int height, Pixel fill = 0);

  friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x); }

  int m_width = 0;
  int m_height = 0;
  std::vector<Pixel> m_pixels;
};

}  // namespace vetra::gdi
