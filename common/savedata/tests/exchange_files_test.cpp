#include "common/savedata/exchange_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/base/testing/temp_drive.h"

namespace savedata {
namespace {

// Which files go when a viewer control is destroyed.
TEST(ExchangeFiles, DeletionMatrix)
{
  struct Case { int reloadMode; bool companion; int deleted; };
  for (const Case c : {Case{0, true, 2}, {2, true, 2}, {1, true, 0}, {0, false, 1}}) {
    vetra::testing::TempDrive drive;
    drive.WriteFile("Vetra/TempE/1234Temp.Osc", "x");
    if (c.companion) drive.WriteFile("Windows/Osc1234Temp.tmp", "y");
    EXPECT_EQ(CompanionFilePath("1234Temp.Osc"), "C:\\Windows\\Osc1234Temp.tmp");
    EXPECT_EQ(DeleteWorkingCopy("1234Temp.Osc", "1234Temp.Osc", c.reloadMode), c.deleted) << c.reloadMode;
    EXPECT_EQ(std::filesystem::exists(drive / "Vetra/TempE/1234Temp.Osc"), c.reloadMode == 1);
    EXPECT_FALSE(std::filesystem::exists(drive / "Windows/Osc1234Temp.tmp") && c.reloadMode != 1);
  }
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/keep.Osc", "x");
  for (const char* name : {"..\\keep.Osc", "", "a/b", "c:x", "a\x01"}) EXPECT_EQ(DeleteWorkingCopy(name, name, 0), 0) << name;
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/keep.Osc"));
  // Nothing loaded: only the companion goes.
  drive.WriteFile("Vetra/TempE/1234Temp.Osc", "x");
  drive.WriteFile("Windows/Osc1234Temp.tmp", "y");
  EXPECT_EQ(DeleteWorkingCopy("1234Temp.Osc", "", 0), 1);
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/1234Temp.Osc"));
}

}  // namespace
}  // namespace savedata
