#include "programs/printlayout/image_impl.h"

#include <algorithm>
#include <cstring>

#include "programs/printlayout/image_messages.h"

namespace tolvex {
namespace {

// The 16 standard VGA colours that fill a new colour table.
constexpr win::BYTE kVga[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

void Put32(win::BYTE* p, std::uint32_t v) { std::memcpy(p, &v, 4); }
void Put16(win::BYTE* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

}  // namespace

CImageImpl::~CImageImpl() = default;

bool CImageImpl::IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

int CImageImpl::Create(int width, int height, int bitsPerPixel, int colorType)
{
  m_dib.clear();
  m_palette.reset();
  m_colors.clear();
  m_width = m_height = m_rowBytes = 0;
  if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > kMaxImagePixels) return 0;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24) return 0;
  m_width = width;
  m_height = height;
  m_bitsPerPixel = bitsPerPixel;
  m_colorType = colorType >= 0 ? colorType : (bitsPerPixel <= 8 ? kColorGrey : kColorTrue);
  m_rowBytes = ((bitsPerPixel * width + 31) / 32) * 4;
  const std::size_t imageBytes = static_cast<std::size_t>(m_rowBytes) * static_cast<std::size_t>(height);
  try {
    m_dib.assign(kBitsOffset + imageBytes, 0);
  } catch (const std::bad_alloc&) {
    m_width = m_height = m_rowBytes = 0;
    return 0;
  }
  win::BYTE* h = m_dib.data();
  Put32(h, 40);
  Put32(h + 4, static_cast<std::uint32_t>(width));
  Put32(h + 8, static_cast<std::uint32_t>(height));
  Put16(h + 12, 1);
  Put16(h + 14, static_cast<std::uint16_t>(bitsPerPixel));
  Put32(h + 20, static_cast<std::uint32_t>(imageBytes));
  const int entries = bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : bitsPerPixel == 1 ? 2 : 0;
  Put32(h + 32, static_cast<std::uint32_t>(bitsPerPixel == 1 ? 0 : entries));
  for (int i = 0; i < entries; ++i) {
    win::BYTE* q = h + 40 + i * 4;
    q[0] = kVga[i % 16][2];
    q[1] = kVga[i % 16][1];
    q[2] = kVga[i % 16][0];
  }
  return m_rowBytes;
}

int CImageImpl::GetPixelIndex(int x, int y) const
{
  if (!IsValid() || !IsInside(x, y) || m_bitsPerPixel > 8) return -1;
  const win::BYTE* row = Bits() + static_cast<std::size_t>(y) * m_rowBytes;
  const int bitPos = x * m_bitsPerPixel;
  const win::BYTE byte = row[bitPos / 8];
  if (m_bitsPerPixel == 8) return byte;
  const int shift = 8 - m_bitsPerPixel - (bitPos % 8);
  return (byte >> shift) & ((1 << m_bitsPerPixel) - 1);
}

void CImageImpl::SetPixelIndex(int x, int y, int index)
{
  if (!IsValid() || !IsInside(x, y) || m_bitsPerPixel > 8) return;
  win::BYTE* row = Bits() + static_cast<std::size_t>(y) * m_rowBytes;
  const int bitPos = x * m_bitsPerPixel;
  win::BYTE& byte = row[bitPos / 8];
  if (m_bitsPerPixel == 8) {
    byte = static_cast<win::BYTE>(index);
    return;
  }
  const int shift = 8 - m_bitsPerPixel - (bitPos % 8);
  const int mask = ((1 << m_bitsPerPixel) - 1) << shift;
  byte = static_cast<win::BYTE>((byte & ~mask) | ((index << shift) & mask));
}

win::RGBQUAD CImageImpl::PaletteColor(int index) const
{
  if (index >= 0 && index < static_cast<int>(m_colors.size())) return m_colors[static_cast<std::size_t>(index)];
  // Without a palette the colour table (the VGA colours, or greys) answers.
  win::RGBQUAD q{};
  if (IsValid() && index >= 0 && index < 256) std::memcpy(&q, m_dib.data() + 40 + index * 4, 4);
  return q;
}

bool CImageImpl::GetPixelRGB(int x, int y, win::BYTE* red, win::BYTE* green, win::BYTE* blue) const
{
  if (!IsValid() || !IsInside(x, y)) return false;
  win::BYTE r = 0, g = 0, b = 0;
  if (m_bitsPerPixel <= 8) {
    const win::RGBQUAD q = PaletteColor(GetPixelIndex(x, y));
    r = q.rgbRed;
    g = q.rgbGreen;
    b = q.rgbBlue;
  } else {
    const win::BYTE* p = Bits() + static_cast<std::size_t>(y) * m_rowBytes + static_cast<std::size_t>(x) * 3;
    b = p[0];
    g = p[1];
    r = p[2];
  }
  if (red) *red = r;
  if (green) *green = g;
  if (blue) *blue = b;
  return true;
}

void CImageImpl::SetPixelRGB(int x, int y, win::BYTE red, win::BYTE green, win::BYTE blue)
{
  if (!IsValid() || !IsInside(x, y)) return;
  if (m_bitsPerPixel <= 8) {
    SetPixelIndex(x, y, NearestIndex(red, green, blue));
    return;
  }
  win::BYTE* p = Bits() + static_cast<std::size_t>(y) * m_rowBytes + static_cast<std::size_t>(x) * 3;
  p[0] = blue;
  p[1] = green;
  p[2] = red;
}

int CImageImpl::NearestIndex(win::BYTE red, win::BYTE green, win::BYTE blue) const
{
  const int count = m_colors.empty() ? (m_bitsPerPixel <= 8 ? 1 << m_bitsPerPixel : 0) : static_cast<int>(m_colors.size());
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < count; ++i) {
    const win::RGBQUAD q = PaletteColor(i);
    const long dr = q.rgbRed - red, dg = q.rgbGreen - green, db = q.rgbBlue - blue;
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

void CImageImpl::WriteColorTable()
{
  if (!IsValid()) return;
  const std::size_t count = std::min<std::size_t>(m_colors.size(), 256);
  for (std::size_t i = 0; i < count; ++i) std::memcpy(m_dib.data() + 40 + i * 4, &m_colors[i], 4);
  if (m_bitsPerPixel <= 8 && count > 0) Put32(m_dib.data() + 32, static_cast<std::uint32_t>(std::min<std::size_t>(count, std::size_t{1} << m_bitsPerPixel)));
}

void CImageImpl::SetPalette(int count, const win::BYTE* red, const win::BYTE* green, const win::BYTE* blue)
{
  if (count <= 0 || !red) return;
  count = std::min(count, 256);
  if (!green) green = red;
  if (!blue) blue = green;
  m_colors.assign(static_cast<std::size_t>(count), win::RGBQUAD{});
  std::vector<win::BYTE> block(sizeof(win::LOGPALETTE) + static_cast<std::size_t>(count) * sizeof(win::PALETTEENTRY));
  auto* logPalette = reinterpret_cast<win::LOGPALETTE*>(block.data());
  logPalette->palVersion = 0x300;
  logPalette->palNumEntries = static_cast<win::WORD>(count);
  for (int i = 0; i < count; ++i) {
    m_colors[static_cast<std::size_t>(i)] = win::RGBQUAD{blue[i], green[i], red[i], 0};
    logPalette->palPalEntry[i] = win::PALETTEENTRY{red[i], green[i], blue[i], 0};
  }
  m_palette = std::make_unique<win::CPalette>();
  m_palette->CreatePalette(logPalette);
  m_colorType = kColorIndexed;
  WriteColorTable();
}

void CImageImpl::SetPaletteRGB(int count, const win::BYTE* rgb)
{
  if (count <= 0 || !rgb) return;
  if (m_palette) ShowImageMessage("CImageImpl::imagePalette already exists!");
  count = std::min(count, 256);
  std::vector<win::BYTE> r(static_cast<std::size_t>(count)), g(r.size()), b(r.size());
  for (int i = 0; i < count; ++i) {
    r[static_cast<std::size_t>(i)] = rgb[i * 3];
    g[static_cast<std::size_t>(i)] = rgb[i * 3 + 1];
    b[static_cast<std::size_t>(i)] = rgb[i * 3 + 2];
  }
  SetPalette(count, r.data(), g.data(), b.data());
}

void CImageImpl::SetPalette(const win::CPalette* palette)
{
  if (!palette) return;
  const int count = std::min(palette->GetEntryCount(), 256);
  if (count <= 0) return;
  std::vector<win::PALETTEENTRY> entries(static_cast<std::size_t>(count));
  palette->GetPaletteEntries(0, static_cast<win::UINT>(count), entries.data());
  std::vector<win::BYTE> r, g, b;
  for (const auto& e : entries) {
    r.push_back(e.peRed);
    g.push_back(e.peGreen);
    b.push_back(e.peBlue);
  }
  SetPalette(count, r.data(), g.data(), b.data());
}

int CImageImpl::Stretch(win::CDC* dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight)
{
  if (!IsValid()) return 0;
  if (!dc) return 1;
  if (width == -1) width = m_width;
  if (height == -1) height = m_height;
  if (srcWidth == -1) srcWidth = m_width - srcX;
  if (srcHeight == -1) srcHeight = m_height - srcY;
  if (m_palette) {
    dc->SelectPalette(m_palette.get(), win::TRUE);
    dc->RealizePalette();
  }
  dc->SetStretchBltMode(win::COLORONCOLOR);
  const auto* info = Info();
  if (m_transparentIndex < 0 || m_bitsPerPixel > 8) {
    dc->StretchDIBits(x, y, width, height, srcX, srcY, srcWidth, srcHeight, Bits(), info, win::DIB_RGB_COLORS, win::SRCCOPY);
    return 1;
  }
  // Transparent pixels: a mask (white where transparent, black elsewhere) is ANDed in, then the
  // picture with its transparent pixels black is ORed over it.
  const std::vector<win::BYTE> saved(m_dib.begin() + static_cast<std::ptrdiff_t>(kBitsOffset), m_dib.end());
  const int white = NearestIndex(255, 255, 255);
  const int black = NearestIndex(0, 0, 0);
  for (int py = 0; py < m_height; ++py)
    for (int px = 0; px < m_width; ++px) SetPixelIndex(px, py, GetPixelIndex(px, py) == m_transparentIndex ? white : black);
  dc->StretchDIBits(x, y, width, height, srcX, srcY, srcWidth, srcHeight, Bits(), info, win::DIB_RGB_COLORS, win::SRCAND);
  std::copy(saved.begin(), saved.end(), m_dib.begin() + static_cast<std::ptrdiff_t>(kBitsOffset));
  for (int py = 0; py < m_height; ++py)
    for (int px = 0; px < m_width; ++px)
      if (GetPixelIndex(px, py) == m_transparentIndex) SetPixelIndex(px, py, black);
  dc->StretchDIBits(x, y, width, height, srcX, srcY, srcWidth, srcHeight, Bits(), info, win::DIB_RGB_COLORS, win::SRCPAINT);
  std::copy(saved.begin(), saved.end(), m_dib.begin() + static_cast<std::ptrdiff_t>(kBitsOffset));
  return 1;
}

int CImageImpl::Draw(win::CDC* dc, int x, int y, int width, int height, int srcX, int srcY)
{
  if (!IsValid()) return 0;
  if (!dc) return 1;
  if (m_palette) {
    dc->SelectPalette(m_palette.get(), win::TRUE);
    dc->RealizePalette();
  }
  if (width == -1) width = m_width;
  if (height == -1) height = m_height;
  dc->SetDIBitsToDevice(x, y, static_cast<win::DWORD>(width), static_cast<win::DWORD>(height), srcX, srcY, 0,
                        static_cast<win::UINT>(m_height), Bits(), Info(), win::DIB_RGB_COLORS);
  return 1;
}

}  // namespace tolvex
