#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/ui/edit_layout.h"

namespace {

using win::detail::LayOutEditText;

// Every byte 6 pixels wide.
int Measure(std::string_view text) { return static_cast<int>(text.size()) * 6; }

std::vector<std::string> Lines(const std::string& text, bool multiline, int width)
{
  std::vector<std::string> lines;
  for (const auto& line : LayOutEditText(text, multiline, width, Measure)) {
    lines.push_back(text.substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.length)));
  }
  return lines;
}

TEST(EditLayout, LinesBreakAtLineEndsAndAtTheBoxWidth)
{
  using vetra::Cp949;
  const struct {
    const char* what;
    std::string text;
    bool multiline;
    int width;
    std::vector<std::string> expected;
  } cases[] = {
      {"empty box", "", true, 40, {""}},
      {"hard lines", "ab\r\ncd\r\n", true, 0, {"ab", "cd", ""}},
      {"single line keeps everything", "ab\r\ncd", false, 10, {"ab\r\ncd"}},
      {"after the last blank", "hello world", true, 40, {"hello ", "world"}},
      {"blanks hang at the end", "ab   cd", true, 20, {"ab   ", "cd"}},
      {"no blank: between characters", "abcdefghij", true, 30, {"abcde", "fghij"}},
      {"Korean after a blank", Cp949("가나다 라마"), true, 45, {Cp949("가나다 "), Cp949("라마")}},
      {"Korean never split", Cp949("가나다라"), true, 30, {Cp949("가나"), Cp949("다라")}},
      {"narrower than a character", "ab", true, 3, {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(c.text, c.multiline, c.width), c.expected) << c.what;
}

}  // namespace
