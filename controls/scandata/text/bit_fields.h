#pragma once
// Cutting a field out of a scan-tool sample. Only the bits named are looked at.

#include <bit>
#include <cstdint>

namespace quarnel {

// 1-based position (1 to 8) of the lowest set bit of the low byte; 0 when none is set.
constexpr int LowestSetBit(int value) {
  unsigned low = static_cast<unsigned>(value) & 0xFFu;
  return low == 0 ? 0 : std::countr_zero(low) + 1;
}

// The bits of the low byte selected by the mask's low byte, shifted down to the mask's lowest bit.
constexpr int MaskedBits(int value, int mask) {
  unsigned m = static_cast<unsigned>(mask) & 0xFFu;
  if (m == 0) return 0;
  return static_cast<int>(((static_cast<unsigned>(value) & 0xFFu) & m) >> std::countr_zero(m));
}

// The bits of value selected by mask (low 16 bits of each), packed together from bit 15 down.
constexpr int MaskedBits16(int value, int mask) {
  unsigned result = 0;
  for (int bit = 15; bit >= 0; --bit) {
    if ((static_cast<unsigned>(mask) >> bit) & 1u) {
      result = (result << 1) | ((static_cast<unsigned>(value) >> bit) & 1u);
    }
  }
  return static_cast<int>(result);
}

// 1-based position (1 to 8) of the lowest bit set in both value and mask (low bytes); 0 when none.
constexpr int MaskedBitsHigh(int value, int mask) {
  return LowestSetBit(value & mask);
}

}  // namespace quarnel
