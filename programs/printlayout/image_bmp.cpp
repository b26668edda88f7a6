// BMP reading and writing of the image family.

#include <algorithm>
#include <cstring>
#include <span>

#include "common/image/bmp_codec.h"
#include "platform/gdi/dib_format.h"
#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/image_impl.h"

namespace tolvex {
namespace {

std::uint32_t U32(const std::uint8_t* p) { std::uint32_t v; std::memcpy(&v, p, 4); return v; }

}  // namespace

int CImageBMP::Read(const std::string& path)
{
  SetPath(path);
  const auto bytes = ReadFileBytes(m_path);
  if (!bytes || bytes->size() < 12) return 0;
  // With or without the 14-byte file header.
  std::size_t infoStart = 0;
  std::uint32_t pixelOffset = 0;
  if ((*bytes)[0] == 'B' && (*bytes)[1] == 'M') {
    if (bytes->size() < 14 + 12) return 0;
    infoStart = 14;
    pixelOffset = U32(bytes->data() + 10);
  }
  const std::uint8_t* info = bytes->data() + infoStart;
  const std::size_t available = bytes->size() - infoStart;
  const auto layout = vetra::gdi::ReadDibLayout(info, available, win::DIB_RGB_COLORS, {});
  if (!layout || layout->width <= 0 || layout->height <= 0 ||
      static_cast<std::int64_t>(layout->width) * layout->height > kMaxImagePixels)
    return 0;
  const std::size_t pixelStart = vetra::image::DibRowsOffset(*layout, infoStart, pixelOffset);
  const std::size_t imageBytes = vetra::gdi::DibImageBytes(*layout);
  if (pixelStart > bytes->size() || bytes->size() - pixelStart < imageBytes) return 0;
  const std::uint8_t* bits = bytes->data() + pixelStart;

  const bool indexed = layout->bitCount <= 8;
  if (!Create(layout->width, layout->height, indexed ? layout->bitCount : 24, indexed ? kColorIndexed : kColorTrue)) return 0;
  if (indexed) {
    std::vector<win::BYTE> r, g, b;
    // The palette holds the colours the header counts, not the whole table the depth allows.
    const std::size_t used = std::min(layout->tableEntries, layout->colors.size());
    for (const auto p : std::span(layout->colors).first(used)) {
      r.push_back(static_cast<win::BYTE>(p >> 16));
      g.push_back(static_cast<win::BYTE>(p >> 8));
      b.push_back(static_cast<win::BYTE>(p));
    }
    if (r.empty()) {  // no table: greys
      const int n = 1 << layout->bitCount;
      for (int i = 0; i < n; ++i) r.push_back(static_cast<win::BYTE>(i * 255 / (n - 1)));
      g = b = r;
    }
    SetPalette(static_cast<int>(r.size()), r.data(), g.data(), b.data());
    for (int y = 0; y < m_height; ++y) {
      const std::size_t sourceRow = layout->topDown ? static_cast<std::size_t>(y) : static_cast<std::size_t>(m_height - 1 - y);
      std::memcpy(RowFromTop(y), bits + sourceRow * layout->stride, std::min<std::size_t>(layout->stride, static_cast<std::size_t>(m_rowBytes)));
    }
  } else {
    std::vector<vetra::gdi::Pixel> row(static_cast<std::size_t>(m_width));
    for (int y = 0; y < m_height; ++y) {
      vetra::gdi::DecodeRow(*layout, bits, y, 0, m_width, row.data());
      win::BYTE* out = RowFromTop(y);
      for (const auto p : row) {
        *out++ = static_cast<win::BYTE>(p);
        *out++ = static_cast<win::BYTE>(p >> 8);
        *out++ = static_cast<win::BYTE>(p >> 16);
      }
    }
  }
  return 1;
}

int CImageBMP::Write(const std::string& path)
{
  if (!IsValid()) return 0;
  SetPath(path);
  const int tableEntries = m_bitsPerPixel <= 8 ? (1 << m_bitsPerPixel) : 0;
  WriteColorTable();
  const std::size_t tableBytes = static_cast<std::size_t>(tableEntries) * 4;
  const std::size_t imageBytes = static_cast<std::size_t>(m_rowBytes) * m_height;
  win::BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<win::DWORD>(14 + 40 + tableBytes + imageBytes);
  file.bfOffBits = static_cast<win::DWORD>(14 + 40 + tableBytes);
  std::vector<win::BYTE> header(m_dib.begin(), m_dib.begin() + 40);
  const std::uint32_t used = static_cast<std::uint32_t>(tableEntries);
  std::memcpy(header.data() + 32, &used, 4);
  PictureOutputFile out(m_path);
  if (!out.Get()) return 0;
  bool ok = out.Write(&file, 14) && out.Write(header.data(), 40) && out.Write(m_dib.data() + 40, tableBytes);
  // Pixels in blocks of at most 32 KiB.
  for (std::size_t done = 0; ok && done < imageBytes;) {
    const std::size_t block = std::min<std::size_t>(32768, imageBytes - done);
    ok = out.Write(Bits() + done, block);
    done += block;
  }
  return (ok && out.Commit()) ? 1 : 0;
}

}  // namespace tolvex
