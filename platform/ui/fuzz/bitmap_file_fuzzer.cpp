// The window system's picture loader (LoadImage from a file) on arbitrary bytes, at the file's
// own size and stretched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/base/testing/memory_file.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/images.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  for (const auto [cx, cy] : {std::pair{0, 0}, std::pair{7, 3}}) {
    const win::HBITMAP bitmap =
        win::LoadImageA(nullptr, file.Path().c_str(), win::IMAGE_BITMAP, cx, cy, win::LR_LOADFROMFILE);
    if (bitmap != nullptr) win::DeleteObject(bitmap);
  }
  return 0;
}
