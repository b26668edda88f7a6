#include <gtest/gtest.h>

#include "controls/oscilloscope/core/layout.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/core/trace_geometry.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

// Flat channels at zero and at +10 V on the 20 V range: rows of the plot, bipolar and unipolar.
TEST(TraceGeometry, FlatChannelRows)
{
  struct Case { int level; bool unipolar; int row; };
  constexpr int h = 110;
  for (const Case c : {Case{2048, false, -h / 2}, {2048, true, -h / 11}, {3072, false, -(h * 617 / 1234) / 2 - h / 2},
                       {3072, true, (10 * h * -617 / 11) / 1234 - h / 11}}) {
    vetra::testing::TempDrive drive;
    OscChannel flat = Channel(0, OscWave::flat, 5);
    flat.level = c.level;
    flat.polarity = c.unipolar ? 1 : 0;
    PutRecording(drive, vetra::samples::OscBytes(Options({flat})));
    ScopeModel model;
    ASSERT_TRUE(model.Load("test.Osc").Ok());
    const TraceSetup setup = TraceSetupOf(model.State(), 0);
    const TracePoints source = SourcePoints(model.State().window.envelopes[0], setup, TraceZeroShift(model.State(), setup));
    const TracePoints screen = ScreenPoints(source, 752, h, c.unipolar);
    for (int i : {0, 1, 700, 1399}) {
      EXPECT_EQ(screen[i].y, c.row) << c.level << " " << i;
      EXPECT_EQ(screen[i].x, i * 752 / 1400);
    }
  }
}

TEST(TraceGeometry, ZeroShiftOfTheClampInUse)
{
  ScopeState state;
  state.header.calibration.zeros[kZeroHighCurrent1000] = 40.0;
  state.header.calibration.zeros[kZeroHighCurrent100] = 4.0;
  const TraceSetup setup{kTypeHighCurrent, 1.0, 0.0, 0.2};
  EXPECT_DOUBLE_EQ(TraceZeroShift(state, setup), 40.0 * 0.0005 / 0.2);
  state.header.blockA.clamp = 0;
  EXPECT_DOUBLE_EQ(TraceZeroShift(state, setup), 4.0 * 0.005 / 0.2);
  EXPECT_EQ(TraceZeroShift(state, TraceSetup{kTypeHighCurrent, 1.0, 0.0, 0.0}), 0.0);
}

TEST(TraceGeometry, GridCursorsAndClicks)
{
  const GridLines full = MakeGrid(752, 110, false, true);
  EXPECT_EQ(full.verticalX, (std::vector<int>{53, 133, 213, 293, 373, 453, 533, 613, 693}));
  EXPECT_EQ(full.horizontalY.size(), 9u);
  EXPECT_EQ(full.zeroY, -55);
  const GridLines bare = MakeGrid(752, 110, true, false);
  EXPECT_TRUE(bare.verticalX.empty());
  EXPECT_TRUE(bare.horizontalY.empty());
  EXPECT_EQ(bare.zeroY, -10);
  EXPECT_EQ(CursorX(233, 752), 250);
  struct Click { int x; int column; };
  for (const Click c : {Click{0, 0}, {751, 699}, {376, 350}, {-4, 0}, {9000, 699}}) EXPECT_EQ(ClickColumn(c.x, 752), c.column) << c.x;
  EXPECT_EQ(ClickColumn(10, 0), 0);
}

TEST(Layout, SlotsAndButtons)
{
  const ScreenLayout layout = LayoutScreen({0, 0, 1017, 552}, 4);  // H = 400
  EXPECT_EQ(layout.graphHeight, 400);
  EXPECT_EQ(layout.graphWidth, 752);
  EXPECT_EQ(layout.slotHeight, 95);
  EXPECT_EQ(layout.graphWindows[2], (win::RECT{0, 309, 752, 409}));
  EXPECT_EQ(layout.zoomButtons[2], (win::RECT{760, 347, 782, 368}));
  EXPECT_EQ(layout.graphWindows[4], win::RECT{});
  EXPECT_EQ(LayoutScreen({0, 0, 1017, 708}, 0).slotHeight, 0);
  const auto labels = TimeAxisLabels(1.5, layout);
  EXPECT_EQ(labels[0].text, "-6.0");
  EXPECT_EQ(labels[2].text, "0.0");
  EXPECT_EQ(labels[4].x, 10 + 107 / 2 - 7 * 3 / 2 + 8 * ((752 - 107) / 8));
}

}  // namespace
}  // namespace tessial
