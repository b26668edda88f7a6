#include "platform/base/drive.h"

#include <gtest/gtest.h>

#include "platform/base/file_api.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"

namespace vetra {
namespace {
namespace fs = std::filesystem;

TEST(Drive, MapsDrivePathsBelowTheRoot)
{
  testing::TempDrive drive;
  EXPECT_EQ(MapPath("c:\\Vetra\\TempE\\x.osc"), drive.Root() / "Vetra/TempE/x.osc");
  EXPECT_EQ(MapPath("C:/Vetra/TempE"), drive.Root() / "Vetra/TempE");
  EXPECT_EQ(MapPath("\\Vetra"), drive.Root() / "Vetra");
  EXPECT_EQ(MapPath("/etc/passwd"), fs::path("/etc/passwd"));
}

TEST(Drive, FindsExistingComponentsWithoutRegardToCase)
{
  testing::TempDrive drive;
  drive.WriteFile("Vetra/Fenmark/Img/scope/Main.bmp", "BM");
  EXPECT_EQ(MapPath("C:\\VETRA\\fenmark\\Img\\Scope\\MAIN.BMP"), drive.Root() / "Vetra/Fenmark/Img/scope/Main.bmp");
  // A component that does not exist keeps its spelling, and so does everything after it.
  EXPECT_EQ(MapPath("c:\\vetra\\FENMARK\\New\\A.bmp"), drive.Root() / "Vetra/Fenmark/New/A.bmp");
}

TEST(Drive, DotDotNeverLeavesTheDrive)
{
  testing::TempDrive drive;
  EXPECT_EQ(MapPath("c:\\Vetra\\..\\..\\etc\\passwd"), drive.Root() / "etc/passwd");
  EXPECT_EQ(MapPath("c:\\..\\..\\.."), drive.Root());
  EXPECT_EQ(MapPath("c:\\Vetra\\.\\TempE\\..\\Temp"), drive.Root() / "Vetra/Temp");
}

TEST(Drive, KoreanNamesAreUtf8OnDisk)
{
  testing::TempDrive drive;
  EXPECT_EQ(MapPath(Cp949("c:\\Vetra\\차량.dat")), drive.Root() / "Vetra/차량.dat");
}

TEST(Drive, RelativePathsFollowTheCurrentDirectory)
{
  testing::TempDrive drive;
  fs::create_directories(drive.Root() / "Vetra/TempE");
  ASSERT_TRUE(win::SetCurrentDirectoryA("C:\\vetra\\tempe"));
  char buffer[win::MAX_PATH];
  ASSERT_GT(win::GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_STREQ(buffer, "C:\\Vetra\\TempE");
  EXPECT_EQ(MapPath("a.osc"), drive.Root() / "Vetra/TempE/a.osc");
  EXPECT_EQ(MapPath("..\\Temp\\enviro"), drive.Root() / "Vetra/Temp/enviro");
  EXPECT_FALSE(win::SetCurrentDirectoryA("c:\\NoSuchFolder"));
}

}  // namespace
}  // namespace vetra
