#include "programs/printlayout/image.h"

#include <algorithm>
#include <array>

#include "platform/base/text.h"

namespace tolvex {
namespace {

struct ExtensionType {
  std::string_view extension;
  int type;
};

// Sorted by extension, for the bisection below.
constexpr std::array<ExtensionType, 5> kExtensions = {{
    {"BMP", kImageBmp}, {"GIF", kImageGif}, {"JPG", kImageJpg}, {"PNG", kImagePng}, {"XPM", kImageXpm}}};

}  // namespace

int FindImageType(std::string_view extension)
{
  const std::string upper = vetra::ToUpperAscii(std::string(extension));
  const auto it = std::lower_bound(kExtensions.begin(), kExtensions.end(), upper,
                                   [](const ExtensionType& e, const std::string& key) { return e.extension < key; });
  return (it != kExtensions.end() && it->extension == upper) ? it->type : -1;
}

std::string FindExtension(std::string_view path)
{
  const auto dot = path.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == path.size()) return {};
  return std::string(path.substr(dot + 1));
}

int CImage::CreateImpl(const std::string& path, int type)
{
  m_impl.reset();
  switch (type) {
    case kImageBmp: m_impl = std::make_unique<CImageBMP>(path); break;
    case kImageJpg: m_impl = std::make_unique<CImageJPG>(path); break;
    case kImageGif: m_impl = std::make_unique<CImageGIF>(path); break;
    case kImagePng: m_impl = std::make_unique<CImagePNG>(path); break;
    default: return 0;
  }
  return 1;
}

int CImage::Load(const std::string& path, int type)
{
  m_path = path;
  if (type == -1) type = FindImageType(FindExtension(path));
  const bool reuse = m_impl && type == m_type;
  m_type = type;
  if (!reuse && !CreateImpl(path, type)) return 0;
  return m_impl->Read(path);
}

int CImage::Create(int width, int height, int bitsPerPixel, int colorType)
{
  if (!m_impl) {
    m_impl = std::make_unique<CImageBMP>(std::string());
    m_type = kImageBmp;
  }
  return m_impl->Create(width, height, bitsPerPixel, colorType);
}

int CLogoPicture::Load(const std::string& path)
{
  m_valid = 0;
  m_image = std::make_unique<CImage>(path, kImageJpg);
  if (m_image->Width() > 0 && m_image->Height() > 0) {
    m_valid = 1;
    return 1;
  }
  m_image.reset();
  return 0;
}

void CLogoPicture::Draw(int x, int y, int width, int height, win::CDC* dc)
{
  if (!m_image || !dc) return;
  if (auto* palette = m_image->GetPalette()) {
    dc->SelectPalette(palette, win::TRUE);
    dc->RealizePalette();
  }
  m_image->Stretch(dc, x, y, width, height);
}

}  // namespace tolvex
