#include "platform/base/drive.h"

#include <gtest/gtest.h>

#include "platform/base/file_api.h"
#include "platform/base/file_names.h"
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

TEST(Drive, NamesCodePage949CannotSpellReachTheirFiles)
{
  testing::TempDrive drive;
  const std::string names[] = {"café.OSC", "\xC0\xFA\xC0\xE5.OSC", "a:b?.OSC"};
  const fs::path outside = drive.Root().parent_path() / (drive.Root().filename().string() + "-outside");
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    drive.WriteFile("Rec/" + name, "x");
    // As a folder listing spells it, inside the drive and outside it.
    const std::string inDrive = WindowsPathOf(drive.Root() / "Rec" / name);
    EXPECT_EQ(inDrive, "C:\\Rec\\" + NameFromLinux(name));
    EXPECT_EQ(MapPath(inDrive), drive.Root() / "Rec" / name);
    EXPECT_EQ(MapPath(ToLowerAscii(inDrive)), drive.Root() / "Rec" / name);
    const std::string linuxPath = WindowsPathOf(outside / name);
    EXPECT_EQ(linuxPath, TextFromLinux(outside.string()) + "/" + NameFromLinux(name));
    EXPECT_EQ(MapPath(linuxPath), outside / name);
  }
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
