#include "programs/printlayout/picture_library.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/gdi/dib_format.h"
#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/jpeg_codec.h"

namespace tolvex {
namespace {

thread_local int g_lastError = kImageNoError;

int Fail(int code)
{
  g_lastError = code;
  return code;
}

std::uint32_t U32(const std::uint8_t* p) { std::uint32_t v; std::memcpy(&v, p, 4); return v; }

// The largest picture a capture or a saved picture can sensibly be; larger sizes in a header
// come from damaged files.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

}  // namespace

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
    case 13: return "Resource Not Found";
    case 14: return "Operation cancelled by callback";
    case 16: return "Internal PNG creation error - possibly bad params";
    case 17: return "Internal _ISource error";
    case 18: return "Font creation error";
    case 20: return "Bad TIF file";
    default: return vetra::Format("Error #%d", code);
  }
}

int ImageLastError() { return g_lastError; }

std::optional<RgbPicture> DecodeBmp(const std::uint8_t* data, std::size_t size)
{
  if (size < 14 + 12) {
    Fail(size == 0 ? kImageFileRead : kImageBadBmp);
    return std::nullopt;
  }
  if (data[0] != 'B' || data[1] != 'M') {
    Fail(kImageBadBmp);
    return std::nullopt;
  }
  const std::uint32_t offset = U32(data + 10);
  const std::uint8_t* info = data + 14;
  const std::size_t infoBytes = size - 14;
  const std::uint32_t headerSize = U32(info);
  if (headerSize >= 40 && infoBytes >= 40) {
    const std::uint32_t compression = U32(info + 16);
    if (compression == 1 || compression == 2) {
      Fail(kImageRleBmp);
      return std::nullopt;
    }
  }
  auto layout = vetra::gdi::ReadDibLayout(info, infoBytes, 0, {});
  if (!layout || layout->width <= 0 || layout->height <= 0 ||
      static_cast<std::uint64_t>(layout->width) * static_cast<std::uint64_t>(layout->height) > kMaxPixels) {
    Fail(kImageBadBmp);
    return std::nullopt;
  }
  // The pixels start at the file header's offset; an offset inside the headers (or zero, as some
  // writers leave it) means right after the colour table.
  std::size_t pixelStart = 14 + layout->headerBytes + layout->tableBytes;
  if (layout->compression == 3 && layout->headerBytes == 40) pixelStart += 12;
  if (offset >= pixelStart) pixelStart = offset;
  const std::size_t imageBytes = vetra::gdi::DibImageBytes(*layout);
  if (pixelStart > size || size - pixelStart < imageBytes) {
    Fail(kImageFileRead);
    return std::nullopt;
  }
  RgbPicture picture;
  picture.width = layout->width;
  picture.height = layout->height;
  try {
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
  } catch (const std::bad_alloc&) {
    Fail(kImageOutOfMemory);
    return std::nullopt;
  }
  std::vector<vetra::gdi::Pixel> row(static_cast<std::size_t>(picture.width));
  const std::uint8_t* bits = data + pixelStart;
  for (int y = 0; y < picture.height; ++y) {
    vetra::gdi::DecodeRow(*layout, bits, y, 0, picture.width, row.data());
    std::uint8_t* out = picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3;
    for (const auto p : row) {
      *out++ = static_cast<std::uint8_t>(p >> 16);
      *out++ = static_cast<std::uint8_t>(p >> 8);
      *out++ = static_cast<std::uint8_t>(p);
    }
  }
  g_lastError = kImageNoError;
  return picture;
}

bool ImageSource::Open(const std::string& path)
{
  m_bytes.clear();
  const auto mapped = vetra::MapPath(path);
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(mapped, error)) {
    Fail(kImageFileOpen);
    return false;
  }
  std::ifstream in(mapped, std::ios::binary);
  if (!in) {
    Fail(kImageFileOpen);
    return false;
  }
  auto bytes = ReadFileBytes(path);
  if (!bytes) {
    Fail(kImageFileRead);
    return false;
  }
  m_bytes = std::move(*bytes);
  return true;
}

std::optional<RgbPicture> ImageSource::ReadBmp() const
{
  return DecodeBmp(m_bytes.data(), m_bytes.size());
}

