#include "controls/roadtest/core/measurement.h"

#include <gtest/gtest.h>

#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

using testing::Bytes;

MeasureSource Source(const Bytes& bytes) {
  MeasureSource s;
  s.bytes = bytes;
  s.rate = 50;
  for (int b = 0; b < 256; ++b) s.value[static_cast<std::size_t>(b)] = b;
  return s;
}

TEST(Measurement, AverageAndDuty) {
  const Bytes square = testing::Square(1000, 30, 70, 100, 10);
  const Bytes flat(200, 50);
  const struct {
    const char* name;
    const Bytes* bytes;
    std::int64_t from, to;
    double avg, plus, minus;
  } cases[] = {
      // One sample: its value, no duty.
      {"same column", &square, 5, 5, 100, 0, 0},
      // Whole periods from a high start: the first (cut) cycle and the last are not counted.
      {"square wave", &square, 0, 1000, 37, 30.0 / 99 * 100, 69.0 / 99 * 100},
      {"flat", &flat, 0, 200, 50, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const MeasureAverage m = AverageAndDuty(Source(*c.bytes), c.from, c.to);
    EXPECT_DOUBLE_EQ(m.avg, c.avg);
    EXPECT_NEAR(m.dutyPlus, c.plus, 1e-9);
    EXPECT_NEAR(m.dutyMinus, c.minus, 1e-9);
  }
  // Ranges beyond the data are held inside it.
  EXPECT_DOUBLE_EQ(AverageAndDuty(Source(flat), 500, 900).avg, 50);
  EXPECT_DOUBLE_EQ(AverageAndDuty(Source(Bytes{}), 0, 10).avg, 0);
}

TEST(Measurement, StatisticsOfPairsBetweenCursors) {
  ItemPage page;
  page.drawing = DrawingKind::Pairs;
  page.pairsBuilder = true;
  page.step = 2;
  page.count = 1400;
  for (int c = 0; c < kColumns; ++c) {
    page.columnMax[static_cast<std::size_t>(c)] = c;
    page.columnMin[static_cast<std::size_t>(c)] = -c;
  }
  Bytes bytes(2000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i / 10);
  const CursorStatistics s = ComputeCursorStatistics(Source(bytes), page, 40, 20, 0);
  EXPECT_EQ(s.min, -40);
  EXPECT_EQ(s.max, 40);
  // Samples 40..79 at step 2: bytes 4..7, ten of each.
  EXPECT_DOUBLE_EQ(s.avg, 5.5);
}

TEST(Measurement, TimeBetweenCursorsAndTexts) {
  EXPECT_DOUBLE_EQ(CursorTimeDifference(100, 450, 0, 1000000), 10.0);
  EXPECT_EQ(CursorTimeDifferenceText(10.0), vetra::Cp949("10.00000 초 10000.00 ms"));
  EXPECT_DOUBLE_EQ(CursorTimeDifference(10, 20, 500, 1000000), 0.1);

  CursorStatistics s{.min = 1, .max = 3.456, .avg = 2, .dutyPlus = 40, .dutyMinus = 60};
  const StatisticsTexts panel = PanelStatisticsTexts(s);
  EXPECT_EQ(panel.span, vetra::Cp949("최대-최소:  2.46"));
  EXPECT_EQ(panel.dutyMinus, vetra::Cp949("듀티(-): 60.00"));
  const StatisticsTexts print = PrintStatisticsTexts(s);
  EXPECT_EQ(print.min, "Min:  1.00");
  EXPECT_EQ(print.dutyPlus, "duty(+) : 40.00");

  ItemPage points;
  points.drawing = DrawingKind::Points;
  points.count = 3;
  points.points[1].x = 350;
  points.points[2].x = 700;
  points.columnMax[0] = 1.5;
  points.columnMax[1] = 2.5;
  points.columnMax[2] = 3.5;
  // A sparse page shows the value of the point after the cursor.
  EXPECT_EQ(FormatValue(points, 100, 3, "V"), " 2.50V");
  EXPECT_EQ(FormatValue(points, 100, 85, "V"), " 2.50 ");
  EXPECT_EQ(PanelCursorText(true, " 2.50V"), vetra::Cp949("커서 A: 2.50V"));
}

}  // namespace
}  // namespace morvit
