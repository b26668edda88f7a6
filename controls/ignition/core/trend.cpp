#include "controls/ignition/core/trend.h"

#include <algorithm>

#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

constexpr int kStepPoints = 10;

double BandUnit(bool secondary, int graphHeight) { return secondary ? graphHeight * 0.2 : graphHeight / 6.0; }
int UsedRows(bool secondary) { return secondary ? 4 : 5; }

// The first bucket whose bound the value stays below, else the last maximum.
template <std::size_t N>
int Bucket(int value, const std::array<int, N>& bounds, int last)
{
  for (int bound : bounds) {
    if (value < bound) return bound;
  }
  return last;
}

// Buckets that count down from the top: the first threshold the value reaches gives its maximum.
template <std::size_t N>
int BucketFromTop(int value, const std::array<std::pair<int, int>, N>& thresholds, int lowest)
{
  for (const auto& [threshold, maximum] : thresholds) {
    if (value >= threshold) return maximum;
  }
  return lowest;
}

}  // namespace

int DwellMaximum(int value) { return Bucket(value, std::array{2, 4, 6, 8}, 10); }
int BurnMaximum(int value) { return Bucket(value, std::array{1, 2, 3}, 4); }
int TrOffMaximum(int value) { return Bucket(value, std::array{2, 4, 6, 8}, 10); }
int RpmMaximum(int rpm) { return Bucket(rpm, std::array{1000, 2000, 3000, 4000, 5000}, 6000); }
int SecondarySparkMaximum(int value) { return Bucket(value, std::array{3, 5, 7, 9, 13, 14}, 15); }

int SecondaryPeakMaximum(int value)
{
  // Below 35 the maximum is 30, not 35: the bucket bound and its maximum differ there.
  static constexpr std::array<std::pair<int, int>, 7> kBuckets = {{{5, 5}, {10, 10}, {15, 15}, {20, 20}, {25, 25}, {35, 30}, {40, 40}}};
  for (const auto& [bound, maximum] : kBuckets) {
    if (value < bound) return maximum;
  }
  return 50;
}

int PrimarySparkMaximum(int value)
{
  static constexpr std::array<std::pair<int, int>, 7> kThresholds = {{{117, 150}, {99, 130}, {81, 110}, {63, 90}, {45, 70}, {27, 50}, {9, 30}}};
  return BucketFromTop(value, kThresholds, 10);
}

int PrimaryPeakMaximum(int value)
{
  static constexpr std::array<std::pair<int, int>, 5> kThresholds = {{{450, 600}, {360, 500}, {270, 400}, {180, 300}, {90, 200}}};
  return BucketFromTop(value, kThresholds, 100);
}

TrendHistory::TrendHistory() : m_points(static_cast<std::size_t>(kMaxCylinders) * kTrendRows * kTrendPoints) { Reset(); }

void TrendHistory::Reset()
{
  m_count = 0;
  m_max.fill(1);
  std::fill(m_points.begin(), m_points.end(), win::POINT{});
  m_rpm.fill(win::POINT{});
}

void TrendHistory::UpdateMaxima(bool secondary, const ValueTable& values, int cylinders, int rpm)
{
  auto raise = [this](int index, int bucket) { m_max[index] = std::max(m_max[index], bucket); };
  raise(kTrendRpmMax, RpmMaximum(rpm));
  for (int c = 0; c < cylinders; ++c) {
    const auto& row = values[static_cast<std::size_t>(c)];
    raise(0, DwellMaximum(vetra::SaturatingCast<int>(row[0])));
    raise(1, BurnMaximum(vetra::SaturatingCast<int>(row[1])));
    if (secondary) {
      raise(2, SecondarySparkMaximum(vetra::SaturatingCast<int>(row[2])));
      raise(3, SecondaryPeakMaximum(vetra::SaturatingCast<int>(row[3])));
    } else {
      raise(2, PrimarySparkMaximum(vetra::SaturatingCast<int>(row[2])));
      raise(3, PrimaryPeakMaximum(vetra::SaturatingCast<int>(row[3])));
      raise(kTrendTrOffMax, TrOffMaximum(vetra::SaturatingCast<int>(row[4])));
    }
  }
}

void TrendHistory::Add(bool secondary, const ValueTable& values, int cylinders, int& rpm, int graphHeight)
{
  cylinders = std::clamp(cylinders, 0, kMaxCylinders);
  const int rows = UsedRows(secondary);
  constexpr int kLastStart = kTrendPoints - kStepPoints;
  if (m_count >= kWindowSteps) {
    m_count = kWindowSteps - 1;
    auto shift = [](win::POINT* points) {
      for (int i = 0; i < kLastStart; ++i) points[i] = {i, points[i + kStepPoints].y};
    };
    for (int c = 0; c < kMaxCylinders; ++c) {
      for (int k = 0; k < rows; ++k) shift(&m_points[Index(c, k, 0)]);
    }
    shift(m_rpm.data());
  }
  UpdateMaxima(secondary, values, cylinders, rpm);

  const double r = BandUnit(secondary, graphHeight);
  const int x = kStepPoints * m_count;
  auto fill = [x](win::POINT* points, int y) {
    for (int j = 0; j < kStepPoints; ++j) points[x + j] = {x + j, y};
  };
  for (int k = 0; k < rows; ++k) {
    for (int c = 0; c < cylinders; ++c) fill(&m_points[Index(c, k, 0)], vetra::SaturatingCast<int>(r * values[static_cast<std::size_t>(c)][k]));
  }
  rpm = rpm >= kTrendRpmLimit ? kTrendRpmLimit : (rpm < 1 ? 0 : rpm);
  fill(m_rpm.data(), vetra::SaturatingCast<int>(-(rpm * r)));
  ++m_count;
}

