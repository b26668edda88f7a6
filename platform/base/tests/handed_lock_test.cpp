// The lock a program hands to the program it starts: a second taker waits until the started
// program lets go, and the lock reaches only the next program started.
#include "platform/base/handed_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/base/process.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(HandedLock, TheStartedProgramHoldsTheLockUntilItEnds)
{
  testing::TempDrive drive;
  // The started program holds what it inherited until the marker file appears.
  drive.WriteFile("Vetra/holder.sh", "#!/bin/sh\nwhile [ ! -e \"$VETRA_ROOT/go\" ]; do sleep 0.02; done\n");
  fs::permissions(drive / "Vetra/holder.sh", fs::perms::owner_all);
  {
    HandedLock lock("test page", 0ms);
    ASSERT_TRUE(lock.Held());
    lock.HandToNextProgram();
    ASSERT_TRUE(win::CreateProcessA("c:\\Vetra\\holder.sh"));
    EXPECT_EQ(std::getenv("VETRA_HANDED_LOCK_FD"), nullptr);  // never to a second program
  }
  // Our share is gone, the started program's is not.
  EXPECT_FALSE(HandedLock("test page", 100ms).Held());
  drive.WriteFile("go", "");
  EXPECT_TRUE(HandedLock("test page", 10s).Held());
}

TEST(HandedLock, AnUnhandedLockEndsWithItsObjectAndReleasingNothingIsHarmless)
{
  testing::TempDrive drive;
  { HandedLock lock("test page", 0ms); }
  EXPECT_TRUE(HandedLock("test page", 0ms).Held());
  ::setenv("VETRA_HANDED_LOCK_FD", "1", 1);  // not a lock file: left alone
  ReleaseHandedLock();
  EXPECT_EQ(std::getenv("VETRA_HANDED_LOCK_FD"), nullptr);
  EXPECT_GE(::write(1, "", 0), 0);
}

}  // namespace
}  // namespace vetra
