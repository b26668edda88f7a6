#include <gtest/gtest.h>

#include "controls/oscilloscope/core/panel_layout.h"
#include "platform/base/text.h"

namespace tessial {
namespace {

TEST(PanelLayout, BoxesShareTheHeightLessFivePixels)
{
  EXPECT_TRUE(PanelBoxes(224, 447, 0).empty());
  const std::vector<win::RECT> boxes = PanelBoxes(224, 447, 3);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], (win::RECT{1, 1, 223, 146}));
  EXPECT_EQ(boxes[1], (win::RECT{1, 148, 223, 293}));
  EXPECT_EQ(boxes[2], (win::RECT{1, 295, 223, 441}));
  EXPECT_EQ(ZoomedPanelBox(224, 447), (win::RECT{0, 0, 224, 445}));
}

TEST(PanelLayout, ReadoutRowsByShownCount)
{
  using Points = std::array<win::POINT, kReadoutCount>;
  const struct {
    int shown, height;
    Points points;
  } cases[] = {
      {1, 100, {{{10, 23}, {10, 36}, {10, 49}, {10, 62}, {10, 75}, {10, 88}, {10, 101}}}},
      {2, 100, {{{10, 8}, {10, 21}, {10, 34}, {10, 47}, {10, 60}, {10, 73}, {10, 86}}}},
      {4, 72, {{{10, 5}, {10, 14}, {10, 23}, {10, 32}, {10, 41}, {10, 50}, {10, 59}}}},
      {5, 100, {{{10, 9}, {115, 9}, {10, 32}, {115, 32}, {10, 55}, {115, 55}, {10, 78}}}},
      // Six channels: rows h / 4 apart, without the five pixels the others leave.
      {6, 100, {{{10, 6}, {115, 6}, {10, 31}, {115, 31}, {10, 56}, {115, 56}, {10, 81}}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadoutPoints(c.shown, c.height), c.points) << c.shown;
}

TEST(PanelLayout, AnAbsentValueKeepsItsLabel)
{
  MeasureTexts texts;
  texts.duty = ": -----";
  texts.frequency = ": 250Hz";
  const auto lines = ReadoutTexts(texts);
  EXPECT_EQ(lines[0], vetra::Cp949("듀티 - : -----"));
  EXPECT_EQ(lines[1], vetra::Cp949("주파수 : 250Hz"));
  EXPECT_EQ(PanelFontFor(1).height, 26);
  EXPECT_EQ(PanelFontFor(6).height, 12);
}

}  // namespace
}  // namespace tessial
