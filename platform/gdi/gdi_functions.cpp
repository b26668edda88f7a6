// The plain GDI functions on device-context handles, and reading bitmaps back as DIBs.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/cdc_impl.h"

namespace win {

using namespace vetra::gdi;

namespace {

// Device contexts made by CreateDCA / CreateCompatibleDC, owned until DeleteDC.
struct DcTable {
  std::mutex mutex;
  std::unordered_map<HDC, std::unique_ptr<CDC>> dcs;
};

DcTable& Dcs()
{
  static auto* table = new DcTable;
  return *table;
}

HDC Keep(std::unique_ptr<CDC> dc)
{
  HDC handle = dc->GetSafeHdc();
  auto& table = Dcs();
  std::lock_guard lock(table.mutex);
  table.dcs.emplace(handle, std::move(dc));
  return handle;
}

// Colour tables of the indexed formats GetDIBits writes.
std::vector<Pixel> IndexedTable(int bitCount)
{
  std::vector<Pixel> table;
  if (bitCount == 1) {
    table = {0x000000, 0xFFFFFF};
  } else if (bitCount == 4) {
    for (int i = 0; i < 16; ++i) {
      const auto& e = DefaultPaletteEntries()[static_cast<std::size_t>(i < 8 ? i : i + 4)];
      table.push_back(MakePixel(e.peRed, e.peGreen, e.peBlue));
    }
  } else if (bitCount == 8) {
    // 3 bits red, 3 bits green, 2 bits blue.
    for (int i = 0; i < 256; ++i) {
      table.push_back(MakePixel(((i >> 5) & 7) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 255 / 3));
    }
  }
  return table;
}

unsigned NearestIndex(const std::vector<Pixel>& table, Pixel p)
{
  unsigned best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const long dr = static_cast<long>((table[i] >> 16) & 0xFF) - static_cast<long>((p >> 16) & 0xFF);
    const long dg = static_cast<long>((table[i] >> 8) & 0xFF) - static_cast<long>((p >> 8) & 0xFF);
    const long db = static_cast<long>(table[i] & 0xFF) - static_cast<long>(p & 0xFF);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<unsigned>(i);
    }
  }
  return best;
}

}  // namespace

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData)
{
  auto dc = std::make_unique<CDC>();
  if (!dc->CreateDC(driver, device, output, initData)) return nullptr;
  return Keep(std::move(dc));
}

HDC CreateCompatibleDC(HDC other)
{
  auto dc = std::make_unique<CDC>();
  dc->CreateCompatibleDC(other);
  return Keep(std::move(dc));
}

BOOL DeleteDC(HDC dc)
{
  std::unique_ptr<CDC> doomed;
  auto& table = Dcs();
  std::lock_guard lock(table.mutex);
  const auto it = table.dcs.find(dc);
  if (it == table.dcs.end()) return FALSE;
  doomed = std::move(it->second);
  table.dcs.erase(it);
  return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC /*dc*/, int width, int height)
{
  // Every device here is a 32-bit one, memory DCs included.
  if (width < 0 || height < 0) return nullptr;
  return static_cast<HBITMAP>(Register(std::make_shared<BitmapObject>(width, height, 32)));
}

int GetDeviceCaps(HDC dc, int index)
{
  return dc ? dc->GetDeviceCaps(index) : 0;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
  return dc ? dc->SelectObject(object) : nullptr;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground)
{
  return dc ? dc->SelectPalette(palette, forceBackground) : nullptr;
}

UINT RealizePalette(HDC dc)
{
  return dc ? dc->RealizePalette() : GDI_ERROR;
}

UINT GetSystemPaletteEntries(HDC /*dc*/, UINT /*start*/, UINT /*count*/, PALETTEENTRY* /*entries*/)
{
  // Every device here is true-colour: there is no system palette to read.
  return 0;
}

