#include "platform/base/window_titles.h"

#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/forked_child.h"
#include "platform/base/text.h"

namespace vetra {
namespace {
namespace fs = std::filesystem;

bool RegistryIsEmpty(const testing::TempDrive& drive)
{
  std::error_code ec;
  return fs::is_empty(drive / "Windows/WindowTitles", ec);
}

TEST(WindowTitles, TitleOfAnotherProcessIsFoundWhileItLives)
{
  testing::TempDrive drive;
  const std::string title = Cp949("프린트");
  testing::ForkedChild owner([&] { PublishWindowTitle(7, title); });
  ASSERT_TRUE(owner.Ready());
  EXPECT_TRUE(WindowTitleExists(title));
  EXPECT_FALSE(WindowTitleExists("Print"));
  owner.End();  // dies without withdrawing its window
  EXPECT_FALSE(WindowTitleExists(title));
  EXPECT_TRUE(RegistryIsEmpty(drive));
}

TEST(WindowTitles, PublishChangeAndWithdrawInThisProcess)
{
  testing::TempDrive drive;
  EXPECT_FALSE(WindowTitleExists("Print"));  // no registry yet
  PublishWindowTitle(1, "Print");
  PublishWindowTitle(2, "Viewer");
  EXPECT_TRUE(WindowTitleExists("Print"));
  EXPECT_FALSE(WindowTitleExists("print"));
  EXPECT_FALSE(WindowTitleExists("Prin"));
  PublishWindowTitle(1, "Renamed");
  EXPECT_FALSE(WindowTitleExists("Print"));
  EXPECT_TRUE(WindowTitleExists("Renamed"));
  WithdrawWindowTitle(1);
  EXPECT_FALSE(WindowTitleExists("Renamed"));
  EXPECT_TRUE(WindowTitleExists("Viewer"));
  WithdrawWindowTitle(2);
  EXPECT_TRUE(RegistryIsEmpty(drive));
}

TEST(WindowTitles, ATitleThatCannotBeWrittenWholeIsNotPublishedCut)
{
  testing::TempDrive drive;
  PublishWindowTitle(1, "Print");
  {
    const testing::FullDisk disk(3);
    ASSERT_TRUE(disk.Active());
    PublishWindowTitle(1, "Renamed");
  }
  EXPECT_FALSE(WindowTitleExists("Ren"));
  EXPECT_TRUE(WindowTitleExists("Print"));  // the earlier title stands
  WithdrawWindowTitle(1);
  EXPECT_TRUE(RegistryIsEmpty(drive));
}

TEST(WindowTitles, EntriesOfDeadOrReusedProcessesAreIgnoredAndCleaned)
{
  testing::TempDrive drive;
  std::string self = std::to_string(::getpid());
  drive.WriteFile("Windows/WindowTitles/999999999-1-1", "Print");   // no such process
  drive.WriteFile("Windows/WindowTitles/" + self + "-1-2", "Print");  // our pid, another start
  drive.WriteFile("Windows/WindowTitles/.999999999-1-3", "Print");  // a write cut short
  drive.WriteFile("Windows/WindowTitles/notes.txt", "Print");         // not an entry
  EXPECT_FALSE(WindowTitleExists("Print"));
  EXPECT_TRUE(fs::exists(drive / "Windows/WindowTitles/notes.txt"));
  fs::remove(drive / "Windows/WindowTitles/notes.txt");
  EXPECT_TRUE(RegistryIsEmpty(drive));
}

}  // namespace
}  // namespace vetra
