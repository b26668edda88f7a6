#include <cstring>

#include "controls/ignition/core/texts.h"
#include "controls/ignition/core/value_panel.h"
#include "controls/ignition/sparwen_identity.h"
#include "controls/ignition/tests/control/control_fixture.h"
#include "platform/ui/testing.h"
#include "platform/ole/testing/recorded_starts.h"
#include "platform/base/text.h"
#include "platform/ui/cursor.h"

namespace sparwen::testing {
namespace {

constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// ---- playback ---------------------------------------------------------------------------------

TEST_F(ControlTest, PlaybackTicksMoveThePositionOnTheVirtualClockAndStopAtTheEnd)
{
  Load(Options(1, IgnitionKind::Secondary, 100));
  ClickButton(kStartButton);
  EXPECT_EQ(control->Model().Playback().Position(), 0);
  ClickButton(kPlayForwardButton);
  ASSERT_TRUE(control->Playing());
  vetra::ui::AdvanceClock(49);
  EXPECT_EQ(control->Model().Playback().Position(), 0);
  vetra::ui::AdvanceClock(1);
  EXPECT_EQ(control->Model().Playback().Position(), 1);
  EXPECT_EQ(control->FrameScrollBar()->GetScrollPos(), 1);
  vetra::ui::AdvanceClock(50);
  EXPECT_EQ(control->Model().Playback().Position(), 2);
  // The same button again stops.
  ClickButton(kPlayForwardButton);
  EXPECT_FALSE(control->Playing());
  vetra::ui::AdvanceClock(500);
  EXPECT_EQ(control->Model().Playback().Position(), 2);
  // Scrolling does not stop a playback; fast forward runs at 30 ms and stops past the last position.
  control->SendMessage(win::WM_HSCROLL, win::MAKELONG(kThumbTrack, 96), 0);
  EXPECT_EQ(control->Model().Playback().Position(), 96);
  ClickButton(kFastForwardButton);
  vetra::ui::AdvanceClock(30);
  EXPECT_EQ(control->Model().Playback().Position(), 97);
  vetra::ui::AdvanceClock(3 * 30);
  EXPECT_EQ(control->Model().Playback().Position(), 100);
  EXPECT_TRUE(control->Playing());
  vetra::ui::AdvanceClock(30);
  EXPECT_EQ(control->Model().Playback().Position(), 100);
  EXPECT_FALSE(control->Playing());
  // Reverse from the end, switched to fast reverse by its button, stops at the start.
  ClickButton(kPlayReverseButton);
  vetra::ui::AdvanceClock(50);
  EXPECT_EQ(control->Model().Playback().Position(), 99);
  control->SendMessage(win::WM_HSCROLL, win::MAKELONG(kThumbTrack, 2), 0);
  ClickButton(kFastReverseButton);
  vetra::ui::AdvanceClock(3 * 30);
  EXPECT_EQ(control->Model().Playback().Position(), 0);
  EXPECT_FALSE(control->Playing());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(ControlTest, ATooShortRecordingDoesNotPlayButStillScrolls)
{
  Load(Options(1, IgnitionKind::Secondary, 2));
  for (const int button : {kPlayForwardButton, kPlayReverseButton, kFastForwardButton, kFastReverseButton}) ClickButton(button);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>(4, DataTooSmallText()));
  EXPECT_FALSE(control->Playing());
  ClickButton(kStartButton);
  EXPECT_EQ(control->Model().Playback().Position(), 0);
  control->SendMessage(win::WM_HSCROLL, win::MAKELONG(kLineDown, 0), 0);
  EXPECT_EQ(control->Model().Playback().Position(), 1);
}

TEST_F(ControlTest, MenuCommandsAndTheVerticalBarWorkLikeTheirButtons)
{
  Load(Options(1));
  const struct {
    unsigned command;
    int mode;
    bool trend;
  } steps[] = {{kCmdGai, 3, false}, {kCmdTrend, 3, true}, {kCmd3D, 2, false}, {kCmdJik, 2, false}, {kCmdByun, 1, false}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command);
    control->SendMessage(win::WM_COMMAND, step.command, 0);
    EXPECT_EQ(State().DisplayMode(), step.mode);
    EXPECT_EQ(State().trend, step.trend);
  }
  const int range = State().graph.range;
  control->SendMessage(win::WM_COMMAND, kCmdRangeDown, 0);
  EXPECT_EQ(State().graph.range, std::max(range - 1, 0));
  control->SendMessage(win::WM_COMMAND, kCmdPlayReverse, 0);
  EXPECT_TRUE(control->Playing());
  control->SendMessage(win::WM_COMMAND, kCmdPlayReverse, 0);
  EXPECT_FALSE(control->Playing());

