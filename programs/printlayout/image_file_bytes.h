#pragma once
// Whole-file reading for the picture readers, through the drive's path mapping.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolvex {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

}  // namespace tolvex
