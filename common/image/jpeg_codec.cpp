#include "common/image/jpeg_codec.h"

#include <csetjmp>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace vetra::image {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back to the
// call that started the work, with the library's message kept for the caller.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

void Silent(j_common_ptr, int) {}

void SetUpErrors(ErrorManager& manager, jpeg_common_struct* owner)
{
  owner->err = jpeg_std_error(&manager.pub);
  manager.pub.error_exit = ErrorExit;
  manager.pub.emit_message = Silent;
  manager.message[0] = 0;
}

// Guard against pictures whose sizes cannot be real: libjpeg allows up to 65500 a side, but a
// damaged header must not make us allocate gigabytes.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

std::optional<JpegDecoded> Decode(std::FILE* file, int colors, bool rgb, std::string* message)
{
  if (!file) return std::nullopt;
  auto result = std::make_unique<JpegDecoded>();
  jpeg_decompress_struct info;
  ErrorManager errors;
  std::memset(&info, 0, sizeof info);
  SetUpErrors(errors, reinterpret_cast<jpeg_common_struct*>(&info));
  if (setjmp(errors.jump)) {
    if (message) *message = errors.message;
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  if (rgb) {
    info.out_color_space = JCS_RGB;
  } else if (!grey) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = colors;
  }
  jpeg_calc_output_dimensions(&info);
  if (static_cast<std::uint64_t>(info.output_width) * info.output_height > kMaxPixels) {
    if (message) *message = "picture too large";
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_start_decompress(&info);
  result->width = static_cast<int>(info.output_width);
  result->height = static_cast<int>(info.output_height);
  result->components = grey ? 1 : 3;
  const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) * info.output_components;
  result->pixels.assign(rowBytes * info.output_height, 0);
  if (info.quantize_colors && info.colormap) {
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      result->red.push_back(info.colormap[0][i]);
      result->green.push_back(info.colormap[info.out_color_components > 1 ? 1 : 0][i]);
      result->blue.push_back(info.colormap[info.out_color_components > 2 ? 2 : 0][i]);
    }
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = result->pixels.data() + rowBytes * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return std::move(*result);
}

}  // namespace

bool EncodeJpeg(std::FILE* file, const JpegEncodeInput& input, std::string* message)
{
  if (!file || input.width <= 0 || input.height <= 0 || input.width > 65500 || input.height > 65500 || !input.rgb) {
    if (message) *message = "bad picture";
    return false;
  }
  jpeg_compress_struct info;
  ErrorManager errors;
  std::memset(&info, 0, sizeof info);
  SetUpErrors(errors, reinterpret_cast<jpeg_common_struct*>(&info));
  if (setjmp(errors.jump)) {
    if (message) *message = errors.message;
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(input.width);
  info.image_height = static_cast<JDIMENSION>(input.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, input.quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t rowBytes = static_cast<std::size_t>(input.width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(input.rgb + rowBytes * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fflush(file) == 0 && !std::ferror(file);
}

std::optional<JpegDecoded> DecodeJpegIndexed(std::FILE* file, int colors, std::string* message)
{
  return Decode(file, colors, false, message);
}

std::optional<JpegDecoded> DecodeJpegRgb(std::FILE* file, std::string* message)
{
  return Decode(file, 256, true, message);
}

}  // namespace vetra::image
