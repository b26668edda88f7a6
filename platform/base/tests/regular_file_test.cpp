// Only regular files are opened: a folder, a pipe or a device where a file is expected is a file
// that cannot be opened, through every way the system opens files, and nothing waits on a pipe.
#include "platform/base/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/base/cfile.h"
#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra {
namespace {

namespace fs = std::filesystem;

class RegularFiles : public ::testing::Test {
protected:
  void SetUp() override
  {
    fs::create_directories(drive / "Vetra/Temp/folder.dat");
    ASSERT_EQ(::mkfifo((drive / "Vetra/Temp/pipe.dat").c_str(), 0644), 0);
    drive.WriteFile("Vetra/Temp/plain.dat", "bytes");
  }
  testing::TempDrive drive;
};

TEST_F(RegularFiles, FoldersPipesAndDevicesCannotBeOpenedAndNothingWaits)
{
  const struct {
    const char* windowsPath;
    int error;
  } cases[] = {
      {"c:\\Vetra\\Temp\\folder.dat", EISDIR},
      {"c:\\Vetra\\Temp\\pipe.dat", ENXIO},
      {"/dev/null", ENXIO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.windowsPath);
    const fs::path path = MapPath(c.windowsPath);
    errno = 0;
    EXPECT_FALSE(ReadRegularFile(path));
    EXPECT_EQ(errno, c.error);
    EXPECT_FALSE(ReadRegularFileBytes(path));
    EXPECT_FALSE(IsRegularFile(path));
    EXPECT_EQ(win::_lopen(c.windowsPath, win::OF_READ), win::HFILE_ERROR);
    EXPECT_EQ(win::MappedFopen(c.windowsPath, "rb"), nullptr);
    win::CFile file;
    win::CFileException error;
    EXPECT_FALSE(file.Open(c.windowsPath, win::CFile::modeRead, &error));
    EXPECT_THROW(win::CFile(c.windowsPath, win::CFile::modeRead), win::CFileException);
    // Writing where a pipe or folder stands neither waits for a reader nor replaces it.
    EXPECT_FALSE(file.Open(c.windowsPath, win::CFile::modeCreate | win::CFile::modeWrite, &error));
  }
  EXPECT_TRUE(fs::is_fifo(drive / "Vetra/Temp/pipe.dat"));
}

TEST_F(RegularFiles, RegularFilesReadWhole)
{
  EXPECT_EQ(ReadRegularFile(drive / "Vetra/Temp/plain.dat"), "bytes");
  EXPECT_EQ(ReadRegularFileBytes(drive / "Vetra/Temp/plain.dat"), (std::vector<std::uint8_t>{'b', 'y', 't', 'e', 's'}));
  EXPECT_TRUE(IsRegularFile(drive / "Vetra/Temp/plain.dat"));
  EXPECT_FALSE(ReadRegularFile(drive / "Vetra/Temp/missing.dat"));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace
}  // namespace vetra