double TrendBandHeight(bool secondary, int graphHeight) { return secondary ? (graphHeight + 3.0) * 0.2 : (graphHeight + 3.0) / 6.0; }

win::POINT TrendCurvePoint(win::POINT stored, int row, int maximum, bool secondary, int graphHeight, int width)
{
  return TrendCurveMapping(row, maximum, secondary, graphHeight, width).Point(stored);
}

TrendCurveMapping::TrendCurveMapping(int row, int maximum, bool secondary, int graphHeight, int width)
    : m_maximum(maximum), m_floor(secondary ? 2 : 1), m_base(0), m_width(width)
{
  const double b = TrendBandHeight(secondary, graphHeight);
  m_top = vetra::SaturatingSubtract<int>(vetra::SaturatingCast<int>(b), 1);
  if (secondary) m_base = vetra::SaturatingCast<int>(row * b);
  else if (row < 4) m_base = vetra::SaturatingCast<int>((row + 1) * b);
}

win::POINT TrendCurveMapping::Point(win::POINT stored) const
{
  int v = m_maximum != 0 ? vetra::WrappingCast<std::int16_t>(static_cast<std::int64_t>(stored.y) / m_maximum) : 0;
  if (v > m_top) v = m_top;
  if (v <= m_floor) v = m_floor;
  return {static_cast<win::LONG>(static_cast<std::int64_t>(stored.x) * m_width / kTrendPoints),
          vetra::SaturatingSubtract<win::LONG>(-static_cast<std::int64_t>(v), m_base)};
}

win::POINT TrendRpmPoint(win::POINT stored, int rpmMaximum, bool secondary, int graphHeight, int width)
{
  const double b = TrendBandHeight(secondary, graphHeight);
  const int y = vetra::SaturatingSubtract<int>(rpmMaximum != 0 ? static_cast<std::int64_t>(stored.y) / rpmMaximum : 0,
                                              vetra::SaturatingCast<int>((secondary ? 4 : 5) * b));
  return {static_cast<win::LONG>(static_cast<std::int64_t>(stored.x) * width / kTrendPoints), y};
}

int TrendPositionLineX(int trendSpan, int width) { return trendSpan - (width / kWindowSteps) / 2 - 1; }

std::vector<int> TrendBandLineYs(bool secondary, int graphHeight)
{
  const int bands = secondary ? 5 : 6;
  std::vector<int> ys;
  for (int i = 1; i < bands; ++i) ys.push_back(-(graphHeight * i) / bands);
  return ys;
}

std::vector<TrendBandText> TrendBandTexts(bool secondary, int graphHeight, int width, const std::array<int, kTrendRows>& maxima)
{
  struct Band {
    const char* name;
    const char* format;
    int maximum;
  };
  const std::vector<Band> bands = secondary
      ? std::vector<Band>{{"드웰시간", "%d ms", maxima[0]}, {"점화시간", "%d ms", maxima[1]}, {"점화전압", "%d KV", maxima[2]},
                          {"피크전압", "%d KV", maxima[3]}, {"R  P  M", "%d Rpm", maxima[kTrendRpmMax]}}
      : std::vector<Band>{{"TR OFF", "%d V", maxima[kTrendTrOffMax]}, {"드웰시간", "%d ms", maxima[0]}, {"점화시간", "%d ms", maxima[1]},
                          {"점화전압", "%d V", maxima[2]}, {"피크전압", "%d V", maxima[3]}, {"R  P  M", "%d Rpm", maxima[kTrendRpmMax]}};
  const int r = secondary ? vetra::SaturatingCast<int>(graphHeight * 0.2) : graphHeight / 6;
  std::vector<TrendBandText> texts;
  for (int n = 1; n <= static_cast<int>(bands.size()); ++n) {
    const Band& band = bands[static_cast<std::size_t>(n - 1)];
    TrendBandText text;
    text.name = vetra::Cp949(band.name);
    text.namePos = {width / 2 - (10 * static_cast<int>(text.name.size())) / 2, (secondary ? 5 : 6) - n * r};
    text.maximum = vetra::Format(band.format, band.maximum);
    text.maximumPos = {5, 3 - n * r};
    const bool lowBand = n == 1 || (!secondary && n == 2);
    text.zeroPos = {5, (lowBand ? -25 : -20) - (n - 1) * r};
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace sparwen
