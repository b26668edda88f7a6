#pragma once
// BMP files built in memory for tests: any depth, info or core header, either row order.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vetra::testing {

struct BmpShape {
  int width = 2;
  int height = 2;
  int bitCount = 24;
  bool coreHeader = false;
  bool topDown = false;
  std::uint32_t usedColors = 0;  // info header's used-colours field
  // Colour table entries as 0xRRGGBB (written as quads or triples); default: as many as needed.
  std::vector<std::uint32_t> table = {};
  // Pixel value at x, y (y = 0 top): a table index for indexed depths, else 0xRRGGBB.
  std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

// The whole file: 14-byte file header, header, colour table, rows padded to 4 bytes.
std::string MakeBmp(const BmpShape& shape);

// Offset of the pixel rows in a file made by MakeBmp.
std::size_t BitsOffset(const BmpShape& shape);

}  // namespace vetra::testing
