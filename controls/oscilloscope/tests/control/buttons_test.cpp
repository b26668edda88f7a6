#include <cstring>

#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/ole/testing/recorded_starts.h"
#include "platform/ui/cursor.h"
#include "platform/ui/message_box.h"

namespace tessial::testing {
namespace {

constexpr win::COLORREF kNormal = win::RGB(0, 0, 200);
constexpr win::COLORREF kDown = win::RGB(200, 0, 0);
constexpr win::COLORREF kOver = win::RGB(0, 200, 0);
constexpr win::COLORREF kTop = win::RGB(50, 50, 50);

class ButtonTest : public ControlTest {
protected:
  void BeforeControl() override
  {
    const auto put = [this](const std::string& file, int width, int height, win::COLORREF colour) {
      drive.WriteFile("Vetra/Fenmark/Img/" + file, SolidBmp(width, height, colour));
    };
    put("Scope/top_image.bmp", 1017, 109, kTop);
    for (const char* folder : {"Scope/menu_", "Ign/menu_"}) {
      const std::string number = std::string(folder) == "Scope/menu_" ? "01" : "02";
      put(folder + number + ".bmp", 80, 30, kNormal);
      put(std::string(folder) + "d" + number + ".bmp", 80, 30, kDown);
      put(std::string(folder) + "o" + number + ".bmp", 80, 30, kOver);
    }
    for (int i = 1; i <= 6; ++i) {
      put(vetra::Format("Scope/pbutton_%02d.bmp", i), 28, 32, kNormal);
      put(vetra::Format("Scope/pbutton_o%02d.bmp", i), 28, 32, kOver);
    }
    for (int i = 1; i <= 2; ++i) {
      put(vetra::Format("Scope/ms_arrow%d.bmp", i), 24, 30, kNormal);
      put(vetra::Format("Scope/ms_rarrow%d.bmp", i), 24, 30, kDown);
    }
    drive.WriteFile("Vetra/Fenmark/Res/Tessial/Bitmap205.bmp", SolidBmp(22, 21, kOver));
    drive.WriteFile("Vetra/Fenmark/Res/Tessial/Bitmap204.bmp", SolidBmp(22, 21, kDown));
  }
};

TEST_F(ControlTest, EveryMissingSkinPictureIsReportedAndTheControlGoesOn)
{
  CTessialCtrl other;
  ASSERT_TRUE(other.CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
  const auto& boxes = vetra::ui::MessageBoxLog();
  ASSERT_EQ(boxes.size(), 31u);
  EXPECT_EQ(boxes.front().text, "m_VetraLogoBmp Load Error");
  EXPECT_EQ(boxes[4].text, "m_PrintButtonBmp Load Error");  // the units button's picture
  EXPECT_EQ(boxes[18].text, "Load Error");
  EXPECT_EQ(boxes.back().text, "m_TimeLefttOverBmp Load Error");
  // No picture, no button.
  EXPECT_EQ(other.Buttons().HitTest({20, 80}), kNoButton);
}

TEST_F(ButtonTest, ButtonsTakeTheirPicturesSizesAndShowHoverAndPress)
{
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
  EXPECT_EQ(control->Buttons().Rect(kPrintButton), (win::RECT{11, 71, 91, 101}));
  EXPECT_EQ(control->Buttons().Rect(kForwardButton), (win::RECT{908, 72, 936, 104}));
  EXPECT_EQ(PixelOf(*control, 5, 5), kTop);
  EXPECT_EQ(PixelOf(*control, 20, 80), kNormal);

  vetra::ui::MoveMouse(*control, {20, 80});
  vetra::ui::Pump();
  EXPECT_EQ(PixelOf(*control, 20, 80), kOver);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);

  vetra::ui::Press(*control, {20, 80});
  vetra::ui::Pump();
  EXPECT_EQ(PixelOf(*control, 20, 80), kDown);

  // Over a graph window the control drops hover and press.
  Load(Options({Channel(0)}));
  vetra::ui::MoveMouse(*control, {300, 300});
  vetra::ui::Pump();
  EXPECT_EQ(PixelOf(*control, 20, 80), kNormal);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);
}

TEST_F(ButtonTest, AReleaseActsOnlyOnThePressedButton)
{
  std::vector<std::string> started;
  const vetra::testing::RecordedStarts starts(started);
  // Pressed on forward and dragged onto print: no hover over print, and the release runs nothing.
  vetra::ui::MoveMouse(*control, {920, 80});
  vetra::ui::Press(*control, {920, 80});
  vetra::ui::MoveMouse(*control, {20, 80});  // the left button still held
  EXPECT_FALSE(control->ButtonState().hoverActive);
  vetra::ui::Release(*control, {20, 80});
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(control->ButtonState().hover, kPrintButton);  // now simply over it
  // Pressed and released on print: the print runs.
  vetra::ui::Click(*control, {20, 80});
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Tolvex.exe"});
}

TEST_F(ButtonTest, ZoomShowsOneChannelOverTheGraphAreaUntilTheExitButton)
{
  Load(Options({Channel(0), Channel(1), Channel(2), Channel(3)}));
  const ScreenLayout& layout = control->Layout();
  ASSERT_NE(control->ZoomButton(3), nullptr);
  EXPECT_EQ(control->ZoomButton(4), nullptr);
  EXPECT_TRUE(control->ZoomButton(2)->IsWindowVisible());
  EXPECT_FALSE(control->ExitButton()->IsWindowVisible());
  const auto placeOf = [this](win::CWnd& wnd) {
    win::CRect r;
    wnd.GetWindowRect(&r);
    control->ScreenToClient(&r);
    return r;
  };
  EXPECT_EQ(placeOf(*control->ZoomButton(2)), win::CRect(layout.zoomButtons[2]));
  control->ShowZoomChannel(99);  // nothing zoomed: nothing to end
  EXPECT_EQ(Get("ZoomChIndex").AsShort(), 0);

  vetra::ui::Click(*control->ZoomButton(2), {5, 5});
  vetra::ui::Pump();
  EXPECT_EQ(Get("ZoomChIndex").AsShort(), 2);
  EXPECT_EQ(placeOf(*control->Graph(2)), win::CRect(0, 109, layout.graphWidth, 109 + layout.graphHeight));
  EXPECT_FALSE(control->Graph(0)->IsWindowVisible());
  EXPECT_FALSE(control->ZoomButton(2)->IsWindowVisible());
  EXPECT_TRUE(control->ExitButton()->IsWindowVisible());
  EXPECT_TRUE(control->Panel()->Zoomed());
  // The zoomed graph draws its waveform over the whole height: its grid reaches the bottom.
  EXPECT_EQ(PixelOf(*control->Graph(2), 53, layout.graphHeight - 10), CScopeGraphWnd::kGrid);

  control->ShowZoomChannel(1);  // a second zoom while zoomed is ignored
  EXPECT_EQ(Get("ZoomChIndex").AsShort(), 2);

  vetra::ui::Click(*control->ExitButton(), {5, 5});
  vetra::ui::Pump();
  EXPECT_EQ(Get("ZoomChIndex").AsShort(), 99);
  EXPECT_EQ(placeOf(*control->Graph(2)), win::CRect(layout.graphWindows[2]));
  EXPECT_TRUE(control->Graph(0)->IsWindowVisible());
  EXPECT_FALSE(control->ExitButton()->IsWindowVisible());
  EXPECT_FALSE(control->Panel()->Zoomed());

}

}  // namespace
}  // namespace tessial::testing
