#include <gtest/gtest.h>

#include "controls/ignition/core/scale_labels.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/core/value_panel.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

TEST(Texts, Labels)
{
  struct Case { std::string text; const char* expected; };
  const Case cases[] = {
      {TimeBaseLabel(0), "100 %"},  {TimeBaseLabel(1), "720 도"},  {TimeBaseLabel(5), "150 ms"},
      {TimeBaseLabel(6), "20 ms"},  {TimeBaseLabel(9), "9 번"},    {TimeBaseLabel(-1), "-1 번"},
      {RangeLabel(0, false), "±10 V"}, {RangeLabel(5, false), "±600 V"}, {RangeLabel(6, false), "없다"},
      {RangeLabel(0, true), "±5 KV"},  {RangeLabel(3, true), "±50 KV"},  {RangeLabel(4, true), "없다"},
      {RangeLabel(-1, true), "없다"},
      {ValueUnitText(1, true), "ms"}, {ValueUnitText(2, true), "KV"}, {ValueUnitText(3, false), "V"}, {ValueUnitText(5, true), "V"},
      {RpmText(850), " 850 RPM"}, {RpmText(9478), "9478 RPM"},
      {ValueText(1.5, "ms"), "1.50 ms"}, {ValueText(12.3, "KV"), "12.30 KV"}, {ValueText(-0.004, "V"), "-0.00 V"},
      {DataTooSmallText(), "저장 데이터가 작습니다."},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, vetra::Cp949(c.expected));
}

TEST(Texts, TimeBaseSteps)
{
  struct Case { int code; int cylinders; std::optional<double> div; const char* unit; };
  const Case cases[] = {
      {0, 4, 20.0, " %"}, {1, 6, 60.0, "도"}, {1, 8, 45.0, "도"}, {1, 0, std::nullopt, ""}, {2, 4, 1.0, "ms"},
      {5, 4, 30.0, "ms"}, {6, 4, 4.0, "ms"},  {7, 4, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const auto step = TimeBaseStepOf(c.code, c.cylinders);
    ASSERT_EQ(step.has_value(), c.div.has_value()) << c.code;
    if (!step) continue;
    EXPECT_EQ(step->divValue, *c.div) << c.code;
    EXPECT_EQ(step->unitText, vetra::Cp949(c.unit));
  }
}

std::vector<std::string> Texts(const std::vector<ScaleLabel>& labels)
{
  std::vector<std::string> texts;
  for (const auto& l : labels) texts.push_back(l.text);
  return texts;
}

TEST(Texts, VoltageScale)
{
  VoltageScaleInput primary{false, 2, 10, 500, 3, 0, false};
  const auto labels = VoltageScaleLabels(primary);
  EXPECT_EQ(Texts(labels), (std::vector<std::string>{"12", "24", "36", "48", "[V]"}));
  EXPECT_EQ(labels[0].origin.x, 8);
  EXPECT_EQ(labels[0].origin.y, -5 - 2 * (503 / 10));
  EXPECT_EQ(labels[3].origin.y, -5 - 2 * ((503 * 4) / 10));
  EXPECT_EQ(labels[4].origin.x, 19);
  EXPECT_EQ(labels[4].origin.y, 5 - 500);

  VoltageScaleInput secondary{true, 0, 0, 500, 0, 0, false};
  const auto kv = VoltageScaleLabels(secondary);
  EXPECT_EQ(Texts(kv), (std::vector<std::string>{"-4", "-3", "-2", "-1", "[KV]"}));
  EXPECT_EQ(kv[4].origin.x, 15);

  VoltageScaleInput odd = secondary;
  odd.zeroPos = 7;
  const auto half = VoltageScaleLabels(odd);
  ASSERT_EQ(half.size(), 6u);  // five labels on half divisions
  EXPECT_EQ(half[0].origin.y, -5 - 503 / 10);

  VoltageScaleInput split = secondary;
  split.pairedFlag = 1;
  const auto two = VoltageScaleLabels(split);
  ASSERT_EQ(two.size(), 9u);  // lower and upper columns
  EXPECT_EQ(two[1].origin.y - two[0].origin.y, -(500 / 2 + 3));

  for (VoltageScaleInput none : {VoltageScaleInput{true, 0, 2, 500, 1, 0, false}, VoltageScaleInput{true, 0, 2, 500, 2, 0, false},
                                 VoltageScaleInput{true, 0, 2, 500, 3, 0, true}, VoltageScaleInput{true, 4, 2, 500, 3, 0, false}}) {
    EXPECT_TRUE(VoltageScaleLabels(none).empty());
  }
}

TEST(ValuePanel, RowLayout)
{
  struct Case { int rows; std::vector<int> edges; };
  const Case cases[] = {
      {8, {40, 109, 178, 247, 316, 385, 454, 523, 592}},
      {6, {40, 132, 224, 316, 408, 500, 592}},
      {5, {40, 150, 260, 371, 481, 592}},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < c.rows; ++i) {
      const win::RECT r = PanelRow(i, c.rows, 230, 592);
      EXPECT_EQ(r.top, c.edges[static_cast<std::size_t>(i)]) << c.rows << " row " << i;
      EXPECT_EQ(r.bottom, c.edges[static_cast<std::size_t>(i) + 1]) << c.rows << " row " << i;
      EXPECT_EQ(r.left, 2);
      EXPECT_EQ(r.right, 228);
    }
  }
  const win::RECT row{2, 40, 228, 109};
  EXPECT_EQ(RowNameOrigin(row).x, 12);
  EXPECT_EQ(RowNameOrigin(row).y, 40 + 34 - 12);
  EXPECT_EQ(RowValueOrigin(row, 7).x, 228 - (63 + 18));
  EXPECT_EQ(RowValueOrigin(row, 7).y, 40 + 34 + 12);
  EXPECT_EQ(HeadingOrigin(223, 5).x, 111 - 22);
  EXPECT_EQ((std::vector<int>{ValueRowCount(0), ValueRowCount(1), ValueRowCount(2)}), (std::vector<int>{5, 4, 4}));
}

