#pragma once
// How an edit box's text falls into lines: hard lines end at "\r\n"; a multi-line box that does
// not scroll sideways also breaks longer lines to its width, after the last blank that fits
// (blanks stay at the end of their line), or between two characters when no blank fits.

#include <functional>
#include <string_view>
#include <vector>

namespace win::detail {

struct EditLine {
  int start = 0;   // byte offset of the line's first character
  int length = 0;  // bytes, without the line end
};

// `measure` gives the drawn width of a piece of text; wrapWidth <= 0 means no breaking.
std::vector<EditLine> LayOutEditText(std::string_view text, bool multiline, int wrapWidth,
                                     const std::function<int(std::string_view)>& measure);

}  // namespace win::detail
