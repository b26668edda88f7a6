#include "programs/printlayout/image_file_bytes.h"

#include <fstream>
#include <iterator>

#include "platform/base/drive.h"

namespace tolvex {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
  if (path.empty()) return std::nullopt;
  std::ifstream in(vetra::MapPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace tolvex
