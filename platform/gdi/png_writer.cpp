#include "platform/gdi/png_writer.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/unique_file.h"

namespace vetra::gdi {

namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length)
{
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// Writes to `file`, or into `bytes` when there is no file.
bool Encode(const Bitmap32& bitmap, std::FILE* file, std::string* bytes = nullptr)
{
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(bitmap.Width()) * 3);
  // libpng reports errors by longjmp; nothing with a destructor is created below this point.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  if (file) png_init_io(png, file);
  else png_set_write_fn(png, bytes, AppendToString, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const auto pixels = bitmap.Row(y);
    for (std::size_t x = 0; x < pixels.size(); ++x) {
      row[x * 3] = static_cast<png_byte>((pixels[x] >> 16) & 0xFF);
      row[x * 3 + 1] = static_cast<png_byte>((pixels[x] >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<png_byte>(pixels[x] & 0xFF);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string EncodePng(const Bitmap32& bitmap)
{
  std::string bytes;
  if (bitmap.Empty() || !Encode(bitmap, nullptr, &bytes)) return {};
  return bytes;
}

bool WritePng(const Bitmap32& bitmap, const std::string& linuxPath)
{
  if (bitmap.Empty()) return false;
  // Written beside the target and renamed into place, so no half-written picture is left.
  const std::string temporary = linuxPath + "." + std::to_string(::getpid()) + ".part";  // one per process
  bool ok = false;
  {
    UniqueFile file(std::fopen(temporary.c_str(), "wb"));
    if (!file) return false;
    ok = Encode(bitmap, file.get());
    ok = std::fflush(file.get()) == 0 && ok;
  }
  std::error_code error;
  if (ok) std::filesystem::rename(temporary, linuxPath, error);
  if (!ok || error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace vetra::gdi
