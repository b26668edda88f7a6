#include "controls/roadtest/core/decimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/scales.h"
#include "controls/roadtest/core/tables.h"
#include "tools/samples/lut_sample.h"
#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

using testing::Bytes;

TEST(Decimation, BuilderByScaleAndRate) {
  const struct {
    int scale, rate;
    bool zoom;
    Builder builder;
    int step;
  } cases[] = {
      {0, 5, false, Builder::FullView, 0},  {1, 50, false, Builder::Points, 0}, {1, 50, true, Builder::Pairs, 2},
      {2, 25, false, Builder::Points, 0},   {2, 50, false, Builder::Pairs, 2},  {25, 25, false, Builder::Pairs, 13},
      {25, 5, false, Builder::Pairs, 2},    {25, 2, false, Builder::Points, 0}, {50, 1, false, Builder::Pairs, 1},
      {500, 25, false, Builder::Pairs, 250}, {10, 3, false, Builder::None, 0},  {0, 0, false, Builder::None, 0},
      {7, 50, false, Builder::None, 0},
  };
  for (const auto& c : cases) {
    const BuilderChoice choice = ChooseBuilder(c.scale, c.rate, c.zoom);
    EXPECT_EQ(choice.builder, c.builder) << c.scale << " " << c.rate;
    EXPECT_EQ(choice.step, c.step) << c.scale << " " << c.rate;
  }
}

struct Fixture {
  Recording rec;
  DerivedItems derived;
  ItemFactors factors{};
  LutStore luts{"/nonexistent"};
  explicit Fixture(int rate, Bytes samples) {
    rec.recordLengthCode = 5;
    rec.channels[0].rate = rate;
    rec.data[0] = std::move(samples);
    rec.minMax[0] = {10, 200};
    factors.fill(1.0);
  }
  SampleMapper Mapper(int item = 0, int height = 100) const {
    return SampleMapper(rec, derived, factors, item, height, kRangeFull, luts);
  }
};

TEST(Decimation, PointsOfASparsePage) {
  // Rate 1 at 1:2: one sample every 50 columns' worth, 29 points at x = 0, 25, ..., 700.
  Fixture f(1, Bytes(1000, 10));
  ItemPage page;
  BuildItemPage(f.Mapper(), {2, 0, false}, f.rec.RecordLength(), page);
  ASSERT_EQ(page.count, 29);
  for (int k = 0; k < page.count; ++k) EXPECT_EQ(page.points[static_cast<std::size_t>(k)].x, 25 * k);
  EXPECT_EQ(page.drawing, DrawingKind::Points);
  // A sample at the lower byte sits 3 pixels above the bottom.
  EXPECT_EQ(page.points[0].y, 100 - 3);
}

// The window fold reads the bytes in bulk; it must give what reading sample after sample gives,
// also for windows reaching before the start or past the end of the data.
TEST(Decimation, WindowFoldMatchesReadingEverySample) {
  Bytes samples(5000);
  for (std::size_t k = 0; k < samples.size(); ++k) samples[k] = static_cast<std::uint8_t>((k * 37 + k / 7) % 251 + 2);
  samples[2500] = 0;
  samples[2600] = 255;
  Fixture f(50, samples);
  const SampleMapper m = f.Mapper();
  const struct {
    std::int64_t from, length;
  } windows[] = {{0, 1},      {0, 1428},  {2490, 20},  {2599, 2},  {4990, 10}, {4990, 30}, {-5, 3},
                 {-5, 10},    {5000, 4},  {7000, 100}, {100, 0},   {100, -3},  {-100, 6000}, {1, 4999}};
  for (const auto& w : windows) {
    for (const auto& [max0, min0] : {std::pair{0, 256}, std::pair{-200, 300}, std::pair{240, 3}}) {
      int max = max0, min = min0;
      FoldWindow(m, w.from, w.length, max, min);
      int expectedMax = max0, expectedMin = min0;
      for (std::int64_t k = 0; k < w.length; ++k) {
        expectedMax = std::max(expectedMax, m.RawAt(w.from + k));
        expectedMin = std::min(expectedMin, m.RawAt(w.from + k));
      }
      EXPECT_EQ(max, expectedMax) << w.from << " +" << w.length << " from " << max0;
      EXPECT_EQ(min, expectedMin) << w.from << " +" << w.length << " from " << min0;
    }
  }
}

