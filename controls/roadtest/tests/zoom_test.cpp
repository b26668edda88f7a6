#include "controls/roadtest/core/zoom.h"

#include <gtest/gtest.h>

#include "controls/roadtest/core/decimation.h"
#include "controls/roadtest/core/road_model.h"
#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

constexpr std::int64_t kLong = 1000000;

TEST(ZoomCoupling, BothPagesShowTheSameInstant) {
  const struct {
    const char* name;
    Page panel, lower;
    Page expectedLower;
  } cases[] = {
      {"panel at 1:10 over lower at 1:100", {.scale = 10, .start = 500000, .cursorA = 200},
       {.scale = 100}, {.scale = 100, .start = 500000 - 90 * 200, .cursorA = 200}},
      {"full-view panel", {.scale = 0, .cursorA = 350}, {.scale = 10},
       {.scale = 10, .start = 350 * 1428 - 3500, .cursorA = 350}},
      // Near the end the lower page is held at L - 700 x S and its cursor follows the instant.
      {"near the end", {.scale = 1, .start = kLong - 700, .cursorA = 600},
       {.scale = 500}, {.scale = 500, .start = kLong - 350000, .cursorA = 700 - 100 / 500}},
      {"near the start", {.scale = 1, .start = 1000, .cursorA = 100},
       {.scale = 500}, {.scale = 500, .start = 0, .cursorA = 1100 / 500}},
      // Both in the full view: the panel's move is carried over, not undone.
      {"both full views", {.scale = 0, .cursorA = 200}, {.scale = 0, .cursorA = 350},
       {.scale = 0, .start = 200 * 1428, .cursorA = 200}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Page panel = c.panel, lower = c.lower;
    CoupleZoomViews(panel, lower, kPanelCursorSource, kLong);
    EXPECT_EQ(lower.start, c.expectedLower.start);
    EXPECT_EQ(lower.cursorA, c.expectedLower.cursorA);
  }
  // Both full views share cursor and page.
  Page panel{.scale = 0, .cursorA = 10}, lower{.scale = 0, .cursorA = 300};
  CoupleZoomViews(panel, lower, 0, kLong);
  EXPECT_EQ(panel.cursorA, 300);
  EXPECT_EQ(panel.start, 300 * 1428);
}

TEST(ZoomView, OpenChooseScaleAndClose) {
  vetra::testing::TempDrive drive;
  testing::WriteExchangeFile(drive, "1Temp.Dat", testing::SampleBytes({}));
  RoadModel model(LutStore(drive.Root().string()));
  ASSERT_TRUE(model.Load("1Temp.Dat").Ok());
  ASSERT_EQ(model.State().shown.Count(), 8);
  EXPECT_EQ(model.OpenZoomView().text, vetra::Cp949("마지막에 선택한 2개의 항목은 표시 하지 않습니다."));
  EXPECT_TRUE(model.OpenZoomView().Empty());  // already open
  const RoadState& s = model.State();
  EXPECT_EQ(s.analysis.Count(), 6);
  EXPECT_EQ(s.lowerHeight, (403 - 30) / 6);

  EXPECT_EQ(model.SelectZoomScale(8).message.text, vetra::Cp949("샘플 데이터에서는 지원되지 않는 배율입니다."));
  ASSERT_TRUE(model.SelectZoomScale(1).changed);
  model.SetZoomItem(s.analysis.Rows()[0]);
  EXPECT_GT(model.BuildPanelPage().count, 0);
  for (int row : s.analysis.Rows()) EXPECT_GT(model.BuildLowerPage(s.ChannelOfRow(row)).count, 0);
  // A seventh lower item is only deselected.
  std::vector<int> selected = s.analysis.Rows();
  selected.push_back(s.shown.Rows()[7]);
  const SelectionOutcome full = model.OnAnalysisListChange(selected);
  EXPECT_TRUE(full.deselectRow);
  EXPECT_TRUE(full.message.Empty());

  const int zoomRow = s.zoomItem;
  EXPECT_EQ(model.RemoveShownItem(0), zoomRow);
  EXPECT_EQ(s.zoomItem, -1);
  model.CloseZoomView();
  EXPECT_FALSE(s.zoomMode);
  EXPECT_EQ(s.graphHeight, ParallelRowHeight(8));
}

class ZoomModelTest : public ::testing::Test {
protected:
  void Load(vetra::samples::RoadTestOptions options) {
    testing::WriteExchangeFile(drive, "1Temp.Dat", testing::SampleBytes(options));
    ASSERT_TRUE(model.Load("1Temp.Dat").Ok());
  }
  std::int64_t Instant(const Page& page) const { return InstantUnderCursor(page, model.State().recording.RecordLength()); }
  vetra::testing::TempDrive drive;
  RoadModel model{LutStore(drive.Root().string())};
};

// The panel starts at its cursor column x (L / 700) over the whole recording, whatever the lower
// graphs show; a rescale keeps the instant under the panel cursor.
TEST_F(ZoomModelTest, ThePanelStartsAtItsCursorColumnAndARescaleKeepsItsInstant) {
  const struct {
    const char* name;
    int normalColumn;  // cursor A of the normal view at 1:10 before the zoom view opens
    int panelColumn;   // a click in the panel over the whole recording, -1 for none
    bool reopen;       // the panel paged at 1:1 in an earlier zoom view
    std::int64_t openStart;
    int openColumn;
    std::int64_t pageStart;  // after 1:1
    int pageColumn;
    const char* timeText;
  } cases[] = {
      // 50,000 samples, 71 per column of the whole recording.
      {"cursor A in the middle", 350, -1, false, 350 * 71, 350, 24500, 350, "-0.5030"},
      {"cursor A moved before opening", 100, -1, false, 350 * 71, 350, 24500, 350, "-0.5030"},
      {"panel cursor moved over the whole recording", 350, 200, false, 350 * 71, 350, 200 * 71 - 200, 200, "-0.7160"},
      {"opened again", 350, -1, true, 350 * 71, 350, 24500, 350, "-0.5030"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load({});
    const RoadState& s = model.State();
    ASSERT_TRUE(model.SelectScale(4).changed);  // 1:10
    model.SetCursorA(c.normalColumn);
    if (c.reopen) {
      model.OpenZoomView();
      ASSERT_TRUE(model.SelectZoomScale(1).changed);
      model.ScrollZoomPanel(ScrollCode::PageRight, s.zoomPanel.start / 100, 0);
      model.CloseZoomView();
    }
    model.OpenZoomView();
    model.SetZoomItem(s.analysis.Rows()[0]);
    EXPECT_EQ(s.zoomPanel.scale, 0);
    EXPECT_EQ(s.zoomPanel.start, c.openStart);
    EXPECT_EQ(s.zoomPanel.cursorA, c.openColumn);
    if (c.panelColumn >= 0) {
      ASSERT_TRUE(model.LeftButton(16 + c.panelColumn, 200));
      model.CoupleZoomViewsForPaint();
    }
    ASSERT_TRUE(model.SelectZoomScale(1).changed);  // the panel at 1:1
    EXPECT_EQ(s.zoomPanel.start, c.pageStart);
    EXPECT_EQ(s.zoomPanel.cursorA, c.pageColumn);
    // The lower graphs point at the same instant.
    EXPECT_EQ(Instant(s.lower), Instant(s.zoomPanel));
    model.BuildPanelPage();
    EXPECT_EQ(model.CursorTimeLabel(false), c.timeText + vetra::Cp949(" 초"));
  }
}

TEST_F(ZoomModelTest, TheWholeRecordingPutsTheCursorOnTheInstantItPointedAt) {
  vetra::samples::RoadTestOptions options;
  options.recordLengthCode = 1;  // 1,000,000 samples, 250,000 after the trigger
  const struct {
    const char* name;
    bool zoomView;
    bool panel;        // the zoom scale combo, else the display scale combo
    int clickColumn;   // a click after the trigger, -1 for none
    int expected;
  } cases[] = {
      // The trigger at column 350 of 1:10 lies at column 525 of the whole recording.
      {"normal view", false, false, -1, 525},
      // Lower graphs and panel at 1:10, trigger (column 525), then a click at column 100:
      // trunc((100 x 10 + 1,000,000 - 5,250 - 250,000) / (1,000,000 / 700)) = 522.
      {"lower graphs", true, false, 100, 522},
      {"zoom panel", true, true, 100, 522},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(options);
    const RoadState& s = model.State();
    if (c.zoomView) {
      model.OpenZoomView();
      model.SetZoomItem(s.analysis.Rows()[0]);
    }
    ASSERT_TRUE((c.panel ? model.SelectZoomScale(4) : model.SelectScale(4)).changed);
    model.Trigger();
    if (c.clickColumn >= 0) {
      ASSERT_TRUE(model.LeftButton(16 + c.clickColumn, c.panel ? 200 : 400));
    }
    ASSERT_TRUE((c.panel ? model.SelectZoomScale(0) : model.SelectScale(0)).changed);
    const Page& view = !c.zoomView ? s.page : c.panel ? s.zoomPanel : s.lower;
    EXPECT_EQ(view.cursorA, c.expected);
    EXPECT_EQ(view.start, static_cast<std::int64_t>(1000000 * (1.0 / 700) * c.expected));
  }
}

}  // namespace
}  // namespace morvit
