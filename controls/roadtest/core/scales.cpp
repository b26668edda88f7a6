#include "controls/roadtest/core/scales.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "controls/roadtest/core/tables.h"
#include "platform/base/numeric.h"

namespace morvit {

void UpdateScaleFactors(const Recording& rec, const DerivedItems& derived, int height, int rangeMode,
                        const LutStore& luts, ItemFactors& factors) {
  const double h = height;
  for (int i = kFirstDerived; i < kItemCount; ++i) {
    const auto idx = static_cast<std::size_t>(i);
    if (!derived[idx].done) continue;
    const ChannelRecord& c = rec.channels[idx];
    const MinMaxPair pair = rec.minMax[idx];
    double& factor = factors[idx];
    if (rangeMode == kRangeFull && c.itemType != 0) {
      factor = SafeDivide(h, SafeDivide(std::abs(pair.high - pair.low), derived[idx].itemFactor));
      continue;
    }
    if (!rec.oldLayout) {
      const bool spanned = c.itemType == 1400 || c.itemType == 1601 || c.itemType == 1700;
      factor = SafeDivide(h, spanned ? std::abs(c.rangeHigh - c.rangeLow) : c.rangeHigh);
      continue;
    }
    switch (c.itemType) {
      case 1: case 31: factor = h / 6000; break;
      case 2: case 32: factor = h * 0.025; break;
      case 3: factor = h * 0.01; break;
      case 4: case 33: case 3200: factor = h * 0.005; break;
      case 5: factor = h * 0.2; break;
      case 11: case 12: case 13: case 14: case 3100: factor = SafeDivide(h, c.rangeHigh); break;
      case 201: factor = h / 256; break;
      case 202: {
        const LutTable lut = luts.Load(c.lutNumber);
        factor = SafeDivide(h, std::abs(lut[255] - lut[0]));
        break;
      }
      default: break;
    }
  }
}

SampleMapper::SampleMapper(const Recording& rec, const DerivedItems& derived, const ItemFactors& factors, int item,
                           int height, int rangeMode, const LutStore& luts)
    : m_height(height) {
  static const ChannelSamples kEmpty;
  m_bytes = &kEmpty;
  if (item < 0 || item >= kItemCount) return;
  const auto idx = static_cast<std::size_t>(item);
  const ChannelRecord& c = rec.channels[idx];
  int holder = item;  // the channel whose lower byte and factor are used
  int bytesHolder = item;  // the channel whose bytes are drawn
  if (item < kFirstDerived) {
    m_kind = Kind::Recorded;
  } else if (c.itemType == 90) {
    m_kind = Kind::ScaledCopy;
    holder = bytesHolder = rec.SourceIndex(item);
  } else if (c.itemType == 201) {
    // No derivation fills a table item's own bytes: it shows its source's raw bytes through
    // its table.
    m_kind = Kind::Lut;
    bytesHolder = rec.SourceIndex(item);
  } else {
    m_kind = Kind::Derived;
  }
  if (holder < 0 || bytesHolder < 0) return;
  const auto h = static_cast<std::size_t>(holder);
  m_bytes = &rec.data[static_cast<std::size_t>(bytesHolder)];
  m_rate = rec.SampleRate(item);
  m_lower = rec.minMax[h].low;
  m_factor = factors[h];
  m_zero = ZeroOfCoding(rec.channels[h].coding);
  m_resolution = ResolutionOfCoding(rec.channels[h].coding);
  m_itemFactor = derived[idx].itemFactor;
  switch (m_kind) {
    case Kind::Recorded: m_multiplier = c.itemType == 1 ? c.factorA : 1.0; break;
    case Kind::ScaledCopy:
      m_multiplier = c.factorA;
      m_addend = c.factorB;
      break;
    case Kind::Lut: m_lut = luts.Load(c.lutNumber); break;
    case Kind::Derived:
      m_base = rangeMode == kRangeFull ? SafeDivide(m_lower, m_itemFactor) : 0.0;
      m_valueOffset = derived[idx].negativeBase ? static_cast<double>(vetra::SaturatingCast<std::int64_t>(std::abs(derived[idx].table[255]))) : 0.0;
      break;
  }
  for (int v = 0; v < 256; ++v) {
    m_y[static_cast<std::size_t>(v)] = ComputeY(v);
    m_value[static_cast<std::size_t>(v)] = ComputeValue(v);
  }
}

int SampleMapper::ComputeY(int raw) const {
  double offset = 0;
  if (m_kind == Kind::Derived) {
    offset = (SafeDivide(raw, m_itemFactor) - m_base) * m_factor;
  } else {
    offset = (raw - m_lower) * m_factor;
  }
  const std::int64_t y = vetra::SaturatingSubtract<std::int64_t>(m_height - 3, vetra::SaturatingCast<std::int64_t>(offset));
  return static_cast<int>(std::clamp<std::int64_t>(y, -1000000, 1000000));
}

double SampleMapper::ComputeValue(int raw) const {
  switch (m_kind) {
    case Kind::Recorded: return (raw - m_zero) * m_resolution * m_multiplier;
    case Kind::ScaledCopy: return (raw - m_zero) * m_resolution * m_multiplier + m_addend;
    case Kind::Lut: return raw >= 0 && raw < 256 ? m_lut[static_cast<std::size_t>(raw)] : 0.0;
    case Kind::Derived: return SafeDivide(raw, m_itemFactor) - m_valueOffset;
  }
  return 0;
}

int SampleMapper::Y(int raw) const {
  return raw >= 0 && raw < 256 ? m_y[static_cast<std::size_t>(raw)] : ComputeY(raw);
}

double SampleMapper::Value(int raw) const {
  return raw >= 0 && raw < 256 ? m_value[static_cast<std::size_t>(raw)] : ComputeValue(raw);
}

}  // namespace morvit
