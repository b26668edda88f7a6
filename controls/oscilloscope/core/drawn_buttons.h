#pragma once
// The buttons the oscilloscope control draws on its own surface: where they are, which one the
// pointer is over, and the press and hover rules (a release acts only on the button that was
// pressed; the mouse is not captured).
#include <array>

#include "platform/base/win_types.h"

namespace tessial {

enum DrawnButton : int {
  kNoButton = 0,
  kPrintButton = 1,
  kCompressButton = 2,  // drawn with the right arrow
  kExpandButton = 3,    // drawn with the left arrow
  kUnitsButton = 4,
  kForwardButton = 10,
  kReverseButton = 11,
  kFastForwardButton = 12,
  kFastReverseButton = 13,
  kStartButton = 14,
  kEndButton = 15,
};

// Rectangles of the buttons, from their top-left corners and the sizes of their pictures (a
// picture that did not load has size 0 and so an empty rectangle).
class ButtonPlaces {
public:
  void Place(int button, int x, int y, int width, int height);
  win::RECT Rect(int button) const;
  // The first button in hit order 10..15, 1, 4, 2, 3 whose rectangle holds the point; 0 for none.
  int HitTest(win::POINT point) const;

private:
  std::array<win::RECT, 16> m_rects{};
};

// Top-left corners of the buttons on the control.
win::POINT ButtonOrigin(int button);

// Pressed and hovered button and whether the hover shows (hand cursor, over picture).
struct ButtonStates {
  int pressed = kNoButton;
  int hover = kNoButton;
  bool hoverActive = false;

  void Press(int hit) { pressed = hit; }
  // A move with the left button held shows no hover over a button other than the pressed one.
  void Move(int hit, bool leftHeld);
  // Returns the button whose action runs: the hit button when it is the pressed one, else 0.
  int Release(int hit);
  // The pointer went over a child window; a finished click there also drops the press.
  void LeaveForChild(bool dropPress);
};

}  // namespace tessial
