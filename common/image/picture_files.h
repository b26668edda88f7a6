#pragma once
// Whole picture files in and out: a file read whole into memory, and a file written through a
// temporary file beside the target that takes the target's name only once it is whole, so that
// a failed write never leaves a half-written picture behind and the earlier file stays as it was.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/image/picture.h"

namespace vetra::image {

// Reads the whole file: kNoError, kFileOpen (no path, a folder, or cannot be opened) or
// kFileRead (opened but not read to its end).
int ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

class ReplacingFile {
public:
  // An empty path makes no file.
  explicit ReplacingFile(const std::filesystem::path& target);
  ~ReplacingFile();  // drops an uncommitted write
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

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

}  // namespace vetra::image