  // The vertical offset moves the trace in mode 3 only; the bar reads 10 - offset.
  win::CScrollBar& vertical = *control->VerticalScrollBar();
  EXPECT_FALSE(vertical.IsWindowEnabled());
  control->SendMessage(win::WM_VSCROLL, win::MAKELONG(kLineUp, 0), 0);
  EXPECT_EQ(control->Model().VerticalOffset(), 2);
  control->SendMessage(win::WM_COMMAND, kCmdGai, 0);
  EXPECT_TRUE(vertical.IsWindowEnabled());
  EXPECT_EQ(vertical.GetScrollPos(), 8);
  control->SendMessage(win::WM_VSCROLL, win::MAKELONG(kLineUp, 0), 0);
  EXPECT_EQ(control->Model().VerticalOffset(), 3);
  EXPECT_EQ(vertical.GetScrollPos(), 7);
  control->SendMessage(win::WM_VSCROLL, win::MAKELONG(kThumbTrack, 10), 0);
  EXPECT_EQ(control->Model().VerticalOffset(), 0);
  EXPECT_EQ(State().graph.zeroPos, 10);

  // Dragging the bar's thumb by a pixel moves the offset by one step at most, and a drag of a
  // quarter of the track by about a quarter of the range.
  win::CRect bar;
  vertical.GetClientRect(&bar);
  const win::CScrollBar::Layout layout = vertical.GetLayout();
  const int thumb = layout.thumbStart + layout.thumbSize / 2;
  const int travel = layout.length - 2 * layout.arrow - layout.thumbSize;
  vetra::ui::Press(vertical, {bar.Width() / 2, thumb});
  vetra::ui::MoveMouse(vertical, {bar.Width() / 2, thumb - 1});
  EXPECT_LE(control->Model().VerticalOffset(), 1);
  vetra::ui::MoveMouse(vertical, {bar.Width() / 2, thumb - travel / 4});
  vetra::ui::Release(vertical, {bar.Width() / 2, thumb - travel / 4});
  EXPECT_NEAR(control->Model().VerticalOffset(), 3, 1);
  EXPECT_EQ(vertical.GetScrollPos(), 10 - control->Model().VerticalOffset());

  // The wheel, over the bar or over the graph, moves it three steps a notch while it is enabled.
  const auto turn = [](win::CWnd& wnd, int notchesTowardsTheUser) {
    win::CRect place;
    wnd.GetClientRect(&place);
    win::POINT at{place.Width() / 2, place.Height() / 2};
    wnd.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, -notchesTowardsTheUser * win::WHEEL_DELTA);
    vetra::ui::Pump();
  };
  control->SendMessage(win::WM_VSCROLL, win::MAKELONG(kThumbTrack, 5), 0);
  const struct {
    win::CWnd* over;
    int notches;
    int offset;
  } turns[] = {{control->Graph(), -1, 8}, {control->Graph(), 2, 2}, {&vertical, -1, 5}, {&vertical, -5, 10}};
  for (const auto& t : turns) {
    turn(*t.over, t.notches);
    EXPECT_EQ(control->Model().VerticalOffset(), t.offset) << t.notches;
    EXPECT_EQ(vertical.GetScrollPos(), 10 - t.offset);
  }
  control->SendMessage(win::WM_COMMAND, kCmdByun, 0);
  ASSERT_FALSE(vertical.IsWindowEnabled());
  turn(*control->Graph(), 1);
  EXPECT_EQ(control->Model().VerticalOffset(), 10);
}

// ---- cylinder bar -----------------------------------------------------------------------------

