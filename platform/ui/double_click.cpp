#include "platform/ui/double_click.h"

#include <cstdlib>

#include "platform/ui/system_metrics.h"

namespace win {

UINT GetDoubleClickTime() { return 500; }

namespace detail {

bool DoubleClickDetector::Press(HWND hwnd, int button, POINT screen, std::uint64_t time)
{
  // The rectangle is centred on the first press.
  const bool isDouble = m_armed && hwnd == m_hwnd && button == m_button && time >= m_time &&
                        time - m_time <= GetDoubleClickTime() &&
                        std::abs(screen.x - m_point.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        std::abs(screen.y - m_point.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  m_armed = !isDouble;
  m_hwnd = hwnd;
  m_button = button;
  m_time = time;
  m_point = screen;
  return isDouble;
}

}  // namespace detail
}  // namespace win
