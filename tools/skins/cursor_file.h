#pragma once
// The hand cursor (cursor resource 133): a 32 x 32 monochrome pointing hand with its hot spot on
// the tip of the index finger, stored as a Windows cursor file (.cur: a one-image directory with
// the hot spot, then a 1-bit DIB of twice the height holding the XOR mask and the AND mask).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::skins {

// The hand as rows of text: '#' outline (black), 'o' inside (white), '.' transparent.
const std::vector<std::string>& HandCursorShape();

std::string EncodeHandCursor();

// A cursor file read back: hot spot and the shape in the same letters.
struct CursorImage {
  int hotX = 0;
  int hotY = 0;
  std::vector<std::string> rows;
};
std::optional<CursorImage> DecodeCursor(std::string_view bytes);

}  // namespace vetra::skins
