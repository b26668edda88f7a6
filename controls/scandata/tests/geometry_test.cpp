// Graph and list geometry, the window of samples, time ticks and marks.

#include <gtest/gtest.h>

#include <vector>

#include "controls/scandata/core/graph_geometry.h"
#include "controls/scandata/tests/fixtures.h"

namespace quarnel {
namespace {

TEST(GraphLayout, DividesTheAreaAmongTheShownItems) {
  struct Case {
    int n, height, slot;
    std::vector<int> tops;
  };
  const Case cases[] = {
      {1, 563, 568, {114}},
      {2, 279, 284, {114, 398}},
      {8, 66, 71, {114, 185, 256, 327, 398, 469, 540, 611}},
  };
  for (const Case& c : cases) {
    const GraphLayout layout = LayoutGraphs(c.n, true);
    EXPECT_EQ(layout.height, c.height);
    EXPECT_EQ(layout.slotHeight, c.slot);
    EXPECT_DOUBLE_EQ(layout.yScale, (c.height - 4) / 255.0);
    for (int i = 0; i < c.n; ++i) {
      const GraphSlot& s = layout.slots[static_cast<std::size_t>(i)];
      EXPECT_EQ(s.graph.top, c.tops[static_cast<std::size_t>(i)]);
      EXPECT_EQ(s.graph.bottom - s.graph.top, c.height);
      EXPECT_EQ(s.slot.bottom - s.slot.top, c.slot);
      EXPECT_EQ(s.graph.left, 3);
      EXPECT_EQ(s.graph.right, 984);
      EXPECT_EQ(s.removeButton.left, 986);
      EXPECT_EQ(s.removeButton.top, s.graph.bottom - 23);
      EXPECT_EQ(s.removeButton.bottom - s.removeButton.top, 20);
    }
  }
  EXPECT_EQ(LayoutGraphs(0, true).count, 0);
}

TEST(ItemListLayout, ListsShareTheAreaByShownCount) {
  const ItemListRects eight = LayoutItemLists(8);
  EXPECT_EQ(eight.upper.bottom - eight.upper.top, 284);
  EXPECT_EQ(eight.lower.top, 392);
  EXPECT_EQ(eight.lower.bottom - eight.lower.top, 285);
  const ItemListRects none = LayoutItemLists(0);
  EXPECT_EQ(none.upper.bottom - none.upper.top, 36);
  EXPECT_EQ(none.lower.top, 144);
}

TEST(GraphWindow, FirstSampleKeepsTheWindowInsideTheRecording) {
  struct Case {
    int position, step, count, first;
  };
  const Case cases[] = {{0, 1, 100, 0}, {0, 1, 157, 0}, {10, 1, 400, 10}, {242, 1, 400, 242}, {243, 1, 400, 243},
                        {240, 4, 400, 243}, {300, 1, 400, 243}, {0, 1, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(WindowFirstSample(c.position, c.step, c.count), c.first) << c.position;
}

TEST(GraphTimeTicks, OneTickEveryTenSeconds) {
  struct Case {
    int count;
    std::int32_t start, end;
    std::vector<int> xs;
  };
  const Case cases[] = {
      {600, 1000, 1150, {0, 200, 400, 600}},  // 4 samples a second: 40 per ten seconds
      {600, 1000, 1000, {}},                  // no time passed
      {0, 1000, 1150, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(TimeTickXs(c.count, c.start, c.end), c.xs) << c.count << " " << c.end;
  // Fewer than one sample per ten seconds, or a clock that runs backwards by more than 32 bits
  // hold: a tick on every sample.
  for (const auto& [start, end] : {std::pair{1000, 2000000000}, {2000000000, -2000000000}}) {
    const std::vector<int> xs = TimeTickXs(30, start, end);
    ASSERT_EQ(xs.size(), 156u);
    EXPECT_EQ(xs.back(), 775);
  }
  // 1000 samples in 3 seconds: 3333 per ten seconds, one tick at the start.
  EXPECT_EQ(TimeTickXs(1000, 0, 3), (std::vector<int>{0}));
}

TEST(GraphMarks, OnlyMarksInsideTheWindowAreDrawn) {
  const std::vector<int> triggers{100, 256, 257, 101};
  const std::vector<TriggerMark> marks = VisibleTriggerMarks(triggers, 100, 1);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].number, 2);  // position + 156
  EXPECT_EQ(marks[0].x, 780);
  EXPECT_TRUE(marks[0].lastJumped);
  EXPECT_EQ(marks[1].number, 4);
  EXPECT_EQ(marks[1].x, 5);
  EXPECT_FALSE(marks[1].lastJumped);
  EXPECT_FALSE(MarkX(257, 100));  // position + 157
  EXPECT_FALSE(MarkX(100, 100));
}

TEST(GraphPoints, AShortRecordingDrawsEachSampleOnce) {
  vetra::testing::TempDrive drive;
  ScanModel model;
  std::vector<int> samples;
  for (int s = 0; s < 100; ++s) samples.push_back(s * 2);
  testing::LoadBytes(model, drive, testing::OneItem(samples).Str());
  const ScanState& st = model.State();
  EXPECT_EQ(st.windowFirst, 0);
  EXPECT_EQ(st.samplesDrawn, 100);
  EXPECT_EQ(st.layout.height, 563);
  EXPECT_EQ(st.ordinates[0][99], st.text.ItemGraphY(198, 0, st.layout.yScale, st.layout.height));
  EXPECT_EQ(st.ordinates[0][0], st.text.ItemGraphY(0, 0, st.layout.yScale, st.layout.height));
  EXPECT_GT(st.ordinates[0][0], st.ordinates[0][99]);  // larger values stand higher
  EXPECT_EQ(model.State().playback.scrollMax, 100);
  EXPECT_EQ(model.State().cursors.x1, 340);
}

TEST(GraphPoints, ScrollRangeFollowsTheSampleCount) {
  vetra::testing::TempDrive drive;
  for (const auto& [count, max] : {std::pair{157, 157}, {158, 1}, {600, 443}}) {
    ScanModel model;
    testing::LoadBytes(model, drive, testing::OneItem(std::vector<int>(static_cast<std::size_t>(count), 1)).Str());
    EXPECT_EQ(model.State().playback.scrollMax, max) << count;
  }
}

}  // namespace
}  // namespace quarnel
