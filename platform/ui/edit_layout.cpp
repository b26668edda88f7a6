#include "platform/ui/edit_layout.h"

#include "platform/base/text.h"

namespace win::detail {

namespace {

int CharEnd(std::string_view text, int at, int end)
{
  const bool lead = vetra::IsLeadByte(static_cast<unsigned char>(text[static_cast<std::size_t>(at)]));
  return std::min(end, at + (lead ? 2 : 1));
}

void Wrap(std::string_view text, int start, int end, int width, const std::function<int(std::string_view)>& measure,
          std::vector<EditLine>& lines)
{
  auto piece = [&](int from, int to) { return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)); };
  int pos = start;
  for (;;) {
    if (measure(piece(pos, end)) <= width) {
      lines.push_back({pos, end - pos});
      return;
    }
    int fit = pos;
    for (int at = pos; at < end;) {
      const int next = CharEnd(text, at, end);
      if (measure(piece(pos, next)) > width) break;
      fit = next;
      at = next;
    }
    if (fit == pos) fit = CharEnd(text, pos, end);  // at least one character per line
    int cut = fit;
    if (text[static_cast<std::size_t>(fit)] != ' ') {
      for (int at = fit; at > pos; --at) {
        if (text[static_cast<std::size_t>(at - 1)] == ' ') {
          cut = at;
          break;
        }
      }
    }
    while (cut < end && text[static_cast<std::size_t>(cut)] == ' ') ++cut;  // blanks hang at the end
    lines.push_back({pos, cut - pos});
    pos = cut;
    if (pos >= end) return;
  }
}

}  // namespace

std::vector<EditLine> LayOutEditText(std::string_view text, bool multiline, int wrapWidth,
                                     const std::function<int(std::string_view)>& measure)
{
  std::vector<EditLine> lines;
  const int size = static_cast<int>(text.size());
  if (!multiline) {
    lines.push_back({0, size});
    return lines;
  }
  int start = 0;
  for (;;) {
    const std::size_t found = text.find("\r\n", static_cast<std::size_t>(start));
    const int end = found == std::string_view::npos ? size : static_cast<int>(found);
    if (wrapWidth > 0 && end > start) Wrap(text, start, end, wrapWidth, measure, lines);
    else lines.push_back({start, end - start});
    if (found == std::string_view::npos) break;
    start = end + 2;
  }
  return lines;
}

}  // namespace win::detail
