#include "controls/roadtest/core/road_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/roadtest/core/decimation.h"
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

using vetra::samples::RoadTestOptions;

class ModelTest : public ::testing::Test {
protected:
  void Load(RoadTestOptions options) {
    testing::WriteExchangeFile(drive, "5Temp.Dat", testing::SampleBytes(options));
    ASSERT_TRUE(model.Load("5Temp.Dat").Ok());
  }
  vetra::testing::TempDrive drive;
  RoadModel model{LutStore(drive.Root().string())};
};

TEST_F(ModelTest, StartStateFollowsTheRecording) {
  RoadTestOptions options;
  Load(options);
  const RoadState& s = model.State();
  // Ten recorded channels and seven derived items are listed; throttle, pressure, injector and the
  // derived items are shown at the start, the first eight of them.
  EXPECT_EQ(s.listChannels.size(), 17u);
  EXPECT_EQ(s.shown.Count(), 8);
  EXPECT_EQ(s.ChannelOfRow(s.shown.Rows()[0]), 2);
  EXPECT_EQ(s.graphHeight, 62);
  EXPECT_EQ(s.page.scale, 0);
  EXPECT_EQ(s.page.cursorA, 350);
  EXPECT_EQ(s.page.start, 350 * (50000 / 700));
  EXPECT_EQ(ItemRowText(s.recording.channels[2]), "TPS  " + vetra::Cp949("스로틀 포지션 센서"));
}

TEST_F(ModelTest, PagesAndMeasurementOfEveryShownItem) {
  Load(RoadTestOptions{});
  for (int entry : {0, 1, 3, 6}) {
    model.SelectScale(entry);
    ASSERT_TRUE(model.RightButton(100, 300) || model.State().measureOn);
    for (int row : model.State().shown.Rows()) {
      const int item = model.State().ChannelOfRow(row);
      const ItemPage& page = model.BuildNormalPage(item);
      EXPECT_GT(page.count, 0) << item << " at entry " << entry;
      const CursorStatistics stats = model.Statistics(item);
      EXPECT_LE(stats.min, stats.max) << item << " at entry " << entry;
    }
  }
  // The injector duty of the writer's drive lies between its idle and its full-load pulse.
  model.SelectScale(0);
  const ItemPage& duty = model.BuildNormalPage(83);
  ASSERT_EQ(model.State().recording.channels[83].itemType, 1300);
  EXPECT_GT(duty.columnMax[350], 1.0);
  EXPECT_LT(duty.columnMax[350], 20.0);
}

TEST_F(ModelTest, ThePanelBarMovesBothPagesOfTheZoomViewBySamples) {
  Load(RoadTestOptions{});
  model.SelectScale(4);  // 1:10 for the lower graphs
  model.OpenZoomView();
  const std::int64_t whole = model.State().zoomPanel.start;
  model.ScrollZoomPanel(ScrollCode::Thumb, 0, 100);  // the panel shows the whole recording: no paging
  EXPECT_EQ(model.State().zoomPanel.start, whole);
  ASSERT_TRUE(model.SelectZoomScale(3).changed);   // 1:5
  const std::int64_t lower = model.State().lower.start;
  const std::int64_t panel = model.State().zoomPanel.start;
  model.ScrollZoomPanel(ScrollCode::PageRight, panel / 100, 0);
  const std::int64_t moved = model.State().zoomPanel.start - panel;
  EXPECT_GT(moved, 0);
  EXPECT_EQ(model.State().lower.start, std::min<std::int64_t>(lower + moved, 50000 - 700 * 10));
}

// Over the whole recording a spin step moves the page with the cursor, so that the next scale
// keeps the instant the cursor shows.
TEST_F(ModelTest, ASpinStepOverTheWholeRecordingIsKeptByTheNextScale) {
  Load(RoadTestOptions{});  // 50,000 samples: 71 per column
  model.SetCursorA(100);
  ASSERT_TRUE(model.SelectScale(1).changed);  // 1:1
  EXPECT_EQ(model.State().page.start, 100 * 71 - 100);
  EXPECT_EQ(model.State().page.cursorA, 100);
}

TEST_F(ModelTest, CommandsOnAShortRecording) {
  Load(RoadTestOptions{});
  // Play does nothing on the full view.
  EXPECT_FALSE(model.Play());
  // Sample recordings refuse 1:100 and above.
  const ScaleOutcome refused = model.SelectScale(7);
  EXPECT_FALSE(refused.changed);
  EXPECT_EQ(refused.entry, 0);
  EXPECT_EQ(refused.message.text, vetra::Cp949("샘플 데이터에서는 지원되지 않는 배율입니다."));
  ASSERT_TRUE(model.SelectScale(4).changed);  // 1:10
  EXPECT_TRUE(model.Play());
  int ticks = 0;
  while (!model.Tick() && ticks < 1000) ++ticks;
  EXPECT_EQ(model.State().play, PlayState::Stopped);
  // It stops at the first tick that starts at or past L - (50 + 700) x S, never past L - 700 x S.
  EXPECT_GE(model.State().page.start, 50000 - 7500);
  EXPECT_LE(model.State().page.start, 50000 - 7000);
  EXPECT_TRUE(model.ReversePlay());
  EXPECT_FALSE(model.ReversePlay());  // a second press stops
  model.Trigger();
  EXPECT_EQ(model.State().page.start, 50000 - 3500);
  // Right click toggles measurement and places cursor B; none without shown items.
  EXPECT_TRUE(model.RightButton(216, 300));
  EXPECT_TRUE(model.State().measureOn);
  EXPECT_EQ(model.State().page.cursorB, 200);
  EXPECT_DOUBLE_EQ(model.CursorTime(), 150 * 10 * 0.00002);
  while (model.State().shown.Count() > 0) model.RemoveShownItem(0);
  EXPECT_FALSE(model.RightButton(216, 300));
}

