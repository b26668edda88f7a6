// The small runtime services: random numbers, debugger traces, clocks.
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/clock.h"
#include "platform/base/random.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace vetra {
namespace {

TEST(Random, FollowsTheOriginalRuntimeSequence)
{
  struct Case {
    unsigned seed;
    std::vector<int> first;
  };
  const Case cases[] = {
      {1, {41, 18467, 6334, 26500, 19169}},
      {0, {38, 7719, 21238, 2437, 8855}},
  };
  for (const auto& c : cases) {
    win::srand(c.seed);
    std::vector<int> drawn;
    for (std::size_t i = 0; i < c.first.size(); ++i) drawn.push_back(win::rand());
    EXPECT_EQ(drawn, c.first) << c.seed;
  }
}

TEST(Random, TestSourceIsKeptInRange)
{
  SetRandomSourceForTests([] { return 0x12345; });
  EXPECT_EQ(win::rand(), 0x2345);
  SetRandomSourceForTests({});
  win::srand(1);
  EXPECT_EQ(win::rand(), 41);
}

TEST(Trace, GoesToTheSinkOrToStderrWhenAskedFor)
{
  std::vector<std::string> seen;
  SetTraceSink([&](std::string_view text) { seen.emplace_back(text); });
  win::OutputDebugStringA("TESSIAL Run OCX Start");
  SetTraceSink({});
  EXPECT_EQ(seen, std::vector<std::string>{"TESSIAL Run OCX Start"});

  struct Case {
    bool traceOn;
    std::string expected;
  };
  for (const Case& c : {Case{false, ""}, Case{true, "측정 시작\n"}}) {
    if (c.traceOn) ::setenv("VETRA_TRACE", "1", 1); else ::unsetenv("VETRA_TRACE");
    ::testing::internal::CaptureStderr();
    win::OutputDebugStringA(Cp949("측정 시작"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.expected);
  }
  ::unsetenv("VETRA_TRACE");
}

TEST(Clock, VirtualTimeMovesOnlyWhenAdvancedAndNeverRunsBack)
{
  UseVirtualClock(true);
  win::DWORD before = win::GetTickCount();
  EXPECT_EQ(win::GetTickCount(), before);
  AdvanceVirtualClock(250);
  EXPECT_EQ(win::GetTickCount(), before + 250);
  UseVirtualClock(false);
  EXPECT_GE(win::GetTickCount(), before + 250);
  AdvanceVirtualClock(100000);  // no effect on real time
  EXPECT_LT(win::GetTickCount(), before + 100000);
}

TEST(Clock, LocalTimeAndTimeFollowThePinnedWallClock)
{
  const char* previousTz = std::getenv("TZ");
  std::string keptTz = previousTz != nullptr ? previousTz : "";
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  PinWallClockForTests(1'796'909'271);  // 2026-12-10 13:27:51 UTC, a Thursday
  win::SYSTEMTIME now{};
  win::GetLocalTime(now);
  EXPECT_EQ((std::vector<int>{now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond}),
            (std::vector<int>{2026, 12, 10, 4, 13, 27, 51}));
  std::time_t out = 0;
  EXPECT_EQ(win::time(&out), 1'796'909'271);
  EXPECT_EQ(out, 1'796'909'271);
  PinWallClockForTests(std::nullopt);
  if (previousTz != nullptr) ::setenv("TZ", keptTz.c_str(), 1); else ::unsetenv("TZ");
  ::tzset();
}

}  // namespace
}  // namespace vetra
