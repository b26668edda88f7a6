#include "platform/base/plain_file_name.h"

#include <algorithm>

namespace vetra {

bool IsPlainFileName(std::string_view name)
{
  if (name.empty() || name.size() > kMaxPlainFileNameBytes || name == "." || name.find("..") != std::string_view::npos) {
    return false;
  }
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || c == '\\' || c == '/' || c == ':';
  });
}

}  // namespace vetra
