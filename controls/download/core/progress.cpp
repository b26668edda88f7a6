#include "controls/download/core/progress.h"

#include <algorithm>

namespace pakrel {

int ProgressPosition(std::int64_t total, std::int64_t expected)
{
  if (expected <= 0 || total <= 0) return 0;
  if (total >= expected) return kProgressRange;
  return static_cast<int>(static_cast<double>(total) / static_cast<double>(expected) * kProgressRange);
}

int ProgressBarWidth(int fullWidth, int position)
{
  const int held = std::clamp(position, 0, kProgressRange);
  return static_cast<int>(static_cast<double>(fullWidth) * held / kProgressRange);
}

}  // namespace pakrel
