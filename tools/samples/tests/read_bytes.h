#pragma once
// Plain little-endian reads of a written sample, so the tests check the layout independently
// of the writers' own byte image.

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/testing/temp_drive.h"

namespace vetra::samples::testing {

class FileBytes {
public:
  explicit FileBytes(const std::filesystem::path& path) {
    const std::string s = vetra::testing::ReadWholeFile(path);
    bytes.assign(s.begin(), s.end());
  }
  explicit FileBytes(std::vector<std::uint8_t> b) : bytes(std::move(b)) {}
  std::size_t Size() const { return bytes.size(); }
  int U8(std::size_t at) const { return bytes.at(at); }
  int I8(std::size_t at) const { return static_cast<std::int8_t>(bytes.at(at)); }
  int U16(std::size_t at) const { return bytes.at(at) | bytes.at(at + 1) << 8; }
  int I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
  std::int32_t I32(std::size_t at) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(U16(at)) | static_cast<std::uint32_t>(U16(at + 2)) << 16);
  }
  float F32(std::size_t at) const { return std::bit_cast<float>(static_cast<std::uint32_t>(I32(at))); }
  double F64(std::size_t at) const {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | bytes.at(at + i);
    return std::bit_cast<double>(v);
  }
  // The zero-terminated text of a field.
  std::string Text(std::size_t at, std::size_t size) const {
    std::string s(reinterpret_cast<const char*>(bytes.data() + at), size);
    return s.substr(0, s.find('\0'));
  }
  std::vector<std::uint8_t> bytes;
};

}  // namespace vetra::samples::testing
