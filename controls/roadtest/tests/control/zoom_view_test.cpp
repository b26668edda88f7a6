// The zoom view through the control: coupled cursors and spins, its scale controls, leaving it,
// and the labels of the graphs under the panel.
#include "controls/roadtest/core/axis_texts.h"
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "controls/roadtest/windows/road_report.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ui/script.h"

namespace morvit::testing {
namespace {

class ZoomViewTest : public ControlTest {
protected:
  void Load(vetra::samples::RoadTestOptions options = {})
  {
    PutRecording("zoom.RES", options);
    Open("zoom.RES");
    ASSERT_TRUE(control->Model().State().loaded);
  }
  void Repaint()
  {
    control->Invalidate(win::FALSE);
    control->UpdateWindow();
  }
  void OpenZoomWithItem()
  {
    ClickButton(SkinButton::Zoom);
    ASSERT_TRUE(control->Model().State().zoomMode);
    control->OnZoomItemListSelChange(control->Model().State().analysis.Rows().front());
    Repaint();
  }
  void StepRight(win::CSpinButtonCtrl& spin)
  {
    win::CRect r;
    spin.GetClientRect(&r);
    vetra::ui::Click(spin, {r.right - 3, r.bottom / 2});
    Repaint();
  }
  const RoadState& State() const { return control->Model().State(); }
};

TEST_F(ZoomViewTest, APanelClickOrSpinStepMovesBothCursorsAndTheSpinsHoldTheirColumns)
{
  Load();  // 50,000 samples: 71 per column of the whole recording
  control->OnScaleCloseUp(4);  // the lower graphs at 1:10, the panel over the whole recording
  OpenZoomWithItem();
  vetra::ui::Click(*control, {216, 200});  // panel, column 200
  Repaint();
  EXPECT_EQ(State().lower.cursorA, 200);
  vetra::ui::Click(*control, {516, 400});  // lower graphs, column 500
  Repaint();
  // The panel's cursor followed to the same instant: (71 x 200 - 2,000 + 5,000) / 71.
  ASSERT_EQ(State().zoomPanel.cursorA, 242);
  EXPECT_EQ(control->ZoomSpin()->GetPos(), 242);
  EXPECT_EQ(control->CursorSpin()->GetPos(), 500);
  StepRight(*control->ZoomSpin());
  EXPECT_EQ(State().zoomPanel.cursorA, 243);
  EXPECT_EQ(State().lower.cursorA, 243);
  EXPECT_EQ(control->CursorSpin()->GetPos(), 243);

  // Both over the whole recording: a panel click is not undone by the lower cursor.
  control->OnScaleCloseUp(0);
  Repaint();
  vetra::ui::Click(*control, {316, 200});
  Repaint();
  EXPECT_EQ(State().zoomPanel.cursorA, 300);
  EXPECT_EQ(State().lower.cursorA, 300);
  StepRight(*control->ZoomSpin());
  EXPECT_EQ(State().lower.cursorA, 301);
  EXPECT_EQ(control->CursorSpin()->GetPos(), 301);
  // A scroll bar over the whole recording stands at the cursor's instant.
  EXPECT_EQ(control->ZoomScrollBar()->GetScrollPos(), 301 * (50000 / 100) / 700);
}

TEST_F(ZoomViewTest, ThePanelOpensAtItsCursorColumnOfTheWholeRecordingAndARescaleKeepsItsInstant)
{
  Load();  // 50,000 samples: 71 per column of the whole recording
  control->OnScaleCloseUp(4);  // 1:10, cursor A at column 350
  Repaint();
  OpenZoomWithItem();
  EXPECT_EQ(State().zoomPanel.start, 350 * 71);
  EXPECT_EQ(control->ZoomSpin()->GetPos(), 350);
  control->OnZoomScaleCloseUp(1);  // 1:1
  Repaint();
  EXPECT_EQ(State().zoomPanel.start, 24500);
  EXPECT_EQ(State().zoomPanel.cursorA, 350);
  EXPECT_EQ(control->CursorTimeText()->GetWindowText(), "-0.5030" + vetra::Cp949(" 초"));

  // Over the whole recording again, a spin step moves the instant that the next scale keeps.
  control->OnZoomScaleCloseUp(0);
  Repaint();
  const int column = State().zoomPanel.cursorA;
  StepRight(*control->ZoomSpin());
  ASSERT_EQ(State().zoomPanel.cursorA, column + 1);
  control->OnZoomScaleCloseUp(1);
  Repaint();
  EXPECT_EQ(State().zoomPanel.start + State().zoomPanel.cursorA, (column + 1) * 71);
}

TEST_F(ZoomViewTest, MeasuringInTheZoomViewKeepsItsScaleControlsShown)
{
  Load();
  OpenZoomWithItem();
  vetra::ui::Click(*control, {416, 400}, 1);
  ASSERT_TRUE(State().measureOn);
  Repaint();
  EXPECT_TRUE(control->ZoomScaleCombo()->IsWindowVisible());
  EXPECT_TRUE(control->ZoomSpin()->IsWindowVisible());
  EXPECT_TRUE(control->ZoomScrollBar()->IsWindowVisible());
  EXPECT_FALSE(control->ZoomItemList()->IsWindowVisible());
  // They still work: the panel at 1:1.
  control->OnZoomScaleCloseUp(1);
  EXPECT_EQ(State().zoomPanel.scale, 1);
  // Leaving the zoom view ends the measurement, and playback answers again.
  ASSERT_EQ(control->Buttons().State(SkinButton::Play), kDisabled);
  ClickButton(SkinButton::Zoom);
  EXPECT_FALSE(State().measureOn);
  EXPECT_EQ(control->Buttons().State(SkinButton::Play), kNormal);
  EXPECT_EQ(control->Buttons().State(SkinButton::Trigger), kNormal);
}

TEST_F(ZoomViewTest, LeavingTheZoomViewShowsTheNormalViewsScaleAgain)
{
  Load();
  control->OnScaleCloseUp(3);  // 1:5
  OpenZoomWithItem();
  control->OnScaleCloseUp(4);  // the lower graphs at 1:10
  ASSERT_EQ(State().lower.scale, 10);
  ClickButton(SkinButton::Zoom);
  ASSERT_FALSE(State().zoomMode);
  EXPECT_EQ(State().page.scale, 5);
  EXPECT_EQ(control->ScaleCombo()->GetCurSel(), 3);
  EXPECT_EQ(control->CursorSpin()->GetPos(), State().page.cursorA);
}

TEST_F(ZoomViewTest, AGraphUnderThePanelLabelsADerivedItemWithTheFactorsOfItsTrace)
{
  vetra::samples::RoadTestOptions options;
  options.layout = vetra::samples::RoadTestLayout::Old;
  Load(options);
  // Only the vehicle speed (type 3200: H x 0.005 pixels per km/h) is shown.
  const RoadState& s = State();
  int speedRow = -1;
  for (int row = 0; row < static_cast<int>(s.listChannels.size()); ++row) {
    if (s.recording.channels[static_cast<std::size_t>(s.ChannelOfRow(row))].itemType == 3200) speedRow = row;
  }
  ASSERT_GE(speedRow, 0);
  while (s.shown.Count() > 0) {
    std::vector<int> rows(s.shown.Rows().begin() + 1, s.shown.Rows().end());
    control->OnItemListSelChange(rows);
  }
  control->OnItemListSelChange({speedRow});
  ClickButton(SkinButton::Range);  // min-max: a derived item's top label is H / its factor
  ASSERT_EQ(s.rangeMode, kRangeMinMax);
  Repaint();
  ClickButton(SkinButton::Zoom);
  ASSERT_EQ(s.analysis.Count(), 1);
  vetra::gdi::ScopedDrawLog log;
  Repaint();
  const std::string top = AxisText(200.0);
  bool screen = false;
  for (const auto& call : log.Find("TextOut")) screen = screen || (call.text == top && call.args == std::vector<long long>{5, 5});
  EXPECT_TRUE(screen);
  // The printout of the zoom view labels it alike.
  log.Log().Clear();
  win::CDC dc;
  dc.CreateCompatibleDC(nullptr);
  DrawRoadReport(dc, control->Model(), control->Offsets());
  bool printed = false;
  for (const auto& call : log.Find("TextOut")) printed = printed || (call.text == top && call.args == std::vector<long long>{5, -705});
  EXPECT_TRUE(printed);
}

}  // namespace
}  // namespace morvit::testing
