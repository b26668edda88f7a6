#include "controls/ignition/core/display_geometry.h"

#include <cstdlib>

#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

int Bytes(const std::string& text) { return static_cast<int>(text.size()); }

// The text of time-axis tick i: whole divisions counted round from the scale (time base 0), or
// the time of the division.
std::string TickText(int i, int whole, int timeBaseCode, double divValue)
{
  if (timeBaseCode == 0) {
    int v = i - whole;
    if (v < 0) v += 5;
    return vetra::Format("%d", vetra::SaturatingMultiply<int>(v, vetra::SaturatingCast<int>(divValue)));
  }
  return vetra::Format("%.1f", (i - whole) * divValue);
}

}  // namespace

int TracePointCount(int timeBaseCode, int sweepCount) { return timeBaseCode == 0 && sweepCount > 0 ? 1500 : 750; }

std::vector<AxisTick> StandardTimeAxis(double graphScale, int timeBaseCode, double divValue, int width)
{
  const int whole = vetra::SaturatingCast<int>(graphScale);
  const bool half = graphScale - whole != 0;
  std::vector<AxisTick> ticks;
  auto add = [&](int i, int x) {
    AxisTick tick;
    tick.x = x;
    tick.text = TickText(i, whole, timeBaseCode, divValue);
    tick.textX = x - (timeBaseCode == 0 ? 5 * Bytes(tick.text) : (Bytes(tick.text) * 13) / 4);
    ticks.push_back(std::move(tick));
  };
  for (int i = 1; i <= 4; ++i) add(i, (half ? width / 10 : 0) + 2 * ((width * i) / 10));
  if (half) add(0, width / 10);
  return ticks;
}

std::vector<AxisTick> JikTimeAxis(int timeBaseCode, int cylinders, double divValue, int width)
{
  std::vector<AxisTick> ticks;
  auto add = [&](int i, int x, int position) {
    AxisTick tick;
    tick.x = x;
    tick.text = vetra::Format("%d", vetra::SaturatingMultiply<int>(vetra::SaturatingCast<int>(divValue), i));
    tick.textX = x - 5 * Bytes(tick.text);
    tick.cylinderPosition = position;
    ticks.push_back(std::move(tick));
  };
  if (timeBaseCode == 1) {
    const int k = 4 * cylinders;
    if (k <= 0) return ticks;
    for (int i = 1; i <= k / 2 - 1; ++i) {
      const bool odd = i % 2 != 0;
      if (cylinders <= 4 || odd) add(i, 2 * ((width * i) / k), odd ? (i + 1) / 2 : 0);
    }
    return ticks;
  }
  for (int i = 0; i <= 4; ++i) add(i, width / 10 + 2 * ((width * i) / 10), 0);
  return ticks;
}

std::string AxisUnitText(const std::string& unitText) { return "[" + unitText + "]"; }

std::vector<int> ZeroGridYs(int zeroPos, int a, bool modeZero)
{
  std::vector<int> ys;
  const bool odd = zeroPos % 2 != 0;
  for (int i = 1; i <= 5; ++i) {
    if (!odd && i == 5) continue;
    const int lift = odd ? a / 10 : 0;
    ys.push_back(modeZero ? lift + (-2 * a * i) / 10 : lift - 2 * ((a * i) / 10));
  }
  return ys;
}

std::vector<int> UpperZeroGridYs(int zeroPos, int a)
{
  std::vector<int> ys;
  const bool odd = zeroPos % 2 != 0;
  for (int i = 1; i <= 5; ++i) {
    if (!odd && i == 5) continue;
    ys.push_back(odd ? a / 10 - 2 * ((a * i) / 10) - a : -a - 2 * ((a * i) / 10));
  }
  return ys;
}

win::RECT JikBandRect(int bandPosition, int width, int a)
{
  const int x0 = (bandPosition * width) / 700;
  return {x0, 0, x0 + (75 * width) / 700, -a};
}

int JikPointX(int i, int width) { return ((width * i) / 750) / 2; }

std::vector<int> ByunBandLineYs(int h, int n)
{
  std::vector<int> ys;
  if (n <= 0) return ys;
  const int m = n + 1;
  for (int i = 0; i <= m; ++i) ys.push_back((h / m) / 2 - (h * i) / m);
  return ys;
}

int ByunLabelY(int j, int h, int n)
{
  const int m = n + 1;
  return -((h * j) / m + h / m);
}

int ByunTraceOriginY(int k, int h, int n)
{
  const int m = n + 1;
  return -((k + 1) * h) / m - (h / m) / 2;
}

int TracePointX(int i, int width, int pointCount) { return pointCount > 0 ? (i * width) / pointCount : 0; }

std::string TimeDifferenceText(int cursorX, int cursor2X, double divValue, int graphWidth, const std::string& unitText)
{
  if (graphWidth <= 0) return {};
  const double difference = std::abs(cursorX - cursor2X) * (divValue * 10 / graphWidth) * 0.5;
  return vetra::Cp949("시간차 : ") + vetra::Format("%.1f %s", difference, unitText.c_str());
}

std::optional<ThreeDGeometry> ThreeDLayout(int width, int h, int n, int pointCount)
{
  if (n <= 0) return std::nullopt;
  ThreeDGeometry g;
  g.division = (width * 112) / 700;
  g.floor = ((((350 * h) / 500) * 4) / 5) / n;
  g.shift = (width - g.division / 2 - 5 * g.division) / (n > 1 ? n - 1 : n);
  g.stepLength = pointCount == 1500 ? ((width * 1120) / 700) / 2 : (width * 560) / 700;
  return g;
}

std::vector<DepthTick> ThreeDTimeAxis(const ThreeDGeometry& g, double graphScale, int timeBaseCode, double divValue,
                                      int width, int depthStep, int n)
{
  const int whole = vetra::SaturatingCast<int>(graphScale);
  const bool half = graphScale - whole != 0;
  const int d = g.division;
  const int backY = -(depthStep * (n - 1) + g.floor);
  std::vector<DepthTick> ticks;
  for (int i = 0; i <= (half ? 4 : 5); ++i) {
    DepthTick t;
    t.tick.x = (half ? 2 * (d / 2) : d / 2) + i * d;
    t.tick.text = TickText(i, whole, timeBaseCode, divValue);
    const int length = Bytes(t.tick.text);
    t.tick.textX = t.tick.x - (timeBaseCode == 0 ? (length * 10) / 2 : (length * 16) / 4);
    if (n > 1) t.depthEnd = {(half ? width + d / 2 : width) - 5 * d + i * d, backY};
    ticks.push_back(std::move(t));
  }
  return ticks;
}

PlaneLine ThreeDPlaneLine(const ThreeDGeometry& g, int j, int depthStep)
{
  const int x0 = g.division / 2 + j * g.shift;
  return {x0, x0 + 5 * g.division, -(depthStep * j + g.floor)};
}

win::POINT ThreeDTraceOrigin(const ThreeDGeometry& g, int k, int depthStep, int h)
{
  return {g.division / 2 - k * g.shift - g.division, depthStep * k - h + g.floor};
}

int ThreeDPointX(int i, const ThreeDGeometry& g, int pointCount) { return pointCount > 0 ? (i * g.stepLength) / pointCount : 0; }

std::string TraceCylinderText(bool known, int cylinder) { return known ? vetra::Format("%d", cylinder) : "?"; }

std::string GaiCylinderText(bool known, int cylinder) { return known ? vetra::Format("CYL #%d", cylinder) : "CYL ?"; }

}  // namespace sparwen
