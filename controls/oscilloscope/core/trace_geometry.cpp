#include "controls/oscilloscope/core/trace_geometry.h"

#include <algorithm>
#include <limits>

#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace tessial {
namespace {

constexpr int kHalfPlot = 1234;

win::LONG Clamp32(std::int64_t value) { return vetra::SaturatingCast<win::LONG>(value); }

}  // namespace

TraceSetup TraceSetupOf(const ScopeState& state, int slot)
{
  TraceSetup setup;
  setup.type = state.TypeOfSlot(slot);
  if (setup.type < 0) return setup;
  setup.gain = state.scales[slot].gain;
  setup.offset = state.scales[slot].offset;
  setup.division = state.scales[slot].division;
  return setup;
}

double TraceZeroShift(const ScopeState& state, const TraceSetup& setup)
{
  const double r = setup.division;
  if (r == 0.0 || !IsChannelType(setup.type)) return 0.0;
  const auto& zeros = state.header.calibration.zeros;
  switch (setup.type) {
    case kTypeLowCurrent: {
      const int range = state.header.blockA.channels[kTypeLowCurrent].range;
      const int set = range <= 2 ? 0 : std::min(range - 2, 3);
      return zeros[kZeroLowCurrent0 + set] * 0.05 / r;
    }
    case kTypeHighCurrent:
      return state.header.blockA.Clamp1000() ? zeros[kZeroHighCurrent1000] * 0.0005 / r : zeros[kZeroHighCurrent100] * 0.005 / r;
    case kTypePressure:
      return zeros[kZeroPressure] * 0.5 / r;
    default:
      return 0.0;
  }
}

TracePoints SourcePoints(std::span<const std::int32_t, kEnvelopeSize> envelope, const TraceSetup& setup, double zeroShift)
{
  TracePoints points;
  for (int i = 0; i < kEnvelopeSize; ++i) {
    const double s = envelope[i];
    const double v = setup.type == kTypeIgnitionSecondary ? (s + setup.offset) * kIgnitionSecondaryFactor * 1.024
                                                          : (s - kZeroLevel) * setup.gain * 0.5 + setup.offset * 1024;
    const double y = setup.division == 0.0 ? 0.0 : (v / setup.division / 2048 - zeroShift) * -2468;
    points[i] = {i / 2, vetra::SaturatingCast<int>(y)};
  }
  return points;
}

TracePoints EmptySourcePoints()
{
  TracePoints points;
  for (int i = 0; i < kEnvelopeSize; ++i) points[i] = {i / 2, 4095};
  return points;
}

TracePoints ScreenPoints(const TracePoints& source, int width, int height, bool unipolar)
{
  TracePoints points;
  const std::int64_t h = height;
  for (int i = 0; i < kEnvelopeSize; ++i) {
    const std::int64_t y = source[i].y;
    points[i].x = Clamp32(static_cast<std::int64_t>(i) * width / kEnvelopeSize);
    points[i].y = unipolar ? Clamp32((10 * h * y / 11) / kHalfPlot - h / 11) : Clamp32((h * y / kHalfPlot) / 2 - h / 2);
  }
  return points;
}

win::POINT MarkerTextPoint(const TracePoints& screen, int marker, int width)
{
  marker = std::clamp(marker, 0, kEnvelopeSize - 1);
  return {(marker * width / kWindowColumns) / 2 - 3, screen[marker].y - 8};
}

int CursorX(int column, int width) { return column * width / kWindowColumns; }

int ClickColumn(int x, int width)
{
  if (width <= 0) return 0;
  return std::clamp(static_cast<int>(static_cast<std::int64_t>(x) * kWindowColumns / width), 0, kWindowColumns - 1);
}

GridLines MakeGrid(int width, int height, bool unipolar, bool fullGrid)
{
  GridLines grid;
  const int divisions = unipolar ? 11 : 10;
  const int zeroLine = unipolar ? 1 : 5;
  grid.zeroY = -(height * zeroLine / divisions);
  if (!fullGrid) return grid;
  const int q = width / 7;
  for (int j = 0; j <= 8; ++j) grid.verticalX.push_back(q / 2 + j * ((width - q) / 8));
  for (int k = 1; k < divisions; ++k) grid.horizontalY.push_back(-(height * k / divisions));
  return grid;
}

std::string UnipolarBottomText(int type, const UnitSelection& units)
{
  if (type != kTypeVacuum) return "0";
  const UnitEntry& unit = VacuumUnit(units.vacuum);
  return vetra::Format("%.2f", unit.factor * 8.78 + unit.offset);
}

}  // namespace tessial
