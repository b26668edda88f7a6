#include "platform/base/file_api.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/base/cfile.h"
#include "platform/base/global_memory.h"
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
