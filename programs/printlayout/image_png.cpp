// PNG reading and writing of the image family, through libpng's whole-picture interface.
// Transparency is laid on the background colour (31, 127, 255), 16-bit channels are cut to 8,
// a PNG palette becomes the image's palette; true-colour rows are converted between PNG's red,
// green, blue order and the DIB's blue, green, red order here.

#include <cstdio>
#include <cstring>

#include <png.h>

#include "platform/base/drive.h"
#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/image_impl.h"

namespace tolvex {

int CImagePNG::Read(const std::string& path)
{
  SetPath(path);
  const auto bytes = ReadFileBytes(m_path);
  if (!bytes || bytes->empty()) return 0;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) return 0;
  if (image.width == 0 || image.height == 0 || static_cast<std::int64_t>(image.width) * image.height > kMaxImagePixels) {
    png_image_free(&image);
    return 0;
  }
  const png_color background{31, 127, 255};
  const bool palette = (image.format & PNG_FORMAT_FLAG_COLORMAP) != 0 && image.colormap_entries <= 256;
  const bool grey = !palette && (image.format & PNG_FORMAT_FLAG_COLOR) == 0;
  image.format = palette ? PNG_FORMAT_RGB_COLORMAP : grey ? PNG_FORMAT_GRAY : PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  std::vector<std::uint8_t> colormap(palette ? PNG_IMAGE_COLORMAP_SIZE(image) : 0);
  if (!png_image_finish_read(&image, &background, pixels.data(), 0, palette ? colormap.data() : nullptr)) {
    png_image_free(&image);
    return 0;
  }
  const int width = static_cast<int>(image.width);
  const int height = static_cast<int>(image.height);
  if (!Create(width, height, (palette || grey) ? 8 : 24, palette ? kColorIndexed : grey ? kColorGrey : kColorTrue)) return 0;
  if (palette) {
    SetPaletteRGB(static_cast<int>(image.colormap_entries), colormap.data());
  } else if (grey) {
    win::BYTE levels[256];
    for (int i = 0; i < 256; ++i) levels[i] = static_cast<win::BYTE>(i);
    SetPalette(256, levels, levels, levels);
    m_colorType = kColorGrey;
  }
  const std::size_t rowBytes = static_cast<std::size_t>(width) * ((palette || grey) ? 1 : 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = pixels.data() + static_cast<std::size_t>(y) * rowBytes;
    win::BYTE* out = RowFromTop(y);
    if (palette || grey) {
      std::memcpy(out, in, rowBytes);
    } else {
      for (int x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    }
  }
  return 1;
}

int CImagePNG::Write(const std::string& path)
{
  if (!IsValid()) return 0;
  SetPath(path);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(m_width);
  image.height = static_cast<png_uint_32>(m_height);
  const bool indexed = m_bitsPerPixel <= 8 && m_colorType != kColorGrey;
  const bool grey = m_bitsPerPixel <= 8 && !indexed;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(m_width) * m_height * (m_bitsPerPixel <= 8 ? 1 : 3));
  std::vector<std::uint8_t> colormap;
  std::uint8_t* out = pixels.data();
  for (int y = 0; y < m_height; ++y) {
    const int dibRow = m_height - 1 - y;
    for (int x = 0; x < m_width; ++x) {
      if (m_bitsPerPixel <= 8) {
        const int index = GetPixelIndex(x, dibRow);
        if (grey) *out++ = PaletteColor(index).rgbRed;
        else *out++ = static_cast<std::uint8_t>(index);
      } else {
        GetPixelRGB(x, dibRow, out, out + 1, out + 2);
        out += 3;
      }
    }
  }
  if (indexed) {
    image.format = PNG_FORMAT_RGB_COLORMAP;
    image.colormap_entries = 256;
    for (int i = 0; i < 256; ++i) {
      const win::RGBQUAD q = PaletteColor(i);
      colormap.insert(colormap.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
    }
  } else {
    image.format = grey ? PNG_FORMAT_GRAY : PNG_FORMAT_RGB;
  }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, indexed ? colormap.data() : nullptr)) return 0;
  std::vector<std::uint8_t> encoded(size);
  if (!png_image_write_to_memory(&image, encoded.data(), &size, 0, pixels.data(), 0, indexed ? colormap.data() : nullptr)) return 0;
  std::FILE* file = std::fopen(vetra::MapPath(m_path).c_str(), "wb");
  if (!file) return 0;
  bool ok = std::fwrite(encoded.data(), 1, size, file) == size;
  ok = std::fclose(file) == 0 && ok;
  return ok ? 1 : 0;
}

}  // namespace tolvex
