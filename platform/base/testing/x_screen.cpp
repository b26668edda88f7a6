#include "platform/base/testing/x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <memory>

namespace vetra::testing {
namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroyer {
  void operator()(XImage* image) const { XDestroyImage(image); }
};

}  // namespace

std::optional<XScreenPicture> GrabXScreen(int x, int y, int width, int height)
{
  // A connection of its own: the caller may be any thread, the program's SDL connection untouched.
  std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display) return std::nullopt;
  const Window root = DefaultRootWindow(display.get());
  XWindowAttributes screen{};
  if (XGetWindowAttributes(display.get(), root, &screen) == 0) return std::nullopt;
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(screen.width, x + width);
  const int bottom = std::min(screen.height, y + height);
  if (right <= left || bottom <= top) return std::nullopt;
  std::unique_ptr<XImage, ImageDestroyer> image(
      XGetImage(display.get(), root, left, top, static_cast<unsigned>(right - left),
                static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap));
  if (!image) return std::nullopt;
  XScreenPicture picture;
  picture.width = right - left;
  picture.height = bottom - top;
  picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
  for (int row = 0; row < picture.height; ++row) {
    for (int column = 0; column < picture.width; ++column) {
      const unsigned long pixel = XGetPixel(image.get(), column, row);
      const auto channel = [pixel](unsigned long mask) {
        if (mask == 0) return 0u;
        int shift = 0;
        while (((mask >> shift) & 1u) == 0) ++shift;
        const unsigned long value = (pixel & mask) >> shift;
        const unsigned long maximum = mask >> shift;
        return static_cast<unsigned>(value * 255 / maximum);
      };
      picture.pixels.push_back((channel(image->red_mask) << 16) | (channel(image->green_mask) << 8) |
                               channel(image->blue_mask));
    }
  }
  return picture;
}

}  // namespace vetra::testing
