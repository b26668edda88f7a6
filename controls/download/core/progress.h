#pragma once
// The download dialogs' progress: a position in 0..kProgressRange for the bytes received so far
// against the size the page announced.

#include <cstdint>

namespace pakrel {

inline constexpr int kProgressRange = 10000;

// total / expected × kProgressRange, truncated and held inside the range; 0 while the expected
// size is unknown (0 or less).
int ProgressPosition(std::int64_t total, std::int64_t expected);

// The width of the skinned bar for a position: the full width scaled by position / range.
int ProgressBarWidth(int fullWidth, int position);

}  // namespace pakrel
