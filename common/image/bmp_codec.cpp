#include "common/image/bmp_codec.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace vetra::image {
namespace {

std::uint32_t U32(const std::uint8_t* p)
{
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool SensibleSize(int width, int height)
{
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxPixels;
}

std::size_t DibRowsOffset(const gdi::DibLayout& layout, std::size_t infoStart, std::uint32_t declaredOffset)
{
  std::size_t start = infoStart + layout.headerBytes + layout.tableBytes;
  if (layout.compression == win::BI_BITFIELDS && layout.headerBytes == 40) start += 12;
  return declaredOffset >= start ? declaredOffset : start;
}

int DecodeBmp(const std::uint8_t* data, std::size_t size, RgbPicture& picture)
{
  picture = {};
  if (size == 0) return kFileRead;
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return kBadBmp;
  const std::uint8_t* info = data + 14;
  const std::size_t infoBytes = size - 14;
  if (U32(info) >= 40 && infoBytes >= 40) {
    const std::uint32_t compression = U32(info + 16);
    if (compression == win::BI_RLE8 || compression == win::BI_RLE4) return kRleBmp;
  }
  const auto layout = gdi::ReadDibLayout(info, infoBytes, win::DIB_RGB_COLORS, {});
  if (!layout || !SensibleSize(layout->width, layout->height)) return kBadBmp;
  const std::size_t rows = DibRowsOffset(*layout, 14, U32(data + 10));
  if (rows > size || size - rows < gdi::DibImageBytes(*layout)) return kFileRead;

  RgbPicture out;
  out.width = layout->width;
  out.height = layout->height;
  try {
    out.rgb.resize(RgbBytes(out.width, out.height));
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  std::vector<gdi::Pixel> row(static_cast<std::size_t>(out.width));
  std::uint8_t* target = out.rgb.data();
  for (int y = 0; y < out.height; ++y) {
    gdi::DecodeRow(*layout, data + rows, y, 0, out.width, row.data());
    for (const auto p : row) {
      *target++ = static_cast<std::uint8_t>(p >> 16);
      *target++ = static_cast<std::uint8_t>(p >> 8);
      *target++ = static_cast<std::uint8_t>(p);
    }
  }
  picture = std::move(out);
  return kNoError;
}

int WriteBmp24(ReplacingFile& file, const RgbPicture& picture, int width, int height)
{
  if (!SensibleSize(width, height)) return kBadParam;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> header;
  header.push_back('B');
  header.push_back('M');
  Put32(header, static_cast<std::uint32_t>(54 + imageBytes));
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, win::BI_RGB);
  Put32(header, static_cast<std::uint32_t>(imageBytes));
  Put32(header, 3780);  // 96 dots per inch
  Put32(header, 3780);
  Put32(header, 0);
  Put32(header, 0);
  bool ok = file.Write(header.data(), header.size());
  const bool whole = picture.rgb.size() >= RgbBytes(picture.width, picture.height) && RgbBytes(picture.width, picture.height) > 0;
  const int copy = whole ? std::min(width, picture.width) : 0;
  std::vector<std::uint8_t> row(stride, 0);
  for (int y = height - 1; ok && y >= 0; --y) {
    std::fill(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(width) * 3, std::uint8_t{0xFF});
    if (whole && y < picture.height) {
      const std::uint8_t* in = picture.rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) * 3;
      for (int x = 0; x < copy; ++x) {
        row[static_cast<std::size_t>(x) * 3 + 0] = in[x * 3 + 2];
        row[static_cast<std::size_t>(x) * 3 + 1] = in[x * 3 + 1];
        row[static_cast<std::size_t>(x) * 3 + 2] = in[x * 3 + 0];
      }
    }
    ok = file.Write(row.data(), row.size());
  }
  return ok ? kNoError : kFileWrite;
}

}  // namespace vetra::image