TEST_F(ControlTest, CylinderBarClicksReachTheControl)
{
  Load(Options(3));
  const auto& order = State().engine.firingOrder;
  ClickButton(kConfigButton);
  ASSERT_TRUE(control->CylinderBar()->IsWindowVisible());
  EXPECT_FALSE(control->ValuePanel()->IsWindowVisible());
  // The bar writes the time-base and range labels under its buttons.
  const auto labels = TextsOf(Repaint(*control->CylinderBar()));
  EXPECT_EQ(labels, (std::vector<std::string>{"5 ms", RangeLabel(State().graph.range, true)}));

  // Mode 3: a cylinder button selects that cylinder's firing position.
  ClickBar(kBarFirstCylinder + order[2] - 1);
  EXPECT_EQ(State().selectedPosition, 3);
  // The range arrows step the range and its label.
  const int range = State().graph.range;
  ClickBar(kBarRangeDown);
  EXPECT_EQ(State().graph.range, std::max(range - 1, 0));
  EXPECT_EQ(TextsOf(Repaint(*control->CylinderBar()))[1], RangeLabel(State().graph.range, true));
  // A press on one button released on another sends nothing.
  const auto& rects = control->CylinderBar()->ButtonRects();
  vetra::ui::Press(*control->CylinderBar(), {rects[2].left + 2, rects[2].top + 2});
  vetra::ui::Release(*control->CylinderBar(), {rects[3].left + 2, rects[3].top + 2});
  vetra::ui::Pump();
  EXPECT_EQ(State().selectedPosition, 3);

  // The trend view: a cylinder toggles its position, All shows every one again.
  ClickButton(kTrendButton);
  ASSERT_TRUE(State().trend);
  ClickBar(kBarFirstCylinder + order[1] - 1);
  EXPECT_EQ(State().trendSelection[1], 0);
  ClickBar(kBarAll);
  EXPECT_EQ(State().trendSelection[1], 1);
}

