#include "controls/roadtest/core/axis_texts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "controls/roadtest/core/tables.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

NominalRange CodingLimits(int coding) {
  constexpr std::array<NominalRange, 10> limits = {{{0, 255}, {-100, 100}, {0, 100}, {-50, 50}, {0, 50},
                                                    {-6, 6}, {0, 6}, {-2.5, 2.5}, {0, 2.5}, {0, 1}}};
  return coding >= 0 && coding < 10 ? limits[static_cast<std::size_t>(coding)] : NominalRange{};
}

double ByteValue(const ChannelRecord& c, int byte, double multiplier) {
  return (byte - ZeroOfCoding(c.coding)) * ResolutionOfCoding(c.coding) * multiplier;
}

}  // namespace

AxisLimits ItemAxisLimits(const Recording& rec, const DerivedItems& derived, const ItemFactors& factors,
                          const LutStore& luts, int item, int height, int rangeMode, AxisFor use) {
  if (item < 0 || item >= kItemCount) return {};
  const auto idx = static_cast<std::size_t>(item);
  const ChannelRecord& c = rec.channels[idx];
  const MinMaxPair pair = rec.minMax[idx];
  const bool fullRange = rangeMode == kRangeFull;

  if (item < kFirstDerived) {
    if (fullRange || c.itemType == 1) {
      const double m = c.itemType == 1 ? c.factorA : 1.0;
      return {ByteValue(c, pair.high, m), ByteValue(c, pair.low, m)};
    }
    const int r = c.rangeCode;
    const bool nominal = (r == 6 && c.coding == 4) || r > 9 || (use == AxisFor::Screen && r == 5 && c.coding == 3);
    const NominalRange range = nominal ? RangeOfCode(r) : CodingLimits(c.coding);
    return {range.high, range.low};
  }

  const double itemFactor = derived[idx].itemFactor;
  const int s = rec.SourceIndex(item);
  if (c.itemType == 90) {
    if (s < 0) return {};
    const ChannelRecord& source = rec.channels[static_cast<std::size_t>(s)];
    if (fullRange) {
      const MinMaxPair sp = rec.minMax[static_cast<std::size_t>(s)];
      // The printout counts the source's bytes from the item's own zero.
      const int zero = use == AxisFor::Print ? ZeroOfCoding(c.coding) : ZeroOfCoding(source.coding);
      const double u = ResolutionOfCoding(source.coding);
      return {(sp.high - zero) * u * c.factorA + c.factorB, (sp.low - zero) * u * c.factorA + c.factorB};
    }
    const NominalRange range = RangeOfCode(source.rangeCode);
    return {c.factorA * range.high + c.factorB, c.factorA * range.low + c.factorB};
  }
  if (fullRange) return {SafeDivide(pair.high, itemFactor), SafeDivide(pair.low, itemFactor)};
  if (use == AxisFor::Screen && (c.itemType == 1400 || c.itemType == 1601 || c.itemType == 1700)) {
    return {c.rangeHigh, c.rangeLow};
  }
  if (c.itemType == 201 || c.itemType == 202) {
    const LutTable lut = luts.Load(c.lutNumber);
    return {lut[255], lut[0]};
  }
  return {SafeDivide(height, factors[idx]), 0.0};
}

std::string AxisText(double value) { return vetra::Format("%6.2f", value); }

std::string ValueRangeText(const ItemPage& page, int column, const std::string& unit) {
  const auto col = static_cast<std::size_t>(std::clamp(column, 0, kColumns - 1));
  if (page.drawing != DrawingKind::Pairs && page.count > 0) {
    for (int k = 0; k < page.count; ++k) {
      if (page.points[static_cast<std::size_t>(k)].x <= column) continue;
      int at = std::max(k - 1, 0);
      if (at > kColumns - 1) at /= 2;
      return vetra::Format("%5.2f %s", page.columnMax[static_cast<std::size_t>(std::min(at, kValueColumns - 1))], unit.c_str());
    }
    return {};
  }
  return vetra::Format("%5.2f ~ %5.2f %s", page.columnMin[col], page.columnMax[col], unit.c_str());
}

int MeasurementBlockHeight(int items, bool zoomView) {
  if (items <= 0) return 0;
  return ((zoomView ? 403 : 545) - 5 * items) / items;
}

PanelRows MeasurementPanelRows(int block, int textHeight) {
  PanelRows rows{8, textHeight + 9};
  const int top = 5;
  const int bottom = block - 5;
  if (rows.first + 3 * rows.pitch + textHeight <= bottom) return rows;
  const int room = std::max(bottom - top - textHeight, 0);
  rows.pitch = room / 3;
  rows.first = top + (room - 3 * rows.pitch) / 2;
  return rows;
}

}  // namespace morvit
