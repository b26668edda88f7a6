#pragma once
// The control's fifteen drawn buttons: where they lie, which are active in a display mode, and the
// hover and press rules that decide which picture each shows and which command a click runs.
#include <array>

#include "platform/base/win_types.h"

namespace sparwen {

enum Button {
  kNoButton = 0,
  kPrintButton = 1, kConfigButton, kJikButton, kByunButton, k3DButton, kTrendButton, kGaiButton, kCylButton,
  kDigitalButton, kPlayForwardButton, kPlayReverseButton, kFastForwardButton, kFastReverseButton,
  kStartButton, kEndButton
};
inline constexpr int kButtonCount = 15;

bool IsButtonActive(int button, int displayMode);
// Jik, Byun, 3D, Gai, Cyl and Digital have a disabled picture.
bool HasDisabledPicture(int button);

// Places of buttons 1..15 (index button - 1) from the sizes of their normal pictures: the menu
// buttons side by side from x = 11 at y = 71, the play buttons at fixed places at y = 72.
std::array<win::RECT, kButtonCount> ButtonPlaces(const std::array<win::SIZE, kButtonCount>& pictureSizes);

enum class ButtonPicture { normal, disabled, over, down };

class ButtonTracker {
public:
  explicit ButtonTracker(const std::array<win::RECT, kButtonCount>& places) : m_places(places) {}

  // The active button under the point, 0 for none.
  int HitTest(win::POINT point, int displayMode) const;
  void MouseMove(win::POINT point, bool leftHeld, int displayMode);
  void LeftDown(win::POINT point, int displayMode);
  // The button whose command runs (the one pressed and released on), 0 for none.
  int LeftUp(win::POINT point, int displayMode);
  // WM_USER+552 and +553 from a child window: the pointer left the buttons.
  void ChildDrag();
  void ChildHover();

  const std::array<win::RECT, kButtonCount>& Places() const { return m_places; }
  int Pressed() const { return m_pressed; }
  int Hover() const { return m_hover; }
  // The hand cursor shows while this is set.
  bool Over() const { return m_over; }
  // The picture a button shows: disabled when inactive, over while hovered with nothing pressed,
  // down while the pressed button is under the pointer.
  ButtonPicture Picture(int button, int displayMode) const;

private:
  std::array<win::RECT, kButtonCount> m_places;
  int m_pressed = 0;
  int m_hover = 0;
  bool m_over = false;
};

}  // namespace sparwen
