// The print button's capture and the two print-program starts: the print layout of the report
// module, and the program RunPrint names with the control's screen rectangle.
#include <cstring>

#include "controls/scandata/tests/control/control_fixture.h"
#include "controls/scandata/windows/drawn_buttons.h"
#include "platform/ole/testing/recorded_starts.h"
#include "platform/ui/paint.h"
#include "tools/skins/skin_set.h"

namespace quarnel::testing {
namespace {

class PrintTest : public ControlTest {
 protected:
  std::string Capture() const { return drive.ReadFile("Vetra/Fenmark/Temp/print.bmp"); }
  std::vector<std::string> started;
  bool startSucceeds = true;
  vetra::testing::RecordedStarts starts{started, [this] { return startSucceeds; }};
};

// Pixel (x, y), y from the top, of the 32-bit bottom-up capture.
win::COLORREF CapturePixel(const std::string& file, int x, int y)
{
  const std::size_t at = 54 + (static_cast<std::size_t>(707 - y) * 1017 + static_cast<std::size_t>(x)) * 4;
  return win::RGB(static_cast<std::uint8_t>(file[at + 2]), static_cast<std::uint8_t>(file[at + 1]), static_cast<std::uint8_t>(file[at]));
}

TEST_F(PrintTest, ThePrintButtonCapturesTheControlAndStartsThePrintLayout)
{
  LoadBytes(Ramp(400));
  ClickAt(40, 80);
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Tolvex.exe"});
  const std::string file = Capture();
  ASSERT_EQ(file.size(), 54u + 1017u * 708u * 4u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  // The first graph's cursor 1 at x 340 and the frame beside the graph area.
  EXPECT_EQ(CapturePixel(file, 3 + 340, 300), win::RGB(254, 5, 175));
  EXPECT_EQ(CapturePixel(file, 1, 300), CQuarnelCtrl::kFrame);
}

TEST_F(PrintTest, RunPrintStartsTheProgramWithTheScreenRectangleUnlessPrintIsOpen)
{
  page->MoveWindow(win::CRect(40, 30, 40 + 1017, 30 + 708));
  SetShort("RunPrint", 1);
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Bin\\Tolvex.exe 40 30 1057 738"});
  EXPECT_EQ(Get("RunPrint").AsShort(), 1);

  Page print;
  ASSERT_TRUE(print.CreateEx(0, "Page", "Print", win::WS_POPUP, win::CRect(0, 0, 10, 10), nullptr, 0));
  SetShort("RunPrint", 2);
  ClickAt(40, 80);  // the capture is still written
  EXPECT_EQ(started.size(), 1u);
  EXPECT_FALSE(Capture().empty());
}

TEST_F(PrintTest, AProgramThatCannotBeStartedIsReported)
{
  startSucceeds = false;
  vetra::ui::QueueMessageBoxAnswer(win::IDOK);
  SetShort("RunPrint", 1);
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_NE(vetra::ui::MessageBoxLog()[0].text.find("Tolvex.exe"), std::string::npos);
}

TEST_F(PrintTest, SkinPicturesFollowHoverPressAndRelease)
{
  ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  control->DestroyWindow();
  control = std::make_unique<CQuarnelCtrl>();
  ASSERT_TRUE(control->CreateControlWindow(page.get(), win::CRect(0, 0, 1017, 708)));
  LoadBytes(Ramp(400));
  const DrawnButtons& b = control->Buttons();
  EXPECT_EQ(b.Picture(DrawnButton::graphText), "BtnText_N");
  vetra::ui::MoveMouse(*control, {919, 84});
  EXPECT_EQ(b.Picture(DrawnButton::play), "BtnPlay_O");
  vetra::ui::Press(*control, {919, 84});
  EXPECT_EQ(b.Picture(DrawnButton::play), "BtnPlay_D");
  vetra::ui::Release(*control, {500, 300});
  EXPECT_EQ(b.Picture(DrawnButton::play), "BtnPlay_N");
  EXPECT_EQ(control->Model().State().playback.state, PlayState::play);
  vetra::ui::MoveMouse(*control, {40, 80});
  EXPECT_EQ(b.Picture(DrawnButton::print), "BtnPrint_O");
  vetra::ui::MoveMouse(*control, {500, 300});
  EXPECT_EQ(b.Picture(DrawnButton::print), "BtnPrint_N");
  // The picture is drawn where the table puts it: the top image's band differs from the frame.
  ClickAt(120, 80);
  EXPECT_EQ(b.Picture(DrawnButton::graphText), "BtnGrap_O");
  vetra::ui::Pump();
  win::CClientDC dc(control.get());
  EXPECT_NE(dc.GetPixel(50, 40), win::RGB(0, 0, 0));
  // The row image of a graph item leaves its mask colour out: the row's white shows through.
  win::CClientDC list(control->UpperList());
  const win::POINT cell = control->UpperList()->CellPoint(0, 0);
  EXPECT_EQ(list.GetPixel(1, cell.y - 12), win::RGB(255, 255, 255));
  int marked = 0;
  for (int x = 0; x < 25; ++x) marked += list.GetPixel(x, cell.y) != win::RGB(255, 255, 255) ? 1 : 0;
  EXPECT_GT(marked, 0);
}

}  // namespace
}  // namespace quarnel::testing
