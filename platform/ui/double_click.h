#pragma once
// Tells a second press from a first, as the platform does: a press of the same button on the
// same window, within the double-click time of the first and inside the double-click rectangle
// around it, completes a double click; the press after that starts afresh.

#include <cstdint>

#include "platform/ui/messages.h"

namespace win {

// Milliseconds between the presses of a double click at most.
UINT GetDoubleClickTime();

namespace detail {

class DoubleClickDetector {
public:
  // Records a press (screen point, monotonic milliseconds); true when it completes a double click.
  bool Press(HWND hwnd, int button, POINT screen, std::uint64_t time);
  void Forget() { m_armed = false; }

private:
  bool m_armed = false;
  HWND m_hwnd = nullptr;
  int m_button = 0;
  std::uint64_t m_time = 0;
  POINT m_point{};
};

}  // namespace detail
}  // namespace win
