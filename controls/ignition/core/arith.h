#pragma once
// Integer conversions of the viewer's arithmetic: truncation toward zero that saturates (NaN
// gives 0), and the cut to 16 bits that trace values and counts undergo.
#include <cmath>
#include <cstdint>
#include <limits>

namespace sparwen {

inline int Trunc(double value)
{
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

inline std::int16_t Cut16(std::int64_t value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

}  // namespace sparwen
