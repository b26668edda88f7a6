#include <gtest/gtest.h>

#include "controls/ignition/core/cylinder_bar.h"
#include "controls/ignition/core/graph_data.h"
#include "controls/ignition/core/ign_format.h"
#include "controls/ignition/core/scale_labels.h"
#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/tests/fixtures.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

using namespace sparwen::testing;

TEST(SparwenModel, LoadSetsTheStateFromTheRecording)
{
  vetra::testing::TempDrive drive;
  IgnitionOptions o = Options(1, IgnitionKind::Primary, 80);
  o.firingCode = 3;  // 1-3-4-2
  o.rangeIndex = 1;
  PutRecording(drive, o, "rec.Ig1");
  SparwenModel model;
  const LoadOutcome outcome = model.Load("rec.Ig1");
  ASSERT_TRUE(outcome.ok);
  const IgnitionState& s = model.State();
  EXPECT_EQ(s.Cylinders(), 4);
  EXPECT_EQ(s.engine.firingText, "1-3-4-2");
  EXPECT_EQ(s.ValueCount(), 5);
  EXPECT_EQ(s.settings.timeBaseCode, 2);
  EXPECT_EQ(model.TimeBaseIndex(), 0);
  EXPECT_EQ(s.graphScale, 3.0);
  EXPECT_EQ(s.settings.scaleByte, 6);
  EXPECT_EQ(s.timeBaseLabel, "5 ms");
  EXPECT_EQ(s.graph.divValue, 1.0);
  EXPECT_EQ(s.graph.unitText, "ms");
  EXPECT_EQ(s.rangeLabel, vetra::Cp949("±20 V"));
  EXPECT_EQ(s.unitTexts[2], "V");
  EXPECT_EQ(s.selectedPosition, 1);
  EXPECT_EQ(s.digitalPage, 1);
  // The default 1017 by 708 control: graph 772 wide (drawing width 767) and 572 high.
  EXPECT_EQ(s.graphWidth, 772);
  EXPECT_EQ(s.graphHeight, 572);
  EXPECT_EQ(s.graph.width, 767);
  EXPECT_EQ(s.graph.cursorX, 255);
  EXPECT_EQ(s.graph.cursor2X, 511);
  EXPECT_EQ(s.graph.gain, 3.0 * 572);
  EXPECT_EQ(model.Playback().windowStart, 11);
  EXPECT_EQ(model.Bars().framePosition, 80);
  EXPECT_FALSE(model.Bars().verticalEnabled);

  // The values of the last position are those of its records marked 1, cylinder by cylinder.
  Recording r;
  ASSERT_EQ(r.Open("c:\\Vetra\\TempE\\rec.Ig1"), RecordingError::none);
  FrameRecord f;
  for (int p = 0; p < 4; ++p) {
    ASSERT_TRUE(r.ReadRecord(80 * 8 + 2 * p + 1, 5, f));
    ASSERT_EQ(f.marker, 1);
    for (int v = 0; v < 5; ++v) EXPECT_EQ(s.values[p][v], f.values[v]) << p << "/" << v;
  }
  EXPECT_EQ(s.rpm, f.rpm);
  EXPECT_EQ(s.rpmText, std::to_string(f.rpm));
  EXPECT_EQ(s.graph.cylinderSync, 1);
  EXPECT_NE(s.graph.trace[3][0], kZeroLevel);  // traces converted
  EXPECT_NE(s.graph.trace[3][749], kZeroLevel);
}

// The time base follows the display mode's row; a code that is not in the row becomes its entry 2.
TEST(SparwenModel, TimeBaseRows)
{
  struct Case { int mode; int code; int index; int shown; };
  const Case cases[] = {{0, 1, 4, 1}, {0, 5, 3, 5}, {0, 0, 2, 4}, {1, 0, 3, 0}, {2, 6, 2, 6}, {3, 4, 2, 6}, {7, 3, 1, 3}};
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    std::string bytes = PutRecording(drive, Options(c.mode == 7 ? 1 : c.mode));
    PutU8(bytes, 5501, static_cast<std::uint8_t>(c.mode));
    PutU8(bytes, 5505, static_cast<std::uint8_t>(c.code));
    drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
    SparwenModel model;
    ASSERT_TRUE(model.Load("test.Ig2").ok);
    EXPECT_EQ(model.TimeBaseIndex(), c.index) << c.mode << "/" << c.code;
    EXPECT_EQ(model.State().settings.timeBaseCode, c.shown) << c.mode << "/" << c.code;
  }
}

