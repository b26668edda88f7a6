#include "tools/skins/cursor_file.h"

#include <cstdint>

#include "tools/skins/catalogue.h"

namespace vetra::skins {
namespace {

constexpr int kSize = kHandCursorSize;

// The pointing hand, row by row from the top; rows are padded with '.' to the full size. The
// index finger's tip is at (6, 0), the hot spot.
constexpr std::string_view kHand[] = {
    "......##",
    ".....#oo#",
    ".....#oo#",
    ".....#oo#",
    ".....#oo#",
    ".....#oo###",
    ".....#oo#oo###",
    ".....#oo#oo#oo#",
    ".....#oo#oo#oo###",
    ".....#oo#oo#oo#oo#",
    "..##.#oo#oo#oo#oo#",
    ".#oo##oo#oo#oo#oo#",
    ".#ooo#oo#oo#oo#oo#",
    "..#oooooooooooooo#",
    "...#ooooooooooooo#",
    "...#ooooooooooooo#",
    "....#oooooooooooo#",
    "....#oooooooooooo#",
    ".....#ooooooooooo#",
    ".....#ooooooooooo#",
    "......#oooooooooo#",
    "......#oooooooooo#",
    "......############",
    "......#oooooooooo#",
    "......#oooooooooo#",
    "......############",
};

std::vector<std::string> BuildShape()
{
  std::vector<std::string> rows(kSize, std::string(kSize, '.'));
  for (std::size_t y = 0; y < std::size(kHand); ++y) rows[y].replace(0, kHand[y].size(), kHand[y]);
  return rows;
}

void Put16(std::string& out, std::uint32_t v)
{
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v)
{
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
std::uint32_t Get16(std::string_view in, std::size_t at)
{
  return static_cast<std::uint8_t>(in[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(in[at + 1])) << 8;
}
std::uint32_t Get32(std::string_view in, std::size_t at) { return Get16(in, at) | Get16(in, at + 2) << 16; }

constexpr std::uint32_t kRowBytes = kSize / 8;  // 1 bit per pixel, already a multiple of 4
constexpr std::uint32_t kDibSize = 40 + 8 + 2 * kRowBytes * kSize;

}  // namespace

const std::vector<std::string>& HandCursorShape()
{
  static const std::vector<std::string> shape = BuildShape();
  return shape;
}

std::string EncodeHandCursor()
{
  const auto& shape = HandCursorShape();
  std::string out;
  // Directory: reserved, type 2 (cursor), one image.
  Put16(out, 0);
  Put16(out, 2);
  Put16(out, 1);
  // Entry: size, colour count, reserved, hot spot, data size and offset.
  out += static_cast<char>(kSize);
  out += static_cast<char>(kSize);
  out += '\2';
  out += '\0';
  Put16(out, kHandHotSpotX);
  Put16(out, kHandHotSpotY);
  Put32(out, kDibSize);
  Put32(out, 6 + 16);
  // The DIB: info header with twice the height (XOR mask above the AND mask), two colours.
  Put32(out, 40);
  Put32(out, kSize);
  Put32(out, 2 * kSize);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, 0);
  Put32(out, 2 * kRowBytes * kSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 2);
  Put32(out, 0);
  Put32(out, 0x00000000);  // colour 0 black
  Put32(out, 0x00FFFFFF);  // colour 1 white
  // Rows bottom-up. XOR: 1 where white; AND: 1 where the screen shows through.
  for (bool andMask : {false, true}) {
    for (int y = kSize - 1; y >= 0; --y) {
      for (std::uint32_t byte = 0; byte < kRowBytes; ++byte) {
        unsigned bits = 0;
        for (int bit = 0; bit < 8; ++bit) {
          const char c = shape[y][byte * 8 + bit];
          const bool set = andMask ? c == '.' : c == 'o';
          if (set) bits |= 0x80u >> bit;
        }
        out += static_cast<char>(bits);
      }
    }
  }
  return out;
}

std::optional<CursorImage> DecodeCursor(std::string_view bytes)
{
  if (bytes.size() < 22 || Get16(bytes, 0) != 0 || Get16(bytes, 2) != 2 || Get16(bytes, 4) < 1) return std::nullopt;
  const int width = static_cast<std::uint8_t>(bytes[6]) == 0 ? 256 : static_cast<std::uint8_t>(bytes[6]);
  const std::uint32_t offset = Get32(bytes, 18);
  if (offset + 48 > bytes.size() || Get32(bytes, offset) != 40 || Get16(bytes, offset + 14) != 1) return std::nullopt;
  const auto height = static_cast<int>(Get32(bytes, offset + 8)) / 2;
  if (static_cast<int>(Get32(bytes, offset + 4)) != width || height <= 0) return std::nullopt;
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const std::size_t xorStart = offset + 40 + 8;
  const std::size_t andStart = xorStart + rowBytes * static_cast<std::size_t>(height);
  if (andStart + rowBytes * static_cast<std::size_t>(height) > bytes.size()) return std::nullopt;
  CursorImage image;
  image.hotX = static_cast<int>(Get16(bytes, 10));
  image.hotY = static_cast<int>(Get16(bytes, 12));
  image.rows.assign(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  auto bitAt = [&](std::size_t start, int x, int y) {
    const std::size_t row = start + rowBytes * static_cast<std::size_t>(height - 1 - y);
    return (static_cast<std::uint8_t>(bytes[row + static_cast<std::size_t>(x) / 8]) & (0x80u >> (x % 8))) != 0;
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.rows[y][x] = bitAt(andStart, x, y) ? '.' : (bitAt(xorStart, x, y) ? 'o' : '#');
  return image;
}

}  // namespace vetra::skins
