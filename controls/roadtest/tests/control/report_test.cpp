// The printed report page, drawn into a memory device context and read back from the draw log.
#include <optional>

#include "controls/roadtest/core/report_texts.h"
#include "controls/roadtest/core/tables.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "controls/roadtest/windows/road_report.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"

namespace morvit::testing {
namespace {

class ReportTest : public ControlTest {
protected:
  void SetUp() override
  {
    ControlTest::SetUp();
    PutRecording("p.RES");
    Open("p.RES");
  }
  // The text calls of one report page.
  std::vector<vetra::gdi::DrawCall> PrintedTexts()
  {
    vetra::gdi::ScopedDrawLog log;
    win::CDC dc;
    dc.CreateCompatibleDC(nullptr);
    DrawRoadReport(dc, control->Model(), control->Offsets());
    return log.Log().Find("TextOut");
  }
  static std::optional<std::string> TextAt(const std::vector<vetra::gdi::DrawCall>& texts, long long x, long long y)
  {
    for (const auto& call : texts) {
      if (call.args.size() >= 2 && call.args[0] == x && call.args[1] == y) return call.text;
    }
    return std::nullopt;
  }
};

TEST_F(ReportTest, TheOverlapLegendStandsInTwoColumnsOfFour)
{
  ShowRows(8);
  ClickButton(SkinButton::Layout2);
  ASSERT_EQ(control->Model().State().layoutMode, kLayoutOverlap);
  const RoadState& s = control->Model().State();
  const auto texts = PrintedTexts();
  for (int i = 0; i < 8; ++i) {
    const int item = s.ChannelOfRow(s.shown.Rows()[static_cast<std::size_t>(i)]);
    const ChannelRecord& channel = s.recording.channels[static_cast<std::size_t>(item)];
    const long long y = -1770 - 50 * (i % 4);
    const long long code = i < 4 ? 1 : 1150;
    const long long name = i < 4 ? 150 : 1300;
    const long long value = i < 4 ? 700 : 1850;
    EXPECT_EQ(TextAt(texts, code, y), channel.code) << i;
    EXPECT_EQ(TextAt(texts, name, y), channel.name) << i;
    EXPECT_TRUE(TextAt(texts, value, y).has_value()) << i;
  }
}

TEST_F(ReportTest, TheZoomPanelStripFillsItsValueBoxWithCursorAAndStatistics)
{
  ClickButton(SkinButton::Zoom);
  ASSERT_TRUE(control->Model().State().zoomMode);
  control->OnZoomItemListSelChange(control->Model().State().analysis.Rows().front());
  vetra::ui::Pump();
  ASSERT_GE(control->Model().State().zoomItem, 0);
  const auto texts = PrintedTexts();
  // The strip's top edge is at -300: the cursor A text 10 below, the statistics from 40 below.
  const auto cursorA = TextAt(texts, 2010, -310);
  ASSERT_TRUE(cursorA.has_value());
  EXPECT_TRUE(cursorA->starts_with(PrintCursorAText(""))) << vetra::Utf8(*cursorA);
  EXPECT_FALSE(TextAt(texts, 2370, -310).has_value());
  const RoadState& s = control->Model().State();
  const StatisticsTexts statistics = PrintStatisticsTexts(control->Model().PrintStatistics(s.ChannelOfRow(s.zoomItem)));
  EXPECT_EQ(TextAt(texts, 2030, -370), statistics.min);
  EXPECT_EQ(TextAt(texts, 2390, -370), statistics.max);
  EXPECT_EQ(TextAt(texts, 2030, -430), statistics.dutyPlus);
}

}  // namespace
}  // namespace morvit::testing
