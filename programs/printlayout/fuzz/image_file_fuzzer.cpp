// The BMP, JPEG and PNG readers of the image family on arbitrary file contents.

#include <cstddef>
#include <cstdint>

#include "platform/base/testing/memory_file.h"
#include "programs/printlayout/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  const std::string path = file.Path();
  for (const int type : {tolvex::kImageBmp, tolvex::kImageJpg, tolvex::kImagePng}) {
    tolvex::CImage image(path, type);
    if (image.IsValid()) image.GetPixelIndex(image.Width() - 1, image.Height() - 1);
  }
  return 0;
}
