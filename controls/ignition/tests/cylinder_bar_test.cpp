#include <gtest/gtest.h>

#include "controls/ignition/core/cylinder_bar.h"

namespace sparwen {
namespace {

IgnitionState Engine(int cylinders, int mode, bool trend, bool secondary = true)
{
  IgnitionState s;
  s.engine.cylinderCount = cylinders;
  s.engine.firingOrder = {1, 3, 4, 2, 0, 0, 0, 0};
  s.settings.displayMode = mode;
  s.settings.ignitionKind = secondary ? 1 : 0;
  s.trend = trend;
  return s;
}

std::array<win::RECT, kBarButtonCount> Rects()
{
  std::array<win::SIZE, kBarButtonCount> sizes{};
  sizes.fill({45, 38});
  sizes[0] = sizes[1] = {24, 24};
  return BarButtonRects(sizes);
}

win::POINT Inside(int code)
{
  const win::RECT r = Rects()[static_cast<std::size_t>(code - 1)];
  return {r.left, r.top};  // the left and top edges are inside
}

TEST(CylinderBar, WhichButtonsTakeClicksAndGiveTheHand)
{
  // Codes 1..11: arrows, cylinders 1..8, All.
  const struct {
    int cylinders;
    int mode;
    bool trend;
    const char* clicks;
    const char* hands;
  } cases[] = {
      {4, 1, false, "11111100000", "11000000000"},  // mode 1: cylinders click but show no hand
      {4, 3, false, "11111100000", "11111100000"},
      {6, 3, false, "11111111000", "11111111000"},
      {8, 1, true, "11111111111", "11111111111"},
      {3, 2, true, "11111000001", "11111000001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.cylinders << " cylinders, mode " << c.mode << (c.trend ? ", trend" : ""));
    const IgnitionState s = Engine(c.cylinders, c.mode, c.trend);
    for (int code = 1; code <= kBarButtonCount; ++code) {
      EXPECT_EQ(BarTakesClick(code, s), c.clicks[code - 1] == '1') << code;
      EXPECT_EQ(BarGivesHand(code, s), c.hands[code - 1] == '1') << code;
    }
  }
}

TEST(CylinderBar, PicturesFollowRangeModeAndSelection)
{
  using P = BarPicture;
  const struct {
    IgnitionState state;
    int range;
    int pressed;
    P left, right, cylinder1, cylinder5, all;
  } cases[] = {
      {Engine(4, 1, false), 0, 0, P::disabled, P::normal, P::disabled, P::disabled, P::disabled},
      {Engine(4, 3, false), 3, 1, P::down, P::disabled, P::normal, P::disabled, P::disabled},
      {Engine(4, 3, false, false), 3, 2, P::normal, P::down, P::normal, P::disabled, P::disabled},
      {Engine(4, 3, false, false), 5, 0, P::normal, P::disabled, P::normal, P::disabled, P::disabled},
      {Engine(8, 0, true), 1, 11, P::disabled, P::disabled, P::normal, P::normal, P::down},
  };
  for (const auto& c : cases) {
    IgnitionState s = c.state;
    s.graph.range = c.range;
    const auto pictures = BarButtonPictures(s, c.pressed);
    EXPECT_EQ(pictures[0], c.left);
    EXPECT_EQ(pictures[1], c.right);
    EXPECT_EQ(pictures[2], c.cylinder1);
    EXPECT_EQ(pictures[6], c.cylinder5);
    EXPECT_EQ(pictures[10], c.all);
  }

  // Firing order 1-3-4-2: the trend selection of positions 1 and 3 marks cylinders 1 and 4; the
  // selected position 2 of mode 3 marks cylinder 3.
  IgnitionState trend = Engine(4, 1, true);
  trend.trendSelection = {1, 0, 1, 0, 1, 1, 1, 1};
  EXPECT_EQ(BarSelectedCylinders(trend), (std::vector<int>{1, 4}));
  IgnitionState gai = Engine(4, 3, false);
  gai.selectedPosition = 2;
  EXPECT_EQ(BarSelectedCylinders(gai), std::vector<int>{3});
  EXPECT_TRUE(BarSelectedCylinders(Engine(4, 1, false)).empty());
  EXPECT_TRUE(BarSelectedCylinders(Engine(0, 3, false)).empty());
}

TEST(CylinderBar, OnlyAPressAndReleaseOnOneButtonSendsItsCode)
{
  const IgnitionState s = Engine(4, 1, false);
  BarTracker tracker(Rects());
  // Mode 1: a cylinder shows no hand yet its click is sent (the control ignores it).
  tracker.LeftDown(Inside(4), s);
  EXPECT_EQ(tracker.LeftUp(Inside(4), s), 4);
  // Press on cylinder 1, release on cylinder 2: nothing.
  tracker.LeftDown(Inside(3), s);
  EXPECT_EQ(tracker.LeftUp(Inside(4), s), 0);
  // Press on an arrow, leave it, come back and release on it.
  tracker.LeftDown(Inside(1), s);
  tracker.MouseMove({0, 0}, true, s);
  EXPECT_FALSE(tracker.Hover());
  tracker.MouseMove(Inside(2), true, s);
  EXPECT_FALSE(tracker.Hover());  // another button than the pressed one
  tracker.MouseMove(Inside(1), true, s);
  EXPECT_TRUE(tracker.Hover());
  EXPECT_EQ(tracker.LeftUp(Inside(1), s), 1);
  // Cylinder 5 of a four-cylinder engine takes no press.
  tracker.LeftDown(Inside(7), s);
  EXPECT_EQ(tracker.Pressed(), 0);
  EXPECT_EQ(tracker.LeftUp(Inside(7), s), 0);
  // The right and bottom edges are outside.
  const win::RECT r = Rects()[0];
  EXPECT_EQ(tracker.HitTest({r.right, r.top}), 0);
  EXPECT_EQ(tracker.HitTest({r.left, r.bottom}), 0);
}

}  // namespace
}  // namespace sparwen
