#pragma once
// The client point a mouse message carries in its lParam: signed 16-bit x in the low word and
// y in the high word (negative while the mouse is captured and left of or above the window).

#include <cstdint>

#include "platform/ui/cwnd.h"

namespace win::detail {

inline CPoint PointOf(LPARAM lParam)
{
  return {static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
          static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
}

}  // namespace win::detail