TEST_F(ControlTest, TheBarShowsSelectionAndDisabledButtonsByItsPictures)
{
  Load(Options(1));  // four cylinders, display mode 1: every cylinder button disabled
  ClickButton(kConfigButton);
  CWaveButtonWnd& bar = *control->CylinderBar();
  const auto& rects = bar.ButtonRects();
  const auto centre = [&rects](int code) {
    const win::RECT r = rects[static_cast<std::size_t>(code - 1)];
    return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  const win::POINT c1 = centre(3);
  const win::POINT c2 = centre(4);
  const win::POINT c5 = centre(7);  // no fifth cylinder
  const win::COLORREF disabled1 = PixelOf(bar, c1.x, c1.y);
  const win::COLORREF disabled2 = PixelOf(bar, c2.x, c2.y);
  const win::COLORREF disabled5 = PixelOf(bar, c5.x, c5.y);
  ClickButton(kGaiButton);
  bar.Invalidate(win::FALSE);
  vetra::ui::Pump();
  const win::COLORREF selected1 = PixelOf(bar, c1.x, c1.y);  // position 1 is cylinder 1
  const win::COLORREF normal2 = PixelOf(bar, c2.x, c2.y);
  EXPECT_NE(disabled1, selected1);
  EXPECT_NE(disabled2, normal2);
  EXPECT_EQ(PixelOf(bar, c5.x, c5.y), disabled5);
  // Another selection moves the mark.
  ClickBar(4);
  EXPECT_EQ(PixelOf(bar, c2.x, c2.y) == normal2, State().CylinderAt(State().selectedPosition) != 2);
}

// ---- value panel ------------------------------------------------------------------------------

TEST_F(ControlTest, TheValuePanelWritesOneValuePerCylinderOrEveryValueOfOne)
{
  Load(Options(1, IgnitionKind::Primary, 10), "test.Ig1");
  const auto calls = Repaint(*control->ValuePanel());
  const auto texts = TextsOf(calls);
  const IgnitionState& s = State();
  ASSERT_EQ(texts.size(), 8u);  // four names and four values of the digital page
  for (int p = 0; p < 4; ++p) {
    const int cylinder = s.engine.firingOrder[static_cast<std::size_t>(p)];
    const std::string name = s.graph.cylinderSync == 1 ? vetra::Format("%d", cylinder) + vetra::Cp949("번") : vetra::Cp949("? 번");
    EXPECT_EQ(texts[static_cast<std::size_t>(2 * p)], name);
    EXPECT_EQ(texts[static_cast<std::size_t>(2 * p + 1)], vetra::Format("%.2f ms", s.values[static_cast<std::size_t>(p)][1]));
  }
  // Digital steps the page: spark voltage in volts.
  ClickButton(kDigitalButton);
  EXPECT_EQ(TextsOf(Repaint(*control->ValuePanel()))[1], vetra::Format("%.2f V", s.values[0][2]));

  // Mode 3: the heading and the five values of the selected position.
  ClickButton(kGaiButton);
  const auto mode3 = TextsOf(Repaint(*control->ValuePanel()));
  ASSERT_EQ(mode3.size(), 11u);
  EXPECT_EQ(mode3[9], vetra::Cp949(" Tr Off"));
  EXPECT_EQ(mode3[10], vetra::Format("%.2f V", s.values[0][4]));
  EXPECT_EQ(PixelOf(*control->ValuePanel(), 0, 300), CIgnValueWnd::kFrame);
}

// ---- graph ------------------------------------------------------------------------------------

TEST_F(ControlTest, TheGraphDrawsEveryDisplayModeThroughItsBackBuffer)
{
  const struct {
    int mode;
    bool paired;
    int polylines;  // traces drawn
    bool voltageLabels;
  } cases[] = {{0, false, 1, true}, {0, true, 2, true}, {1, false, 4, false}, {2, false, 4, false}, {3, false, 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << (c.paired ? " paired" : ""));
    IgnitionOptions options = Options(c.mode);
    options.paired = c.paired;
    Load(options);
    ASSERT_EQ(State().DisplayMode(), c.mode);
    CIgnGraphWnd& graph = *control->Graph();
    const auto calls = Repaint(graph);
    int polylines = 0, blits = 0;
    for (const auto& call : calls) {
      if (call.dc == "graph" && call.op == "Polyline") ++polylines;
      if (call.op == "BitBlt" && call.dc != "graph") ++blits;
    }
    EXPECT_EQ(polylines, c.polylines);
    EXPECT_EQ(blits, 1);
    const auto texts = TextsOf(calls);
    EXPECT_EQ(Has(texts, "[KV]"), c.voltageLabels);
    EXPECT_TRUE(Has(texts, RpmText(State().graph.rpm)));

    win::CRect client;
    graph.GetClientRect(&client);
    EXPECT_EQ(PixelOf(graph, client.Width() - 1, client.Height() / 2), CIgnGraphWnd::kFrame);
    EXPECT_EQ(PixelOf(graph, client.Width() / 2, client.Height() - 1), CIgnGraphWnd::kFrame);
    EXPECT_EQ(PixelOf(graph, client.Width() - 3, client.Height() - 3), kWhite);
    // Somewhere on the plot the first firing position's colour shows.
    const win::COLORREF trace = c.mode == 0 ? State().colours[2] : State().CylinderColour(State().CylinderAt(1));
    bool seen = false;
    win::CClientDC dc(&graph);
    for (int x = 10; x < client.Width() && !seen; x += 3) {
      for (int y = 0; y < client.Height() && !seen; ++y) seen = dc.GetPixel(x, y) == trace;
    }
    EXPECT_TRUE(seen);
  }
}

TEST_F(ControlTest, AnUnknownDisplayModeShowsAnEmptyFramedPlot)
{
  std::string bytes = PutRecording(drive, Options(1));
  PutU8(bytes, 5501, 7);
  drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
  Start("test.Ig2");
  ASSERT_TRUE(control->Model().IsLoaded());
  const auto calls = Repaint(*control->Graph());
  EXPECT_EQ(Count(calls, "Polyline"), 0);
  EXPECT_TRUE(TextsOf(calls).empty());
  EXPECT_EQ(PixelOf(*control->Graph(), 0, 300), CIgnGraphWnd::kFrame);
  EXPECT_EQ(PixelOf(*control->Graph(), 300, 300), win::RGB(255, 255, 255));
  // No mode button applies to it; the trend view still shows the recording's values.
  ClickButton(k3DButton);
  EXPECT_EQ(State().DisplayMode(), 7);
  ClickButton(kTrendButton);
  EXPECT_EQ(Count(Repaint(*control->Graph()), "Polyline"), 4 * 4 + 1);
}

TEST_F(ControlTest, TheTrendViewDrawsItsBandsAndAClickMovesThePosition)
{
  Load(Options(1, IgnitionKind::Secondary, 100));
  ClickButton(kTrendButton);
  CIgnGraphWnd& graph = *control->Graph();
  const auto calls = Repaint(graph);
  const auto texts = TextsOf(calls);
  EXPECT_TRUE(Has(texts, vetra::Cp949("드웰시간")));
  EXPECT_TRUE(Has(texts, "R  P  M"));
  EXPECT_FALSE(Has(texts, "[KV]"));
  // Four positions of four values, and the engine speed.
  EXPECT_EQ(Count(calls, "Polyline"), 4 * 4 + 1);

  const int start = control->Model().Playback().windowStart;
  win::CRect client;
  graph.GetClientRect(&client);
  // The cursor is the click's share of 70 positions over the drawing width.
  const int x = (35 * State().graph.width + 69) / 70;
  vetra::ui::Click(graph, {x, client.Height() / 2});
  vetra::ui::Pump();
  EXPECT_EQ(control->Model().Playback().cursor, 35);
  EXPECT_EQ(control->Model().Playback().windowStart, start);
  EXPECT_EQ(control->FrameScrollBar()->GetScrollPos(), start + 35);
}

TEST_F(ControlTest, ModeOneCursorsFollowTheMouseButtons)
{
  Load(Options(1));
  CIgnGraphWnd& graph = *control->Graph();
  vetra::ui::Click(graph, {100, 200});
  vetra::ui::Click(graph, {400, 200}, 1);
  vetra::ui::Pump();
  EXPECT_EQ(State().graph.cursorX, 100);
  EXPECT_EQ(State().graph.cursor2X, 400);
  EXPECT_EQ(PixelOf(graph, 100, 50), State().colours[1]);
}

// ---- drawn buttons and child hover ------------------------------------------------------------

TEST_F(ControlTest, DrawnButtonsHoverAndChildrenDropIt)
{
  Load(Options(0));  // mode 0: Byun, 3D, Gai and Cyl are disabled
  const auto centre = [this](int button) {
    const win::RECT r = control->Buttons().Places()[static_cast<std::size_t>(button - 1)];
    return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  vetra::ui::MoveMouse(*control, centre(kGaiButton));
  EXPECT_EQ(control->Buttons().Hover(), 0);
  ClickButton(kGaiButton);
  EXPECT_EQ(State().DisplayMode(), 0);
  vetra::ui::MoveMouse(*control, centre(kTrendButton));
  EXPECT_EQ(control->Buttons().Hover(), kTrendButton);
  EXPECT_TRUE(control->Buttons().Over());
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);
  vetra::ui::MoveMouse(*control->Graph(), {50, 50});
  EXPECT_EQ(control->Buttons().Hover(), 0);
  EXPECT_FALSE(control->Buttons().Over());
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);

  // The bar's hand: always over the arrows, over cylinders only where they can be chosen.
  ClickButton(kConfigButton);
  CWaveButtonWnd& bar = *control->CylinderBar();
  const auto over = [&bar](int code) {
    const win::RECT r = bar.ButtonRects()[static_cast<std::size_t>(code - 1)];
    vetra::ui::MoveMouse(bar, {r.left + 1, r.top + 1});
    return vetra::ui::CurrentCursor() == vetra::ui::CursorShape::Hand;
  };
  EXPECT_TRUE(over(kBarRangeUp));
  EXPECT_FALSE(over(kBarFirstCylinder));
  EXPECT_FALSE(over(kBarAll));
  ClickButton(kTrendButton);
  EXPECT_TRUE(over(kBarFirstCylinder + 3));
  EXPECT_FALSE(over(kBarFirstCylinder + 4));  // no fifth cylinder
  EXPECT_TRUE(over(kBarAll));
}

