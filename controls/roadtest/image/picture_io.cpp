#include "controls/roadtest/image/picture_io.h"

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include <jpeglib.h>

#include "platform/base/text.h"

namespace morvit::image {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at)
{
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Scales a masked field to 0..255.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask)
{
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1U) == 0) ++shift;
  const std::uint32_t max = mask >> shift;
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255U / max);
}

struct JpegError {
  jpeg_error_mgr manager{};
  std::jmp_buf jump{};
};

void OnJpegError(j_common_ptr info)
{
  auto* error = reinterpret_cast<JpegError*>(info->err);
  std::longjmp(error->jump, 1);
}

}  // namespace

int ReadBmpToRgb(const std::string& path, RgbImage& image)
{
  image = {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return kFileOpen;
  std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return kBadBmp;
  const std::uint32_t bitsOffset = Le32(b, 10);
  const std::uint32_t headerSize = Le32(b, 14);
  if (headerSize < 40 || 14 + static_cast<std::size_t>(headerSize) > b.size()) return kBadBmp;
  const auto width = static_cast<std::int32_t>(Le32(b, 18));
  const auto rawHeight = static_cast<std::int32_t>(Le32(b, 22));
  const int bits = Le16(b, 28);
  const std::uint32_t compression = Le32(b, 30);
  if (compression == 1 || compression == 2) return kRleBmp;
  if (compression != 0 && compression != 3) return kBadBmp;
  if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min() || width > 32768) return kBadBmp;
  const bool bottomUp = rawHeight > 0;
  const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
  if (height > 32768) return kBadBmp;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return kBadBmp;

  std::uint32_t red = 0, green = 0, blue = 0;
  if (bits == 16) { red = 0x7C00; green = 0x03E0; blue = 0x001F; }
  if (bits == 32) { red = 0xFF0000; green = 0x00FF00; blue = 0x0000FF; }
  if (compression == 3) {
    if (bits != 16 && bits != 32) return kBadBmp;
    // The masks follow a 40-byte header, or sit inside a larger one.
    if (14 + 40 + 12 > b.size()) return kBadBmp;
    red = Le32(b, 54);
    green = Le32(b, 58);
    blue = Le32(b, 62);
  }
  std::vector<std::uint8_t> palette;
  if (bits == 8) {
    std::uint32_t colours = Le32(b, 46);
    if (colours == 0 || colours > 256) colours = 256;
    const std::size_t at = 14 + headerSize;
    if (at + colours * 4 > b.size()) return kBadBmp;
    palette.assign(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + colours * 4));
  }
  const std::size_t stride = ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
  if (bitsOffset > b.size() || stride * static_cast<std::size_t>(height) > b.size() - bitsOffset) return kFileRead;

  RgbImage out;
  out.width = width;
  out.height = height;
  try {
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  for (std::int32_t y = 0; y < height; ++y) {
    const std::size_t row = bitsOffset + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
    std::uint8_t* target = &out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3];
    for (std::int32_t x = 0; x < width; ++x, target += 3) {
      const std::size_t ux = static_cast<std::size_t>(x);
      switch (bits) {
        case 8: {
          const std::size_t entry = static_cast<std::size_t>(b[row + ux]) * 4;
          if (entry + 3 < palette.size()) {
            target[0] = palette[entry + 2];
            target[1] = palette[entry + 1];
            target[2] = palette[entry];
          }
          break;
        }
        case 16: {
          const std::uint32_t p = Le16(b, row + ux * 2);
          target[0] = Channel(p, red);
          target[1] = Channel(p, green);
          target[2] = Channel(p, blue);
          break;
        }
        case 24:
          target[0] = b[row + ux * 3 + 2];
          target[1] = b[row + ux * 3 + 1];
          target[2] = b[row + ux * 3];
          break;
        default: {
          const std::uint32_t p = Le32(b, row + ux * 4);
          target[0] = Channel(p, red);
          target[1] = Channel(p, green);
          target[2] = Channel(p, blue);
          break;
        }
      }
    }
  }
  image = std::move(out);
  return kNoError;
}

int WriteRgbToJpeg(const std::string& path, const RgbImage& image, int quality)
{
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3) {
    return kBadParam;
  }
  // Written beside the target and moved over it only when whole.
  const std::string partial = path + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return kFileOpen;

  jpeg_compress_struct info{};
  JpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_compress(&info);
    std::fclose(file);
    std::filesystem::remove(partial);
    return kFileWrite;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(image.width);
  info.image_height = static_cast<JDIMENSION>(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPLE*>(&image.pixels[info.next_scanline * stride]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const bool written = std::ferror(file) == 0;
  if (std::fclose(file) != 0 || !written) {
    std::filesystem::remove(partial);
    return kFileWrite;
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) {
    std::filesystem::remove(partial, ec);
    return kFileWrite;
  }
  return kNoError;
}

std::string ImageErrorText(int code)
{
  switch (code) {
    case 0: return "No error";
    case 1: return "Error : out of memory";
    case 2: return "Error on file open";
    case 3: return "Error on file read";
    case 4: return "Error on file write";
    case 5: return "Bad user param";
    case 6: return "Bad BMP file";
    case 7: return "We don't do RLE BMP files";
    case 9: return "Bad jpg file";
    case 10: return "Device error";
    case 11: return "GetDIBits error";
    case 12: return "No GIF support..";
    case 13: return "Resource Not Found";
    case 14: return "Operation cancelled by callback";
    case 16: return "Internal PNG creation error - possibly bad params";
    case 17: return "Internal _ISource error";
    case 18: return "Font creation error";
    case 20: return "Bad TIF file";
    default: return vetra::Format("Error #%d", code);
  }
}

}  // namespace morvit::image
