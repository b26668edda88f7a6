#include "programs/printlayout/image_file_bytes.h"

#include "platform/base/drive.h"

namespace tolvex {
std::filesystem::path MappedPicturePath(const std::string& path)
{
  return path.empty() ? std::filesystem::path() : vetra::MapPath(path);
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
  std::vector<std::uint8_t> bytes;
  if (vetra::image::ReadWholeFile(MappedPicturePath(path), bytes) != vetra::image::kNoError) return std::nullopt;
  return bytes;
}

PictureOutputFile::PictureOutputFile(const std::string& path) : ReplacingFile(MappedPicturePath(path)) {}

}  // namespace tolvex
