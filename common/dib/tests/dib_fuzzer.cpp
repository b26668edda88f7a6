// Feeds arbitrary files to the skin picture loader and draws whatever loads.
#include <cstdint>
#include <string>

#include "common/dib/dib.h"
#include "platform/base/testing/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  const std::string path = file.Path();
  vetra::CDib dib;
  if (dib.Open(path.c_str())) {
    win::CDC dc;
    dc.CreateCompatibleDC(nullptr);
    win::CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 40, 30);
    win::CBitmap* old = dc.SelectObject(&bitmap);
    dib.Draw(0, 0, 40, 30, &dc);
    dib.DrawUnscaled(0, 0, 40, 30, &dc);
    dc.SelectObject(old);
  }
  return 0;
}