TEST(Decimation, PairsAndSamplesPastTheEnd) {
  Bytes samples(50000);
  std::iota(samples.begin(), samples.end(), 0);  // bytes wrap 0..255
  Fixture f(50, samples);
  ItemPage page;
  // The page runs past the end of the data: those columns read -100 and draw below the graph.
  BuildItemPage(f.Mapper(), {10, 50000 - 3500, false}, f.rec.RecordLength(), page);
  EXPECT_EQ(page.count, 2 * kColumns);
  EXPECT_EQ(page.drawing, DrawingKind::Pairs);
  EXPECT_EQ(page.step, 10);
  EXPECT_EQ(page.points[2 * 699].y, 100 - (0 - 10) - 3);  // max stays 0 where no sample is
  EXPECT_EQ(page.points[2 * 699 + 1].y, 100 - (-100 - 10) - 3);
  EXPECT_DOUBLE_EQ(page.columnMin[699], -100 - 127);
}

TEST(Decimation, FullViewSpreadsTheRecordingOverTheColumns) {
  for (int rate : {50, 25, 1}) {
    const auto samples = static_cast<std::int64_t>(50000 * rate / 50);
    Fixture f(rate, Bytes(static_cast<std::size_t>(samples), 20));
    ItemPage page;
    BuildItemPage(f.Mapper(), {0, 0, false}, f.rec.RecordLength(), page);
    // Windows of m or m + 1 samples from c x m + trunc(c x f); the last one ends inside the data.
    const std::int64_t m = samples / kColumns;
    const double fraction = static_cast<double>(samples) / kColumns - static_cast<double>(m);
    for (int c = 0; c < kColumns; ++c) {
      const auto length = page.windowLengths[static_cast<std::size_t>(c)];
      EXPECT_TRUE(length == m || length == m + 1) << rate << " column " << c;
    }
    EXPECT_LE(699 * m + static_cast<std::int64_t>(699 * fraction) + page.windowLengths[699], samples) << rate;
    EXPECT_EQ(page.drawing, DrawingKind::Pairs);
    EXPECT_DOUBLE_EQ(page.columnMax[699], 20 - 127);
  }
}

// The full view keeps its columns between paints, but never past a change of the samples: a
// sample written, the samples replaced, or the recording's length changed.
TEST(Decimation, AKeptFullViewFollowsEveryChangeOfTheSamples) {
  Fixture f(50, testing::Square(50000, 3, 5, 200, 40));
  FullViewFold fold;
  const auto build = [&](FullViewFold* kept) {
    ItemPage page;
    BuildItemPage(f.Mapper(), {0, 0, false}, f.rec.RecordLength(), page, kept);
    return page;
  };
  const auto same = [](const ItemPage& a, const ItemPage& b) {
    return a.count == b.count && std::equal(a.points.begin(), a.points.end(), b.points.begin(), [](GraphPoint p, GraphPoint q) {
             return p.x == q.x && p.y == q.y;
           }) && a.columnMax == b.columnMax && a.columnMin == b.columnMin && a.windowLengths == b.windowLengths;
  };
  EXPECT_TRUE(same(build(&fold), build(nullptr)));
  EXPECT_TRUE(same(build(&fold), build(nullptr)));  // from the kept columns
  const struct {
    const char* change;
    void (*apply)(Recording&);
  } changes[] = {
      {"one sample written", [](Recording& r) { r.data[0][25000] = 255; }},
      {"samples replaced", [](Recording& r) { r.data[0] = Bytes(50000, 90); }},
      {"samples zeroed", [](Recording& r) { r.data[0].assign(50000, 0); }},
      {"another record length", [](Recording& r) { r.recordLengthCode = 4; }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.change);
    c.apply(f.rec);
    EXPECT_TRUE(same(build(&fold), build(nullptr)));
  }
}