IgnitionState FourCylinders(bool secondary, int mode, int sync)
{
  IgnitionState s;
  s.settings.ignitionKind = secondary ? 1 : 0;
  s.settings.displayMode = mode;
  s.engine.cylinderCount = 4;
  s.engine.firingOrder = {1, 3, 4, 2};
  s.graph.cylinderSync = sync;
  for (int c = 0; c < kValueColumns; ++c) s.unitTexts[c] = ValueUnitText(c, secondary);
  for (int p = 0; p < 4; ++p) {
    for (int v = 0; v < 5; ++v) s.values[p][v] = p + v / 10.0;
  }
  return s;
}

TEST(ValuePanel, DigitalView)
{
  IgnitionState s = FourCylinders(false, 1, 1);
  s.digitalPage = 3;
  const ValuePanelContent panel = BuildValuePanel(s, 230, 592);
  EXPECT_EQ(panel.titlePicture, 3);
  EXPECT_EQ(TitlePictureFile(panel.titlePicture), "peak_volt.bmp");
  EXPECT_FALSE(panel.headingShown);
  ASSERT_EQ(panel.rows.size(), 4u);
  const char* names[] = {"1번", "3번", "4번", "2번"};
  for (int p = 0; p < 4; ++p) {
    const PanelRowContent& row = panel.rows[static_cast<std::size_t>(p)];
    EXPECT_EQ(row.name, vetra::Cp949(names[p]));
    EXPECT_EQ(row.shaded, p % 2 == 0);
    EXPECT_EQ(row.value, vetra::Format("%.2f V", p + 0.3));
    EXPECT_EQ(row.colour, kColours[static_cast<std::size_t>(s.engine.firingOrder[p] + 1)]);
  }
  EXPECT_EQ(panel.rows[1].rect.top, 40 + 552 / 4);

  s.graph.cylinderSync = 0;
  for (const PanelRowContent& row : BuildValuePanel(s, 230, 592).rows) {
    EXPECT_EQ(row.name, vetra::Cp949("? 번"));
    EXPECT_EQ(row.colour, kUnknownCylinderColour);
    EXPECT_FALSE(row.value.empty());
  }
  s.digitalPage = 7;  // no picture, no column: empty values
  EXPECT_EQ(BuildValuePanel(s, 230, 592).titlePicture, -1);
  EXPECT_EQ(BuildValuePanel(s, 230, 592).rows[0].value, "");
}

TEST(ValuePanel, OneCylinderView)
{
  for (bool secondary : {true, false}) {
    IgnitionState s = FourCylinders(secondary, 3, 1);
    s.selectedPosition = 2;
    const ValuePanelContent panel = BuildValuePanel(s, 230, 592);
    EXPECT_TRUE(panel.headingShown);
    EXPECT_EQ(panel.heading, "3 CYL");
    EXPECT_EQ(panel.headingColour, kColours[4]);
    ASSERT_EQ(panel.rows.size(), secondary ? 4u : 5u);
    EXPECT_EQ(panel.rows[0].name, vetra::Cp949("드웰시간"));
    EXPECT_EQ(panel.rows[0].value, "1.00 ms");
    EXPECT_EQ(panel.rows[3].value, secondary ? "1.30 KV" : "1.30 V");
    if (!secondary) {
      EXPECT_EQ(panel.rows[4].name, " Tr Off");
      EXPECT_EQ(panel.rows[4].value, "1.40 V");
    }
  }
  IgnitionState s = FourCylinders(true, 3, 0);
  s.selectedPosition = 0;  // below 1 counts as 1
  const ValuePanelContent panel = BuildValuePanel(s, 230, 592);
  EXPECT_EQ(panel.heading, vetra::Cp949("? 번"));
  EXPECT_EQ(panel.rows[0].value, "0.00 ms");
}

}  // namespace
}  // namespace sparwen
