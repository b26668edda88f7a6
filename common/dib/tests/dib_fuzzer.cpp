// Feeds arbitrary files to the skin picture loader and draws whatever loads.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "common/dib/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const std::string path = (std::filesystem::temp_directory_path() / ("vetra_dib_fuzz_" + std::to_string(::getpid()) + ".bmp")).string();
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
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
