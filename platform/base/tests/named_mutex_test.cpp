#include "platform/base/named_mutex.h"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/forked_child.h"

namespace vetra {
namespace {

TEST(NamedMutex, HeldByOneProcessAndFreeAfterItDies)
{
  testing::TempDrive drive;
  testing::ForkedChild holder([] {
    static NamedMutex mutex("PreventSecondInstance-Print");
  });
  ASSERT_TRUE(holder.Ready());
  {
    NamedMutex second("PreventSecondInstance-Print");
    EXPECT_TRUE(second.AlreadyExists());
    EXPECT_FALSE(second.Held());
    NamedMutex other("AnotherName");
    EXPECT_FALSE(other.AlreadyExists());
  }
  holder.End();
  NamedMutex afterwards("PreventSecondInstance-Print");
  EXPECT_FALSE(afterwards.AlreadyExists());
  EXPECT_TRUE(afterwards.Held());
  EXPECT_TRUE(std::filesystem::exists(drive / "Windows/PreventSecondInstance-Print.lock"));
}

TEST(NamedMutex, SecondOpenInOneProcessSeesTheFirstUntilItCloses)
{
  testing::TempDrive drive;
  auto first = std::make_unique<NamedMutex>("Single");
  EXPECT_TRUE(first->Held());
  EXPECT_TRUE(NamedMutex("Single").AlreadyExists());
  first.reset();
  EXPECT_TRUE(NamedMutex("Single").Held());
}

TEST(NamedMutex, NameStaysInsideTheWindowsFolder)
{
  testing::TempDrive drive;
  NamedMutex mutex("Global\\..\\../escape");
  EXPECT_TRUE(mutex.Held());
  EXPECT_TRUE(std::filesystem::exists(drive / "Windows/Global_.._.._escape.lock"));
}

}  // namespace
}  // namespace vetra
