#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "controls/ignition/core/graph_data.h"
#include "controls/ignition/core/recording.h"
#include "controls/ignition/tests/fixtures.h"

namespace sparwen {
namespace {

using Samples = std::array<std::uint16_t, kSamplesPerRecord>;

Samples Flat(std::uint16_t raw)
{
  Samples s;
  s.fill(raw);
  return s;
}

TEST(Scaling, RangeGains)
{
  constexpr int H = 500;
  const double secondaryBase = 6.75 * 14355.5;
  struct Case { bool secondary; int range; double gain; };
  const Case cases[] = {
      {true, 0, secondaryBase / (5000.0 / H)},  {true, 1, secondaryBase / (10000.0 / H)},
      {true, 2, secondaryBase / (25000.0 / H)}, {true, 3, secondaryBase / (50000.0 / H)},
      {true, 9, secondaryBase / (50000.0 / H)},  // outside the table: the widest range
      {false, 0, 6.0 * H}, {false, 1, 3.0 * H}, {false, 2, 1.0 * H},
      {false, 3, 0.6 * H}, {false, 4, 0.2 * H}, {false, 5, 0.1 * H},  // the gain follows every range
      {false, 7, 1.0 * H},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RangeGain(c.secondary, c.range, H, 6.75), c.gain) << c.secondary << c.range;
  EXPECT_DOUBLE_EQ(RangeGain(true, 1, H, 6.75) * 2, RangeGain(true, 0, H, 6.75));
}

TEST(Scaling, DepthSteps)
{
  struct Case { int cylinders; int height; std::optional<int> step; };
  const Case cases[] = {{4, 550, 70}, {6, 500, 55}, {8, 500, 45}, {3, 500, 85}, {12, 500, 35}, {0, 500, std::nullopt}, {13, 500, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(DepthStep(c.cylinders, c.height), c.step) << c.cylinders;
}

// Half the range above the zero line is half the height: the trace agrees with its label. The
// gains imply 60 V per 2048 counts for primary and 6.75 V per count for secondary samples.
TEST(Scaling, SampleCounts)
{
  EXPECT_EQ(SecondaryCount(2048, RangeGain(true, 0, 500, 6.75), 1.0), 0);
  EXPECT_EQ(PrimaryCount(2048, 500), 0);
  EXPECT_EQ(PrimaryCount(2048 + 1024, 1000), 500);
  EXPECT_EQ(PrimaryCount(0, 1000), -1000);
  constexpr int H = 500;
  const double primaryVolts[] = {10, 20, 60, 100};
  for (int r = 0; r < 4; ++r) {
    const auto raw = static_cast<std::uint16_t>(2048 + std::lround(primaryVolts[r] / 2 * 2048 / 60));
    EXPECT_NEAR(PrimaryCount(raw, RangeGain(false, r, H, 6.75)), H / 2, 1) << r;
  }
  const double secondaryVolts[] = {5000, 10000, 25000};
  for (int r = 0; r < 3; ++r) {
    const auto raw = static_cast<std::uint16_t>(2048 + std::lround(secondaryVolts[r] / 2 / 6.75));
    EXPECT_NEAR(SecondaryCount(raw, RangeGain(true, r, H, 6.75), 1.0), H / 2, 1) << r;
  }
}

ConversionSettings Mode(int mode, bool secondary = true)
{
  ConversionSettings s;
  s.displayMode = mode;
  s.secondary = secondary;
  s.cylinders = 4;
  s.timeBaseCode = 2;
  return s;
}

GraphData Graph(const ConversionSettings& s, int height = 400)
{
  GraphData g;
  g.Create(height, 705, s);
  return g;
}

// A sample recording read back through the viewer: the highest point of each cylinder's trace
// shows the firing line its value fields report, in the units of the recording's own range. The
// primary inductive peak (some 300 V) runs past the samples' +-60 V and shows clipped there, while
// the burn line shows at its measured voltage.
TEST(Scaling, SampleRecordingsShowTheirPeaksAtTheRangeScale)
{
  struct Case { const char* what; testing::IgnitionKind kind; int range; bool clipped; };
  const Case cases[] = {
      {"secondary at its own range", testing::IgnitionKind::Secondary, -1, false},
      {"secondary at +-50 KV", testing::IgnitionKind::Secondary, 3, false},
      {"primary at +-60 V", testing::IgnitionKind::Primary, -1, true},
      {"primary at +-100 V", testing::IgnitionKind::Primary, 3, true},
  };
  constexpr int H = 400;
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    testing::IgnitionOptions o = testing::Options(1, c.kind, 3);
    o.rangeIndex = c.range;
    testing::PutRecording(drive, o);
    Recording recording;
    ASSERT_EQ(recording.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
    const RecordingSettings& header = recording.Header().settings;
    const bool secondary = header.Secondary();
    ConversionSettings s = Mode(1, secondary);
    GraphData g;
    g.range = header.rangeIndex;
    g.Create(H, 705, s);
    static constexpr double kSecondaryKv[] = {5, 10, 25, 50};
    static constexpr double kPrimaryVolts[] = {10, 20, 60, 100, 300, 600};
    const double fullScale = secondary ? kSecondaryKv[g.range] : kPrimaryVolts[g.range];
    const double pixel = fullScale / H;
    const int valueFields = secondary ? 4 : 5;
    for (std::int64_t k = 0; k + 1 < recording.RecordCount(); k += 2) {
      const int cylinder = static_cast<int>(k / 2 % 4);
      FrameRecord first, marked;
      ASSERT_TRUE(recording.ReadRecord(k, valueFields, first));
      ASSERT_TRUE(recording.ReadRecord(k + 1, valueFields, marked));
      ConvertFrame(g, s, first.samples, cylinder, first.marker, 0);
      ConvertFrame(g, s, marked.samples, cylinder, marked.marker, 0);
      const auto& row = g.trace[static_cast<std::size_t>(cylinder)];
      const double shown = -*std::min_element(row.begin(), row.begin() + 750) * pixel;
      const double peak = marked.values[3];
      if (c.clipped) {
        EXPECT_GT(peak, 250.0) << c.what;
        EXPECT_NEAR(shown, 60.0, 1.0 + pixel) << c.what;
        // Half a millisecond after the spark (the trace starts 1 ms before it, 150 samples a
        // millisecond) the burn line has fallen a fifth of the way per burn time.
        const double spark = marked.values[2], burn = marked.values[1];
        EXPECT_NEAR(-row[225] * pixel, spark * (1.0 - 0.1 / burn), 2.0 + pixel) << c.what << " record " << k;
      } else {
        EXPECT_NEAR(shown, peak, 0.2 + pixel) << c.what << " record " << k;
      }
    }
  }
}

TEST(Scaling, CylinderTracePieces)
{
  ConversionSettings s = Mode(1);
  GraphData g = Graph(s);
  ConvertFrame(g, s, Flat(2048), 2, 2, 2);
  EXPECT_EQ(g.trace[2][0], 0);
  EXPECT_EQ(g.trace[2][374], 0);
  EXPECT_EQ(g.trace[2][375], kZeroLevel);  // the second piece is still to come
  ConvertFrame(g, s, Flat(2048), 2, 1, 2);
  EXPECT_EQ(g.trace[2][749], 0);
  EXPECT_EQ(g.trace[2][750], kZeroLevel);

  s.timeBaseCode = 0;  // four pieces with sweeps, two without
  s.sweepCount = 1;
  ConvertFrame(g, s, Flat(2048), 3, 3, 0);
  EXPECT_EQ(g.trace[3][375], 0);
  EXPECT_EQ(g.trace[3][374], kZeroLevel);
  s.sweepCount = 0;
  ConvertFrame(g, s, Flat(2048), 4, 3, 0);
  EXPECT_EQ(g.trace[4][375], 0);
  EXPECT_EQ(g.trace[4][0], kZeroLevel);

  // Markers outside 1..4 and rows outside 0..7 place nothing.
  GraphData untouched = Graph(s);
  ConvertFrame(untouched, s, Flat(100), 0, 5, 0);
  ConvertFrame(untouched, s, Flat(100), 0, 0, 0);
  ConvertFrame(untouched, s, Flat(100), 8, 1, 0);
  for (int row = 0; row < kTraceRows; ++row) EXPECT_EQ(untouched.trace[row], Graph(s).trace[row]);
}

TEST(Scaling, OffsetForms)
{
  // Mode 3, secondary: y = ((N - 10) H) / 10 - c with N = 10 - offset.
  ConversionSettings s = Mode(3);
  GraphData g = Graph(s, 400);
  ConvertFrame(g, s, Flat(2048), 0, 2, 4);
  EXPECT_EQ(g.zeroPos, 6);
  EXPECT_EQ(g.trace[0][0], -160);
  // Primary: y = (N H) / 10 - c - H.
  ConversionSettings p = Mode(3, false);
  GraphData pg = Graph(p, 400);
  ConvertFrame(pg, p, Flat(2048), 0, 2, 4);
  EXPECT_EQ(pg.trace[0][0], -160);
  // Modes 1 and 2 draw from 0 and keep the zero line.
  ConversionSettings plain = Mode(2);
  GraphData pl = Graph(plain, 400);
  pl.zeroPos = 7;
  ConvertFrame(pl, plain, Flat(2048 + 1000), 0, 2, 4);
  EXPECT_EQ(pl.zeroPos, 7);
  EXPECT_LT(pl.trace[0][0], 0);
}

// Mode 0 assembles four pieces (markers 4, 3, 2, 1) and copies the trace to row 0 with the last;
// pairs split the height: the lower trace stays below half the height, the upper above it.
TEST(Scaling, ModeZeroAssemblyAndPairs)
{
  for (int paired : {0, 1}) {
    ConversionSettings s = Mode(0);
    s.pairedFlag = paired;
    GraphData g = Graph(s, 400);
    for (int marker : {4, 3, 2}) ConvertFrame(g, s, Flat(2048 + 1500), 0, marker, 0);
    EXPECT_EQ(g.trace[0][0], kZeroLevel);
    ConvertFrame(g, s, Flat(0), 0, 1, 0);
    for (int i = 0; i < kTraceLength; ++i) {
      const int b = g.trace[kAssemblyRow][i];
      EXPECT_EQ(g.trace[0][i], paired ? std::max(b / 2, -200) : b) << i;
    }
    EXPECT_LT(g.trace[kAssemblyRow][0], -400);  // the first pieces lie above the window's top
    if (!paired) continue;
    for (int marker : {4, 3, 2, 1}) ConvertUpperFrame(g, s, Flat(marker == 1 ? 0 : 2048 + 1500), marker, 0);
    for (int i = 0; i < kTraceLength; ++i) {
      EXPECT_GE(g.trace[0][i], -200) << i;
      EXPECT_LE(g.trace[kUpperRow][i], -200) << i;
    }
  }
  // The upper entries do nothing outside mode 0.
  ConversionSettings other = Mode(1);
  GraphData g = Graph(other);
  ConvertUpperFrame(g, other, Flat(0), 1, 0);
  EXPECT_EQ(g.trace[kUpperRow], Graph(other).trace[kUpperRow]);
}

}  // namespace
}  // namespace sparwen
