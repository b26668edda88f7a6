#pragma once
// The cylinder selection bar beside the graph: its eleven buttons (two range arrows, eight
// cylinders, All), which of them take a click or give the hand cursor in the current state, the
// picture each shows, and the press-release rule that decides which code reaches the control.
#include <array>
#include <vector>

#include "controls/ignition/core/ignition_state.h"
#include "platform/base/win_types.h"

namespace sparwen {

// Button codes, also the WPARAM of the bar's command message.
enum BarButton { kBarRangeDown = 1, kBarRangeUp = 2, kBarFirstCylinder = 3, kBarAll = 11 };
inline constexpr int kBarButtonCount = 11;

// Top-left corners of buttons 1..11 (index code - 1) in the bar's client area.
const std::array<win::POINT, kBarButtonCount>& BarButtonCorners();
// Place of the background picture's top-left corner.
inline constexpr win::POINT kBarBackgroundCorner = {2, 9};
// Where the time-base and range texts start.
inline constexpr win::POINT kBarTimeBaseTextAt = {110, 253};
inline constexpr win::POINT kBarRangeTextAt = {100, 296};

// Rectangles of the buttons from the sizes of their normal pictures (an empty size for a
// picture that failed gives an empty rectangle that nothing hits).
std::array<win::RECT, kBarButtonCount> BarButtonRects(const std::array<win::SIZE, kBarButtonCount>& sizes);

// A button that takes a press and a release.
bool BarTakesClick(int code, const IgnitionState& state);
// A button over which the hand cursor shows.
bool BarGivesHand(int code, const IgnitionState& state);

enum class BarPicture { normal, down, disabled };
// The picture of every button before the selection marks; `pressed` is the code pressed, 0 none.
std::array<BarPicture, kBarButtonCount> BarButtonPictures(const IgnitionState& state, int pressed);
// Cylinders 1..8 that show their selected picture over their button: the trend selection in the
// trend view, the selected position in display mode 3.
std::vector<int> BarSelectedCylinders(const IgnitionState& state);

// Presses and releases on the bar.
class BarTracker {
public:
  explicit BarTracker(const std::array<win::RECT, kBarButtonCount>& rects) : m_rects(rects) {}
  // The first button (in code order) under the point, 0 none; left and top edges are inside.
  int HitTest(win::POINT point) const;
  void LeftDown(win::POINT point, const IgnitionState& state);
  // The code to send to the control (pressed and released on the same button), 0 for none.
  int LeftUp(win::POINT point, const IgnitionState& state);
  void MouseMove(win::POINT point, bool leftHeld, const IgnitionState& state);
  int Pressed() const { return m_pressed; }
  bool Hover() const { return m_hover; }

private:
  std::array<win::RECT, kBarButtonCount> m_rects;
  int m_pressed = 0;
  bool m_hover = false;
};

}  // namespace sparwen
