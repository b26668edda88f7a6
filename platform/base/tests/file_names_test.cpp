#include "platform/base/file_names.h"

#include <gtest/gtest.h>

#include "platform/base/text.h"

namespace vetra {
namespace {

TEST(FileNames, EveryLinuxNameHasOneSpellingThatMapsBackAndShowsLegibly)
{
  const struct {
    const char* what;
    std::string linuxName;
    std::string shown;  // UTF-8
  } cases[] = {
      {"a character code page 949 lacks", "café.OSC", "café.OSC"},
      {"an emoji", "\xF0\x9F\x98\x80.OSC", "\xF0\x9F\x98\x80.OSC"},
      {"a name written in code page 949 bytes", "\xC0\xFA\xC0\xE5.OSC", "저장.OSC"},
      {"marks of a path or pattern", "12:30 a\\b*?.OSC", "12:30 a\\b*?.OSC"},
      {"bytes that are no text at all", "bad\xFF\x80.OSC", "bad\xEF\xBF\xBD\xEF\xBF\xBD.OSC"},
      {"Korean and café together", "차량 café.DAT", "차량 café.DAT"},
  };
  for (const auto& c : cases) {
    const std::string spelled = NameFromLinux(c.linuxName);
    EXPECT_EQ(LinuxFromText(spelled), c.linuxName) << c.what;
    EXPECT_EQ(Utf8(spelled), c.shown) << c.what;
    // Nothing the system reads as a separator, a drive colon or a wildcard, and no '?' standing in.
    EXPECT_EQ(spelled.find_first_of("\\:*?/"), std::string::npos) << c.what;
    EXPECT_EQ(CutCp949(spelled, spelled.size()), spelled) << c.what;  // whole characters
  }
}

TEST(FileNames, OrdinaryNamesKeepTheirSpelling)
{
  EXPECT_EQ(NameFromLinux("차량.dat"), Cp949("차량.dat"));
  EXPECT_EQ(NameFromLinux("Rec 01.OSC"), "Rec 01.OSC");
  EXPECT_EQ(LinuxFromText(Cp949("c:\\Vetra\\저장데이터")), "c:\\Vetra\\저장데이터");
}

TEST(FileNames, AWholePathOrCommandLineKeepsItsMarks)
{
  const std::string linuxPath = "/media/u/12:30/café.OSC";
  const std::string spelled = TextFromLinux(linuxPath);
  EXPECT_EQ(spelled.substr(0, 15), "/media/u/12:30/");
  EXPECT_EQ(LinuxFromText(spelled), linuxPath);
  EXPECT_EQ(TextFromLinux("c:\\Saves\\rec.scn"), "c:\\Saves\\rec.scn");
}

}  // namespace
}  // namespace vetra
