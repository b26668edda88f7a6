#pragma once
// Whole-file reading for the picture readers, and the picture writers' output file, through the
// drive's path mapping.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tolvex {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

// A file being written: the bytes go to a temporary file beside the target, which takes the
// target's name only when Commit succeeds; otherwise the earlier file stays as it was.
class PictureOutputFile {
public:
  explicit PictureOutputFile(const std::string& path);
  ~PictureOutputFile();
  PictureOutputFile(const PictureOutputFile&) = delete;
  PictureOutputFile& operator=(const PictureOutputFile&) = delete;

  std::FILE* Get() const { return m_file; }  // null when it could not be created
  bool Write(const void* data, std::size_t bytes);
  // Closes and renames into place; false (and nothing left behind) on any failure.
  bool Commit();

private:
  std::filesystem::path m_target;
  std::filesystem::path m_temporary;
  std::FILE* m_file = nullptr;
  bool m_failed = false;
};

}  // namespace tolvex
