#include "platform/gdi/dib_format.h"

#include <cstring>

namespace vetra::gdi {

namespace {

template <class T>
T ReadAt(const std::uint8_t* bytes, std::size_t offset)
{
  T value;
  std::memcpy(&value, bytes + offset, sizeof(T));
  return value;
}

bool ValidDepth(int bits)
{
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Bits per channel and position of a contiguous mask, for scaling a channel to 8 bits.
Pixel Channel(std::uint32_t value, std::uint32_t mask)
{
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const std::uint32_t field = (value & mask) >> shift;
  const std::uint32_t max = mask >> shift;
  return static_cast<Pixel>((field * 255 + max / 2) / max);
}

}  // namespace

std::optional<DibLayout> ReadDibLayout(const void* info, std::size_t available, win::UINT usage,
                                       const std::vector<win::PALETTEENTRY>& palette)
{
  const auto* bytes = static_cast<const std::uint8_t*>(info);
  if (!bytes || available < 12) return std::nullopt;
  DibLayout layout;
  layout.headerBytes = ReadAt<std::uint32_t>(bytes, 0);
  std::size_t entrySize = 4;
  std::size_t declaredEntries = 0;
  if (layout.headerBytes == 12) {
    layout.width = ReadAt<std::uint16_t>(bytes, 4);
    layout.height = ReadAt<std::uint16_t>(bytes, 6);
    layout.bitCount = ReadAt<std::uint16_t>(bytes, 10);
    entrySize = 3;
  } else if (layout.headerBytes >= 40) {
    if (available < 40) return std::nullopt;
    layout.width = ReadAt<std::int32_t>(bytes, 4);
    const std::int32_t height = ReadAt<std::int32_t>(bytes, 8);
    if (height == INT32_MIN) return std::nullopt;
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bitCount = ReadAt<std::uint16_t>(bytes, 14);
    layout.compression = ReadAt<std::uint32_t>(bytes, 16);
    declaredEntries = ReadAt<std::uint32_t>(bytes, 32);
  } else {
    return std::nullopt;
  }
  if (layout.width <= 0 || layout.height <= 0 || !ValidDepth(layout.bitCount)) return std::nullopt;
  if (layout.headerBytes > available) return std::nullopt;

  std::size_t tableStart = layout.headerBytes;
  if (layout.compression == win::BI_BITFIELDS) {
    if (layout.bitCount != 16 && layout.bitCount != 32) return std::nullopt;
    // Masks follow a 40-byte header; larger headers hold them at the same place.
    if (available < 52) return std::nullopt;
    for (int i = 0; i < 3; ++i) layout.masks[i] = ReadAt<std::uint32_t>(bytes, 40 + 4 * static_cast<std::size_t>(i));
    if (layout.headerBytes == 40) tableStart += 12;
  } else if (layout.compression != win::BI_RGB) {
    return std::nullopt;
  } else if (layout.bitCount == 32) {
    layout.masks[0] = 0xFF0000;
    layout.masks[1] = 0x00FF00;
    layout.masks[2] = 0x0000FF;
  }

  const std::size_t maxEntries = layout.bitCount <= 8 ? (std::size_t{1} << layout.bitCount) : 0;
  layout.tableEntries = declaredEntries != 0 ? declaredEntries : maxEntries;
  if (layout.tableEntries > 256 && layout.bitCount <= 8) layout.tableEntries = maxEntries;
  const std::size_t tableEntrySize = usage == win::DIB_PAL_COLORS ? 2 : entrySize;
  layout.tableBytes = layout.tableEntries * tableEntrySize;

  if (maxEntries > 0) {
    const std::size_t used = std::min(layout.tableEntries, maxEntries);
    if (used > (available - tableStart) / tableEntrySize) return std::nullopt;
    layout.colors.assign(maxEntries, 0);
    for (std::size_t i = 0; i < used; ++i) {
      const std::uint8_t* entry = bytes + tableStart + i * tableEntrySize;
      if (usage == win::DIB_PAL_COLORS) {
        const std::uint16_t index = ReadAt<std::uint16_t>(entry, 0);
        if (index < palette.size()) {
          const auto& e = palette[index];
          layout.colors[i] = MakePixel(e.peRed, e.peGreen, e.peBlue);
        }
      } else {
        layout.colors[i] = MakePixel(entry[2], entry[1], entry[0]);
      }
    }
  }
  const std::size_t rowBits = static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.bitCount);
  layout.stride = ((rowBits + 31) / 32) * 4;
  return layout;
}

std::size_t DibImageBytes(const DibLayout& layout)
{
  return layout.stride * static_cast<std::size_t>(layout.height);
}

Pixel DibPixel(const DibLayout& layout, const std::uint8_t* bits, int x, int y)
{
  const int row = layout.topDown ? y : layout.height - 1 - y;
  const std::uint8_t* line = bits + static_cast<std::size_t>(row) * layout.stride;
  const auto ux = static_cast<std::size_t>(x);
  switch (layout.bitCount) {
    case 1: return layout.colors[(line[ux / 8] >> (7 - ux % 8)) & 1];
    case 4: return layout.colors[(line[ux / 2] >> ((ux % 2) ? 0 : 4)) & 0x0F];
    case 8: return layout.colors[line[ux]];
    case 16: {
      const std::uint32_t v = ReadAt<std::uint16_t>(line, ux * 2);
      return (Channel(v, layout.masks[0]) << 16) | (Channel(v, layout.masks[1]) << 8) | Channel(v, layout.masks[2]);
    }
    case 24: return MakePixel(line[ux * 3 + 2], line[ux * 3 + 1], line[ux * 3]);
    case 32: {
      const std::uint32_t v = ReadAt<std::uint32_t>(line, ux * 4);
      if (layout.masks[0] == 0xFF0000 && layout.masks[1] == 0xFF00 && layout.masks[2] == 0xFF) return v & 0xFFFFFF;
      return (Channel(v, layout.masks[0]) << 16) | (Channel(v, layout.masks[1]) << 8) | Channel(v, layout.masks[2]);
    }
    default: return 0;
  }
}

void DecodeRow(const DibLayout& layout, const std::uint8_t* bits, int y, int x0, int x1, Pixel* out)
{
  const int row = layout.topDown ? y : layout.height - 1 - y;
  const std::uint8_t* line = bits + static_cast<std::size_t>(row) * layout.stride;
  switch (layout.bitCount) {
    case 8:
      for (int x = x0; x < x1; ++x) *out++ = layout.colors[line[x]];
      return;
    case 24:
      for (int x = x0; x < x1; ++x) {
        const std::uint8_t* p = line + static_cast<std::size_t>(x) * 3;
        *out++ = (Pixel{p[2]} << 16) | (Pixel{p[1]} << 8) | p[0];
      }
      return;
    case 32:
      if (layout.masks[0] == 0xFF0000 && layout.masks[1] == 0xFF00 && layout.masks[2] == 0xFF) {
        for (int x = x0; x < x1; ++x) *out++ = ReadAt<std::uint32_t>(line, static_cast<std::size_t>(x) * 4) & 0xFFFFFF;
        return;
      }
      break;
    default: break;
  }
  for (int x = x0; x < x1; ++x) *out++ = DibPixel(layout, bits, x, y);
}

}  // namespace vetra::gdi
