#include <gtest/gtest.h>

#include "controls/oscilloscope/core/playback.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

Playback At(std::int64_t position, std::int64_t max)
{
  Playback p;
  p.position = position;
  p.maxPosition = max;
  return p;
}

TEST(Playback, TimerTicks)
{
  struct Case { std::int64_t from; bool fast; bool forward; std::vector<std::int64_t> positions; };
  const Case cases[] = {
      {1000 - 25, false, true, {995, 1000}},  // M - 5 goes on, M + 15 clamps to M
      {15, false, false, {0}},
      {100, true, false, {50, 0}},
      {900, true, true, {950, 1000}},         // 999 would be M - 1: clamps to M
  };
  for (const Case& c : cases) {
    Playback p = At(c.from, 1000);
    ASSERT_EQ(c.fast ? (c.forward ? p.FastForward() : p.FastReverse()) : (c.forward ? p.PlayForward() : p.PlayReverse()),
              TimerChange::start);
    for (std::size_t i = 0; i < c.positions.size(); ++i) {
      const bool stopped = p.Tick();
      EXPECT_EQ(p.position, c.positions[i]) << c.from << " tick " << i;
      EXPECT_EQ(stopped, i + 1 == c.positions.size()) << c.from << " tick " << i;
    }
    EXPECT_EQ(p.state, PlayState::stopped);
  }
}

TEST(Playback, Buttons)
{
  Playback p = At(10, 1000);
  EXPECT_EQ(p.PlayForward(), TimerChange::start);
  EXPECT_EQ(p.FastForward(), TimerChange::start);  // switches without stopping
  EXPECT_EQ(p.state, PlayState::fastForward);
  EXPECT_TRUE(p.fast);
  EXPECT_EQ(p.FastForward(), TimerChange::stop);
  EXPECT_EQ(p.state, PlayState::stopped);
  EXPECT_EQ(p.PlayReverse(), TimerChange::start);
  EXPECT_FALSE(p.forward);
  EXPECT_EQ(p.PlayReverse(), TimerChange::stop);
  EXPECT_TRUE(p.ToEnd());
  EXPECT_EQ(p.position, 1000);
  EXPECT_TRUE(p.ToStart());
  EXPECT_EQ(p.position, 0);

  Playback shortOne = At(0, 0);
  EXPECT_EQ(shortOne.PlayForward(), TimerChange::none);
  EXPECT_FALSE(shortOne.ToEnd());
}

TEST(Playback, ScrollBar)
{
  struct Case { int code; std::int64_t bar; std::int64_t track; std::int64_t position; };
  for (const Case c : {Case{kLineLeft, 10, 0, 9}, {kLineRight, 10, 0, 11}, {kPageLeft, 30, 0, 0}, {kPageRight, 980, 0, 1000},
                       {kThumbPosition, 400, 7, 400}, {kThumbTrack, 400, 7, 7}, {kThumbTrack, 400, 5000, 1000}, {8, 123, 0, 123}}) {
    Playback p = At(500, 1000);
    EXPECT_EQ(p.Scroll(c.code, c.bar, c.track), c.position) << c.code;
  }
}

// The time under cursor A stays in place when the compression changes.
TEST(Playback, Compression)
{
  const std::int64_t data = 4 * 7000;  // one channel, 7000 steps
  struct Case { int from; bool compress; std::int64_t position; int cursorA; int to; std::int64_t newPosition; std::int64_t max; };
  for (const Case c : {Case{1, true, 100, 233, 2, 0, 2800}, {2, false, 10, 233, 1, 253, 6300}, {1, true, 4000, 233, 2, 1883, 2800},
                       {2, false, 3000, 0, 1, 6000, 6300}, {9, true, 50, 233, 10, 0, 0}}) {
    Playback p = At(c.position, MaxPosition(data, 1, c.from));
    p.compression = c.from;
    p.cursorA = c.cursorA;
    EXPECT_EQ(c.compress ? p.Compress(data, 1) : p.Expand(data, 1), CompressResult::changed);
    EXPECT_EQ(p.compression, c.to);
    EXPECT_EQ(p.position, c.newPosition) << c.position;
    EXPECT_EQ(p.maxPosition, c.max);
  }
  Playback full = At(0, 0);
  full.compression = kMaxCompression;
  EXPECT_EQ(full.Compress(data, 1), CompressResult::unchanged);
  Playback one = At(0, 0);
  EXPECT_EQ(one.Expand(data, 1), CompressResult::unchanged);
}

// Compressing a recording that would no longer fill one window is refused with a message.
TEST(ScopeModelPlayback, CompressionRefusedAndApplied)
{
  vetra::testing::TempDrive drive;
  PutRecording(drive, vetra::samples::OscBytes(Options({Channel(0), Channel(1)}, 1500)));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  CompressOutcome outcome = model.Compress();
  EXPECT_EQ(outcome.result, CompressResult::changed);
  EXPECT_EQ(model.State().timeBaseText, "3.0ms/div");
  EXPECT_EQ(model.State().window.validColumns, 700);
  outcome = model.Compress();
  EXPECT_EQ(outcome.result, CompressResult::refused);
  EXPECT_EQ(outcome.message, vetra::Cp949("파형을 더이상 압축할 수 없습니다."));
  EXPECT_EQ(model.State().playback.compression, 2);
}

TEST(ScopeModelPlayback, CursorsAreClampedAndMeasured)
{
  vetra::testing::TempDrive drive;
  OscChannel square = Channel(0, OscWave::square, 5);
  square.frequencyHz = 1000;
  OscOptions options = Options({square}, 1400);
  options.timeBase = 2;
  PutRecording(drive, vetra::samples::OscBytes(options));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  model.SetCursorA(-5);
  model.SetCursorB(5000);
  EXPECT_EQ(model.State().playback.cursorA, 0);
  EXPECT_EQ(model.State().playback.cursorB, 699);
  EXPECT_EQ(model.State().cursorDifferenceText, "9.3 ms");
  EXPECT_NEAR(model.State().values[0].frequency, 1000.0, 1e-9);
}

}  // namespace
}  // namespace tessial
