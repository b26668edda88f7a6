#include "platform/web/script_timers.h"

#include <gtest/gtest.h>

#include <string>

namespace vetra::web {
namespace {

TEST(ScriptTimers, RunInDueOrderWithIntervalsRearmed)
{
  ScriptTimers timers;
  const int late = timers.Add(0, 30, false, "late");
  const int every = timers.Add(0, 10, true, "every");
  const int early = timers.Add(0, 10, false, "early");
  const int zero = timers.Add(0, 0, true, "zero");
  EXPECT_EQ(timers.NextDue(), 0u);
  EXPECT_EQ(timers.TakeDue(0)->id, zero);
  EXPECT_FALSE(timers.TakeDue(0));  // an interval of 0 waits a millisecond
  EXPECT_TRUE(timers.Remove(zero));

  std::vector<int> order;
  while (auto t = timers.TakeDue(30)) order.push_back(t->id);
  // At 30 the timeout set at 0 comes before the interval put back at 20.
  EXPECT_EQ(order, (std::vector<int>{every, early, every, late, every}));
  EXPECT_EQ(timers.NextDue(), 40u);
  EXPECT_TRUE(timers.Remove(every));
  EXPECT_FALSE(timers.Remove(every));
  EXPECT_FALSE(timers.NextDue());
}

TEST(ScriptTimers, KeepNoMoreTimersNorTimerTextThanAPageMayHave)
{
  ScriptTimers timers;
  const std::string half(kMaxTimerTextBytes / 2, 'x');
  const int first = timers.Add(0, 10, false, half);
  EXPECT_NE(timers.Add(0, 10, true, half), 0);
  EXPECT_EQ(timers.Add(0, 10, false, "x"), 0);  // the text is full
  EXPECT_NE(timers.Add(0, 10, false, ""), 0);   // a timer kept as a function has no text
  ASSERT_EQ(timers.TakeDue(10)->id, first);      // a timeout that ran gives its text back
  EXPECT_NE(timers.Add(10, 10, false, "x"), 0);
  timers.Clear();

  const int kept = timers.Add(0, 10, false, "");
  for (std::size_t i = 1; i < kMaxTimers; ++i) ASSERT_NE(timers.Add(0, 10, false, ""), 0);
  EXPECT_EQ(timers.Add(0, 10, false, ""), 0);
  EXPECT_TRUE(timers.Remove(kept));
  EXPECT_NE(timers.Add(0, 10, false, ""), 0);
}

}  // namespace
}  // namespace vetra::web
