#pragma once
// A control's text marks the letter Alt picks the control by with "&" ("파일 이름(&N):"): the mark
// is not shown, the letter is underlined, and "&&" shows one "&".

#include <string>
#include <string_view>

#include "platform/gdi/cdc.h"

namespace win {

struct MarkedText {
  std::string shown;                       // the text without its marks
  std::size_t mark = std::string::npos;    // where the marked character starts in `shown`
  std::size_t markLength = 0;              // its bytes (a double-byte character has two)
};
MarkedText ReadMarks(std::string_view text);

// Draws one line as DrawText does (single line, the same alignment flags), the marked letter
// underlined in the text colour.
void DrawMarkedText(CDC& dc, std::string_view text, RECT* rect, UINT format);

}  // namespace win
