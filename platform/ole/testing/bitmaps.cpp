#include "platform/ole/testing/bitmaps.h"

#include <cstdint>
#include <cstring>

namespace vetra::testing {

std::string SolidBmp(int width, int height, win::COLORREF colour)
{
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * height);
  std::string bytes(size, '\0');
  const auto put = [&bytes](std::size_t at, std::uint32_t value, int count) { std::memcpy(bytes.data() + at, &value, count); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      char* pixel = bytes.data() + 54 + y * stride + x * 3;
      pixel[0] = static_cast<char>(win::GetBValue(colour));
      pixel[1] = static_cast<char>(win::GetGValue(colour));
      pixel[2] = static_cast<char>(win::GetRValue(colour));
    }
  }
  return bytes;
}

}  // namespace vetra::testing