TEST_F(ModelTest, ItemListRefusesANinthItem) {
  Load(RoadTestOptions{});
  std::vector<int> selected = model.State().shown.Rows();
  int extra = 0;
  while (model.State().shown.Contains(extra)) ++extra;
  selected.push_back(extra);
  const SelectionOutcome full = model.OnItemListChange(selected);
  EXPECT_EQ(full.row, extra);
  EXPECT_TRUE(full.deselectRow);
  EXPECT_EQ(full.message.text, vetra::Cp949("8개 항목까지만 선택 할 수 있습니다."));
  EXPECT_EQ(model.State().shown.Count(), 8);
  // Deselecting a row removes it and lays the rows out again.
  selected.pop_back();
  selected.erase(selected.begin());
  const SelectionOutcome removed = model.OnItemListChange(selected);
  EXPECT_EQ(removed.result, ItemSet::Toggle::Removed);
  EXPECT_EQ(model.State().graphHeight, ParallelRowHeight(7));
}

TEST_F(ModelTest, RangeCommands) {
  Load(RoadTestOptions{});
  const MinMaxPair recorded = model.State().recording.minMax[0];
  model.MinMaxRange();
  EXPECT_EQ(model.State().rangeMode, kRangeMinMax);
  EXPECT_NE(model.State().recording.minMax[0].high, recorded.high);
  model.FullRange();
  EXPECT_EQ(model.State().rangeMode, kRangeFull);
  EXPECT_EQ(model.State().recording.minMax[0].high, recorded.high);
}

// The full range gives back the pairs the recording was loaded with, whatever another program did
// to the file since.
TEST_F(ModelTest, TheFullRangeRestoresThePairsAsLoaded) {
  Load(RoadTestOptions{});
  const auto loaded = model.State().recording.minMax;
  std::filesystem::resize_file(drive / "Vetra/TempE/5Temp.Dat", 0);
  model.MinMaxRange();
  model.FullRange();
  for (int i = 0; i < kRecordedCount; ++i) {
    EXPECT_EQ(model.State().recording.minMax[static_cast<std::size_t>(i)].low, loaded[static_cast<std::size_t>(i)].low) << i;
    EXPECT_EQ(model.State().recording.minMax[static_cast<std::size_t>(i)].high, loaded[static_cast<std::size_t>(i)].high) << i;
  }
}

TEST_F(ModelTest, RangeCommandsRescaleTheOpenZoomPanel) {
  Load(RoadTestOptions{});
  model.OpenZoomView();
  const auto expectStripOf = [&](const char* what) {
    ChannelScales strip{};
    ScaleZoomStrip(model.State().recording, strip);
    for (int channel = 0; channel < kRecordedCount; ++channel) {
      EXPECT_DOUBLE_EQ(model.State().zoomScales[static_cast<std::size_t>(channel)].factor, strip[static_cast<std::size_t>(channel)].factor)
          << what << " " << channel;
      EXPECT_EQ(model.State().zoomScales[static_cast<std::size_t>(channel)].zeroLine, strip[static_cast<std::size_t>(channel)].zeroLine)
          << what << " " << channel;
      EXPECT_DOUBLE_EQ(model.State().zoomFactors[static_cast<std::size_t>(channel)], strip[static_cast<std::size_t>(channel)].factor)
          << what << " " << channel;
    }
  };
  const double recorded = model.State().zoomScales[0].factor;
  model.MinMaxRange();
  EXPECT_NE(model.State().zoomScales[0].factor, recorded);
  expectStripOf("min-max");
  model.FullRange();
  EXPECT_DOUBLE_EQ(model.State().zoomScales[0].factor, recorded);
  expectStripOf("full");
  EXPECT_TRUE(model.State().zoomMode);
}

TEST_F(ModelTest, TheZoomViewLabelsAndMeasuresWithItsOwnCursors) {
  Load(RoadTestOptions{});
  ASSERT_TRUE(model.SelectScale(4).changed);  // 1:10
  model.OpenZoomView();
  RoadState& s = model.MutableState();
  model.SetZoomItem(s.analysis.Rows()[0]);
  ASSERT_TRUE(model.SelectZoomScale(2).changed);
  s.page.cursorA = 350;
  s.page.cursorB = 100;
  s.lower.cursorA = 40;
  s.lower.cursorB = 640;
  s.zoomPanel.cursorA = 600;
  const std::int64_t length = s.recording.RecordLength();
  const auto labelOf = [&](const Page& view) {
    const std::int64_t sample = SampleUnderColumn(view.cursorA, {view.scale, view.start, true}, length);
    return CursorTimeText(SampleTime(sample, length, s.recording.PostTriggerLength()), false);
  };
  model.CoupleZoomViewsForPaint();
  model.BuildPanelPage();
  EXPECT_EQ(model.CursorTimeLabel(false), labelOf(s.zoomPanel));
  model.BuildLowerPage(s.ChannelOfRow(s.analysis.Rows()[0]));
  EXPECT_EQ(model.CursorTimeLabel(false), labelOf(s.lower));
  EXPECT_NE(labelOf(s.lower), labelOf(s.zoomPanel));
  // The time between the cursors is that of the lower graphs' pair, in their scale.
  EXPECT_DOUBLE_EQ(model.CursorTime(), std::abs(s.lower.cursorA - s.lower.cursorB) * s.lower.scale * 0.00002);
  EXPECT_NE(model.CursorTime(), 250 * s.page.scale * 0.00002);
  model.CloseZoomView();
  EXPECT_DOUBLE_EQ(model.CursorTime(), 250 * s.page.scale * 0.00002);
}

}  // namespace
}  // namespace morvit
