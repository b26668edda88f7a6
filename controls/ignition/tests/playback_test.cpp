#include <gtest/gtest.h>

#include <vector>

#include "controls/ignition/core/playback.h"

namespace sparwen {
namespace {

FramePlayback Loaded(int frameCount)
{
  FramePlayback p;
  p.Load(frameCount);
  return p;
}

TEST(FramePlayback, OpensAtTheLastPosition)
{
  struct Case { int count; int frameCount; int start; int cursor; int length; };
  const Case cases[] = {
      {70, 69, 0, 69, 69}, {71, 71, 2, 69, 69}, {10, 10, 0, 10, 10}, {0, 0, 0, 0, 0}, {-3, 0, 0, 0, 0}, {69, 69, 0, 69, 69},
  };
  for (const Case& c : cases) {
    const FramePlayback p = Loaded(c.count);
    EXPECT_EQ(p.frameCount, c.frameCount) << c.count;
    EXPECT_EQ(p.windowStart, c.start) << c.count;
    EXPECT_EQ(p.cursor, c.cursor) << c.count;
    EXPECT_EQ(p.windowLength, c.length) << c.count;
  }
}

// Forward playback moves the window with the cursor fixed, then the cursor, and stops on the tick
// after the last position; backward runs down to position 0.
TEST(FramePlayback, TicksToBothEnds)
{
  FramePlayback p = Loaded(100);
  p.ToStart();
  ASSERT_EQ(p.PlayForward().timer, TimerChange::start);
  std::vector<int> positions;
  bool stopped = false;
  while (!stopped && positions.size() < 200) {
    stopped = p.Tick();
    positions.push_back(p.Position());
    if (positions.size() <= 31) {
      EXPECT_EQ(p.cursor, 0);
    }
  }
  ASSERT_EQ(positions.size(), 101u);
  EXPECT_EQ(positions[30], 31);
  EXPECT_EQ(p.windowStart, 31);
  EXPECT_EQ(positions[99], 100);
  EXPECT_EQ(positions[100], 100);  // shown again, then stopped
  EXPECT_EQ(p.state, PlayState::stopped);

  ASSERT_EQ(p.PlayReverse().timer, TimerChange::start);
  int ticks = 0;
  while (!p.Tick() && ticks < 200) ++ticks;
  EXPECT_EQ(p.Position(), 0);
  EXPECT_EQ(p.windowStart, 0);
  EXPECT_LT(ticks, 101);
}

TEST(FramePlayback, Toggles)
{
  FramePlayback p = Loaded(50);
  EXPECT_EQ(p.PlayForward().periodMs, kPlayPeriodMs);
  EXPECT_EQ(p.PlayForward().timer, TimerChange::stop);  // the same button again stops
  EXPECT_EQ(p.state, PlayState::stopped);
  p.PlayReverse();
  const PlayToggle fast = p.FastForward();  // switches at once
  EXPECT_EQ(fast.timer, TimerChange::start);
  EXPECT_EQ(fast.periodMs, kFastPlayPeriodMs);
  EXPECT_EQ(p.state, PlayState::fastForward);
  EXPECT_TRUE(p.forward);
  EXPECT_EQ(p.FastReverse().periodMs, kFastPlayPeriodMs);
  EXPECT_FALSE(p.forward);

  FramePlayback small = Loaded(2);
  for (PlayToggle t : {small.PlayForward(), small.PlayReverse(), small.FastForward(), small.FastReverse()}) {
    EXPECT_TRUE(t.tooSmall);
    EXPECT_EQ(t.timer, TimerChange::none);
  }
  EXPECT_EQ(small.state, PlayState::stopped);
  small.ToStart();
  EXPECT_EQ(small.Position(), 0);
  small.ToEnd();
  EXPECT_EQ(small.Position(), 2);
}

TEST(FramePlayback, ScrollBar)
{
  struct Case { int frameCount; int start; int cursor; int code; int bar; int track; int newStart; int newCursor; };
  const Case cases[] = {
      {200, 131, 69, kThumbTrack, 0, 50, 0, 50},       // 50 - 69 is negative: the cursor moves
      {200, 100, 30, kThumbPosition, 120, 0, 90, 30},  // the window moves, the cursor keeps its place
      {200, 100, 30, kThumbTrack, 0, 199, 131, 68},    // near the end the cursor moves
      {200, 131, 69, kLineDown, 0, 0, 131, 69},        // clamped at the end
      {200, 0, 0, kPageUp, 0, 0, 0, 0},                // clamped at the start
      {200, 50, 10, kLineUp, 0, 0, 49, 10},
      {60, 0, 60, kThumbTrack, 0, 20, 0, 20},
      {70, 0, 40, kThumbTrack, 0, 500, 0, 69},         // past the end: the last position
      {200, 50, 10, 8, 0, 0, 50, 10},                  // another code leaves the place
  };
  for (const Case& c : cases) {
    FramePlayback p = Loaded(c.frameCount);
    p.windowStart = c.start;
    p.cursor = c.cursor;
    const int position = p.Scroll(c.code, c.bar, c.track);
    EXPECT_EQ(p.windowStart, c.newStart) << c.code << " " << c.track;
    EXPECT_EQ(p.cursor, c.newCursor) << c.code << " " << c.track;
    EXPECT_EQ(position, c.newStart + c.newCursor);
  }
}

TEST(FramePlayback, GraphClicks)
{
  struct Case { int frameCount; int x; int width; int cursor; };
  const Case cases[] = {
      {100, 350, 700, 35}, {100, 0, 700, 0}, {100, 699, 700, 69}, {100, 700, 700, 69}, {100, -5, 700, 0},
      {20, 600, 700, 20},  // at most the last position
      {100, 10, 0, 69},    // no width: unchanged
  };
  for (const Case& c : cases) {
    FramePlayback p = Loaded(c.frameCount);
    const int start = p.windowStart;
    p.GraphPosition(c.x, c.width);
    EXPECT_EQ(p.cursor, c.cursor) << c.x;
    EXPECT_EQ(p.windowStart, start);
  }
}

}  // namespace
}  // namespace sparwen
