#pragma once
// What the X display really shows, for on-screen tests: a rectangle of the screen as it stands,
// read from the X server, so a test sees what reached the screen rather than what the program
// painted for itself.

#include <cstdint>
#include <optional>
#include <vector>

namespace vetra::testing {

struct XScreenPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, rows top to bottom

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The rectangle (clipped to the screen) of the display named by DISPLAY; nothing when there is
// no display or nothing of the rectangle lies on it.
std::optional<XScreenPicture> GrabXScreen(int x, int y, int width, int height);

}  // namespace vetra::testing
