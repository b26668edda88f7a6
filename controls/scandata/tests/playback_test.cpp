// Playback, the scroll bar, the trigger button and the cursors, walked through on recordings.

#include <gtest/gtest.h>

#include <vector>

#include "controls/scandata/tests/fixtures.h"

namespace quarnel {
namespace {

std::vector<int> Ramp(int count) {
  std::vector<int> samples;
  for (int s = 0; s < count; ++s) samples.push_back(s);
  return samples;
}

// Runs the timer until playback stops; the positions after each tick.
std::vector<int> RunTimer(ScanModel& model) {
  std::vector<int> positions;
  for (int guard = 0; guard < 10000; ++guard) {
    const ScanOutcome outcome = model.Tick();
    positions.push_back(model.State().playback.position);
    if (outcome.timer == TimerChange::stop) break;
  }
  return positions;
}

class PlaybackTest : public ::testing::Test {
 protected:
  void Load(int samples, const std::vector<int>& triggers = {}) {
    testing::LoadBytes(model, drive, testing::OneItem(Ramp(samples), triggers).Str());
  }
  vetra::testing::TempDrive drive;
  ScanModel model;
};

TEST_F(PlaybackTest, FastForwardInTheGraphViewStopsAtTheLastWindow) {
  Load(400);
  ASSERT_EQ(model.State().view, View::graph);
  EXPECT_EQ(model.FastForward().timer, TimerChange::start);
  std::vector<int> expected;
  for (int p = 4; p <= 240; p += 4) expected.push_back(p);
  expected.push_back(243);
  EXPECT_EQ(RunTimer(model), expected);
  EXPECT_EQ(model.State().playback.state, PlayState::stopped);
  EXPECT_EQ(model.State().playback.scrollPosition, 243);
  EXPECT_EQ(model.State().windowFirst, 243);
  EXPECT_EQ(model.State().samplesDrawn, 157);
}

TEST_F(PlaybackTest, PlayInTheTextViewStopsOnTheLastSample) {
  Load(10);
  model.ShowTextView();
  EXPECT_EQ(model.Play().timer, TimerChange::start);
  EXPECT_EQ(RunTimer(model), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 9}));
  EXPECT_EQ(model.State().playback.scrollPosition, 10);
  EXPECT_EQ(model.RowTexts(0)[2], "    9");
  EXPECT_EQ(model.RpmData(), "709");
}

TEST_F(PlaybackTest, ReverseStopsAtTheStart) {
  Load(400);
  model.ToEnd();
  EXPECT_EQ(model.State().playback.position, 243);
  model.FastReverse();
  const std::vector<int> positions = RunTimer(model);
  EXPECT_EQ(positions.front(), 239);
  EXPECT_EQ(positions.back(), 0);
  EXPECT_EQ(model.State().playback.state, PlayState::stopped);
}

TEST(PlaybackToggle, SwitchingModesKeepsTheTimer) {
  ScanPlayback p;
  EXPECT_EQ(p.Toggle(PlayState::fastForward), TimerChange::start);
  EXPECT_EQ(p.step, 4);
  EXPECT_EQ(p.Toggle(PlayState::play), TimerChange::none);
  EXPECT_EQ(p.step, 1);
  EXPECT_EQ(p.state, PlayState::play);
  EXPECT_EQ(p.Toggle(PlayState::play), TimerChange::stop);
  EXPECT_EQ(p.state, PlayState::stopped);
}

TEST(PlaybackScroll, CodesMoveTheBarAsTheViewAllows) {
  struct Case {
    View view;
    int count, bar, code, thumb;
    int bar2, position;
  };
  const Case cases[] = {
      {View::graph, 400, 0, kLineLeft, 0, 0, 0},
      {View::graph, 400, 10, kLineRight, 0, 11, 11},
      {View::graph, 400, 242, kLineRight, 0, 243, 243},
      {View::graph, 400, 100, kPageLeft, 0, 0, 0},
      {View::graph, 400, 200, kPageLeft, 0, 43, 43},
      {View::graph, 400, 50, kPageRight, 0, 207, 207},
      {View::graph, 400, 100, kPageRight, 0, 243, 243},
      {View::graph, 100, 0, kPageRight, 0, 0, 0},
      {View::graph, 400, 0, kThumbTrack, 120, 120, 120},
      {View::graph, 400, 0, kThumbPosition, 9999, 243, 243},
      {View::text, 10, 9, kLineRight, 0, 10, 9},
      {View::text, 10, 10, kLineRight, 0, 10, 9},
      {View::text, 400, 300, kPageRight, 0, 400, 399},
      {View::text, 400, 0, kLineLeft, 0, 0, 0},
  };
  for (const Case& c : cases) {
    ScanPlayback p;
    p.scrollMax = ScanPlayback::ScrollMaxOf(c.view, c.count);
    p.scrollPosition = c.bar;
    p.step = 4;
    ASSERT_TRUE(p.Scroll(c.view, c.code, c.thumb, c.count));
    EXPECT_EQ(p.scrollPosition, c.bar2) << c.count << " " << c.bar << " " << c.code;
    EXPECT_EQ(p.position, c.position) << c.count << " " << c.bar << " " << c.code;
    EXPECT_EQ(p.step, 1);
  }
  ScanPlayback p;
  EXPECT_FALSE(p.Scroll(View::graph, 8, 0, 400));  // end of scroll
}

