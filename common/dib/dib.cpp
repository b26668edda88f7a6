#include "common/dib/dib.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/text.h"

namespace vetra {

namespace {

constexpr std::size_t kFileHeaderBytes = sizeof(win::BITMAPFILEHEADER);
constexpr std::size_t kCoreHeaderBytes = sizeof(win::BITMAPCOREHEADER);
constexpr std::size_t kInfoHeaderBytes = sizeof(win::BITMAPINFOHEADER);

template <class T>
T ReadAt(const win::BYTE* data, std::size_t offset)
{
  T value;
  std::memcpy(&value, data + offset, sizeof(T));
  return value;
}

// Closes a file handle on every path.
class OpenFile {
public:
  explicit OpenFile(win::HFILE handle) : m_handle(handle) {}
  ~OpenFile() { if (m_handle >= 0) win::_lclose(m_handle); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  win::HFILE Get() const { return m_handle; }

private:
  win::HFILE m_handle;
};

}  // namespace

void CDib::Fail(const char* utf8Text)
{
  m_message = m_path + Cp949(utf8Text);
}

int CDib::Open(const char* path)
{
  Free();
  m_loaded = 0;
  m_message.clear();
  m_path = path ? path : "";
  if (!Load()) return 0;
  m_loaded = 1;
  return 1;
}

int CDib::Load()
{
  OpenFile file(win::_lopen(m_path.c_str(), win::OF_READ));
  if (file.Get() < 0) {
    Fail(" 화일이 없습니다");
    return 0;
  }
  win::BITMAPFILEHEADER header;
  if (win::_lread(file.Get(), &header, kFileHeaderBytes) != kFileHeaderBytes) {
    Fail(" BMPHEADER 를 읽을수 없습니다!");
    return 0;
  }
  m_fileHeader = header;
  // A declared size that cannot even hold the smallest header is not a picture.
  if (header.bfType != win::kBitmapFileType || header.bfSize < kFileHeaderBytes + kCoreHeaderBytes) {
    Fail(" BMP 화일이 아닙니다.");
    return 0;
  }
  const std::size_t dataBytes = header.bfSize - kFileHeaderBytes;
  // A file shorter than it says fails before its declared size is allocated.
  const win::LONG here = win::_llseek(file.Get(), 0, win::FILE_CURRENT);
  const win::LONG end = win::_llseek(file.Get(), 0, win::FILE_END);
  if (here < 0 || end < 0 || static_cast<std::size_t>(end - here) < dataBytes || win::_llseek(file.Get(), here, win::FILE_BEGIN) != here) {
    Fail(" 화일을 읽을수 없습니다.");
    return 0;
  }
  win::GlobalMemory memory = win::GlobalAlloc(win::GHND, dataBytes);
  if (!memory) {
    Fail(" 메모리가 부족합니다.");
    return 0;
  }
  win::BYTE* data = memory.Lock();
  if (win::_lread(file.Get(), data, static_cast<win::UINT>(dataBytes)) != dataBytes) {
    Fail(" 화일을 읽을수 없습니다.");
    return 0;  // the block is freed on leaving
  }
  m_dataMemory = std::move(memory);
  m_data = data;
  if (!Valid()) {
    m_dataMemory.Free();
    m_data = nullptr;
    Fail(" BMP 화일이 아닙니다.");
    return 0;
  }
  m_infoHeader = reinterpret_cast<win::BITMAPINFOHEADER*>(m_data);
  m_coreHeader = reinterpret_cast<win::BITMAPCOREHEADER*>(m_data);
  m_info = reinterpret_cast<win::BITMAPINFO*>(m_data);
  m_coreInfo = reinterpret_cast<win::BITMAPCOREINFO*>(m_data);
  CreatePalette();  // a palette failure leaves its message, the picture still loads
  return 1;
}

bool CDib::Valid() const
{
  const std::size_t size = m_dataMemory.Size();
  if (!m_data || size < 4) return false;
  const std::uint32_t headerBytes = ReadAt<std::uint32_t>(m_data, 0);
  long long width = 0;
  long long height = 0;
  unsigned bitCount = 0;
  std::uint32_t compression = win::BI_RGB;
  std::uint32_t used = 0;
  std::uint32_t imageBytes = 0;
  std::size_t entryBytes = 4;
  if (headerBytes == kCoreHeaderBytes && size >= kCoreHeaderBytes) {
    width = ReadAt<std::uint16_t>(m_data, 4);
    height = ReadAt<std::uint16_t>(m_data, 6);
    bitCount = ReadAt<std::uint16_t>(m_data, 10);
    entryBytes = 3;
  } else if (headerBytes >= kInfoHeaderBytes && headerBytes <= size) {
    width = ReadAt<std::int32_t>(m_data, 4);
    height = ReadAt<std::int32_t>(m_data, 8);
    bitCount = ReadAt<std::uint16_t>(m_data, 14);
    compression = ReadAt<std::uint32_t>(m_data, 16);
    imageBytes = ReadAt<std::uint32_t>(m_data, 20);
    used = ReadAt<std::uint32_t>(m_data, 32);
  } else {
    return false;
  }
  if (width <= 0 || height == 0) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return false;
  // Bit-field masks (three 32-bit words) follow a 40-byte header and must lie inside the data.
  if (compression == win::BI_BITFIELDS && ((bitCount != 16 && bitCount != 32) || size < kInfoHeaderBytes + 12)) return false;
  // Colour table: at most 256 entries, inside the data.
  std::size_t colors = used;
  if (colors == 0 && bitCount <= 8) colors = std::size_t{1} << bitCount;
  if (colors > 256) return false;
  const std::size_t bitsOffset = headerBytes + colors * entryBytes;
  if (bitsOffset > size) return false;
  // Pixel rows inside the data.
  std::size_t bitsBytes = imageBytes;
  if (compression == win::BI_RGB || compression == win::BI_BITFIELDS) {
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    if (rows > std::numeric_limits<std::size_t>::max() / stride) return false;
    bitsBytes = stride * rows;
  }
  return bitsBytes <= size - bitsOffset;
}

int CDib::NumColors()
{
  if (!m_data) return 0;
  const std::uint32_t headerBytes = ReadAt<std::uint32_t>(m_data, 0);
  unsigned bitCount = 0;
  if (headerBytes >= kInfoHeaderBytes) {
    m_infoKind = 1;
    m_width = ReadAt<std::int32_t>(m_data, 4);
    m_height = ReadAt<std::int32_t>(m_data, 8);
    const std::uint32_t used = ReadAt<std::uint32_t>(m_data, 32);
    if (used != 0) return static_cast<int>(used);
    bitCount = ReadAt<std::uint16_t>(m_data, 14);
  } else {
    m_infoKind = 0;
    m_width = ReadAt<std::uint16_t>(m_data, 4);
    m_height = ReadAt<std::uint16_t>(m_data, 6);
    bitCount = ReadAt<std::uint16_t>(m_data, 10);
  }
  switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

int CDib::CreatePalette()
{
  m_colorCount = NumColors();
  if (m_colorCount == 0) return 1;  // the picture carries its colours in its pixels
  const auto count = static_cast<std::size_t>(m_colorCount);
  win::GlobalMemory memory = win::GlobalAlloc(win::GHND, count * 4 + 8);
  if (!memory) {
    Fail(" palette 메모리가 부족합니다.");
    return 0;
  }
  m_paletteMemory = std::move(memory);
  m_logPalette = reinterpret_cast<win::LOGPALETTE*>(m_paletteMemory.Lock());
  m_logPalette->palVersion = 0x300;
  m_logPalette->palNumEntries = static_cast<win::WORD>(count);
  win::PALETTEENTRY* entries = m_logPalette->palPalEntry;
  const std::size_t table = ReadAt<std::uint32_t>(m_data, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const win::BYTE* color = m_data + table + i * (m_infoKind ? 4 : 3);
    entries[i] = {color[2], color[1], color[0], 0};  // stored blue, green, red
  }
  m_palette = std::make_unique<win::CPalette>();
  m_palette->CreatePalette(m_logPalette);
  return 1;
}

win::WORD CDib::GetPaletteSize() const
{
  return static_cast<win::WORD>(m_colorCount * (m_infoKind ? 4 : 3));
}

win::BYTE* CDib::GetBits() const
{
  if (!m_data) return nullptr;
  return m_data + ReadAt<std::uint32_t>(m_data, 0) + GetPaletteSize();
}

int CDib::UseSystemPalette(win::HDC dc)
{
  if (m_colorCount != 0 || !dc) return 0;
  if (win::GetDeviceCaps(dc, win::RASTERCAPS) == 0) return 0;
  const int size = win::GetDeviceCaps(dc, win::SIZEPALETTE);
  if (size <= 0) return 0;
  win::GlobalMemory memory = win::GlobalAlloc(win::GHND, static_cast<std::size_t>(size) * 4 + 8);
  if (!memory) return 0;
  auto* palette = reinterpret_cast<win::LOGPALETTE*>(memory.Lock());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<win::WORD>(size);
  win::GetSystemPaletteEntries(dc, 0, static_cast<win::UINT>(size), palette->palPalEntry);
  // The picture keeps the palette it selects and releases it with itself.
  auto made = std::make_unique<win::CPalette>();
  if (!made->CreatePalette(palette)) return 0;
  win::SelectPalette(dc, *made, win::TRUE);
  m_systemPalette = std::move(made);
  return 1;
}

void CDib::DrawPart(int x, int y, int cx, int cy, int srcWidth, int srcHeight, win::CDC* dc)
{
  // An attached picture has no header views and is not drawn.
  if (!m_data || !m_info || !dc || !dc->GetSafeHdc()) return;
  const win::HDC hdc = dc->GetSafeHdc();
  win::BYTE* bits = GetBits();
  win::HPALETTE previous = nullptr;
  if (m_palette) {
    previous = win::SelectPalette(hdc, *m_palette, win::TRUE);
    win::RealizePalette(hdc);
  } else if (UseSystemPalette(hdc) == 1) {
    win::RealizePalette(hdc);
  }
  win::SetStretchBltMode(hdc, win::COLORONCOLOR);
  win::StretchDIBits(hdc, x, y, cx, cy, 0, 0, srcWidth, srcHeight, bits, m_info, win::DIB_RGB_COLORS, win::SRCCOPY);
  if (previous) win::SelectPalette(hdc, previous, win::TRUE);
}

void CDib::Draw(int x, int y, int cx, int cy, win::CDC* dc)
{
  // A top-down picture stores a negative height; it is drawn upright like any other.
  DrawPart(x, y, cx, cy, m_width, m_height < 0 ? -m_height : m_height, dc);
}

void CDib::DrawUnscaled(int x, int y, int cx, int cy, win::CDC* dc)
{
  DrawPart(x, y, cx, cy, cx, cy, dc);
}

int CDib::Save(const char* path)
{
  if (path) m_path = path;
  if (!m_loaded || !m_data) return 0;  // nothing to write
  std::size_t dataBytes = m_fileHeader.bfSize >= kFileHeaderBytes ? m_fileHeader.bfSize - kFileHeaderBytes : 0;
  if (m_dataMemory) dataBytes = std::min(dataBytes, m_dataMemory.Size());
  // Written beside the target and renamed over it, so a failed write leaves no partial picture
  // and keeps any earlier file.
  const std::filesystem::path target = MapPath(m_path);
  const std::filesystem::path temporary = target.string() + ".part";
  const win::HFILE file = win::_lcreat(temporary.c_str(), 0);
  if (file < 0) return 0;
  bool ok = win::_lwrite(file, reinterpret_cast<const char*>(&m_fileHeader), kFileHeaderBytes) == kFileHeaderBytes;
  if (ok && dataBytes > 0) ok = win::_lwrite(file, reinterpret_cast<const char*>(m_data), static_cast<win::UINT>(dataBytes)) == dataBytes;
  ok = win::_lclose(file) == 0 && ok;
  std::error_code error;
  if (ok) std::filesystem::rename(temporary, target, error);
  if (!ok || error) {
    std::filesystem::remove(temporary, error);
    return 0;
  }
  return 1;
}

void CDib::Free()
{
  if (!m_loaded && !m_data && !m_palette) return;
  m_dataMemory.Free();
  m_palette.reset();
  m_systemPalette.reset();
  m_paletteMemory.Free();
  m_logPalette = nullptr;
  m_data = nullptr;
  m_infoHeader = nullptr;
  m_coreHeader = nullptr;
  m_info = nullptr;
  m_coreInfo = nullptr;
  m_colorCount = 0;
  m_loaded = 0;
}

void CDib::Attach(win::BITMAPFILEHEADER fileHeader, void* data)
{
  m_loaded = 1;
  m_fileHeader = fileHeader;
  m_data = static_cast<win::BYTE*>(data);
}

}  // namespace vetra
