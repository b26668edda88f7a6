#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/gdi/draw_log.h"

namespace tessial::testing {
namespace {

std::vector<std::string> PanelTexts(const vetra::gdi::ScopedDrawLog& log)
{
  std::vector<std::string> texts;
  for (const auto& call : log.Calls()) {
    if (call.dc == "panel" && call.op == "TextOut") texts.push_back(call.text);
  }
  return texts;
}

TEST_F(ControlTest, PanelShowsTheReadoutsOfEveryChannelOrOfTheZoomedOneAlone)
{
  OscChannel square = Channel(1, OscWave::square);
  square.frequencyHz = 1000;
  Load(Options({Channel(0), square}, 2 * 700));
  {
    vetra::gdi::ScopedDrawLog log;
    control->Panel()->Invalidate(win::FALSE);
    vetra::ui::Pump();
    const std::vector<std::string> texts = PanelTexts(log);
    ASSERT_EQ(texts.size(), 14u);
    const MeasureTexts second = FormatMeasureTexts(control->Model().State().values[1]);
    EXPECT_EQ(texts[7], vetra::Cp949("듀티 - ") + second.duty);
    EXPECT_EQ(texts[8], vetra::Cp949("주파수 ") + second.frequency);
    EXPECT_NE(second.frequency, ": -----");
  }
  control->ShowZoomChannel(1);
  {
    vetra::gdi::ScopedDrawLog log;
    vetra::ui::Pump();
    const std::vector<std::string> texts = PanelTexts(log);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[1], vetra::Cp949("주파수 ") + FormatMeasureTexts(control->Model().State().values[1]).frequency);
  }
}

TEST_F(ControlTest, AReleaseOverThePanelEndsAPressOfADrawnButton)
{
  Load(Options({Channel(0)}));
  control->SendMessage(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(5, 5));
  vetra::ui::Release(*control->Panel(), {10, 10});
  EXPECT_EQ(control->ButtonState().pressed, kNoButton);
}

TEST_F(ControlTest, AfterAFailedLoadThePanelShowsTheDefaultChannelsBox)
{
  Start("missing.Osc");
  EXPECT_EQ(PixelOf(*control->Panel(), 20, 20), CMeasurePanelWnd::kBox);
}

// A load that fails found no period: duty and frequency both read as absent, whether it is the
// first load or follows a good one that had both.
TEST_F(ControlTest, AfterAFailedLoadDutyAndFrequencyReadAsAbsent)
{
  OscChannel square = Channel(0, OscWave::square);
  square.frequencyHz = 1000;
  const struct {
    const char* name;
    bool goodLoadFirst;
  } cases[] = {{"first load", false}, {"after a good load", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.goodLoadFirst) {
      Load(Options({square}, 2 * 700));
      ASSERT_NE(FormatMeasureTexts(control->Model().State().values[0]).duty, ": -----");
    }
    vetra::ui::ClearMessageBoxes();
    Start("missing.Osc");
    vetra::gdi::ScopedDrawLog log;
    control->Panel()->Invalidate(win::FALSE);
    vetra::ui::Pump();
    const std::vector<std::string> texts = PanelTexts(log);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0], vetra::Cp949("듀티 - : -----"));
    EXPECT_EQ(texts[1], vetra::Cp949("주파수 : -----"));
  }
}

}  // namespace
}  // namespace tessial::testing
