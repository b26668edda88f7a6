// Where the drawn buttons of the top band answer the mouse: the edges of each hit area.
#include <gtest/gtest.h>

#include "controls/scandata/windows/drawn_buttons.h"

namespace quarnel {
namespace {

TEST(DrawnButtons, HitAreasEndWhereTheTableSays)
{
  using B = DrawnButton;
  const struct {
    int x, y;
    bool graphView;
    std::optional<DrawnButton> expected;
  } cases[] = {
      {10, 80, false, std::nullopt}, {11, 80, false, B::print},      {87, 80, false, B::print},
      {88, 80, false, std::nullopt}, {89, 80, false, B::graphText},  {165, 80, false, B::graphText},
      {166, 80, false, std::nullopt}, {167, 80, false, B::trigger},  {255, 80, false, B::trigger},
      {256, 80, true, std::nullopt}, {257, 80, true, B::itemValue},  {345, 80, true, B::itemValue},
      {300, 80, false, std::nullopt}, {346, 80, true, std::nullopt},
      {50, 70, false, std::nullopt}, {50, 71, false, B::print},      {50, 96, false, B::print},
      {50, 97, false, std::nullopt},
      {809, 72, false, B::start},    {833, 95, false, B::start},     {834, 80, false, std::nullopt},
      {809, 71, false, std::nullopt}, {809, 96, false, std::nullopt}, {843, 80, false, B::fastReverse},
      {900, 80, false, B::reverse},  {907, 80, false, B::play},      {961, 80, false, B::fastForward},
      {990, 80, false, B::end},      {991, 80, false, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrawnButtonAt({c.x, c.y}, c.graphView), c.expected) << c.x << "," << c.y << (c.graphView ? " graph" : " text");
  }
  EXPECT_TRUE(InItemValueArea({300, 80}));
}

}  // namespace
}  // namespace quarnel
