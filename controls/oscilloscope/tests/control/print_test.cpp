#include <cstring>

#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/ole/testing/recorded_starts.h"
#include "platform/ui/paint.h"

namespace tessial::testing {
namespace {

class PrintTest : public ControlTest {
protected:
  void SetUp() override
  {
    ControlTest::SetUp();
    Load(Options({Channel(0)}));
  }
  std::string Capture() const { return drive.ReadFile("Vetra/Fenmark/Temp/print.bmp"); }
  std::vector<std::string> started;
  vetra::testing::RecordedStarts starts{started};
};

// Pixel (x, y), y from the top, of the 32-bit bottom-up capture.
win::COLORREF CapturePixel(const std::string& file, int x, int y)
{
  const std::size_t at = 54 + (static_cast<std::size_t>(707 - y) * 1017 + x) * 4;
  return win::RGB(static_cast<std::uint8_t>(file[at + 2]), static_cast<std::uint8_t>(file[at + 1]), static_cast<std::uint8_t>(file[at]));
}

TEST_F(PrintTest, PrintWritesTheControlsPictureAndStartsThePrintLayout)
{
  control->OnPrintButton();
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Tolvex.exe"});
  const std::string file = Capture();
  ASSERT_EQ(file.size(), 2'880'198u);
  std::uint32_t size = 0, offset = 0;
  std::memcpy(&size, file.data() + 2, 4);
  std::memcpy(&offset, file.data() + 10, 4);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(size, 2'880'198u);
  EXPECT_EQ(offset, 54u);
  // The graph window starts 109 rows down; cursor A's column is red there.
  EXPECT_EQ(CapturePixel(file, 250, 109 + 300), CScopeGraphWnd::kCursor);
  EXPECT_EQ(CapturePixel(file, 5, 5), CTessialCtrl::kBackground);
}

// A click can arrive after the control has painted over its children's places and before they
// paint again (the viewer after a dialog closed over it): the capture still holds the graphs.
TEST_F(PrintTest, APrintBetweenTheControlsPaintAndItsChildrensCapturesTheGraphs)
{
  win::detail::PaintAll();
  control->Invalidate(win::TRUE);
  win::detail::PaintNow(control->m_hWnd);
  control->OnPrintButton();
  const std::string file = Capture();
  ASSERT_EQ(file.size(), 2'880'198u);
  EXPECT_EQ(CapturePixel(file, 250, 109 + 300), CScopeGraphWnd::kCursor);
}

TEST_F(PrintTest, AnOpenPrintWindowIsNotStartedAgain)
{
  Page print;
  ASSERT_TRUE(print.CreateEx(0, "Page", "Print", win::WS_POPUP, win::CRect(0, 0, 10, 10), nullptr, 0));
  control->OnPrintButton();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(Capture().size(), 2'880'198u);
}

}  // namespace
}  // namespace tessial::testing
