#include "platform/web/script_timers.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vetra::web
