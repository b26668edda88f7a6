#pragma once
// CImage: a picture file of any of the family's formats behind one facade that holds its path,
// its type and the implementation for that type. CLogoPicture: the report logo.

#include <memory>
#include <string>
#include <string_view>

#include "programs/printlayout/image_impl.h"

namespace tolvex {

inline constexpr int kImageBmp = 0;
inline constexpr int kImageJpg = 1;
inline constexpr int kImageGif = 2;
inline constexpr int kImageXpm = 3;
inline constexpr int kImagePng = 4;

// The type of a file extension ("BMP", "gif", ...), -1 for one the family does not know.
int FindImageType(std::string_view extension);
// The text after the last "."; empty when there is none or the name ends in ".".
std::string FindExtension(std::string_view path);

class CImage {
public:
  CImage() = default;
  CImage(const std::string& path, int type) { Load(path, type); }
  virtual ~CImage() = default;
  CImage(const CImage&) = delete;
  CImage& operator=(const CImage&) = delete;

  // Reads `path` as `type` (-1: by its extension). 1 read, 0 not.
  int Load(const std::string& path, int type = -1);
  int CreateImpl(const std::string& path, int type);
  int Create(int width, int height, int bitsPerPixel, int colorType);
  int Write(const std::string& path) { return m_impl ? m_impl->Write(path) : 0; }

  int RowBytes() const { return m_impl ? m_impl->RowBytes() : 0; }
  int Width() const { return m_impl ? m_impl->Width() : 0; }
  int Height() const { return m_impl ? m_impl->Height() : 0; }
  int BitsPerPixel() const { return m_impl ? m_impl->BitsPerPixel() : 0; }
  int ColorType() const { return m_impl ? m_impl->ColorType() : 0; }
  bool IsInside(int x, int y) const { return m_impl && m_impl->IsInside(x, y); }
  int Draw(win::CDC* dc, int x = 0, int y = 0, int width = -1, int height = -1, int srcX = 0, int srcY = 0)
  {
    return m_impl ? m_impl->Draw(dc, x, y, width, height, srcX, srcY) : 0;
  }
  int Stretch(win::CDC* dc, int x, int y, int width, int height, int srcX = 0, int srcY = 0, int srcWidth = -1, int srcHeight = -1)
  {
    return m_impl ? m_impl->Stretch(dc, x, y, width, height, srcX, srcY, srcWidth, srcHeight) : 0;
  }
  int GetPixelIndex(int x, int y) const { return m_impl ? m_impl->GetPixelIndex(x, y) : -1; }
  bool GetPixelRGB(int x, int y, win::BYTE* r, win::BYTE* g, win::BYTE* b) const { return m_impl && m_impl->GetPixelRGB(x, y, r, g, b); }
  void SetPixelIndex(int x, int y, int index) { if (m_impl) m_impl->SetPixelIndex(x, y, index % 256); }
  void SetPixelRGB(int x, int y, win::BYTE r, win::BYTE g, win::BYTE b) { if (m_impl) m_impl->SetPixelRGB(x, y, r, g, b); }
  void SetPalette(int count, const win::BYTE* r, const win::BYTE* g = nullptr, const win::BYTE* b = nullptr) { if (m_impl) m_impl->SetPalette(count, r, g, b); }
  void SetPaletteRGB(int count, const win::BYTE* rgb) { if (m_impl) m_impl->SetPaletteRGB(count, rgb); }
  void SetPalette(const win::CPalette* palette) { if (m_impl) m_impl->SetPalette(palette); }
  win::CPalette* GetPalette() const { return m_impl ? m_impl->GetPalette() : nullptr; }
  bool IsValid() const { return m_impl && m_impl->IsValid(); }
  CImageImpl* GetImplementation() const { return m_impl.get(); }
  win::BYTE* GetBits() const { return m_impl ? m_impl->Bits() : nullptr; }
  int Type() const { return m_type; }
  const std::string& Path() const { return m_path; }

private:
  int m_type = -1;
  std::string m_path;
  std::unique_ptr<CImageImpl> m_impl;
};

// The logo printed on the report: always decoded as a JPEG, whatever its extension.
class CLogoPicture {
public:
  int Load(const std::string& path);
  void Draw(int x, int y, int width, int height, win::CDC* dc);
  void Free() { m_image.reset(); m_valid = 0; }
  bool IsValid() const { return m_valid != 0; }
  const CImage* Image() const { return m_image.get(); }

private:
  std::unique_ptr<CImage> m_image;
  int m_valid = 0;
};

}  // namespace tolvex
