#pragma once
// The trend view's history: per engine cycle the measured values of every firing position and the
// engine speed, 70 steps of 10 points each, with band maxima that only grow; and the arithmetic
// that turns the stored points into the curves and labels of the bands.
#include <array>
#include <string>
#include <vector>

#include "controls/ignition/core/ign_format.h"
#include "platform/base/win_types.h"

namespace sparwen {

using ValueTable = std::array<std::array<double, kValueColumns>, kMaxCylinders>;

inline constexpr int kTrendPoints = 700;    // 70 steps of 10 points
inline constexpr int kTrendRows = 6;
inline constexpr int kTrendRpmMax = 4;      // index of the engine-speed maximum
inline constexpr int kTrendTrOffMax = 5;    // index of the Tr Off maximum
inline constexpr int kTrendRpmLimit = 6000;

// Index into the maxima for value row k: rows 0..3 their own, row 4 (Tr Off) the last.
inline int TrendMaxIndex(int row) { return row == 4 ? kTrendTrOffMax : row; }

class TrendHistory {
public:
  TrendHistory();
  // Empty history, maxima 1.
  void Reset();
  // Starts the history again from the left; the maxima stay.
  void Restart() { m_count = 0; }

  // Appends one engine cycle: `values` rows 0..cylinders-1, `rpm` is clamped to 0..6000 in place.
  void Add(bool secondary, const ValueTable& values, int cylinders, int& rpm, int graphHeight);

  int Count() const { return m_count; }
  const std::array<int, kTrendRows>& Maxima() const { return m_max; }
  const win::POINT& Point(int position, int row, int i) const { return m_points[Index(position, row, i)]; }
  const win::POINT& RpmPoint(int i) const { return m_rpm[static_cast<std::size_t>(i)]; }

private:
  static std::size_t Index(int position, int row, int i)
  {
    return (static_cast<std::size_t>(position) * kTrendRows + static_cast<std::size_t>(row)) * kTrendPoints + static_cast<std::size_t>(i);
  }
  void UpdateMaxima(bool secondary, const ValueTable& values, int cylinders, int rpm);

  int m_count = 0;
  std::array<int, kTrendRows> m_max{};
  std::vector<win::POINT> m_points;  // 8 positions x 6 rows x 700
  std::array<win::POINT, kTrendPoints> m_rpm{};
};

// Bucket maxima of one value.
int DwellMaximum(int value);
int BurnMaximum(int value);
int SecondarySparkMaximum(int value);
int SecondaryPeakMaximum(int value);
int PrimarySparkMaximum(int value);
int PrimaryPeakMaximum(int value);
int TrOffMaximum(int value);
int RpmMaximum(int rpm);

// Curves: band height b, a stored point turned into a drawn point of value row k, and the
// engine-speed curve. W is the drawing width, H the graph height.
double TrendBandHeight(bool secondary, int graphHeight);
win::POINT TrendCurvePoint(win::POINT stored, int row, int maximum, bool secondary, int graphHeight, int width);
// The same for every point of one curve: what depends only on the curve worked out once.
class TrendCurveMapping {
public:
  TrendCurveMapping(int row, int maximum, bool secondary, int graphHeight, int width);
  win::POINT Point(win::POINT stored) const;

private:
  int m_maximum;
  int m_top;
  int m_floor;
  int m_base;
  int m_width;
};
win::POINT TrendRpmPoint(win::POINT stored, int rpmMaximum, bool secondary, int graphHeight, int width);
// x of the red line at the current position.
int TrendPositionLineX(int trendSpan, int width);

// Band lines and texts.
std::vector<int> TrendBandLineYs(bool secondary, int graphHeight);
struct TrendBandText {
  std::string name;     // code page 949
  win::POINT namePos{};
  std::string maximum;  // "%d ms", "%d KV", "%d V" or "%d Rpm"
  win::POINT maximumPos{};
  win::POINT zeroPos{};  // "0"
};
std::vector<TrendBandText> TrendBandTexts(bool secondary, int graphHeight, int width, const std::array<int, kTrendRows>& maxima);

}  // namespace sparwen
