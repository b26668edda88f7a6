#include "platform/base/file_api.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "platform/base/cfile.h"
#include "platform/base/global_memory.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/memory_file.h"
#include "platform/base/testing/temp_drive.h"

namespace win {
namespace {
namespace fs = std::filesystem;
using vetra::testing::TempDrive;

TEST(FileApi, LowLevelCallsReadAndWriteMappedFiles)
{
  TempDrive drive;
  fs::create_directories(drive / "Vetra/Temp");
  HFILE out = _lcreat("C:\\Vetra\\Temp\\a.bin", 0);
  ASSERT_NE(out, HFILE_ERROR);
  EXPECT_EQ(_lwrite(out, "hello", 5), 5u);
  EXPECT_EQ(_lclose(out), 0);

  HFILE in = _lopen("c:\\vetra\\temp\\A.BIN", OF_READ | OF_SHARE_DENY_WRITE);
  ASSERT_NE(in, HFILE_ERROR);
  char buffer[16] = {};
  EXPECT_EQ(_lread(in, buffer, sizeof buffer), 5u);  // short at the end of the file
  EXPECT_STREQ(buffer, "hello");
  EXPECT_EQ(_llseek(in, 1, FILE_BEGIN), 1);
  EXPECT_EQ(_lread(in, buffer, 2), 2u);
  EXPECT_EQ(_lclose(in), 0);

  EXPECT_EQ(_lopen("c:\\Vetra\\Temp\\none", OF_READ), HFILE_ERROR);
  EXPECT_EQ(_lopen("c:\\Vetra\\Temp", OF_READ), HFILE_ERROR);  // a folder is no file
}

TEST(FileApi, AccessMkdirCopyDelete)
{
  TempDrive drive;
  EXPECT_EQ(_access("c:\\Vetra", 0), -1);
  EXPECT_EQ(_mkdir("c:\\Vetra"), 0);
  EXPECT_EQ(_mkdir("c:\\Vetra"), -1);
  EXPECT_EQ(_access("c:\\VETRA", 0), 0);

  drive.WriteFile("Vetra/src.dat", "data");
  fs::last_write_time(drive / "Vetra/src.dat", fs::file_time_type::clock::now() - std::chrono::hours(48));
  EXPECT_TRUE(CopyFileA("c:\\Vetra\\src.dat", "c:\\Vetra\\dst.dat", FALSE));
  EXPECT_EQ(drive.ReadFile("Vetra/dst.dat"), "data");
  EXPECT_EQ(fs::last_write_time(drive / "Vetra/dst.dat"), fs::last_write_time(drive / "Vetra/src.dat"));
  EXPECT_FALSE(CopyFileA("c:\\Vetra\\src.dat", "c:\\Vetra\\dst.dat", TRUE));
  EXPECT_FALSE(CopyFileA("c:\\Vetra\\missing", "c:\\Vetra\\x", FALSE));
  EXPECT_FALSE(fs::exists(drive / "Vetra/x"));

  EXPECT_TRUE(DeleteFileA("c:\\Vetra\\dst.dat"));
  EXPECT_FALSE(DeleteFileA("c:\\Vetra\\dst.dat"));

  char windows[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectoryA(windows, sizeof windows), 10u);
  EXPECT_STREQ(windows, "C:\\Windows");
  EXPECT_EQ(GetWindowsDirectoryA(windows, 4), 11u);
}

// A copy of several buffers' worth, from the same filesystem and from another one (where the
// kernel copies nothing itself, as from a USB stick), over an existing file or to a new name. It
// arrives whole with the source's time, or, when a write fails, leaves the target as it was and
// nothing half-written beside it.
TEST(FileApi, CopyIsWholeOrNothing)
{
  struct Case {
    const char* what;
    bool otherFilesystem;
    bool targetExists;
    bool diskFull;
  };
  const Case cases[] = {
      {"same filesystem, new name", false, false, false},
      {"same filesystem, over a file", false, true, false},
      {"other filesystem, new name", true, false, false},
      {"other filesystem, over a file", true, true, false},
      {"same filesystem, disk full", false, true, true},
      {"other filesystem, disk full", true, true, true},
      {"other filesystem, disk full, new name", true, false, true},
  };
  std::string bytes(3 * 1024 * 1024 + 123, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 4096);
  const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDrive drive;
    fs::create_directories(drive / "Vetra/TempE");
    vetra::testing::MemoryFile memory;
    std::string source = "c:\\Saves\\road.DAT";
    if (c.otherFilesystem) {
      ASSERT_TRUE(memory.Write(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
      source = memory.Path();
      fs::last_write_time(source, stamp);
    } else {
      drive.WriteFile("Saves/road.DAT", bytes);
      fs::last_write_time(drive / "Saves/road.DAT", stamp);
    }
    if (c.targetExists) drive.WriteFile("Vetra/TempE/1Temp.Dat", "old");

    BOOL copied = FALSE;
    if (c.diskFull) {
      const vetra::testing::FullDisk disk(1024 * 1024);
      ASSERT_TRUE(disk.Active());
      copied = CopyFileA(source.c_str(), "c:\\Vetra\\TempE\\1Temp.Dat", FALSE);
    } else {
      copied = CopyFileA(source.c_str(), "c:\\Vetra\\TempE\\1Temp.Dat", FALSE);
    }

    EXPECT_EQ(copied, c.diskFull ? FALSE : TRUE);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) names.insert(entry.path().filename().string());
    const bool targetLeft = c.targetExists || !c.diskFull;
    EXPECT_EQ(names, targetLeft ? std::set<std::string>{"1Temp.Dat"} : std::set<std::string>{});
    if (!c.diskFull) {
      EXPECT_TRUE(drive.ReadFile("Vetra/TempE/1Temp.Dat") == bytes);
      EXPECT_EQ(fs::last_write_time(drive / "Vetra/TempE/1Temp.Dat"), stamp);
    } else if (c.targetExists) {
      EXPECT_EQ(drive.ReadFile("Vetra/TempE/1Temp.Dat"), "old");
    }
  }
}

TEST(CFileTest, OpenReadWriteSeekAndStatus)
{
  TempDrive drive;
  fs::create_directories(drive / "Vetra");
  {
    CFile file;
    ASSERT_TRUE(file.Open("c:\\Vetra\\f.dat", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    file.Write("0123456789", 10);
    file.Close();
  }
  CFile file("c:\\Vetra\\F.DAT", CFile::modeRead | CFile::shareDenyWrite);
  EXPECT_EQ(file.GetLength(), 10u);
  EXPECT_EQ(file.Seek(-3, CFile::end), 7u);
  char tail[8] = {};
  EXPECT_EQ(file.Read(tail, 8), 3u);
  EXPECT_STREQ(tail, "789");

  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus("c:\\Vetra\\f.dat", status));
  status.m_mtime = CTime(2003, 5, 17, 10, 30, 0);
  CFile::SetStatus("c:\\Vetra\\f.dat", status);
  CFileStatus after;
  ASSERT_TRUE(CFile::GetStatus("c:\\Vetra\\f.dat", after));
  EXPECT_EQ(after.m_mtime.GetYear(), 2003);
  EXPECT_EQ(after.m_mtime.GetMinute(), 30);

  CFileException error;
  CFile missing;
  EXPECT_FALSE(missing.Open("c:\\Vetra\\nothing", CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_THROW(CFile("c:\\Vetra\\nothing", CFile::modeRead), CFileException);
}

TEST(GlobalMemoryTest, ZeroFilledGrowableAndRefusedWhenTooLarge)
{
  GlobalMemory block = GlobalAlloc(GHND, 16);
  ASSERT_TRUE(block);
  EXPECT_EQ(block.Size(), 16u);
  BYTE* bytes = block.Lock();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], 0);
  bytes[0] = 7;
  block.Unlock();
  ASSERT_TRUE(block.ReAlloc(32, GHND));
  EXPECT_EQ(block.Data()[0], 7);
  EXPECT_EQ(block.Data()[31], 0);
  EXPECT_FALSE(GlobalAlloc(GHND, kGlobalMemoryLimit + 1));
  block.Free();
  EXPECT_FALSE(block);
}

}  // namespace
}  // namespace win