TEST(Decimation, ZoomPointsOfASparsePage) {
  // Rate 10 at 1:2 and 1:5; a page start before the recording starts at its first sample.
  Fixture f(10, Bytes(10000, 30));
  ItemPage page;
  BuildItemPage(f.Mapper(), {2, -50, true}, f.rec.RecordLength(), page);
  EXPECT_EQ(page.count, 281);
  EXPECT_EQ(page.points[280].x, 700);
  EXPECT_EQ(page.points[0].y, 100 - 20 - 3);
  BuildItemPage(f.Mapper(), {5, 0, true}, f.rec.RecordLength(), page);
  EXPECT_EQ(page.count, 701);
}

TEST(Scales, DerivedFactorsAndValues) {
  Recording rec;
  rec.oldLayout = true;
  DerivedItems derived;
  ItemFactors factors{};
  factors.fill(-1);
  const LutStore luts("/nonexistent");
  const struct {
    int type;
    double expected;
  } cases[] = {{1, 100.0 / 6000}, {2, 2.5}, {3200, 0.5}, {3100, 100.0 / 50}, {201, 100.0 / 256}, {20, -1}, {202, 0}};
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    const int item = 80 + static_cast<int>(k);
    rec.channels[static_cast<std::size_t>(item)].itemType = cases[k].type;
    rec.channels[static_cast<std::size_t>(item)].rangeHigh = 50;
    derived[static_cast<std::size_t>(item)].done = true;
  }
  derived[99].done = false;
  UpdateScaleFactors(rec, derived, 100, kRangeMinMax, luts, factors);
  for (std::size_t k = 0; k < std::size(cases); ++k) EXPECT_DOUBLE_EQ(factors[80 + k], cases[k].expected) << cases[k].type;
  EXPECT_EQ(factors[99], -1);  // not derived yet: untouched
  // New layout: span of the range for the table types, else its high.
  rec.oldLayout = false;
  rec.channels[80] = {.itemType = 1601, .rangeLow = -10, .rangeHigh = 40};
  rec.channels[81] = {.itemType = 20, .rangeLow = -10, .rangeHigh = 40};
  UpdateScaleFactors(rec, derived, 100, kRangeMinMax, luts, factors);
  EXPECT_DOUBLE_EQ(factors[80], 2.0);
  EXPECT_DOUBLE_EQ(factors[81], 2.5);

  // Values: a recorded type-1 channel is multiplied by its factor, a scaled copy adds its offset.
  rec.channels[0] = {.rate = 50, .itemType = 1, .factorA = 2.0f, .coding = 2};
  rec.channels[82] = {.rate = 50, .itemType = 90, .source = 1, .factorA = 3.0f, .factorB = 1.0f};
  rec.data[0] = {4};
  EXPECT_DOUBLE_EQ(SampleMapper(rec, derived, factors, 0, 100, kRangeFull, luts).Value(4), 4 * 0.390625 * 2);
  EXPECT_DOUBLE_EQ(SampleMapper(rec, derived, factors, 82, 100, kRangeFull, luts).Value(4), 4 * 0.390625 * 3 + 1);
}

// Display factors far out of range (a damaged recording, a zoom of a flat item) put a sample far
// above or below the graph: the row saturates at the drawing limits in either direction.
TEST(Scales, ExtremeFactorsKeepRowsInsideTheDrawingLimits) {
  Recording rec;
  rec.channels[0] = {.rate = 50, .itemType = 1, .factorA = 2.0f, .coding = 2};
  rec.data[0] = {0, 128, 255};
  DerivedItems derived;
  const LutStore luts("/nonexistent");
  const double inf = std::numeric_limits<double>::infinity();
  for (const double factor : {1e300, -1e300, inf, -inf, std::nan("")}) {
    ItemFactors factors{};
    factors.fill(factor);
    const SampleMapper mapper(rec, derived, factors, 0, 100, kRangeFull, luts);
    for (const int raw : {0, 128, 255}) {
      const int y = mapper.Y(raw);
      EXPECT_GE(y, -1000000) << factor << " " << raw;
      EXPECT_LE(y, 1000000) << factor << " " << raw;
    }
  }
}

