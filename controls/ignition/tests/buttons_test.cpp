#include <gtest/gtest.h>

#include "controls/ignition/core/buttons.h"

namespace sparwen {
namespace {

std::array<win::RECT, kButtonCount> Places()
{
  std::array<win::SIZE, kButtonCount> sizes{};
  sizes.fill({30, 25});
  sizes[0] = {40, 30};
  return ButtonPlaces(sizes);
}

win::POINT Centre(int button)
{
  const win::RECT r = Places()[static_cast<std::size_t>(button - 1)];
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(Buttons, Places)
{
  const auto places = Places();
  EXPECT_EQ(places[0].left, 11);
  EXPECT_EQ(places[0].bottom, 101);
  EXPECT_EQ(places[1].left, 51);
  EXPECT_EQ(places[8].left, 51 + 7 * 30);
  EXPECT_EQ(places[kStartButton - 1].left, 809);
  EXPECT_EQ(places[kPlayForwardButton - 1].left, 907);
  EXPECT_EQ(places[kEndButton - 1].top, 72);
}

TEST(Buttons, ActiveByMode)
{
  struct Case { int button; std::array<bool, 5> active; };  // modes 0..3 and 7
  const Case cases[] = {
      {kJikButton, {true, false, false, false, false}},  {kByunButton, {false, true, true, true, false}},
      {kGaiButton, {false, true, true, true, false}},    {kCylButton, {false, false, false, true, false}},
      {kDigitalButton, {true, true, true, false, false}}, {kTrendButton, {true, true, true, true, true}},
      {0, {false, false, false, false, false}},          {16, {false, false, false, false, false}},
  };
  const int modes[] = {0, 1, 2, 3, 7};
  for (const Case& c : cases) {
    for (int m = 0; m < 5; ++m) EXPECT_EQ(IsButtonActive(c.button, modes[m]), c.active[static_cast<std::size_t>(m)]) << c.button << " mode " << modes[m];
  }
}

TEST(Buttons, HoverAndPress)
{
  ButtonTracker t(Places());
  // Mode 0: Byun is drawn disabled, gets no hover and its click runs nothing.
  t.MouseMove(Centre(kByunButton), false, 0);
  EXPECT_FALSE(t.Over());
  EXPECT_EQ(t.Picture(kByunButton, 0), ButtonPicture::disabled);
  t.LeftDown(Centre(kByunButton), 0);
  EXPECT_EQ(t.LeftUp(Centre(kByunButton), 0), kNoButton);

  t.MouseMove(Centre(kTrendButton), false, 0);
  EXPECT_TRUE(t.Over());
  EXPECT_EQ(t.Picture(kTrendButton, 0), ButtonPicture::over);
  t.LeftDown(Centre(kTrendButton), 0);
  t.MouseMove(Centre(kTrendButton), true, 0);
  EXPECT_EQ(t.Picture(kTrendButton, 0), ButtonPicture::down);
  t.MouseMove(Centre(kPrintButton), true, 0);  // dragged away: no hover, no down picture
  EXPECT_FALSE(t.Over());
  EXPECT_EQ(t.Picture(kTrendButton, 0), ButtonPicture::normal);
  EXPECT_EQ(t.LeftUp(Centre(kTrendButton), 0), kTrendButton);
  EXPECT_EQ(t.Pressed(), kNoButton);
  EXPECT_EQ(t.Hover(), kTrendButton);

  // Pressed on forward, released on reverse: nothing starts.
  t.LeftDown(Centre(kPlayForwardButton), 0);
  EXPECT_EQ(t.LeftUp(Centre(kPlayReverseButton), 0), kNoButton);
  t.LeftDown(Centre(kPlayForwardButton), 0);
  t.ChildHover();
  EXPECT_EQ(t.Pressed(), kNoButton);
  EXPECT_FALSE(t.Over());
  EXPECT_EQ(t.LeftUp({0, 0}, 0), kNoButton);
}

}  // namespace
}  // namespace sparwen
