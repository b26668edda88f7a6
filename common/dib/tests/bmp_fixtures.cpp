#include "common/dib/tests/bmp_fixtures.h"

#include <cstring>

namespace vetra::testing {

namespace {

template <class T>
void Put(std::string& out, T value)
{
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

std::size_t TableEntries(const BmpShape& shape)
{
  if (!shape.table.empty()) return shape.table.size();
  if (shape.usedColors != 0) return shape.usedColors;
  return shape.bitCount <= 8 ? (std::size_t{1} << shape.bitCount) : 0;
}

}  // namespace

std::size_t BitsOffset(const BmpShape& shape)
{
  return 14 + (shape.coreHeader ? 12 : 40) + TableEntries(shape) * (shape.coreHeader ? 3 : 4);
}

std::string MakeBmp(const BmpShape& shape)
{
  const std::size_t stride = ((static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.bitCount) + 31) / 32) * 4;
  const std::size_t bitsOffset = BitsOffset(shape);
  const std::size_t fileSize = bitsOffset + stride * static_cast<std::size_t>(shape.height);
  std::string out;
  Put<std::uint16_t>(out, 0x4D42);
  Put<std::uint32_t>(out, static_cast<std::uint32_t>(fileSize));
  Put<std::uint32_t>(out, 0);
  Put<std::uint32_t>(out, static_cast<std::uint32_t>(bitsOffset));
  if (shape.coreHeader) {
    Put<std::uint32_t>(out, 12);
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(shape.width));
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(shape.height));
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(shape.bitCount));
  } else {
    Put<std::uint32_t>(out, 40);
    Put<std::int32_t>(out, shape.width);
    Put<std::int32_t>(out, shape.topDown ? -shape.height : shape.height);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(shape.bitCount));
    Put<std::uint32_t>(out, 0);  // BI_RGB
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(shape.height)));
    Put<std::int32_t>(out, 2835);
    Put<std::int32_t>(out, 2835);
    Put<std::uint32_t>(out, shape.usedColors);
    Put<std::uint32_t>(out, 0);
  }
  for (std::size_t i = 0; i < TableEntries(shape); ++i) {
    const std::uint32_t c = i < shape.table.size() ? shape.table[i] : static_cast<std::uint32_t>(i * 0x010101);
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>((c >> 8) & 0xFF));
    out.push_back(static_cast<char>((c >> 16) & 0xFF));
    if (!shape.coreHeader) out.push_back(0);
  }
  for (int row = 0; row < shape.height; ++row) {
    const int y = shape.topDown ? row : shape.height - 1 - row;
    std::string line(stride, '\0');
    for (int x = 0; x < shape.width; ++x) {
      const std::uint32_t v = shape.pixel(x, y);
      const auto ux = static_cast<std::size_t>(x);
      switch (shape.bitCount) {
        case 1: line[ux / 8] = static_cast<char>(line[ux / 8] | ((v & 1) << (7 - ux % 8))); break;
        case 4: line[ux / 2] = static_cast<char>(line[ux / 2] | ((v & 0xF) << ((ux % 2) ? 0 : 4))); break;
        case 8: line[ux] = static_cast<char>(v); break;
        case 16: {
          const auto w = static_cast<std::uint16_t>((((v >> 19) & 0x1F) << 10) | (((v >> 11) & 0x1F) << 5) | ((v >> 3) & 0x1F));
          std::memcpy(&line[ux * 2], &w, 2);
          break;
        }
        case 24:
          line[ux * 3] = static_cast<char>(v & 0xFF);
          line[ux * 3 + 1] = static_cast<char>((v >> 8) & 0xFF);
          line[ux * 3 + 2] = static_cast<char>((v >> 16) & 0xFF);
          break;
        default: std::memcpy(&line[ux * 4], &v, 4); break;
      }
    }
    out += line;
  }
  return out;
}

}  // namespace vetra::testing
