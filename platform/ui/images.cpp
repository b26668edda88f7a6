#include "platform/ui/images.h"

#include <cstring>
#include <vector>

#include "platform/base/drive.h"
#include "platform/base/regular_file.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/dib_format.h"

namespace win {

HBITMAP LoadImageA(void*, const char* name, UINT type, int cx, int cy, UINT flags)
{
  if (!name || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE)) return nullptr;
  const auto read = vetra::ReadRegularFileBytes(vetra::MapPath(name));
  if (!read) return nullptr;
  const std::vector<std::uint8_t>& file = *read;
  constexpr std::size_t kFileHeader = 14;
  if (file.size() < kFileHeader + 12 || file[0] != 'B' || file[1] != 'M') return nullptr;
  std::uint32_t offBits = 0;
  std::memcpy(&offBits, file.data() + 10, 4);
  const auto layout = vetra::gdi::ReadDibLayout(file.data() + kFileHeader, file.size() - kFileHeader,
                                                DIB_RGB_COLORS, {});
  if (!layout || offBits > file.size() || file.size() - offBits < vetra::gdi::DibImageBytes(*layout)) return nullptr;
  const int width = cx > 0 ? cx : layout->width;
  const int height = cy > 0 ? cy : layout->height;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  CDC screen;
  screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr);
  if (!bitmap.CreateCompatibleBitmap(&screen, width, height)) return nullptr;
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.StretchDIBits(0, 0, width, height, 0, 0, layout->width, layout->height, file.data() + offBits,
                   reinterpret_cast<const BITMAPINFO*>(file.data() + kFileHeader), DIB_RGB_COLORS, SRCCOPY);
  dc.SelectObject(old);
  return static_cast<HBITMAP>(bitmap.Detach());
}

}  // namespace win
