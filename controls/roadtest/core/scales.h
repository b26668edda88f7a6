#pragma once
// Display factors of the items (pixels per raw step) and the mapping of a stored byte to a pixel
// row of a graph and to a value in the item's unit.
#include <array>
#include <cstdint>
#include <vector>

#include "controls/roadtest/core/derived.h"
#include "controls/roadtest/core/lut.h"
#include "controls/roadtest/core/recording.h"

namespace morvit {

using ItemFactors = std::array<double, kItemCount>;

inline constexpr int kRangeFull = 1;    // range mode after loading and the full-range command
inline constexpr int kRangeMinMax = 2;  // range mode after the min-max range command

// Recomputes the display factors of the derived items whose derivation has run, for graphs of
// height `height`. LUT-scaled items read their table afresh.
void UpdateScaleFactors(const Recording& recording, const DerivedItems& derived, int height, int rangeMode,
                        const LutStore& luts, ItemFactors& factors);

// Raw value of a sample index outside the item's data.
inline constexpr int kMissingSample = -100;

// Maps the bytes of one item to y and to values; the tables are made once per build.
class SampleMapper {
public:
  SampleMapper(const Recording& recording, const DerivedItems& derived, const ItemFactors& factors, int item,
               int height, int rangeMode, const LutStore& luts);

  // The bytes drawn for the item (its source's for a scaled copy), and their rate.
  std::span<const std::uint8_t> Bytes() const { return m_bytes->Span(); }
  const ChannelSamples& Samples() const { return *m_bytes; }
  int Rate() const { return m_rate; }
  // The raw sample at an index, kMissingSample outside the data.
  int RawAt(std::int64_t index) const {
    return index >= 0 && index < static_cast<std::int64_t>(m_bytes->size()) ? (*m_bytes)[static_cast<std::size_t>(index)]
                                                                            : kMissingSample;
  }
  int Y(int raw) const;
  double Value(int raw) const;

private:
  int ComputeY(int raw) const;
  double ComputeValue(int raw) const;

  enum class Kind { Recorded, ScaledCopy, Lut, Derived };
  Kind m_kind = Kind::Recorded;
  const ChannelSamples* m_bytes = nullptr;
  int m_rate = 0;
  int m_height = 0;
  int m_lower = 0;
  double m_factor = 0;
  double m_itemFactor = 1;
  double m_base = 0;
  double m_valueOffset = 0;
  int m_zero = 127;
  double m_resolution = 0;
  double m_multiplier = 1;
  double m_addend = 0;
  LutTable m_lut{};
  std::array<int, 256> m_y{};
  std::array<double, 256> m_value{};
};

}  // namespace morvit
