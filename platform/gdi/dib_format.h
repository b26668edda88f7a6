#pragma once
// Reading device-independent bitmaps: the header (40-byte or larger info header, or 12-byte core
// header), the colour table resolved to pixels, and row access for 1/4/8/16/24/32 bits per pixel
// in either row order.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/bitmap32.h"
#include "platform/gdi/gdi_types.h"

namespace vetra::gdi {

struct DibLayout {
  int width = 0;
  int height = 0;       // rows, always positive
  bool topDown = false;  // negative height in an info header
  int bitCount = 0;
  win::DWORD compression = win::BI_RGB;
  std::size_t headerBytes = 0;  // header size field
  std::size_t tableEntries = 0; // colour table entries that follow the header
  std::size_t tableBytes = 0;
  std::size_t stride = 0;       // bytes per row, padded to 4
  std::vector<Pixel> colors;    // resolved colour table (indexed formats)
  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16-bit red, green, blue masks
};

// Parses the header and colour table at `info`. `available` bounds the bytes that may be read
// there (SIZE_MAX when the caller vouches for them). DIB_PAL_COLORS resolves table indexes through
// `palette` (the DC's selected palette). Null for a header this raster cannot draw.
std::optional<DibLayout> ReadDibLayout(const void* info, std::size_t available, win::UINT usage,
                                       const std::vector<win::PALETTEENTRY>& palette);

// Bytes the bits of a DIB occupy.
std::size_t DibImageBytes(const DibLayout& layout);

// Pixel (x, y) of the picture, y = 0 being the top row; x and y must be inside.
Pixel DibPixel(const DibLayout& layout, const std::uint8_t* bits, int x, int y);

// Pixels x0 .. x1 - 1 of row y (0 = top) into out[0 .. x1 - x0); the range must be inside.
void DecodeRow(const DibLayout& layout, const std::uint8_t* bits, int y, int x0, int x1, Pixel* out);

}  // namespace vetra::gdi