TEST(Decimation, CursorTimeLabel) {
  // Sample 0 of a 1,000,000-sample recording lies 15 s before the trigger.
  EXPECT_EQ(CursorTimeText(SampleTime(0, 1000000, 250000), true), vetra::Format("%7.4f", -15.0) + vetra::Cp949(" 초"));
  EXPECT_EQ(CursorTimeText(-0.00001, true), vetra::Cp949("0.0000 초"));
  EXPECT_EQ(CursorTimeText(-0.00001, false), vetra::Cp949("-0.0000 초"));
  EXPECT_EQ(SampleUnderColumn(350, {0, 0, false}, 1000000), 350 * 1428);
}

}  // namespace
}  // namespace morvit

namespace morvit {
namespace {

TEST(Scales, TableItemShowsItsSourceThroughItsTable) {
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Data/LUT");
  ASSERT_TRUE(vetra::samples::WriteLutSample(
      {.number = 9, .kind = vetra::samples::LutKind::Linear, .low = 0, .high = 510}, drive / "Data/LUT"));
  const LutStore luts(drive.Root().string());
  Recording rec;
  rec.recordLengthCode = 5;
  rec.channels[0] = {.rate = 50};
  rec.data[0] = Bytes(50000, 100);
  rec.channels[80] = {.rate = 50, .itemType = 201, .source = 1, .lutNumber = 9};
  rec.data[80] = Bytes(50000, 0);
  DerivedItems derived;
  ItemFactors factors{};
  factors.fill(1.0);
  ItemPage page;
  BuildItemPage(SampleMapper(rec, derived, factors, 80, 256, kRangeFull, luts), {10, 0, false}, rec.RecordLength(), page);
  EXPECT_DOUBLE_EQ(page.columnMax[5], 200.0);
  EXPECT_EQ(page.points[10].y, 256 - 100 - 3);
  EXPECT_DOUBLE_EQ(AverageAndDuty(MeasureSourceOf(rec, derived, 80, &luts), 0, 100).avg, 200.0);
}

// The sample writer's coolant sensor is recorded in volts; its temperature item shows degrees
// Celsius through the coolant table, in either layout.
TEST(Scales, SampleCoolantShowsDegreesThroughItsTable) {
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Data/LUT");
  ASSERT_TRUE(vetra::samples::WriteLutSample({.number = 7}, drive / "Data/LUT"));
  const LutStore luts(drive.Root().string());
  for (auto layout : {vetra::samples::RoadTestLayout::New, vetra::samples::RoadTestLayout::Old}) {
    Recording rec = ParseRecording(testing::SampleBytes({.layout = layout}));
    EXPECT_EQ(UnitOfCode(rec.channels[8].unitCode), "V");
    int item = -1;
    for (int i = kFirstDerived; i < kItemCount; ++i) {
      if (rec.channels[static_cast<std::size_t>(i)].source == 9) item = i;
    }
    ASSERT_GE(item, kFirstDerived);
    const ChannelRecord& c = rec.channels[static_cast<std::size_t>(item)];
    EXPECT_EQ(c.itemType, 201);
    EXPECT_EQ(c.lutNumber, 7);
    EXPECT_EQ(UnitOfCode(c.unitCode), vetra::Cp949("℃"));
    EXPECT_EQ(rec.SampleRate(item), rec.SampleRate(8));
    DerivedItems derived;
    ComputeDerivedItem(rec, derived, item);
    const MeasureSource source = MeasureSourceOf(rec, derived, item, &luts);
    ASSERT_EQ(source.bytes.size(), rec.data[8].size());
    EXPECT_NEAR(AverageAndDuty(source, 0, static_cast<std::int64_t>(source.bytes.size())).avg, 87.0, 3.0);
    ItemFactors factors{};
    factors.fill(1.0);
    ItemPage page;
    BuildItemPage(SampleMapper(rec, derived, factors, item, 256, kRangeFull, luts), {10, 0, false}, rec.RecordLength(), page);
    EXPECT_NEAR(page.columnMax[5], 87.0, 3.0);
  }
}

}  // namespace
}  // namespace morvit
