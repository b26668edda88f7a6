#pragma once
// The small picture library the capture import and the picture saving go through: a file
// source read as a 24-bit RGB picture, a file destination written as a 24-bit BMP or a JPEG,
// and the code of the last failure with its English text.
//
// A destination writes into a temporary file beside the chosen name and puts it in place only
// when the write succeeded, so a failed write never leaves a half-written picture behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/image/picture.h"
#include "common/image/picture_files.h"

namespace tolvex {

enum ImageError : int {
  kImageNoError = vetra::image::kNoError,
  kImageOutOfMemory = vetra::image::kOutOfMemory,
  kImageFileOpen = vetra::image::kFileOpen,
  kImageFileRead = vetra::image::kFileRead,
  kImageFileWrite = vetra::image::kFileWrite,
  kImageBadParam = vetra::image::kBadParam,
  kImageBadBmp = vetra::image::kBadBmp,
  kImageRleBmp = vetra::image::kRleBmp,
  kImageBadJpg = vetra::image::kBadJpg,
};

// The English text of a picture library code ("Error #%d" for codes it does not name).
std::string ImageErrorText(int code);
// The code of the last failure of this thread's picture library calls.
int ImageLastError();

// A picture of 3 bytes a pixel, red, green and blue, rows top-down without padding.
using RgbPicture = vetra::image::RgbPicture;

// Decodes a BMP file's bytes (1, 4, 8, 16, 24 or 32 bits a pixel, info or core header, either
// row order). Nothing, with the last error set, for anything else.
std::optional<RgbPicture> DecodeBmp(const std::uint8_t* data, std::size_t size);

class ImageSource {
public:
  // Reads the file; false (last error "file open") when it cannot be opened.
  bool Open(const std::string& path);
  std::optional<RgbPicture> ReadBmp() const;
  void Close() { m_bytes.clear(); }

private:
  std::vector<std::uint8_t> m_bytes;
};

class ImageDestination {
public:
  ImageDestination() = default;
  ImageDestination(const ImageDestination&) = delete;
  ImageDestination& operator=(const ImageDestination&) = delete;

  // Prepares a new file at `path` (drive path or Linux path); false when it cannot be written.
  bool Open(const std::string& path);
  // A 24-bit BMP of width by height pixels: the picture at its top-left corner, cut where it is
  // larger and white where it is smaller.
  bool WriteBmp(const RgbPicture& picture, int width, int height);
  // A baseline JPEG of the picture at the given quality (1 to 100).
  bool WriteJpg(const RgbPicture& picture, int quality);
  // Puts a written file in place; without a successful write the earlier file stays as it was.
  bool Close();

private:
  // Starts the file anew for a write: a destination written twice keeps only the last picture.
  bool Restart();

  std::filesystem::path m_target;
  std::optional<vetra::image::ReplacingFile> m_file;  // dropped (with its temporary file) unless closed after a write
  bool m_used = false;
  bool m_written = false;
};

}  // namespace tolvex
