#pragma once
// Tells a second press from a first: a press within the double-click time of the previous one,
// and near it, is a double click. Controls that answer double clicks keep one of these.

#include <cstdint>
#include <cstdlib>

#include "platform/base/clock.h"
#include "platform/ui/geometry.h"

namespace win {

inline constexpr std::uint64_t kDoubleClickMs = 500;
inline constexpr int kDoubleClickSlop = 4;  // pixels either way

class DoubleClickDetector {
public:
  // Records a press; true when it completes a double click (the next press starts afresh).
  bool Press(CPoint point)
  {
    const std::uint64_t now = vetra::MonotonicMs();
    const bool isDouble = m_armed && now - m_time <= kDoubleClickMs &&
                          std::abs(point.x - m_point.x) <= kDoubleClickSlop &&
                          std::abs(point.y - m_point.y) <= kDoubleClickSlop;
    m_armed = !isDouble;
    m_time = now;
    m_point = point;
    return isDouble;
  }

private:
  bool m_armed = false;
  std::uint64_t m_time = 0;
  CPoint m_point;
};

}  // namespace win
