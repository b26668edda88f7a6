#pragma once
// Integer conversions of the viewer's arithmetic: truncation toward zero that saturates (NaN
// gives 0), shared with the oscilloscope viewer, and the cut to 16 bits that trace values and
// counts undergo.
#include <cstdint>

#include "controls/oscilloscope/core/measurement.h"

namespace sparwen {

inline int Trunc(double value) { return tessial::SaturatingTrunc(value); }

inline std::int16_t Cut16(std::int64_t value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

}  // namespace sparwen
