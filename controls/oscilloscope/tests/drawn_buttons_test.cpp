#include <gtest/gtest.h>

#include "controls/oscilloscope/core/drawn_buttons.h"

namespace tessial {
namespace {

TEST(DrawnButtons, HitTestGoesInItsFixedOrderAndSkipsButtonsWithoutPicture)
{
  ButtonPlaces places;
  places.Place(kPrintButton, 11, 71, 80, 30);
  places.Place(kForwardButton, 50, 80, 28, 32);  // overlaps print: the play buttons come first
  places.Place(kUnitsButton, 99, 71, 0, 0);      // no picture: no rectangle
  const struct {
    win::POINT at;
    int button;
  } cases[] = {{{20, 80}, kPrintButton}, {{60, 90}, kForwardButton}, {{99, 71}, kNoButton}, {{91, 80}, kNoButton}, {{11, 71}, kPrintButton}};
  for (const auto& c : cases) EXPECT_EQ(places.HitTest(c.at), c.button) << c.at.x << "," << c.at.y;
}

TEST(DrawnButtons, AReleaseActsOnlyOnThePressedButton)
{
  struct Step {
    char what;  // 'p' press, 'm' move, 'h' move with the left button held, 'r' release
    int hit;
    int pressed, hover;
    bool hoverActive;
    int action;  // of a release
  };
  const std::vector<Step> steps = {
      {'m', kForwardButton, kNoButton, kForwardButton, true, 0},
      {'p', kForwardButton, kForwardButton, kForwardButton, true, 0},
      {'h', kReverseButton, kForwardButton, kNoButton, false, 0},  // dragged off: no hover elsewhere
      {'h', kForwardButton, kForwardButton, kForwardButton, true, 0},
      {'h', kReverseButton, kForwardButton, kNoButton, false, 0},
      {'r', kReverseButton, kNoButton, kReverseButton, true, kNoButton},
      {'p', kPrintButton, kPrintButton, kReverseButton, true, 0},
      {'r', kPrintButton, kNoButton, kPrintButton, true, kPrintButton},
      {'p', kNoButton, kNoButton, kPrintButton, true, 0},
      {'r', kNoButton, kNoButton, kPrintButton, false, kNoButton},
  };
  ButtonStates states;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    int action = 0;
    switch (s.what) {
      case 'p': states.Press(s.hit); break;
      case 'm': states.Move(s.hit, false); break;
      case 'h': states.Move(s.hit, true); break;
      case 'r': action = states.Release(s.hit); break;
    }
    EXPECT_EQ(states.pressed, s.pressed) << i;
    EXPECT_EQ(states.hover, s.hover) << i;
    EXPECT_EQ(states.hoverActive, s.hoverActive) << i;
    EXPECT_EQ(action, s.action) << i;
  }
  states.Press(kEndButton);
  states.LeaveForChild(false);
  EXPECT_EQ(states.pressed, kEndButton);
  EXPECT_FALSE(states.hoverActive);
  states.LeaveForChild(true);
  EXPECT_EQ(states.pressed, kNoButton);
}

}  // namespace
}  // namespace tessial
