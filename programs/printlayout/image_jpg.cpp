// JPEG reading (8 bits a pixel: greys, or a map of at most 128 colours) and writing.

#include <cstdio>
#include <cstring>

#include "common/image/jpeg_codec.h"
#include "platform/base/drive.h"
#include "platform/base/regular_file.h"
#include "platform/base/unique_file.h"
#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/image_impl.h"

namespace tolvex {

int CImageJPG::Read(const std::string& path)
{
  SetPath(path);
  vetra::UniqueFile file(vetra::FopenRegularFile(vetra::MapPath(m_path), "rb"));
  if (!file) return 0;
  const auto decoded = vetra::image::DecodeJpegIndexed(file.get(), 128);
  if (!decoded || decoded->width <= 0 || decoded->height <= 0) return 0;
  if (!Create(decoded->width, decoded->height, 8, -1)) return 0;
  if (decoded->red.empty()) {
    win::BYTE grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = static_cast<win::BYTE>(i);
    SetPalette(256, grey, grey, grey);
  } else {
    SetPalette(static_cast<int>(decoded->red.size()), decoded->red.data(), decoded->green.data(), decoded->blue.data());
  }
  const std::size_t width = static_cast<std::size_t>(m_width);
  for (int y = 0; y < m_height; ++y) std::memcpy(RowFromTop(y), decoded->pixels.data() + static_cast<std::size_t>(y) * width, width);
  return 1;
}

int CImageJPG::Write(const std::string& path)
{
  if (!IsValid()) return 0;
  SetPath(path);
  // Rows from the top, pixels expanded to red, green, blue (libjpeg's order).
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(m_width) * m_height * 3);
  std::uint8_t* out = rgb.data();
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) {
      GetPixelRGB(x, m_height - 1 - y, out, out + 1, out + 2);
      out += 3;
    }
  PictureOutputFile file(m_path);
  if (!file.Get()) return 0;
  const int quality = m_quality < 1 ? 1 : m_quality > 100 ? 100 : m_quality;
  return (vetra::image::EncodeJpeg(file.Get(), {m_width, m_height, rgb.data(), quality}) && file.Commit()) ? 1 : 0;
}

}  // namespace tolvex
