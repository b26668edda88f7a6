// The lock a program hands to the program it starts: a second taker waits until the started
// program lets go, and the lock reaches only the next program started.
#include "platform/base/handed_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/base/drive.h"
#include "platform/base/process.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* kHandedVariable = "VETRA_HANDED_LOCK_FD";

std::string ReadWhenWritten(const fs::path& file)
{
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find('\n') != std::string::npos) return text.str();
    std::this_thread::sleep_for(20ms);
  }
  return "(never written)";
}

TEST(HandedLock, TheStartedProgramHoldsTheLockUntilItEndsAndOurEnvironmentStaysAsItWas)
{
  testing::TempDrive drive;
  // The started program writes down what it was handed, then holds what it inherited until the
  // marker file appears.
  drive.WriteFile("Vetra/holder.sh",
                  "#!/bin/sh\necho \"[$VETRA_HANDED_LOCK_FD]\" > \"$VETRA_ROOT/handed.tmp\"\n"
                  "mv \"$VETRA_ROOT/handed.tmp\" \"$VETRA_ROOT/handed\"\n"
                  "while [ ! -e \"$VETRA_ROOT/go\" ]; do sleep 0.02; done\n");
  fs::permissions(drive / "Vetra/holder.sh", fs::perms::owner_all);
  {
    HandedLock lock("test page", 0ms);
    ASSERT_TRUE(lock.Held());
    lock.HandToNextProgram();
    // Other threads may read our environment at any time: only the started program's changes.
    EXPECT_EQ(std::getenv(kHandedVariable), nullptr);
    ASSERT_TRUE(win::CreateProcessA("c:\\Vetra\\holder.sh"));
    EXPECT_EQ(std::getenv(kHandedVariable), nullptr);
  }
  EXPECT_NE(ReadWhenWritten(drive / "handed"), "[]\n");
  // Our share is gone, the started program's is not.
  EXPECT_FALSE(HandedLock("test page", 100ms).Held());
  drive.WriteFile("go", "");
  EXPECT_TRUE(HandedLock("test page", 10s).Held());
}

TEST(HandedLock, ReachesOnlyTheNextProgramStarted)
{
  testing::TempDrive drive;
  drive.WriteFile("Vetra/writer.sh", "#!/bin/sh\necho \"[$VETRA_HANDED_LOCK_FD]\" > \"$VETRA_ROOT/$1.tmp\"\n"
                                     "mv \"$VETRA_ROOT/$1.tmp\" \"$VETRA_ROOT/$1\"\n");
  fs::permissions(drive / "Vetra/writer.sh", fs::perms::owner_all);
  // A number this program was handed itself means nothing to the programs it starts.
  ::setenv(kHandedVariable, "7", 1);
  {
    HandedLock lock("test page", 0ms);
    ASSERT_TRUE(lock.Held());
    lock.HandToNextProgram();
    ASSERT_TRUE(win::CreateProcessA("c:\\Vetra\\writer.sh first"));
    ASSERT_TRUE(win::CreateProcessA("c:\\Vetra\\writer.sh second"));
  }
  EXPECT_NE(ReadWhenWritten(drive / "first"), "[]\n");
  EXPECT_NE(ReadWhenWritten(drive / "first"), "[7]\n");
  EXPECT_EQ(ReadWhenWritten(drive / "second"), "[]\n");
  EXPECT_STREQ(std::getenv(kHandedVariable), "7");
  ::unsetenv(kHandedVariable);
}

TEST(HandedLock, AnAdoptedLockIsLetGoOnRelease)
{
  testing::TempDrive drive;
  // As a started program finds it: a lock file descriptor holding the lock, named in the
  // environment it started with.
  fs::create_directories(MapPath("C:\\Windows"));
  const int inherited = ::open(MapPath("C:\\Windows\\test page.lock").c_str(), O_RDWR | O_CREAT, 0666);
  ASSERT_GE(inherited, 0);
  ASSERT_EQ(::flock(inherited, LOCK_EX | LOCK_NB), 0);
  ::setenv(kHandedVariable, std::to_string(inherited).c_str(), 1);
  AdoptHandedLock();
  ::unsetenv(kHandedVariable);
  EXPECT_FALSE(HandedLock("test page", 0ms).Held());
  ReleaseHandedLock();
  EXPECT_TRUE(HandedLock("test page", 0ms).Held());
}

TEST(HandedLock, AnUnhandedLockEndsWithItsObjectAndReleasingNothingIsHarmless)
{
  testing::TempDrive drive;
  { HandedLock lock("test page", 0ms); }
  EXPECT_TRUE(HandedLock("test page", 0ms).Held());
  ::setenv(kHandedVariable, "1", 1);  // not a lock file: left alone
  AdoptHandedLock();
  ::unsetenv(kHandedVariable);
  ReleaseHandedLock();
  EXPECT_GE(::write(1, "", 0), 0);
}

}  // namespace
}  // namespace vetra
