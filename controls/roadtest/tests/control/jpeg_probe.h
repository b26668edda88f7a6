#pragma once
// Reads a JPEG file back for the tests (kept apart: the JPEG library's header defines macros that
// the platform's names would meet).
#include <cstdint>
#include <filesystem>
#include <vector>

namespace morvit::testing {

struct JpegInfo {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

JpegInfo ReadJpeg(const std::filesystem::path& path);

}  // namespace morvit::testing