// ---- print ------------------------------------------------------------------------------------

class PrintTest : public ControlTest {
protected:
  std::vector<std::string> started;
  vetra::testing::RecordedStarts starts{started};
};

// Pixel (x, y), y from the top, of the 32-bit bottom-up capture.
win::COLORREF CapturePixel(const std::string& file, int x, int y)
{
  const std::size_t at = 54 + (static_cast<std::size_t>(707 - y) * 1017 + static_cast<std::size_t>(x)) * 4;
  return win::RGB(static_cast<std::uint8_t>(file[at + 2]), static_cast<std::uint8_t>(file[at + 1]), static_cast<std::uint8_t>(file[at]));
}

TEST_F(PrintTest, PrintCapturesTheControlWithItsChildrenAndStartsThePrintLayout)
{
  Load(Options(2));
  ClickButton(kPrintButton);
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Tolvex.exe"});
  const std::string file = drive.ReadFile("Vetra/Fenmark/Temp/print.bmp");
  ASSERT_EQ(file.size(), 2'880'198u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(CapturePixel(file, 1010, 706), CSparwenCtrl::kBackground);
  // The graph window (3, 112)-(775, 684): its grey frame and white plot are in the picture.
  EXPECT_EQ(CapturePixel(file, 774, 400), CIgnGraphWnd::kFrame);
  EXPECT_EQ(CapturePixel(file, 772, 681), kWhite);
}

}  // namespace
}  // namespace sparwen::testing
