#include "controls/roadtest/core/derived.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "controls/roadtest/core/tables.h"
#include "controls/roadtest/tests/road_fixtures.h"
#include "platform/base/numeric.h"

namespace morvit {
namespace {

using testing::Bytes;
using testing::HandMade;
using testing::Square;
using vetra::samples::RoadTestLayout;
using vetra::samples::RoadTestOptions;

Bytes Derive(Recording& r, DerivedItems& items, int item = 80) {
  EXPECT_TRUE(ComputeDerivedItem(r, items, item));
  const auto bytes = r.data[static_cast<std::size_t>(item)].Span();
  return Bytes(bytes.begin(), bytes.end());
}

TEST(Derived, DispatchByLayoutAndType) {
  const struct {
    bool old;
    int type;
    Derivation kind;
  } cases[] = {{true, 1, Derivation::PeriodValueFixed}, {true, 3100, Derivation::PeriodValue},
               {true, 3200, Derivation::WheelSpeedOld},  {true, 1200, Derivation::None},
               {false, 33, Derivation::WheelSpeedOld},   {false, 1101, Derivation::GroupRate},
               {false, 1902, Derivation::DutyPercent},   {false, 1700, Derivation::PiecewiseTableAbs},
               {false, 1502, Derivation::GatedLowTime},  {false, 1800, Derivation::Linear},
               {false, 1601, Derivation::PiecewiseTable}, {false, 1602, Derivation::Frequency},
               {false, 3100, Derivation::None},           {false, 90, Derivation::None}};
  for (const auto& c : cases) EXPECT_EQ(DerivationOf(c.old, c.type), c.kind) << c.old << " " << c.type;
}

TEST(Derived, RunsOnceAndOnlyForDerivedSlots) {
  Recording r = HandMade(Square(1000, 50, 50), 1300);
  r.channels[80].params[4] = 50;
  DerivedItems items;
  EXPECT_FALSE(ComputeDerivedItem(r, items, 3));
  EXPECT_TRUE(ComputeDerivedItem(r, items, 80));
  r.data[80][500] = 7;
  EXPECT_FALSE(ComputeDerivedItem(r, items, 80));
  EXPECT_EQ(r.data[80][500], 7);
}

TEST(Derived, PeriodValueFixedCapsAt5990) {
  // Pulses of 4 high and 4 low samples: one period is 8 samples.
  const struct {
    float a;
    double value;
  } cases[] = {{3000.0f * 8, 3000.0}, {6000.5f * 8, 5990.0}};
  for (const auto& c : cases) {
    Recording r = HandMade(Square(400, 4, 4), 1);
    r.channels[80].threshold = 50;
    r.channels[80].factorA = c.a;
    r.channels[80].factorB = 1;
    DerivedItems items;
    const Bytes out = Derive(r, items);
    const auto expected = static_cast<std::uint8_t>(c.value * 256.0 / 6000.0);
    EXPECT_EQ(out[100], expected) << c.a;
    EXPECT_EQ(r.minMax[80].high, expected);
    EXPECT_EQ(out.back(), 0);  // after the last edge nothing is written
  }
}

TEST(Derived, DutyPercentSkipsTheFirstAndTheCutPeriod) {
  // 40 high, 60 low samples per period. A high start counts the first low sample as high and the
  // low run takes the next high sample, so after the first period every period is 40 + 60 again.
  Recording r = HandMade(Square(1050, 40, 60), 1300);
  r.channels[80].params[4] = 50;
  DerivedItems items;
  const Bytes out = Derive(r, items);
  const auto duty = static_cast<std::uint8_t>(60.0 * 256.0 / 100.0);
  EXPECT_EQ(out[10], 0);      // the first period synchronises
  EXPECT_EQ(out[150], duty);  // second period
  EXPECT_EQ(out[1049], 0);    // cut off by the end of the data
  EXPECT_DOUBLE_EQ(items[80].itemFactor, 2.56);
}

TEST(Derived, FrequencyOfAPulseTrain) {
  Recording r = HandMade(Square(2000, 50, 50), 1602);
  r.channels[80].params[4] = 50;
  r.channels[80].rangeHigh = 1000;
  DerivedItems items;
  const Bytes out = Derive(r, items);
  // 100 samples a period at 50 kHz.
  EXPECT_EQ(out[500], vetra::SaturatingCast<std::uint8_t>(50000.0 / 100.0 * 256.0 / 1000.0));
}

TEST(Derived, GroupRateIgnoresShortPulses) {
  const struct {
    int high, low;
    bool zero;
  } cases[] = {{10, 10, true}, {40, 40, false}};
  for (const auto& c : cases) {
    Recording r = HandMade(Square(5000, c.high, c.low), 1100);
    r.channels[80].params[4] = 50;
    r.channels[80].params[0] = 2;
    r.channels[80].rangeHigh = 6000;
    DerivedItems items;
    const Bytes out = Derive(r, items);
    const bool allZero = std::all_of(out.begin(), out.end(), [](std::uint8_t v) { return v == 0; });
    EXPECT_EQ(allZero, c.zero) << c.high;
    if (!c.zero) {
      // Two pulses of 80 samples: 1000 x 50 x 120 / 160 = 37500, above the range: high - 1.
      EXPECT_EQ(out[2000], vetra::SaturatingCast<std::uint8_t>(5999.0 * 256.0 / 6000.0));
    }
  }
}

TEST(Derived, LinearConversionRewritesRangeAndFactors) {
  Bytes samples = {127, 137, 227, 117};
  Recording r = HandMade(samples, 1600);
  r.channels[0].rangeCode = 2;  // 0..100
  auto& p = r.channels[80].params;
  p[0] = 0, p[1] = 0, p[2] = 100, p[3] = 50;  // y = x / 2
  DerivedItems items;
  const Bytes out = Derive(r, items);
  EXPECT_DOUBLE_EQ(items[80].itemFactor, 255.0 / 50.0);
  EXPECT_EQ(out, (Bytes{0, static_cast<std::uint8_t>(5 * 5.1), static_cast<std::uint8_t>(50 * 5.1), 0}));
  EXPECT_FLOAT_EQ(r.channels[80].factorA, 0.5f);
  EXPECT_DOUBLE_EQ(r.channels[80].rangeHigh, 255 * 0.5);
}

TEST(Derived, PiecewiseTables) {
  // Points (0,0) and (50,100) on a source of full scale 255: the table is the line x * 256/50... up to 255.
  Recording r = HandMade(Bytes{0, 10, 255}, 1601);
  auto& p = r.channels[80].params;
  std::fill(p.begin(), p.end(), 0.0f);
  p[0] = 0, p[1] = 0, p[2] = 255, p[3] = 255, p[4] = -1;
  DerivedItems items;
  Derive(r, items);
  EXPECT_DOUBLE_EQ(items[80].table[10], 10.0);
  EXPECT_DOUBLE_EQ(r.channels[80].rangeHigh, 255.0);

  // One point: only the closing stretch is filled.
  Recording one = HandMade(Bytes{0, 200}, 1601);
  auto& q = one.channels[80].params;
  q[0] = 100, q[1] = 42, q[2] = -1;
  DerivedItems oneItems;
  Derive(one, oneItems);
  EXPECT_EQ(oneItems[80].table[0], 0.0);
  EXPECT_EQ(oneItems[80].table[200], 42.0);

  // A table that falls below zero measures from its base.
  Recording neg = HandMade(Bytes{0, 255}, 1400);
  auto& n = neg.channels[80].params;
  n[0] = 0, n[1] = 10, n[2] = 255, n[3] = -20, n[4] = -1;
  DerivedItems negItems;
  Derive(neg, negItems);
  EXPECT_TRUE(negItems[80].negativeBase);
  EXPECT_DOUBLE_EQ(neg.channels[80].rangeHigh, 10.0);
}

TEST(Derived, LoopsStayInsideBothArrays) {
  // The period routines count samples by the item's own rate, which may promise more than the
  // source holds.
  for (int type : {3100, 1, 1100, 1300, 1500, 1600, 1601, 1400}) {
    Recording r = HandMade(Square(500, 5, 5), type, type == 3100);
    r.channels[80].rate = 50;
    r.channels[0].rate = 1;  // the source holds 1000 samples at most; its array is shorter still
    r.channels[80].secondSource = 1;
    r.channels[80].params[0] = 1;
    DerivedItems items;
    ComputeDerivedItem(r, items, 80);
    EXPECT_EQ(r.data[80].size(), 500u) << type;
  }
}

TEST(Derived, WheelSpeedFromTyre) {
  // 4 pulses a group, every pulse 100 samples; tyre 205/60 R15 in the table, 300 mm outside.
  const struct {
    float width;
    bool speed;
  } cases[] = {{205, true}, {300, false}};
  for (const auto& c : cases) {
    Recording r = HandMade(Square(5000, 50, 50), 1200);
    auto& p = r.channels[80].params;
    p[0] = 4, p[4] = 50, p[5] = c.width, p[6] = 60, p[7] = 15;
    r.channels[80].rangeHigh = 250;
    DerivedItems items;
    const Bytes out = Derive(r, items);
    const bool any = std::any_of(out.begin(), out.end(), [](std::uint8_t v) { return v != 0; });
    EXPECT_EQ(any, c.speed) << c.width;
    if (c.speed) {
      const double circumference = (60 * 0.01 * 205 * static_cast<double>(0.002f) + 15 * static_cast<double>(0.0254f)) *
                                   static_cast<double>(11.304f);
      const double speed = 50000.0 / 400.0 * circumference * *TyreFactorFromSize(205, 60, 15);
      EXPECT_EQ(out[2500], vetra::SaturatingCast<std::uint8_t>(speed * 256.0 / 250.0));
    }
  }
}

// The speed and engine speed of the sample writer's drive come back from its recordings.
TEST(Derived, WriterDrivesReadBackPlausibly) {
  for (RoadTestLayout layout : {RoadTestLayout::New, RoadTestLayout::Old}) {
    RoadTestOptions options;
    options.layout = layout;
    options.recordLengthCode = 5;
    Recording r = ParseRecording(testing::SampleBytes(options));
    DerivedItems items;
    for (int item : {80, 81}) {
      ASSERT_TRUE(ComputeDerivedItem(r, items, item));
      const auto out = r.data[static_cast<std::size_t>(item)].Span();
      Bytes sorted(out.begin(), out.end());
      std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
      const double median = DerivedValue(items[static_cast<std::size_t>(item)], sorted[sorted.size() / 2]);
      // Idle at 800 RPM and 14.5 km/h, up to about 2500 RPM and 45 km/h.
      const double low = item == 80 ? 700 : 10, high = item == 80 ? 2700 : 50;
      EXPECT_GT(median, low) << static_cast<int>(layout) << " item " << item;
      EXPECT_LT(median, high) << static_cast<int>(layout) << " item " << item;
    }
  }
}

}  // namespace
}  // namespace morvit