TEST(PlaybackTrigger, JumpsCentreTheMarkAndWrapAround) {
  struct Case {
    View view;
    int count;
    std::vector<int> triggers;
    std::vector<int> positions;  // after each press
  };
  const Case cases[] = {
      {View::graph, 400, {50, 300}, {0, 222, 0}},
      {View::graph, 400, {390}, {243}},
      {View::graph, 100, {90}, {0}},
      {View::text, 400, {50, 300}, {50, 300, 50}},
      {View::text, 400, {450}, {399}},  // a mark past the data shows the last sample
  };
  for (const Case& c : cases) {
    ScanPlayback p;
    TriggerJump jump;
    for (std::size_t k = 0; k < c.positions.size(); ++k) {
      ASSERT_TRUE(jump.Jump(c.triggers, c.view, c.count, p));
      EXPECT_EQ(p.position, c.positions[k]) << c.count << " press " << k;
      EXPECT_EQ(p.scrollPosition, p.position);
      EXPECT_EQ(jump.lastJumped, static_cast<int>(k % c.triggers.size()));
    }
  }
  ScanPlayback p;
  TriggerJump jump;
  EXPECT_FALSE(jump.Jump({}, View::graph, 400, p));
}

TEST_F(PlaybackTest, TriggerButtonWithoutMarksDoesNothing) {
  Load(400);
  const ScanOutcome outcome = model.Trigger();
  EXPECT_FALSE(outcome.graphsInvalidated);
  EXPECT_EQ(model.State().playback.position, 0);
}

TEST_F(PlaybackTest, CursorsSitOnTheDataAndRightClickNeedsCursorOne) {
  Load(60);
  EXPECT_EQ(model.State().cursors.x1, 295);  // starts on the last sample
  EXPECT_EQ(model.State().cursorValues[0], 59);
  EXPECT_EQ(model.LeftClick(503, 300).graphsInvalidated, true);
  EXPECT_EQ(model.State().cursors.x1, 295);  // beyond the data: the last sample
  model.LeftClick(103, 300);
  EXPECT_EQ(model.State().cursors.x1, 100);
  EXPECT_EQ(model.State().cursorValues[0], 20);
  EXPECT_EQ(model.RpmData(), "720");
  EXPECT_FALSE(model.LeftClick(900, 300).graphsInvalidated);  // on the value panel
  EXPECT_FALSE(model.LeftClick(100, 690).graphsInvalidated);

  model.RightClick(52, 300);
  EXPECT_TRUE(model.State().cursors.active2);
  EXPECT_EQ(model.State().cursors.x2, 50);
  model.RightClick(52, 300);
  EXPECT_FALSE(model.State().cursors.active2);
}

TEST(PlaybackCursor, RightClickWithCursorOneHiddenDoesNothing) {
  ScanModel model;  // nothing loaded: cursor 1 is hidden, and the text view takes no clicks
  EXPECT_FALSE(model.RightClick(100, 300).graphsInvalidated);
  EXPECT_FALSE(model.State().cursors.active2);
}

TEST(PlaybackCursor, ClickBeyondTheDataFollowsTheEndRule) {
  EXPECT_EQ(CursorXForClick(503, 60, true), 295);
  EXPECT_EQ(CursorXForClick(503, 60, false), 300);
  EXPECT_EQ(CursorXForClick(503, 0, true), 0);
  EXPECT_EQ(CursorXForClick(104, 60, true), 100);
}

TEST(PlaybackWithoutRecording, CommandsLeaveTheControlIntact) {
  ScanModel model;
  for (int value : {201, 202, 203, 204, 205, 206}) model.RunScantool(value);
  model.Tick();
  model.Scroll(kPageRight, 0);
  model.Trigger();
  model.ShowGraphView();
  model.ShowTextView();
  model.ShowItemChooser();
  model.ChooseInChooser(0);
  model.MoveRowUp(0);
  model.MoveRowDown(0);
  EXPECT_EQ(model.State().playback.position, 0);
  EXPECT_EQ(model.RowCount(), 0);
  EXPECT_EQ(model.RpmData(), "0");
}

}  // namespace
}  // namespace quarnel
