#include "controls/roadtest/core/axis_texts.h"

#include <gtest/gtest.h>

#include "controls/roadtest/core/road_model.h"
#include "platform/base/plain_file_name.h"

namespace morvit {
namespace {

TEST(AxisTexts, LimitsOfRecordedAndDerivedItems) {
  Recording rec;
  DerivedItems derived;
  ItemFactors factors{};
  factors.fill(2.0);
  const LutStore luts("/nonexistent");
  rec.channels[0] = {.rate = 50, .coding = 3, .rangeCode = 5};
  rec.minMax[0] = {27, 227};
  rec.channels[1] = {.rate = 50, .coding = 4, .rangeCode = 6};
  rec.channels[80] = {.rate = 50, .itemType = 1601, .source = 1, .rangeLow = -1, .rangeHigh = 9};
  rec.channels[81] = {.rate = 50, .itemType = 1300, .source = 1};
  rec.minMax[81] = {0, 128};
  derived[81].itemFactor = 2.56;
  const struct {
    const char* name;
    int item, rangeMode;
    AxisFor use;
    double top, bottom;
  } cases[] = {
      {"full range: the recorded bytes", 0, kRangeFull, AxisFor::Screen, 100 * 0.390625, -100 * 0.390625},
      {"range 5 with coding 3 on screen: nominal", 0, kRangeMinMax, AxisFor::Screen, 20, -20},
      {"range 5 with coding 3 in print: coding limits", 0, kRangeMinMax, AxisFor::Print, 50, -50},
      {"range 6 with coding 4: nominal", 1, kRangeMinMax, AxisFor::Print, 20, 0},
      {"table item on screen: its value range", 80, kRangeMinMax, AxisFor::Screen, 9, -1},
      {"table item in print: height over factor", 80, kRangeMinMax, AxisFor::Print, 50, 0},
      {"derived item in full range: bytes over factor", 81, kRangeFull, AxisFor::Screen, 50, 0},
  };
  for (const auto& c : cases) {
    const AxisLimits limits = ItemAxisLimits(rec, derived, factors, luts, c.item, 100, c.rangeMode, c.use);
    EXPECT_DOUBLE_EQ(limits.top, c.top) << c.name;
    EXPECT_DOUBLE_EQ(limits.bottom, c.bottom) << c.name;
  }
  EXPECT_EQ(AxisText(-2.5), " -2.50");
}

TEST(AxisTexts, ValueTextsAtAColumn) {
  ItemPage pairs;
  pairs.drawing = DrawingKind::Pairs;
  pairs.count = 1400;
  pairs.columnMin[10] = -1.5;
  pairs.columnMax[10] = 2.25;
  EXPECT_EQ(ValueRangeText(pairs, 10, "V"), "-1.50 ~  2.25 V");
  ItemPage points;
  points.drawing = DrawingKind::Points;
  points.count = 2;
  points.points[1].x = 400;
  points.columnMax[0] = 7;
  EXPECT_EQ(ValueRangeText(points, 100, "A"), " 7.00 A");
  EXPECT_EQ(ValueRangeText(points, 500, "A"), "");  // no point beyond the column
  EXPECT_EQ(MeasurementBlockHeight(3, false), 176);
  EXPECT_EQ(MeasurementBlockHeight(6, true), 62);
}

TEST(DownloadAddress, HostPathAndWorkingCopyName) {
  const DownloadTarget t = ParseDownloadUrl("  http://report.example/data/a/b.RES ", 1700000000);
  EXPECT_EQ(t.host, "report.example");
  EXPECT_EQ(t.path, "data/a/b.RES");
  EXPECT_EQ(t.readFileName, "1700000000b.RES");
  // An address whose last element climbs gives no plain file name.
  EXPECT_FALSE(vetra::IsPlainFileName(ParseDownloadUrl("http://h/x/..", 5).readFileName));
  EXPECT_EQ(ParseDownloadUrl("short", 5).host, "");
  // No "/" after the host: no host, the whole text is the path and the name.
  const DownloadTarget hostOnly = ParseDownloadUrl("http://report.example", 5);
  EXPECT_EQ(hostOnly.host, "");
  EXPECT_EQ(hostOnly.path, "report.example");
  EXPECT_EQ(hostOnly.readFileName, "5report.example");
}

}  // namespace
}  // namespace morvit
