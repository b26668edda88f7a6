#pragma once
// Integer readings of the scan-data conversion: truncation toward zero that saturates instead of
// overflowing, and the 8- and 16-bit views of a sample.

#include <cmath>
#include <cstdint>
#include <limits>

namespace quarnel {

// Truncates toward zero to a 32-bit integer; values beyond the range saturate, NaN gives 0.
inline std::int32_t TruncToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// The low 16 bits as a signed number.
inline std::int16_t As16(std::int64_t value) { return static_cast<std::int16_t>(value); }

// The low 8 bits as a signed number.
inline std::int8_t As8(std::int64_t value) { return static_cast<std::int8_t>(value); }

// Saturates a wide intermediate result to 32 bits.
inline std::int32_t Saturate32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

}  // namespace quarnel
