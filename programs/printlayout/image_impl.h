#pragma once
// The image-file family: CImageImpl owns a device-independent bitmap (40-byte header, a colour
// table of 256 entries, pixel rows bottom-up at their real stride) and its palette; one subclass
// per file format reads and writes it. The colour table always holds the real colours, so the
// picture draws the same with or without a palette selected.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/gdi_wrappers.h"

namespace tolvex {

// Colour types, numbered as in PNG.
inline constexpr int kColorGrey = 0;
inline constexpr int kColorTrue = 2;
inline constexpr int kColorIndexed = 3;

// The largest picture the family makes; bigger sizes come from damaged files.
inline constexpr std::int64_t kMaxImagePixels = 64ll * 1024 * 1024;

class CImageImpl {
public:
  explicit CImageImpl(std::string path = {}) : m_path(std::move(path)) {}
  virtual ~CImageImpl();
  CImageImpl(const CImageImpl&) = delete;
  CImageImpl& operator=(const CImageImpl&) = delete;

  virtual bool IsInside(int x, int y) const;
  // A zero-filled picture; returns the row bytes, 0 when the sizes or depth are refused.
  virtual int Create(int width, int height, int bitsPerPixel, int colorType);
  // Palette index of a pixel (up to 8 bits a pixel); -1 outside or above 8 bits.
  virtual int GetPixelIndex(int x, int y) const;
  virtual bool GetPixelRGB(int x, int y, win::BYTE* red, win::BYTE* green, win::BYTE* blue) const;
  virtual void SetPixelIndex(int x, int y, int index);
  virtual void SetPixelRGB(int x, int y, win::BYTE red, win::BYTE green, win::BYTE blue);
  virtual int Read(const std::string& path) { (void)path; return 0; }
  virtual int Write(const std::string& path) { (void)path; return 0; }

  // Palette from arrays (a missing green array is the red one, a missing blue one the green one);
  // the colour type becomes indexed.
  void SetPalette(int count, const win::BYTE* red, const win::BYTE* green = nullptr, const win::BYTE* blue = nullptr);
  // Palette from red, green, blue triples; says so when one is replaced.
  void SetPaletteRGB(int count, const win::BYTE* rgb);
  void SetPalette(const win::CPalette* palette);
  win::CPalette* GetPalette() const { return m_palette.get(); }
  int PaletteSize() const { return static_cast<int>(m_colors.size()); }
  win::RGBQUAD PaletteColor(int index) const;

  int Stretch(win::CDC* dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight);
  int Draw(win::CDC* dc, int x, int y, int width, int height, int srcX, int srcY);

  bool IsValid() const { return !m_dib.empty(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BitsPerPixel() const { return m_bitsPerPixel; }
  int ColorType() const { return m_colorType; }
  int RowBytes() const { return m_rowBytes; }
  win::BYTE* Bits() { return m_dib.empty() ? nullptr : m_dib.data() + kBitsOffset; }
  const win::BYTE* Bits() const { return m_dib.empty() ? nullptr : m_dib.data() + kBitsOffset; }
  // Row y counted from the top of the picture.
  win::BYTE* RowFromTop(int y) { return Bits() + static_cast<std::size_t>(m_height - 1 - y) * m_rowBytes; }
  const win::BYTE* RowFromTop(int y) const { return Bits() + static_cast<std::size_t>(m_height - 1 - y) * m_rowBytes; }
  const win::BITMAPINFO* Info() const { return m_dib.empty() ? nullptr : reinterpret_cast<const win::BITMAPINFO*>(m_dib.data()); }
  int TransparentIndex() const { return m_transparentIndex; }
  void SetTransparentIndex(int index) { m_transparentIndex = index; }
  const std::string& Path() const { return m_path; }

  static constexpr std::size_t kBitsOffset = 40 + 256 * 4;

protected:
  void SetPath(const std::string& path) { if (!path.empty()) m_path = path; }
  // Palette index nearest to a colour (squared distance, first of equals).
  int NearestIndex(win::BYTE red, win::BYTE green, win::BYTE blue) const;
  void WriteColorTable();

  int m_width = 0;
  int m_height = 0;
  int m_bitsPerPixel = 0;
  int m_colorType = 0;
  int m_rowBytes = 0;
  std::vector<win::BYTE> m_dib;  // header, 256 table entries, rows bottom-up
  int m_transparentIndex = -1;
  std::vector<win::RGBQUAD> m_colors;  // palette colours (empty without a palette)
  std::unique_ptr<win::CPalette> m_palette;
  std::string m_path;
};

class CImageBMP : public CImageImpl {
public:
  using CImageImpl::CImageImpl;
  int Read(const std::string& path) override;
  int Write(const std::string& path) override;
};

class CImageJPG : public CImageImpl {
public:
  using CImageImpl::CImageImpl;
  int Read(const std::string& path) override;
  int Write(const std::string& path) override;
  int m_quality = 30;
};

class CImagePNG : public CImageImpl {
public:
  using CImageImpl::CImageImpl;
  int Read(const std::string& path) override;
  int Write(const std::string& path) override;
};

class CImageGIF : public CImageImpl {
public:
  using CImageImpl::CImageImpl;
  int Read(const std::string& path) override;
  int Write(const std::string& path) override;
  // Decodes GIF bytes (for reading from memory, as the fuzz target does).
  int Decode(const std::uint8_t* data, std::size_t size);
};

}  // namespace tolvex
