#include "tools/skins/bmp_file.h"

#include <cstdint>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace vetra::skins {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint32_t v)
{
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v)
{
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
std::uint32_t Get16(std::string_view in, std::size_t at)
{
  return static_cast<std::uint8_t>(in[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(in[at + 1])) << 8;
}
std::uint32_t Get32(std::string_view in, std::size_t at) { return Get16(in, at) | Get16(in, at + 2) << 16; }

std::uint32_t Stride(int width) { return (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u; }

}  // namespace

std::string EncodeBmp24(const gdi::Bitmap32& picture)
{
  const std::uint32_t stride = Stride(picture.Width());
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.Height());
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string out;
  out.reserve(offset);
  out += "BM";
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(picture.Width()));
  Put32(out, static_cast<std::uint32_t>(picture.Height()));
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, 0);   // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  out.resize(offset + imageSize, '\0');
  char* row = out.data() + offset;
  for (int y = picture.Height() - 1; y >= 0; --y, row += stride) {
    char* at = row;
    for (gdi::Pixel p : picture.Row(y)) {
      *at++ = static_cast<char>(p & 0xFF);          // blue
      *at++ = static_cast<char>((p >> 8) & 0xFF);   // green
      *at++ = static_cast<char>((p >> 16) & 0xFF);  // red
    }
  }
  return out;
}

std::optional<gdi::Bitmap32> DecodeBmp24(std::string_view bytes)
{
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM") return std::nullopt;
  if (Get32(bytes, 2) != bytes.size() || Get32(bytes, 14) != kInfoHeaderSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Get32(bytes, 22));
  if (width <= 0 || height <= 0 || Get16(bytes, 28) != 24 || Get32(bytes, 30) != 0) return std::nullopt;
  const std::uint32_t offset = Get32(bytes, 10);
  const std::uint64_t stride = Stride(width);
  if (offset < kFileHeaderSize + kInfoHeaderSize || offset + stride * static_cast<std::uint64_t>(height) > bytes.size())
    return std::nullopt;
  gdi::Bitmap32 picture(width, height);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = offset + stride * static_cast<std::uint64_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::size_t at = row + static_cast<std::size_t>(x) * 3;
      picture.At(x, y) = gdi::MakePixel(static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                                        static_cast<std::uint8_t>(bytes[at]));
    }
  }
  return picture;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
  std::filesystem::path temporary = path;
  temporary += ".part" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace vetra::skins
