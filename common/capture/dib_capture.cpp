#include "common/capture/dib_capture.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/gdi/cdc.h"

namespace vetra::capture {
namespace {

constexpr std::size_t kFileHeaderBytes = sizeof(win::BITMAPFILEHEADER);
constexpr std::size_t kInfoHeaderBytes = sizeof(win::BITMAPINFOHEADER);

std::size_t ColourTableEntries(int bitCount) { return bitCount <= 8 ? std::size_t{1} << bitCount : 0; }

// The info header at the front of a block, when the block holds one.
bool ReadInfoHeader(const win::GlobalMemory& dib, win::BITMAPINFOHEADER& header)
{
  if (!dib || dib.Size() < kInfoHeaderBytes) return false;
  std::memcpy(&header, dib.Data(), kInfoHeaderBytes);
  return header.biSize >= kInfoHeaderBytes && header.biSize <= dib.Size();
}

}  // namespace

win::GlobalMemory BitmapToDib(win::HBITMAP bitmap, win::DWORD compression, win::CPalette* palette)
{
  if (compression == win::BI_BITFIELDS || bitmap == nullptr) return {};
  win::BITMAP described;
  if (win::GetObjectA(bitmap, sizeof(described), &described) == 0) return {};

  win::BITMAPINFOHEADER header;
  header.biSize = kInfoHeaderBytes;
  header.biWidth = described.bmWidth;
  header.biHeight = described.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = static_cast<win::WORD>(described.bmPlanes * described.bmBitsPixel);
  header.biCompression = compression;
  const std::size_t tableBytes = ColourTableEntries(header.biBitCount) * sizeof(win::RGBQUAD);

  // A DC like the screen's, with the palette the colour table is made from; the palette leaves
  // with the DC.
  win::CDC screen;
  if (!screen.CreateCompatibleDC(nullptr)) return {};
  const auto defaultPalette = static_cast<win::HPALETTE>(win::GetStockObject(win::DEFAULT_PALETTE));
  screen.SelectPalette(palette ? static_cast<win::HPALETTE>(*palette) : defaultPalette, win::FALSE);
  screen.RealizePalette();

  win::GlobalMemory dib = win::GlobalAlloc(win::GMEM_FIXED, kInfoHeaderBytes + tableBytes);
  if (!dib) return {};
  std::memcpy(dib.Data(), &header, kInfoHeaderBytes);
  auto* info = reinterpret_cast<win::BITMAPINFO*>(dib.Data());
  // The size of the image as the device reports it; computed from the rows when it gives none.
  win::GetDIBits(screen, bitmap, 0, static_cast<win::UINT>(header.biHeight), nullptr, info, win::DIB_RGB_COLORS);
  std::size_t imageBytes = info->bmiHeader.biSizeImage;
  if (imageBytes == 0) {
    const std::size_t rowBytes = ((static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) & ~std::size_t{31}) / 8;
    imageBytes = rowBytes * static_cast<std::size_t>(header.biHeight);
    if (compression != win::BI_RGB) imageBytes = imageBytes * 3 / 2;
  }
  if (!dib.ReAlloc(kInfoHeaderBytes + tableBytes + imageBytes, win::GMEM_MOVEABLE)) return {};
  info = reinterpret_cast<win::BITMAPINFO*>(dib.Data());
  if (win::GetDIBits(screen, bitmap, 0, static_cast<win::UINT>(header.biHeight), dib.Data() + kInfoHeaderBytes + tableBytes, info,
                     win::DIB_RGB_COLORS) == 0) {
    return {};
  }
  return dib;
}

win::BITMAPFILEHEADER DibFileHeader(const win::GlobalMemory& dib)
{
  win::BITMAPFILEHEADER file;
  win::BITMAPINFOHEADER info;
  if (!ReadInfoHeader(dib, info)) return file;
  file.bfType = win::kBitmapFileType;
  file.bfSize = static_cast<win::DWORD>(dib.Size() + kFileHeaderBytes);
  file.bfOffBits = static_cast<win::DWORD>(kFileHeaderBytes + info.biSize + ColourTableEntries(info.biBitCount) * sizeof(win::RGBQUAD));
  return file;
}

int WriteDibFile(std::string_view path, const win::GlobalMemory& dib)
{
  win::BITMAPINFOHEADER info;
  if (!ReadInfoHeader(dib, info)) return 0;
  const win::BITMAPFILEHEADER header = DibFileHeader(dib);
  // Written beside the target and renamed over it: the print-layout program never reads half a
  // capture, and a failed write keeps the earlier one.
  const std::filesystem::path target = MapPath(path);
  const std::filesystem::path temporary = target.string() + "." + std::to_string(::getpid()) + ".part";  // one per process
  const win::HFILE file = win::_lcreat(temporary.c_str(), 0);
  if (file < 0) return 0;
  bool ok = win::_lwrite(file, reinterpret_cast<const char*>(&header), kFileHeaderBytes) == kFileHeaderBytes;
  if (ok) ok = win::_lwrite(file, reinterpret_cast<const char*>(dib.Data()), static_cast<win::UINT>(dib.Size())) == dib.Size();
  ok = win::_lclose(file) == 0 && ok;
  std::error_code error;
  if (ok) std::filesystem::rename(temporary, target, error);
  if (!ok || error) {
    std::filesystem::remove(temporary, error);
    return 0;
  }
  return 1;
}

}  // namespace vetra::capture
