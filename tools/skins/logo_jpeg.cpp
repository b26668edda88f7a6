#include "tools/skins/logo_jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace vetra::skins {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info)
{
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);  // base is the first member
  std::longjmp(manager->jump, 1);
}

}  // namespace

std::string EncodeJpeg(const gdi::Bitmap32& picture, int quality)
{
  if (picture.Empty()) return {};
  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width()) * 3);
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.Width());
  info.image_height = static_cast<JDIMENSION>(picture.Height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const auto pixels = picture.Row(static_cast<int>(info.next_scanline));
    for (std::size_t x = 0; x < pixels.size(); ++x) {
      row[x * 3] = static_cast<JSAMPLE>((pixels[x] >> 16) & 0xFF);
      row[x * 3 + 1] = static_cast<JSAMPLE>((pixels[x] >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<JSAMPLE>(pixels[x] & 0xFF);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::optional<JpegHeader> ReadJpegHeader(std::string_view bytes)
{
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  std::optional<JpegHeader> header;
  if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK)
    header = JpegHeader{static_cast<int>(info.image_width), static_cast<int>(info.image_height), info.num_components};
  jpeg_destroy_decompress(&info);
  return header;
}

}  // namespace vetra::skins