TEST(SparwenModel, EngineSpeedAndMarkers)
{
  struct Case { int written; int shown; };
  const Case cases[] = {{12000, 9478}, {9478, 9478}, {0, 0}, {-5, 0}, {850, 850}};
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    std::string bytes = PutRecording(drive, Options(1, IgnitionKind::Secondary, 5));
    // The last cylinder's marked record of the last position carries the speed that is shown.
    const std::size_t last = RecordAt(5 * 8 + 7);
    PutI16(bytes, last + 756 + 16, static_cast<std::int16_t>(c.written));
    drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
    SparwenModel model;
    ASSERT_TRUE(model.Load("test.Ig2").ok);
    EXPECT_EQ(model.State().rpm, c.shown) << c.written;
    EXPECT_EQ(model.State().graph.rpm, c.shown);
  }

  // A record not marked 1 draws its samples but changes no value; a marker outside 1..4 is ignored.
  vetra::testing::TempDrive drive;
  std::string bytes = PutRecording(drive, Options(1, IgnitionKind::Secondary, 5));
  const std::size_t first = RecordAt(5 * 8);
  PutF32(bytes, first + 756, 77.0f);  // the first piece (marker 2) of cylinder 1
  PutI16(bytes, RecordAt(5 * 8 + 3) + 4, 9);  // cylinder 2's marked record
  PutF32(bytes, RecordAt(5 * 8 + 3) + 756, 55.0f);
  drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
  SparwenModel model;
  ASSERT_TRUE(model.Load("test.Ig2").ok);
  EXPECT_NEAR(model.State().values[0][0], 3.0, 0.2);
  EXPECT_NE(model.State().values[1][0], 55.0);
}

TEST(SparwenModel, PairedModeZero)
{
  vetra::testing::TempDrive drive;
  IgnitionOptions o = Options(0, IgnitionKind::Secondary, 6);
  o.paired = true;
  PutRecording(drive, o);
  SparwenModel model;
  ASSERT_TRUE(model.Load("test.Ig2").ok);
  const IgnitionState& s = model.State();
  EXPECT_EQ(model.FramesPerStep(), 8);
  EXPECT_TRUE(model.Bars().verticalEnabled);
  const int half = s.graphHeight / 2;
  for (int i = 0; i < kTraceLength; ++i) {
    EXPECT_GE(s.graph.trace[0][i], -half) << i;
    EXPECT_LE(s.graph.trace[kUpperRow][i], -half) << i;
  }
  EXPECT_GT(s.rpm, 0);
  EXPECT_NEAR(s.values[3][0], 3.0, 0.2);  // all four cylinders from one record
}

