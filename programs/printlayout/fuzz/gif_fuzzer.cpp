// The GIF reader on arbitrary bytes: tables, code sizes and LZW codes come from the file.

#include <cstddef>
#include <cstdint>

#include "programs/printlayout/image_impl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  tolvex::CImageGIF image;
  if (image.Decode(data, size)) {
    for (int y = 0; y < image.Height(); y += 7)
      for (int x = 0; x < image.Width(); x += 7) {
        win::BYTE r, g, b;
        image.GetPixelRGB(x, y, &r, &g, &b);
      }
  }
  return 0;
}
