// The skin surface: pictures, drawn buttons and the mouse protocol.
#include <cstdlib>

#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "platform/ui/paint.h"
#include "platform/ui/script.h"
#include "tools/skins/skin_set.h"

namespace morvit::testing {
namespace {

TEST(SkinButtonsTest, HoverMovesOneStepAtATimeOverThePlaybackButtons)
{
  SkinButtons buttons;
  const auto centre = [](SkinButton b) {
    const win::RECT& r = PlaceOf(b).hot;
    return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  EXPECT_EQ(buttons.Hover(centre(SkinButton::Start)), std::vector<SkinButton>{SkinButton::Start});
  EXPECT_EQ(buttons.State(SkinButton::Start), kHover);
  // Straight from start onto replay: start goes back first, replay lights on the next move.
  EXPECT_EQ(buttons.Hover(centre(SkinButton::Replay)), std::vector<SkinButton>{SkinButton::Start});
  EXPECT_EQ(buttons.State(SkinButton::Replay), kNormal);
  EXPECT_EQ(buttons.Hover(centre(SkinButton::Replay)), std::vector<SkinButton>{SkinButton::Replay});
  // The disabled layout button neither lights nor takes a press.
  EXPECT_TRUE(buttons.Hover(centre(SkinButton::Layout1)).size() == 1);
  EXPECT_EQ(buttons.State(SkinButton::Layout1), kDisabled);
  SkinButton pressed{};
  EXPECT_FALSE(buttons.Press(centre(SkinButton::Layout1), {}, false, pressed));
  // The item buttons of the zoom panel answer only in the zoom view.
  EXPECT_FALSE(buttons.Press(centre(SkinButton::ZoomItems), {}, false, pressed));
  EXPECT_TRUE(buttons.Press(centre(SkinButton::ZoomItems), {}, true, pressed));
  EXPECT_EQ(buttons.Release(), std::vector<SkinButton>{SkinButton::ZoomItems});
}

TEST(SkinButtonsTest, PicturesFollowStateAndMode)
{
  const struct {
    SkinButton button;
    short state;
    SkinMode mode;
    const char* file;
  } cases[] = {
      {SkinButton::Range, kNormal, {false, 1, false, false}, "BtnFull_N.bmp"},
      {SkinButton::Range, kHover, {false, 2, false, false}, "BtnMinMax_O.bmp"},
      {SkinButton::Layout2, kPressed, {true, 1, false, false}, "BtnPosition_D.bmp"},
      {SkinButton::Layout1, kDisabled, {}, "BtnParrall_Dis.bmp"},
      {SkinButton::Zoom, kNormal, {false, 1, true, false}, "BtnZoomOff_N.bmp"},
      {SkinButton::AnalysisItems, kHover, {}, "BtnAnalysisItem_N.bmp"},
      {SkinButton::AnalysisItems, kPressed, {}, "BtnAnalysisItem_D.bmp"},
      {SkinButton::ZoomItems, kPressed, {}, "BtnZoomItem_D.bmp"},
      {SkinButton::Print, kNormal, {false, 1, false, false, true}, "BtnPrint_Dis.bmp"},
      {SkinButton::Print, kHover, {false, 1, false, false, true}, "BtnPrint_O.bmp"},
      {SkinButton::Play, kNormal, {false, 1, false, false, true}, "BtnPlay_N.bmp"},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonPicture(c.button, c.state, c.mode), c.file) << c.file;
}

TEST_F(ControlTest, TheSurfaceShowsItsSkinAndARecordingAndGoesOnWithoutMissingPictures)
{
  // Before any data the whole painted area is white, the strip under the graphs too.
  control->Invalidate(win::FALSE);
  control->UpdateWindow();
  for (const win::POINT at : {win::POINT{300, 300}, win::POINT{300, 690}, win::POINT{10, 705}}) {
    EXPECT_EQ(PixelOf(*control, at.x, at.y), win::RGB(255, 255, 255)) << at.x << "," << at.y;
  }

  // Pictures are loaded with the control's window.
  ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  control = std::make_unique<CMorvitCtrl>();
  ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1018, 708)));
  PutRecording("shot.RES");
  Open("shot.RES");
  control->Invalidate(win::FALSE);
  control->UpdateWindow();
  // The top picture is drawn, and the graph rows are white with the trace in them.
  EXPECT_NE(PixelOf(*control, 500, 20), win::RGB(0, 0, 0));
  EXPECT_EQ(PixelOf(*control, 6, 300), CMorvitCtrl::kFrame);
  EXPECT_EQ(PixelOf(*control, 700, 150), win::RGB(255, 255, 255));
  if (const char* shot = std::getenv("MORVIT_SCREENSHOT")) {
    EXPECT_TRUE(vetra::ui::WriteScreenshot(shot, true));
  }
}

TEST_F(ControlTest, TheCursorTimeStaysEmptyUntilAnItemIsBuilt)
{
  Open("missing.RES");  // a failed load still builds the (empty) screens
  ASSERT_TRUE(control->Model().State().dataShown);
  control->Invalidate(win::FALSE);
  control->UpdateWindow();
  ASSERT_NE(control->CursorTimeText(), nullptr);
  EXPECT_EQ(control->CursorTimeText()->GetWindowText(), "");
  PutRecording("t.RES");
  Open("t.RES");
  control->Invalidate(win::FALSE);
  control->UpdateWindow();
  EXPECT_FALSE(control->CursorTimeText()->GetWindowText().empty());
}

}  // namespace
}  // namespace morvit::testing