TEST(SparwenModel, ModeCommands)
{
  vetra::testing::TempDrive drive;
  PutRecording(drive, Options(0), "jik.Ig2");
  IgnitionOptions o = Options(1);
  o.firingCode = 3;  // 1-3-4-2
  PutRecording(drive, o, "byun.Ig2");

  SparwenModel jik;
  ASSERT_TRUE(jik.Load("jik.Ig2").ok);
  for (int b : {kByunButton, k3DButton, kGaiButton, kCylButton}) EXPECT_FALSE(IsButtonActive(b, 0));
  jik.ByunButton();
  jik.GaiButton();
  jik.CylButton();
  EXPECT_EQ(jik.State().DisplayMode(), 0);
  jik.TrendButton();
  EXPECT_TRUE(jik.State().trend);
  EXPECT_EQ(jik.State().trendSelection, (std::array<int, 8>{1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(jik.State().graph.trend.Count(), 11);
  jik.JikButton();
  EXPECT_FALSE(jik.State().trend);

  SparwenModel m;
  ASSERT_TRUE(m.Load("byun.Ig2").ok);
  m.JikButton();
  EXPECT_EQ(m.State().DisplayMode(), 1);
  m.GaiButton();
  EXPECT_EQ(m.State().DisplayMode(), 3);
  EXPECT_TRUE(m.Bars().verticalEnabled);
  EXPECT_EQ(m.Bars().verticalPosition, 8);
  m.ThreeDButton();
  EXPECT_EQ(m.State().DisplayMode(), 2);
  EXPECT_FALSE(m.Bars().verticalEnabled);
  m.GaiButton();

  // Cyl steps through the firing positions and wraps.
  std::vector<int> positions;
  for (int i = 0; i < 5; ++i) {
    m.CylButton();
    positions.push_back(m.State().selectedPosition);
  }
  EXPECT_EQ(positions, (std::vector<int>{2, 3, 4, 1, 2}));

  // In the trend view, the bar's cylinder 3 toggles firing position 2.
  m.TrendButton();
  m.CylinderBarCommand(5);
  EXPECT_EQ(m.State().trendSelection[1], 0);
  m.CylinderBarCommand(5);
  EXPECT_EQ(m.State().trendSelection[1], 1);
  m.CylinderBarCommand(5);
  m.CylinderBarCommand(11);
  EXPECT_EQ(m.State().trendSelection[1], 1);
  m.CylinderBarCommand(9);  // cylinder 7 of a four-cylinder engine: nothing
  EXPECT_EQ(m.State().trendSelection, (std::array<int, 8>{1, 1, 1, 1, 1, 1, 1, 1}));
  m.ByunButton();
  EXPECT_FALSE(m.State().trend);
  EXPECT_EQ(m.State().DisplayMode(), 1);

  m.ConfigButton();
  EXPECT_EQ(m.State().rightPanel, RightPanel::cylinderBar);
  m.ConfigButton();
  EXPECT_EQ(m.State().rightPanel, RightPanel::values);
}

TEST(SparwenModel, DigitalPagesAndRanges)
{
  for (IgnitionKind kind : {IgnitionKind::Secondary, IgnitionKind::Primary}) {
    vetra::testing::TempDrive drive;
    IgnitionOptions o = Options(1, kind);
    o.rangeIndex = 0;
    PutRecording(drive, o);
    SparwenModel m;
    ASSERT_TRUE(m.Load("test.Ig2").ok);
    const bool secondary = kind == IgnitionKind::Secondary;
    std::vector<int> pages;
    for (int i = 0; i < 6; ++i) {
      m.DigitalButton();
      pages.push_back(m.State().digitalPage);
    }
    EXPECT_EQ(pages, secondary ? (std::vector<int>{2, 3, 0, 1, 2, 3}) : (std::vector<int>{2, 3, 4, 0, 1, 2}));

    const double gain0 = m.State().graph.gain;
    m.RangeUp();
    EXPECT_DOUBLE_EQ(m.State().graph.gain * 2, gain0);  // both kinds: the gain follows the range
    for (int i = 0; i < 8; ++i) m.CylinderBarCommand(2);
    EXPECT_EQ(m.State().graph.range, MaxRange(secondary));
    EXPECT_EQ(m.State().rangeLabel, RangeLabel(MaxRange(secondary), secondary));
    for (int i = 0; i < 8; ++i) m.RangeDown();
    EXPECT_EQ(m.State().graph.range, 0);
    EXPECT_DOUBLE_EQ(m.State().graph.gain, gain0);
  }
}

// A header range beyond its table opens at the table's top: the label, the gain, the voltage
// scale and the range arrows all follow that range.
TEST(SparwenModel, AHeaderRangeBeyondItsTableOpensAtTheTop)
{
  const struct {
    IgnitionKind kind;
    int headerRange;
    int opened;
  } cases[] = {{IgnitionKind::Secondary, 7, 3}, {IgnitionKind::Primary, 9, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headerRange);
    vetra::testing::TempDrive drive;
    IgnitionOptions o = Options(1, c.kind);
    o.rangeIndex = 0;
    std::string bytes = PutRecording(drive, o);
    PutU8(bytes, ig::kSettings + 7, static_cast<std::uint8_t>(c.headerRange));
    drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
    SparwenModel m;
    ASSERT_TRUE(m.Load("test.Ig2").ok);
    const IgnitionState& s = m.State();
    const bool secondary = c.kind == IgnitionKind::Secondary;
    EXPECT_EQ(s.graph.range, c.opened);
    EXPECT_EQ(s.rangeLabel, RangeLabel(c.opened, secondary));
    EXPECT_DOUBLE_EQ(s.graph.gain, RangeGain(secondary, c.opened, s.graph.height, s.Conversion().gainConstant));
    EXPECT_TRUE(VoltsPerDivision(s.graph.range, secondary).has_value());
    EXPECT_EQ(BarButtonPictures(s, 0)[1], BarPicture::disabled);  // range up: already at the top
    m.RangeDown();
    EXPECT_EQ(s.graph.range, c.opened - 1);
  }
}

TEST(SparwenModel, PlaybackAndScrolling)
{
  vetra::testing::TempDrive drive;
  PutRecording(drive, Options(3, IgnitionKind::Secondary, 100));
  SparwenModel m;
  ASSERT_TRUE(m.Load("test.Ig2").ok);
  m.ToStart();
  EXPECT_EQ(m.Bars().framePosition, 0);
  const auto atStart = m.State().values;
  EXPECT_EQ(m.PlayForward().periodMs, kPlayPeriodMs);
  EXPECT_FALSE(m.Tick());
  EXPECT_EQ(m.Bars().framePosition, 1);
  EXPECT_NE(m.State().values, atStart);
  m.HScroll(kThumbTrack, 0, 60);
  EXPECT_EQ(m.Bars().framePosition, 60);
  m.GraphPosition(384);  // 384 x 70 / 767
  EXPECT_EQ(m.Playback().cursor, 35);
  EXPECT_EQ(m.Playback().windowStart, 31);  // as the scroll bar left it
  m.ToEnd();
  EXPECT_EQ(m.Bars().framePosition, 100);
  EXPECT_EQ(m.Playback().state, PlayState::stopped);

  // The vertical offset moves the zero line of mode 3.
  m.VScroll(kLineUp, 0);
  EXPECT_EQ(m.VerticalOffset(), 3);
  EXPECT_EQ(m.State().graph.zeroPos, 7);
  m.VScroll(kThumbTrack, -4);
  EXPECT_EQ(m.VerticalOffset(), 10);
  EXPECT_EQ(m.Bars().verticalPosition, 0);
  m.ByunButton();
  m.VScroll(kLineDown, 0);
  EXPECT_EQ(m.VerticalOffset(), 10);

  // Graph clicks: mode 1 places the cursors; the trend view reports the position instead.
  EXPECT_FALSE(m.GraphLeftClick(123));
  m.GraphRightClick(456);
  EXPECT_EQ(m.State().graph.cursorX, 123);
  EXPECT_EQ(m.State().graph.cursor2X, 456);
  m.TrendButton();
  EXPECT_TRUE(m.GraphLeftClick(50));
  EXPECT_EQ(m.State().graph.cursorX, 123);
  m.GraphRightClick(10);
  EXPECT_EQ(m.State().graph.cursor2X, 10);
  EXPECT_EQ(m.State().graph.trend.Count(), 70);
  EXPECT_EQ(m.State().graph.trendSpan, 70 * m.State().graph.width / 70);
}

TEST(SparwenModel, NothingBeforeALoad)
{
  vetra::testing::TempDrive drive;
  SparwenModel m;
  m.TrendButton();
  m.GaiButton();
  m.RangeUp();
  m.DigitalButton();
  m.CylinderBarCommand(11);
  m.HScroll(kLineDown, 0, 0);
  EXPECT_FALSE(m.State().trend);
  EXPECT_EQ(m.State().digitalPage, 1);
  EXPECT_EQ(m.PlayForward().timer, TimerChange::none);
  EXPECT_TRUE(m.Tick());
  EXPECT_FALSE(m.Load("missing.Ig2").ok);
  m.TrendButton();
  EXPECT_FALSE(m.State().trend);
}

TEST(SparwenModel, WorkingCopyOnDestroy)
{
  struct Case { int reloadMode; bool kept; };
  for (const Case& c : {Case{0, false}, Case{1, true}, Case{7, false}}) {
    vetra::testing::TempDrive drive;
    PutRecording(drive, Options(1), "123Temp.Ig1");
    drive.WriteFile("Windows/Osc123Temp.tmp", "x");
    SparwenModel m;
    ASSERT_TRUE(m.Load("123Temp.Ig1").ok);
    EXPECT_EQ(m.Destroy("123Temp.Ig1", c.reloadMode), c.kept ? 0 : 2);
    EXPECT_EQ(std::filesystem::exists(drive / "Vetra/TempE/123Temp.Ig1"), c.kept);
    EXPECT_EQ(std::filesystem::exists(drive / "Windows/Osc123Temp.tmp"), c.kept);
  }
  vetra::testing::TempDrive drive;
  SparwenModel never;
  EXPECT_EQ(never.Destroy("", 0), 0);
  // Never loaded: the file DataFileName names is no working copy of this control; only the
  // companion goes.
  PutRecording(drive, Options(1), "123Temp.Ig1");
  drive.WriteFile("Windows/Osc123Temp.tmp", "x");
  EXPECT_EQ(never.Destroy("123Temp.Ig1", 0), 1);
  EXPECT_TRUE(std::filesystem::exists(drive / "Vetra/TempE/123Temp.Ig1"));
  EXPECT_FALSE(std::filesystem::exists(drive / "Windows/Osc123Temp.tmp"));
}

}  // namespace
}  // namespace sparwen