int SetStretchBltMode(HDC dc, int mode)
{
  return dc ? dc->SetStretchBltMode(mode) : 0;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
  return dc ? dc->StretchDIBits(x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, bits, info, usage, rop) : 0;
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage)
{
  return dc ? dc->SetDIBitsToDevice(x, y, width, height, xSrc, ySrc, startScan, scanLines, bits, info, usage) : 0;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT usage)
{
  const auto object = LookupAs<BitmapObject>(bitmap, ObjectKind::Bitmap);
  if (!dc || !object || !info || usage > DIB_PAL_COLORS) return 0;
  BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  const Bitmap32& pixels = *object->pixels;
  if (header.biBitCount == 0) {
    // Describe the bitmap only.
    header.biWidth = pixels.Width();
    header.biHeight = pixels.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(object->bitsPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((header.biWidth * header.biBitCount + 31) / 32) * 4 * header.biHeight);
    return 1;
  }
  const int bitCount = header.biBitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return 0;
  if ((header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) || header.biWidth <= 0 || header.biHeight == 0) return 0;
  const bool topDown = header.biHeight < 0;
  const long long width = header.biWidth;
  const long long height = topDown ? -static_cast<long long>(header.biHeight) : header.biHeight;
  const std::size_t stride = static_cast<std::size_t>(((width * bitCount + 31) / 32) * 4);
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));
  header.biPlanes = 1;

  // Colour table (indexed formats) or masks (bit fields).
  const std::vector<Pixel> table = IndexedTable(bitCount);
  auto* colors = reinterpret_cast<BYTE*>(info) + header.biSize;
  if (!table.empty()) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (usage == DIB_PAL_COLORS) {
        const auto index = static_cast<WORD>(i);
        std::memcpy(colors + i * 2, &index, 2);
      } else {
        const RGBQUAD quad{static_cast<BYTE>(table[i] & 0xFF), static_cast<BYTE>((table[i] >> 8) & 0xFF), static_cast<BYTE>((table[i] >> 16) & 0xFF), 0};
        std::memcpy(colors + i * 4, &quad, 4);
      }
    }
  } else if (header.biCompression == BI_BITFIELDS) {
    const DWORD masks16[3] = {0xF800, 0x07E0, 0x001F};
    const DWORD masks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    std::memcpy(colors, bitCount == 16 ? masks16 : masks32, sizeof(masks16));
  }
  if (!bits) return 1;

  const bool rgb565 = bitCount == 16 && header.biCompression == BI_BITFIELDS;
  int copied = 0;
  auto* out = static_cast<BYTE*>(bits);
  for (long long i = 0; i < static_cast<long long>(scanLines); ++i) {
    const long long scan = static_cast<long long>(startScan) + i;  // numbered from the DIB's origin
    if (scan >= height) break;
    const long long y = topDown ? scan : height - 1 - scan;  // row from the top
    BYTE* line = out + static_cast<std::size_t>(i) * stride;
    std::memset(line, 0, stride);
    for (long long x = 0; x < width; ++x) {
      const Pixel p = pixels.Get(static_cast<int>(x), static_cast<int>(y));
      const auto ux = static_cast<std::size_t>(x);
      switch (bitCount) {
        case 8: {
          // The 3-3-2 table is separable: the nearest entry is the nearest level of each channel.
          const unsigned r = ((p >> 16) & 0xFF) * 7 + 127, g = ((p >> 8) & 0xFF) * 7 + 127, b = (p & 0xFF) * 3 + 127;
          line[ux] = static_cast<BYTE>(((r / 255) << 5) | ((g / 255) << 2) | (b / 255));
          break;
        }
        case 1:
        case 4: {
          const unsigned index = NearestIndex(table, p);
          if (bitCount == 4) line[ux / 2] |= static_cast<BYTE>(index << ((ux % 2) ? 0 : 4));
          else line[ux / 8] |= static_cast<BYTE>(index << (7 - ux % 8));
          break;
        }
        case 16: {
          const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
          const auto v = static_cast<WORD>(rgb565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3) : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
          std::memcpy(line + ux * 2, &v, 2);
          break;
        }
        case 24:
          line[ux * 3] = static_cast<BYTE>(p & 0xFF);
          line[ux * 3 + 1] = static_cast<BYTE>((p >> 8) & 0xFF);
          line[ux * 3 + 2] = static_cast<BYTE>((p >> 16) & 0xFF);
          break;
        default: {
          const DWORD v = p & 0xFFFFFF;
          std::memcpy(line + ux * 4, &v, 4);
          break;
        }
      }
    }
    ++copied;
  }
  return copied;
}

}  // namespace win
