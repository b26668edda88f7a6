#pragma once
// What the picture-file code of the viewers and the print layout shares: a 24-bit RGB picture,
// the picture library's error codes and their English texts.

#include <cstdint>
#include <string>
#include <vector>

namespace vetra::image {

// The codes the picture library has always reported; the viewers' messages show their texts.
enum ErrorCode : int {
  kNoError = 0,
  kOutOfMemory = 1,
  kFileOpen = 2,
  kFileRead = 3,
  kFileWrite = 4,
  kBadParam = 5,
  kBadBmp = 6,
  kRleBmp = 7,
  kBadJpg = 9,
};

// A picture of 3 bytes a pixel, red, green and blue, rows top-down without padding.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Bytes a whole picture of this size needs; 0 for a size that is not positive.
std::size_t RgbBytes(int width, int height);

// The English text of a code the library names; "Error #%d" for the others. Code 12 (no GIF
// support) is named only where a caller's messages name it.
std::string ErrorText(int code);

}  // namespace vetra::image
