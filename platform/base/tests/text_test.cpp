#include "platform/base/text.h"

#include <gtest/gtest.h>

namespace vetra {
namespace {

TEST(Cp949, RoundTripsKoreanAndTheSymbolsTheSystemShows)
{
  struct Case { const char* utf8; const char* cp949; };
  const Case cases[] = {
      {"화일", "\xC8\xAD\xC0\xCF"},
      {"℃", "\xA1\xC9"},
      {"˚", "\xA2\xAA"},
      {"Ω", "\xA5\xD8"},
      {"％", "\xA3\xA5"},
      {"★", "\xA1\xDA"},
      {"rpm", "rpm"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp949(c.utf8), c.cp949) << c.utf8;
    EXPECT_EQ(Utf8(c.cp949), c.utf8) << c.utf8;
  }
}

TEST(Cp949, UnconvertibleInputIsReplacedNotDropped)
{
  EXPECT_EQ(Cp949("a\xF0\x9F\x98\x80" "b"), "a?b");   // an emoji has no CP949 form
  EXPECT_EQ(Utf8("a\xC8"), "a\xEF\xBF\xBD");          // a lead byte cut off at the end
}

TEST(Cp949, CutNeverSplitsADoubleByteCharacter)
{
  std::string text = Cp949("가나다");  // six bytes
  EXPECT_EQ(CutCp949(text, 6), text);
  EXPECT_EQ(CutCp949(text, 5), text.substr(0, 4));
  EXPECT_EQ(CutCp949(text, 1), "");
  EXPECT_EQ(CutCp949("ab" + text, 3), "ab");
}

TEST(Format, FormatsLikePrintf)
{
  EXPECT_EQ(Format("%dTemp.%s", 1234, "Osc"), "1234Temp.Osc");
  EXPECT_EQ(Format("%.2f", 2.005), "2.00");
  EXPECT_EQ(Format("%s", ""), "");
}

}  // namespace
}  // namespace vetra
