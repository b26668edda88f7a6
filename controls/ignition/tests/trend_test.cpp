#include <gtest/gtest.h>

#include <limits>

#include "controls/ignition/core/trend.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

TEST(Trend, MaximumBuckets)
{
  struct Case { int (*bucket)(int); int value; int maximum; };
  const Case cases[] = {
      {RpmMaximum, -5, 1000},          {RpmMaximum, 999, 1000},        {RpmMaximum, 4000, 5000},     {RpmMaximum, 7000, 6000},
      {DwellMaximum, 1, 2},            {DwellMaximum, 7, 8},           {DwellMaximum, 8, 10},
      {BurnMaximum, 0, 1},             {BurnMaximum, 3, 4},
      {TrOffMaximum, 5, 6},            {TrOffMaximum, 12, 10},
      {SecondarySparkMaximum, 2, 3},   {SecondarySparkMaximum, 13, 14}, {SecondarySparkMaximum, 20, 15},
      {SecondaryPeakMaximum, 4, 5},    {SecondaryPeakMaximum, 32, 30},  {SecondaryPeakMaximum, 35, 40},
      {SecondaryPeakMaximum, 40, 50},
      {PrimarySparkMaximum, 8, 10},    {PrimarySparkMaximum, 9, 30},    {PrimarySparkMaximum, 117, 150},
      {PrimaryPeakMaximum, 89, 100},   {PrimaryPeakMaximum, 90, 200},   {PrimaryPeakMaximum, 450, 600},
  };
  for (const Case& c : cases) EXPECT_EQ(c.bucket(c.value), c.maximum) << c.value;
}

ValueTable Values(double dwell, double burn, double spark, double peak, double trOff = 0)
{
  ValueTable t{};
  for (auto& row : t) row = {dwell, burn, spark, peak, trOff, 0};
  return t;
}

TEST(Trend, HistoryScrollsAfterSeventySteps)
{
  TrendHistory h;
  constexpr int H = 500;  // secondary band unit 100
  for (int step = 0; step < 70; ++step) {
    int rpm = 800;
    h.Add(true, Values(step % 2 ? 3.0 : 2.0, 1, 2, 10), 4, rpm, H);
  }
  EXPECT_EQ(h.Count(), 70);
  EXPECT_EQ(h.Point(0, 0, 0).y, 200);
  int rpm = 7000;
  h.Add(true, Values(5.0, 1, 2, 10), 4, rpm, H);
  EXPECT_EQ(h.Count(), 70);
  EXPECT_EQ(rpm, 6000);  // stored clamped, and the maximum followed in the same step
  EXPECT_EQ(h.Maxima()[kTrendRpmMax], 6000);
  EXPECT_EQ(h.Point(0, 0, 0).y, 300);  // the oldest step left on the left
  EXPECT_EQ(h.Point(0, 0, 0).x, 0);
  for (int i = 690; i < 700; ++i) {
    EXPECT_EQ(h.Point(3, 0, i).x, i);
    EXPECT_EQ(h.Point(3, 0, i).y, 500);
    EXPECT_EQ(h.RpmPoint(i).y, -600000);
  }
  EXPECT_EQ(h.Point(4, 0, 0).y, 0);  // positions beyond the engine stay empty
  rpm = -40;
  h.Add(true, Values(5.0, 1, 2, 10), 4, rpm, H);
  EXPECT_EQ(rpm, 0);
  EXPECT_EQ(h.RpmPoint(699).y, 0);
  h.Reset();
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.Maxima()[0], 1);
}

TEST(Trend, CurvePoints)
{
  constexpr int H = 497;  // b = 100 secondary
  // A 32 kV peak sets the maximum 30 and is held at the top of its band.
  TrendHistory h;
  int rpm = 800;
  h.Add(true, Values(2, 1, 2, 32), 1, rpm, H);
  EXPECT_EQ(h.Maxima()[3], 30);
  const win::POINT peak = TrendCurvePoint(h.Point(0, 3, 5), 3, h.Maxima()[3], true, H, 700);
  EXPECT_EQ(peak.x, 5);
  EXPECT_EQ(peak.y, -(99 + 300));
  // A small value sits at the band's floor: 2 secondary, 1 primary.
  EXPECT_EQ(TrendCurvePoint({10, 0}, 0, 10, true, H, 1400).y, -2);
  EXPECT_EQ(TrendCurvePoint({10, 0}, 0, 10, true, H, 1400).x, 20);
  EXPECT_EQ(TrendCurvePoint({0, 0}, 4, 10, false, 597, 700).y, -1);      // Tr Off in the bottom band
  EXPECT_EQ(TrendCurvePoint({0, 0}, 0, 10, false, 597, 700).y, -101);    // dwell one band up
  EXPECT_EQ(TrendRpmPoint({0, -300000}, 3000, true, H, 700).y, -100 - 400);
  EXPECT_EQ(TrendCurvePoint({0, 50}, 0, 0, true, H, 700).y, -2);        // no maximum: no division
  EXPECT_EQ(TrendPositionLineX(350, 700), 350 - 5 - 1);
  // Saturated stored points and graph heights at the ends of int stay at the ends.
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();  // a band of 429496730 rows
  EXPECT_EQ(TrendCurvePoint({0, kMin}, 0, -1, true, H, 700).y, -2);  // low 16 bits of 2^31: none
  EXPECT_EQ(TrendRpmPoint({0, kMin}, -1, true, H, 700).y, 2147483248);  // 2^31 - 4 bands
  EXPECT_EQ(TrendCurvePoint({0, 10}, 4, 10, true, kMax, 700).y, -2 - 1717986920);
  EXPECT_EQ(TrendRpmPoint({0, 0}, 1, true, kMax, 700).y, -1717986920);
}

TEST(Trend, BandLinesAndTexts)
{
  EXPECT_EQ(TrendBandLineYs(true, 500), (std::vector<int>{-100, -200, -300, -400}));
  EXPECT_EQ(TrendBandLineYs(false, 600), (std::vector<int>{-100, -200, -300, -400, -500}));
  const std::array<int, kTrendRows> maxima = {10, 4, 15, 30, 6000, 8};
  const auto secondary = TrendBandTexts(true, 500, 700, maxima);
  ASSERT_EQ(secondary.size(), 5u);
  EXPECT_EQ(secondary[0].name, vetra::Cp949("드웰시간"));
  EXPECT_EQ(secondary[0].namePos.x, 350 - 40);
  EXPECT_EQ(secondary[0].namePos.y, 5 - 100);
  EXPECT_EQ(secondary[0].maximum, "10 ms");
  EXPECT_EQ(secondary[0].zeroPos.y, -25);
  EXPECT_EQ(secondary[3].maximum, "30 KV");
  EXPECT_EQ(secondary[4].name, "R  P  M");
  EXPECT_EQ(secondary[4].maximum, "6000 Rpm");
  EXPECT_EQ(secondary[4].maximumPos.y, 3 - 500);
  EXPECT_EQ(secondary[4].zeroPos.y, -20 - 400);
  const auto primary = TrendBandTexts(false, 600, 700, maxima);
  ASSERT_EQ(primary.size(), 6u);
  EXPECT_EQ(primary[0].name, "TR OFF");
  EXPECT_EQ(primary[0].maximum, "8 V");
  EXPECT_EQ(primary[1].zeroPos.y, -25 - 100);
  EXPECT_EQ(primary[2].zeroPos.y, -20 - 200);
  EXPECT_EQ(primary[4].maximum, "30 V");
  EXPECT_EQ(primary[5].namePos.y, 6 - 600);
}

}  // namespace
}  // namespace sparwen