ImageDestination::~ImageDestination()
{
  if (!m_temporary.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
  }
}

bool ImageDestination::Open(const std::string& path)
{
  if (!m_temporary.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
  }
  m_written = false;
  m_temporary.clear();
  m_target = vetra::MapPath(path);
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(m_target, error)) {
    Fail(kImageFileOpen);
    return false;
  }
  std::filesystem::path temporary = m_target;
  temporary += ".writing";
  std::FILE* probe = std::fopen(temporary.c_str(), "wb");
  if (!probe) {
    Fail(kImageFileOpen);
    return false;
  }
  std::fclose(probe);
  m_temporary = temporary;
  return true;
}

namespace {

bool WriteAll(std::FILE* file, const void* data, std::size_t bytes)
{
  return std::fwrite(data, 1, bytes, file) == bytes;
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) { out.push_back(v & 0xFF); out.push_back(v >> 8); }
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) { for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF); }

}  // namespace

bool ImageDestination::WriteBmp(const RgbPicture& picture, int width, int height)
{
  if (m_temporary.empty() || width <= 0 || height <= 0 || static_cast<std::uint64_t>(width) * height > kMaxPixels) {
    Fail(kImageBadParam);
    return false;
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> header;
  header.push_back('B');
  header.push_back('M');
  Put32(header, static_cast<std::uint32_t>(54 + imageBytes));
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, 0);
  Put32(header, static_cast<std::uint32_t>(imageBytes));
  Put32(header, 3780);  // 96 dots per inch
  Put32(header, 3780);
  Put32(header, 0);
  Put32(header, 0);
  std::FILE* file = std::fopen(m_temporary.c_str(), "wb");
  if (!file) {
    Fail(kImageFileWrite);
    return false;
  }
  bool ok = WriteAll(file, header.data(), header.size());
  // A picture whose bytes do not match its size counts as none: the file is all white.
  const bool whole = picture.width > 0 && picture.height > 0 &&
                     picture.rgb.size() >= static_cast<std::size_t>(picture.width) * picture.height * 3;
  std::vector<std::uint8_t> row(stride, 0);
  for (int y = height - 1; ok && y >= 0; --y) {
    std::fill(row.begin(), row.end(), std::uint8_t{0xFF});
    std::fill(row.begin() + static_cast<std::ptrdiff_t>(width) * 3, row.end(), std::uint8_t{0});
    if (whole && y < picture.height) {
      const int copy = std::min(width, picture.width);
      const std::uint8_t* in = picture.rgb.data() + static_cast<std::size_t>(y) * picture.width * 3;
      for (int x = 0; x < copy; ++x) {
        row[x * 3 + 0] = in[x * 3 + 2];
        row[x * 3 + 1] = in[x * 3 + 1];
        row[x * 3 + 2] = in[x * 3 + 0];
      }
    }
    ok = WriteAll(file, row.data(), row.size());
  }
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) {
    Fail(kImageFileWrite);
    return false;
  }
  m_written = true;
  return true;
}

bool ImageDestination::WriteJpg(const RgbPicture& picture, int quality)
{
  if (m_temporary.empty() || picture.width <= 0 || picture.height <= 0 ||
      picture.rgb.size() < static_cast<std::size_t>(picture.width) * picture.height * 3 || quality < 1 || quality > 100) {
    Fail(kImageBadParam);
    return false;
  }
  std::FILE* file = std::fopen(m_temporary.c_str(), "wb");
  if (!file) {
    Fail(kImageFileWrite);
    return false;
  }
  bool ok = EncodeJpeg(file, {picture.width, picture.height, picture.rgb.data(), quality});
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) {
    Fail(kImageFileWrite);
    return false;
  }
  m_written = true;
  return true;
}

bool ImageDestination::Close()
{
  if (m_temporary.empty()) return false;
  std::error_code error;
  if (m_written) std::filesystem::rename(m_temporary, m_target, error);
  else std::filesystem::remove(m_temporary, error);
  const bool ok = m_written && !error;
  if (error) std::filesystem::remove(m_temporary, error);
  m_temporary.clear();
  m_written = false;
  if (!ok) Fail(kImageFileWrite);
  return ok;
}

}  // namespace tolvex
