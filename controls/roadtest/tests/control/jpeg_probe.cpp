#include "controls/roadtest/tests/control/jpeg_probe.h"

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace morvit::testing {

JpegInfo ReadJpeg(const std::filesystem::path& path)
{
  JpegInfo info;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return info;
  jpeg_decompress_struct d{};
  jpeg_error_mgr error{};
  d.err = jpeg_std_error(&error);
  jpeg_create_decompress(&d);
  jpeg_stdio_src(&d, file);
  jpeg_read_header(&d, TRUE);
  jpeg_start_decompress(&d);
  info.width = static_cast<int>(d.output_width);
  info.height = static_cast<int>(d.output_height);
  info.rgb.resize(static_cast<std::size_t>(info.width) * static_cast<std::size_t>(info.height) * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &info.rgb[d.output_scanline * static_cast<std::size_t>(info.width) * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  std::fclose(file);
  return info;
}

}  // namespace morvit::testing
