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

namespace tolvex {

enum ImageError : int {
  kImageNoError = 0,
  kImageOutOfMemory = 1,
  kImageFileOpen = 2,
  kImageFileRead = 3,
  kImageFileWrite = 4,
  kImageBadParam = 5,
  kImageBadBmp = 6,
  kImageRleBmp = 7,
  kImageBadJpg = 9,
};

// The English text of a picture library code ("Error #%d" for codes it does not name).
std::string ImageErrorText(int code);
// The code of the last failure of this thread's picture library calls.
int ImageLastError();

// A picture of 3 bytes a pixel, red, green and blue, rows top-down without padding.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

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
  ~ImageDestination();  // drops an unfinished write
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
  std::filesystem::path m_target;
  std::filesystem::path m_temporary;
  bool m_written = false;
};

}  // namespace tolvex
