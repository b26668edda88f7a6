// The BMP, JPEG and PNG readers of the image family on arbitrary file contents.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "programs/printlayout/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const std::string path = "/tmp/tolvex_image_fuzz_" + std::to_string(getpid());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  for (const int type : {tolvex::kImageBmp, tolvex::kImageJpg, tolvex::kImagePng}) {
    tolvex::CImage image(path, type);
    if (image.IsValid()) image.GetPixelIndex(image.Width() - 1, image.Height() - 1);
  }
  return 0;
}
