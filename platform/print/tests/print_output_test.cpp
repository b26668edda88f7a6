#include "platform/print/print_output.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"

namespace vetra::print {
namespace {

TEST(PrintOutput, FileNamesComeFromTheDocumentNameMadeSafe)
{
  const testing::TempDrive drive;
  const std::time_t when = 1'800'000'000;
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, " %Y-%m-%d %H-%M-%S.pdf", &local);
  struct Case {
    std::string documentName;  // code page 949
    std::string expected;      // UTF-8, before the stamp
  };
  const Case cases[] = {
      {"Vetra", "Vetra"},
      {"", "Document"},
      {"a/b\\c:d*e?\"<>|", "a_b_c_d_e_____"},
      {" ..hidden. ", "hidden"},
      {Cp949("시운전 보고서"), "시운전 보고서"},
      {std::string(300, 'x'), std::string(120, 'x')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewPrintFileName(drive.Root(), c.documentName, when).filename().string(), c.expected + stamp) << c.expected;
  }
}

TEST(PrintOutput, TheFolderComesFromTheEnvironmentOrTheDrive)
{
  const testing::TempDrive drive;
  EXPECT_EQ(PrintFolder(), drive.Root() / "Vetra" / "Prints");
  ::setenv("VETRA_PRINT_DIR", "/srv/prints", 1);
  EXPECT_EQ(PrintFolder(), std::filesystem::path("/srv/prints"));
  ::unsetenv("VETRA_PRINT_DIR");
}

}  // namespace
}  // namespace vetra::print
