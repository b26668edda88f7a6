#include <gtest/gtest.h>

#include "controls/ignition/core/display_geometry.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

std::vector<std::string> Texts(const std::vector<AxisTick>& ticks)
{
  std::vector<std::string> texts;
  for (const auto& t : ticks) texts.push_back(t.text);
  return texts;
}

std::vector<int> Xs(const std::vector<AxisTick>& ticks)
{
  std::vector<int> xs;
  for (const auto& t : ticks) xs.push_back(t.x);
  return xs;
}

TEST(Geometry, StandardTimeAxis)
{
  // Time base 0 at scale 3 counts the divisions round: 60, 80, 0, 20.
  const auto percent = StandardTimeAxis(3.0, 0, 20.0, 700);
  EXPECT_EQ(Texts(percent), (std::vector<std::string>{"60", "80", "0", "20"}));
  EXPECT_EQ(Xs(percent), (std::vector<int>{140, 280, 420, 560}));
  EXPECT_EQ(percent[0].textX, 140 - 10);
  const auto ms = StandardTimeAxis(3.0, 2, 1.0, 700);
  EXPECT_EQ(Texts(ms), (std::vector<std::string>{"-2.0", "-1.0", "0.0", "1.0"}));
  EXPECT_EQ(ms[0].textX, 140 - 13);
  // A scale with a half moves the lines by W / 10 and adds one at W / 10.
  const auto half = StandardTimeAxis(2.5, 2, 1.0, 700);
  EXPECT_EQ(Xs(half), (std::vector<int>{210, 350, 490, 630, 70}));
  EXPECT_EQ(half[4].text, "-2.0");
}

TEST(Geometry, JikTimeAxis)
{
  struct Case { int cylinders; std::vector<int> xs; std::vector<int> positions; };
  const Case cases[] = {
      {4, {86, 174, 262, 350, 436, 524, 612}, {1, 0, 2, 0, 3, 0, 4}},  // every i from 1 to 2n - 1
      {6, {58, 174, 290, 408, 524, 640}, {1, 2, 3, 4, 5, 6}},                    // one line per cylinder
      {0, {}, {}},
  };
  for (const Case& c : cases) {
    const auto ticks = JikTimeAxis(1, c.cylinders, c.cylinders ? (1440 / c.cylinders) / 4 : 0, 700);
    EXPECT_EQ(Xs(ticks), c.xs) << c.cylinders;
    std::vector<int> positions;
    for (const auto& t : ticks) positions.push_back(t.cylinderPosition);
    EXPECT_EQ(positions, c.positions);
  }
  EXPECT_EQ(JikTimeAxis(1, 4, 90, 700)[1].text, "180");
  const auto timed = JikTimeAxis(3, 4, 2.0, 700);
  EXPECT_EQ(Xs(timed), (std::vector<int>{70, 210, 350, 490, 630}));
  EXPECT_EQ(Texts(timed), (std::vector<std::string>{"0", "2", "4", "6", "8"}));
}

TEST(Geometry, ZeroReferencedGrid)
{
  EXPECT_EQ(ZeroGridYs(8, 500, false), (std::vector<int>{-100, -200, -300, -400}));
  EXPECT_EQ(ZeroGridYs(7, 505, false), (std::vector<int>{50 - 100, 50 - 202, 50 - 302, 50 - 404, 50 - 504}));
  EXPECT_EQ(ZeroGridYs(7, 505, true), (std::vector<int>{50 - 101, 50 - 202, 50 - 303, 50 - 404, 50 - 505}));
  EXPECT_EQ(UpperZeroGridYs(8, 250), (std::vector<int>{-300, -350, -400, -450}));
  const win::RECT band = JikBandRect(350, 700, 250);
  EXPECT_EQ(band.left, 350);
  EXPECT_EQ(band.right, 425);
  EXPECT_EQ(band.bottom, -250);
  EXPECT_EQ(JikPointX(1499, 700), 699);
}

TEST(Geometry, ByunAndGai)
{
  EXPECT_EQ(ByunBandLineYs(500, 4), (std::vector<int>{50, -50, -150, -250, -350, -450}));
  EXPECT_TRUE(ByunBandLineYs(500, 0).empty());
  EXPECT_EQ(ByunLabelY(0, 500, 4), -100);
  EXPECT_EQ(ByunTraceOriginY(0, 500, 4), -150);
  EXPECT_EQ(TracePointX(749, 700, 750), 699);
  EXPECT_EQ(TimeDifferenceText(100, 400, 2.0, 600, "ms"), vetra::Cp949("시간차 : 5.0 ms"));
  EXPECT_EQ(TimeDifferenceText(100, 400, 2.0, 0, "ms"), "");
  EXPECT_EQ(GaiCylinderText(true, 3), "CYL #3");
  EXPECT_EQ(GaiCylinderText(false, 3), "CYL ?");
  EXPECT_EQ(TraceCylinderText(false, 3), "?");
}

TEST(Geometry, ThreeDPlanes)
{
  EXPECT_FALSE(ThreeDLayout(700, 500, 0, 750));
  const ThreeDGeometry g = *ThreeDLayout(700, 500, 4, 750);
  EXPECT_EQ(g.division, 112);
  EXPECT_EQ(g.floor, 70);
  EXPECT_EQ(g.shift, (700 - 56 - 560) / 3);
  EXPECT_EQ(g.stepLength, 560);
  EXPECT_EQ(ThreeDLayout(700, 500, 4, 1500)->stepLength, 560);
  EXPECT_EQ(ThreeDLayout(700, 500, 1, 750)->shift, 700 - 56 - 560);

  const auto ticks = ThreeDTimeAxis(g, 3.0, 2, 1.0, 700, 50, 4);
  ASSERT_EQ(ticks.size(), 6u);
  EXPECT_EQ(ticks[0].tick.x, 56);
  EXPECT_EQ(ticks[0].tick.text, "-3.0");
  EXPECT_EQ(ticks[0].tick.textX, 56 - 16);
  EXPECT_EQ(ticks[5].depthEnd.x, 700);
  EXPECT_EQ(ticks[5].depthEnd.y, -(150 + 70));
  EXPECT_EQ(ThreeDTimeAxis(g, 2.5, 0, 20.0, 700, 50, 4).size(), 5u);
  EXPECT_EQ(ThreeDTimeAxis(g, 3.0, 2, 1.0, 700, 50, 1)[0].depthEnd.x, 0);  // one plane: no depth lines

  const PlaneLine back = ThreeDPlaneLine(g, 3, 50);
  EXPECT_EQ(back.x0, 56 + 3 * 28);
  EXPECT_EQ(back.x1, 56 + 560 + 3 * 28);
  EXPECT_EQ(back.y, -(150 + 70));
  const win::POINT origin = ThreeDTraceOrigin(g, 1, 50, 500);
  EXPECT_EQ(origin.x, 56 - 28 - 112);
  EXPECT_EQ(origin.y, 50 - 500 + 70);
  EXPECT_EQ(ThreeDPointX(749, g, 750), 559);
}

}  // namespace
}  // namespace sparwen
