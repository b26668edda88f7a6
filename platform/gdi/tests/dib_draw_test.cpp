#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/cdc.h"
#include "platform/gdi/tests/canvas.h"

namespace vetra::gdi {
namespace {

using testing::Canvas;

// A packed DIB (header, colour table, bits) of 2 by 2 pixels: top row A B, bottom row C D.
struct PackedDib {
  std::vector<std::uint8_t> bytes;
  std::size_t bitsOffset = 0;
  const win::BITMAPINFO* Info() const { return reinterpret_cast<const win::BITMAPINFO*>(bytes.data()); }
  const void* Bits() const { return bytes.data() + bitsOffset; }
};

constexpr Pixel kA = 0xFF0000, kB = 0x00FF00, kC = 0x0000FF, kD = 0xFFFFFF;

template <class T>
void Put(std::vector<std::uint8_t>& out, T value)
{
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  out.insert(out.end(), p, p + sizeof(T));
}

// Rows of the four pixels for each depth, top row first; indexed depths use table entries 0..3.
PackedDib Make(int bitCount, bool core, bool topDown, win::UINT usage = win::DIB_RGB_COLORS)
{
  PackedDib dib;
  auto& out = dib.bytes;
  const int entries = bitCount <= 8 ? (1 << bitCount) : 0;
  if (core) {
    Put<std::uint32_t>(out, 12);
    Put<std::uint16_t>(out, 2);
    Put<std::uint16_t>(out, 2);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(bitCount));
  } else {
    win::BITMAPINFOHEADER h;
    h.biSize = 40;
    h.biWidth = 2;
    h.biHeight = topDown ? -2 : 2;
    h.biPlanes = 1;
    h.biBitCount = static_cast<win::WORD>(bitCount);
    Put(out, h);
  }
  const Pixel colors[4] = {kA, kB, kC, kD};
  for (int i = 0; i < entries; ++i) {
    const Pixel c = colors[i % 4];
    if (usage == win::DIB_PAL_COLORS) {
      // Indexes into the default palette: red 13, green 14, blue 16, white 19.
      const std::uint16_t index[4] = {13, 14, 16, 19};
      Put<std::uint16_t>(out, index[i % 4]);
    } else {
      out.push_back(static_cast<std::uint8_t>(c & 0xFF));
      out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
      out.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
      if (!core) out.push_back(0);
    }
  }
  dib.bitsOffset = out.size();
  const int rows[2][2] = {{0, 1}, {2, 3}};  // indexes of A B / C D
  for (int r = 0; r < 2; ++r) {
    const int y = topDown ? r : 1 - r;
    std::vector<std::uint8_t> line(4 * ((2 * static_cast<std::size_t>(bitCount) + 31) / 32), 0);
    for (int x = 0; x < 2; ++x) {
      const int i = rows[y][x];
      const Pixel c = colors[i];
      switch (bitCount) {
        case 1: line[0] = static_cast<std::uint8_t>(line[0] | ((i & 1) << (7 - x))); break;
        case 4: line[0] = static_cast<std::uint8_t>(line[0] | (i << (x ? 0 : 4))); break;
        case 8: line[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(i); break;
        case 16: {
          const auto w = static_cast<std::uint16_t>((((c >> 19) & 0x1F) << 10) | (((c >> 11) & 0x1F) << 5) | ((c >> 3) & 0x1F));
          std::memcpy(&line[static_cast<std::size_t>(x) * 2], &w, 2);
          break;
        }
        case 24:
          line[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(c & 0xFF);
          line[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
          line[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
          break;
        default: std::memcpy(&line[static_cast<std::size_t>(x) * 4], &c, 4); break;
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return dib;
}

struct FormatCase {
  int bitCount;
  bool core;
  bool topDown;
  win::UINT usage;
  // Two-colour pictures show A B / A B (indexes 2 and 3 fall back to 0 and 1).
  bool twoColours;
};

TEST(DibDrawing, EveryDepthHeaderRowOrderAndColourUse)
{
  const FormatCase cases[] = {
      {1, false, false, win::DIB_RGB_COLORS, true}, {4, false, false, win::DIB_RGB_COLORS, false},
      {8, false, false, win::DIB_RGB_COLORS, false}, {16, false, false, win::DIB_RGB_COLORS, false},
      {24, false, false, win::DIB_RGB_COLORS, false}, {32, false, false, win::DIB_RGB_COLORS, false},
      {24, false, true, win::DIB_RGB_COLORS, false}, {8, false, true, win::DIB_RGB_COLORS, false},
      {8, true, false, win::DIB_RGB_COLORS, false}, {24, true, false, win::DIB_RGB_COLORS, false},
      {8, false, false, win::DIB_PAL_COLORS, false}, {4, true, false, win::DIB_PAL_COLORS, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.bitCount << " bits, core " << c.core << ", top-down " << c.topDown << ", usage " << c.usage);
    const PackedDib dib = Make(c.bitCount, c.core, c.topDown, c.usage);
    Canvas canvas(2, 2, 0x777777);
    EXPECT_EQ(canvas.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(), dib.Info(), c.usage, win::SRCCOPY), 2);
    EXPECT_EQ(canvas.At(0, 0), kA);
    EXPECT_EQ(canvas.At(1, 0), kB);
    EXPECT_EQ(canvas.At(0, 1), c.twoColours ? kA : kC);
    EXPECT_EQ(canvas.At(1, 1), c.twoColours ? kB : kD);
  }
}

TEST(DibDrawing, ClippedAndSourceOutsideThePicture)
{
  const PackedDib dib = Make(24, false, false);
  {
    Canvas canvas(2, 2, 0x777777);
    canvas.dc.StretchDIBits(-1, -1, 2, 2, 0, 0, 2, 2, dib.Bits(), dib.Info(), win::DIB_RGB_COLORS, win::SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), kD);
    EXPECT_EQ(canvas.Count(0x777777), 3);
  }
  for (const int scale : {1, 2}) {
    // Source (1, 1)-(3, 3) of a 2 by 2 picture: only D exists, the rest reads black.
    Canvas canvas(4, 4, 0x777777);
    canvas.dc.StretchDIBits(0, 0, 2 * scale, 2 * scale, 1, 1, 2, 2, dib.Bits(), dib.Info(), win::DIB_RGB_COLORS, win::SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), kD) << scale;
    EXPECT_EQ(canvas.At(2 * scale - 1, 0), 0u) << scale;
    EXPECT_EQ(canvas.At(0, 2 * scale - 1), 0u) << scale;
    EXPECT_EQ(canvas.Count(kD), scale * scale) << scale;
  }
}

TEST(DibDrawing, UnsupportedHeadersDrawNothing)
{
  PackedDib dib = Make(24, false, false);
  for (const std::uint32_t size : {0u, 20u, 39u}) {
    std::memcpy(dib.bytes.data(), &size, 4);
    Canvas canvas(2, 2, 0x777777);
    EXPECT_EQ(canvas.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, dib.Bits(), dib.Info(), win::DIB_RGB_COLORS, win::SRCCOPY), 0);
    EXPECT_EQ(canvas.Count(0x777777), 4);
  }
}

TEST(DibDrawing, SetDIBitsToDeviceCountsScanLinesFromTheBottom)
{
  const PackedDib dib = Make(24, false, false);
  {
    Canvas canvas(2, 2, 0x777777);
    EXPECT_EQ(canvas.dc.SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 2, dib.Bits(), dib.Info(), win::DIB_RGB_COLORS), 2);
    EXPECT_EQ(canvas.At(0, 0), kA);
    EXPECT_EQ(canvas.At(1, 1), kD);
  }
  {
    // Only scan line 0 (the bottom row C D) is in the buffer: it lands on the lower row.
    Canvas canvas(2, 2, 0x777777);
    EXPECT_EQ(canvas.dc.SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 1, dib.Bits(), dib.Info(), win::DIB_RGB_COLORS), 1);
    EXPECT_EQ(canvas.At(0, 0), 0x777777u);
    EXPECT_EQ(canvas.At(0, 1), kC);
  }
}

TEST(DibDrawing, GetDIBitsReadsBackEachDepth)
{
  Canvas canvas(2, 2);
  canvas.pixels->At(0, 0) = kA;
  canvas.pixels->At(1, 0) = kB;
  canvas.pixels->At(0, 1) = kC;
  canvas.pixels->At(1, 1) = kD;
  canvas.dc.SelectObject(canvas.old);  // not selected while read, as the capture does
  for (const int bitCount : {32, 24, 8}) {
    SCOPED_TRACE(bitCount);
    std::vector<std::uint8_t> info(40 + 256 * 4);
    auto* header = reinterpret_cast<win::BITMAPINFO*>(info.data());
    header->bmiHeader.biSize = 40;
    header->bmiHeader.biWidth = 2;
    header->bmiHeader.biHeight = 2;
    header->bmiHeader.biPlanes = 1;
    header->bmiHeader.biBitCount = static_cast<win::WORD>(bitCount);
    EXPECT_EQ(win::GetDIBits(&canvas.dc, canvas.bitmap, 0, 2, nullptr, header, win::DIB_RGB_COLORS), 1);
    const std::size_t stride = (2 * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
    EXPECT_EQ(header->bmiHeader.biSizeImage, stride * 2);
    std::vector<std::uint8_t> bits(header->bmiHeader.biSizeImage);
    EXPECT_EQ(win::GetDIBits(&canvas.dc, canvas.bitmap, 0, 2, bits.data(), header, win::DIB_RGB_COLORS), 2);
    // Drawn back, the picture is the same (these four colours survive 8 bits).
    Canvas copy(2, 2);
    copy.dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bits.data(), header, win::DIB_RGB_COLORS, win::SRCCOPY);
    EXPECT_EQ(*copy.pixels, *canvas.pixels);
  }
  canvas.dc.SelectObject(&canvas.bitmap);
}

TEST(DibDrawing, GetDIBitsDescribesTheBitmapWhenAskedForNoDepth)
{
  win::CDC dc;
  dc.CreateCompatibleDC(nullptr);
  win::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, 1017, 708);
  win::BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  EXPECT_EQ(win::GetDIBits(&dc, bitmap, 0, 0, nullptr, &info, win::DIB_RGB_COLORS), 1);
  EXPECT_EQ(info.bmiHeader.biWidth, 1017);
  EXPECT_EQ(info.bmiHeader.biHeight, 708);
  EXPECT_EQ(info.bmiHeader.biBitCount, 32);
  EXPECT_EQ(info.bmiHeader.biSizeImage, 1017u * 708u * 4u);
  win::BITMAP described;
  EXPECT_EQ(bitmap.GetBitmap(&described), static_cast<int>(sizeof(win::BITMAP)));
  EXPECT_EQ(described.bmBitsPixel, 32);
  EXPECT_EQ(described.bmWidthBytes, 1017 * 4);
}

}  // namespace
}  // namespace vetra::gdi
