#include "controls/roadtest/core/playback.h"

#include <gtest/gtest.h>

namespace morvit {
namespace {

constexpr std::int64_t kLong = 1000000;

TEST(Playback, TicksStopAtEitherEnd) {
  // 1:500 forwards: 25,000 samples a tick while the page starts below 625,000.
  Page page{.scale = 500, .start = 600000};
  EXPECT_FALSE(PlayTick(page, PlayState::Forward, kLong));
  EXPECT_EQ(page.start, 625000);
  EXPECT_TRUE(PlayTick(page, PlayState::Forward, kLong));
  EXPECT_EQ(page.start, 625000);  // held at L - 700 x S
  // Backwards from 10,000: not above 50 x 500, so it stops at once at the start.
  Page back{.scale = 500, .start = 10000};
  EXPECT_TRUE(PlayTick(back, PlayState::Backward, kLong));
  EXPECT_EQ(back.start, 0);
  Page mid{.scale = 10, .start = 100000};
  EXPECT_FALSE(PlayTick(mid, PlayState::Backward, kLong));
  EXPECT_EQ(mid.start, 99500);
}

TEST(Playback, TriggerStartEndAndScaleChanges) {
  Page page{.scale = 10, .cursorA = 100};
  PutTriggerInView(page, kLong, 250000, 350);
  EXPECT_EQ(page.cursorA, 350);
  EXPECT_EQ(page.start, kLong - 3500 - 250000);
  Page full{.scale = 0};
  PutTriggerInView(full, 50000, 0, 350);  // the full view puts cursor A at 525 whatever the length
  EXPECT_EQ(full.cursorA, 525);
  EXPECT_EQ(full.start, 50000);
  GoToEnd(page, kLong);
  EXPECT_EQ(page.start, kLong - 7000 - 1);
  GoToStart(page);
  EXPECT_EQ(page.start, 0);

  // From 1:100 to 1:10 with cursor A at 350 the page start moves by 90 x 350 - 45.
  Page zoomIn{.scale = 10, .previousScale = 100, .start = 200000, .cursorA = 350};
  ApplyDisplayScale(zoomIn, kLong);
  EXPECT_EQ(zoomIn.start, 200000 + 90 * 350 - 45);
  // The other way the start is held inside the recording.
  Page zoomOut{.scale = 500, .previousScale = 10, .start = 1000, .cursorA = 350};
  ApplyDisplayScale(zoomOut, kLong);
  EXPECT_EQ(zoomOut.start, 0);
  Page toFull{.scale = 0, .previousScale = 10, .start = 5, .cursorA = 350};
  ApplyDisplayScale(toFull, kLong);
  EXPECT_EQ(toFull.start, 500000);
}

TEST(Playback, ScrollingInHundredsOfSamples) {
  const struct {
    ScrollCode code;
    std::int64_t bar, thumb, expectedBar;
  } cases[] = {
      {ScrollCode::LineLeft, 1, 0, 0},        {ScrollCode::LineLeft, 100, 0, 90},
      {ScrollCode::LineRight, 100, 0, 110},   {ScrollCode::LineRight, 9920, 0, 9930},
      {ScrollCode::PageLeft, 4, 0, 0},        {ScrollCode::PageRight, 9900, 0, 9930},
      {ScrollCode::Thumb, 0, 99999, 9930},    {ScrollCode::Thumb, 0, -5, -5},
  };
  for (const auto& c : cases) {
    Page page{.scale = 10};
    EXPECT_EQ(Scroll(page, c.code, c.bar, c.thumb, kLong), c.expectedBar) << static_cast<int>(c.code) << " " << c.bar;
    EXPECT_EQ(page.start, c.expectedBar <= 0 ? 0 : c.expectedBar * 100);
  }
}

TEST(Playback, ClicksPlaceCursorA) {
  Page full{.scale = 0};
  EXPECT_TRUE(PlaceCursorA(full, 366, 200, kLong));
  EXPECT_EQ(full.cursorA, 350);
  EXPECT_EQ(full.start, 1428 * 350);
  for (const auto& [x, y] : {std::pair{16, 200}, {716, 200}, {300, 143}, {300, 683}}) {
    EXPECT_FALSE(PlaceCursorA(full, x, y, kLong)) << x << "," << y;
  }
}

TEST(ItemSelection, ToggleAndChangedRow) {
  ItemSet set(8);
  for (int row = 0; row < 8; ++row) EXPECT_EQ(set.ToggleRow(row * 2), ItemSet::Toggle::Added);
  EXPECT_EQ(set.ToggleRow(99), ItemSet::Toggle::Full);
  EXPECT_EQ(set.Count(), 8);
  EXPECT_EQ(set.ToggleRow(4), ItemSet::Toggle::Removed);
  EXPECT_EQ(set.Rows(), (std::vector<int>{0, 2, 6, 8, 10, 12, 14}));
  EXPECT_EQ(set.ChangedRow({0, 2, 6, 8, 10, 12, 14}), -1);
  EXPECT_EQ(set.ChangedRow({0, 1, 2, 6, 8, 10, 12, 14}), 1);
  EXPECT_EQ(set.ChangedRow({0, 2, 8, 10, 12, 14}), 6);
}

}  // namespace
}  // namespace morvit
