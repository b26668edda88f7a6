#pragma once
// Whole-file reading for the picture readers, and the picture writers' output file, through the
// drive's path mapping.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/image/picture_files.h"

namespace tolvex {

// The Linux path of a drive path or Linux path; no path for an empty one.
std::filesystem::path MappedPicturePath(const std::string& path);

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

// A file being written: the bytes go to a temporary file beside the target, which takes the
// target's name only when Commit succeeds; otherwise the earlier file stays as it was. No path
// makes no file.
class PictureOutputFile : public vetra::image::ReplacingFile {
public:
  explicit PictureOutputFile(const std::string& path);
};

}  // namespace tolvex
