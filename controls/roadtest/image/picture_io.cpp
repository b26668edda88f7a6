#include "controls/roadtest/image/picture_io.h"

#include "common/image/bmp_codec.h"
#include "common/image/jpeg_codec.h"
#include "common/image/picture_files.h"

namespace morvit::image {

int ReadBmpToRgb(const std::string& path, RgbImage& image)
{
  image = {};
  std::vector<std::uint8_t> bytes;
  if (const int code = vetra::image::ReadWholeFile(path, bytes); code != kNoError) return code;
  // An empty file is no BMP here (the print layout calls it a failed read).
  if (bytes.empty()) return kBadBmp;
  vetra::image::RgbPicture picture;
  if (const int code = vetra::image::DecodeBmp(bytes.data(), bytes.size(), picture); code != kNoError) return code;
  image.pixels = std::move(picture.rgb);
  image.width = picture.width;
  image.height = picture.height;
  return kNoError;
}

int WriteRgbToJpeg(const std::string& path, const RgbImage& image, int quality)
{
  const std::size_t bytes = vetra::image::RgbBytes(image.width, image.height);
  if (bytes == 0 || image.pixels.size() != bytes) return kBadParam;
  vetra::image::ReplacingFile file(path);
  if (file.Get() == nullptr) return kFileOpen;
  if (!vetra::image::EncodeJpeg(file.Get(), {image.width, image.height, image.pixels.data(), quality})) return kFileWrite;
  return file.Commit() ? kNoError : kFileWrite;
}

std::string ImageErrorText(int code)
{
  // This viewer's messages also name the picture library's missing GIF support.
  if (code == 12) return "No GIF support..";
  return vetra::image::ErrorText(code);
}

}  // namespace morvit::image
