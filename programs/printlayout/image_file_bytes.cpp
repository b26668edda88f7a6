#include "programs/printlayout/image_file_bytes.h"

#include <fstream>

#include "platform/base/drive.h"

namespace tolvex {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
  if (path.empty()) return std::nullopt;
  std::ifstream in(vetra::MapPath(path), std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

}  // namespace tolvex
