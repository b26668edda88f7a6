#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/gdi/draw_log.h"

namespace tessial::testing {
namespace {

constexpr win::COLORREF kWhite = win::RGB(255, 255, 255);

OscChannel Flat(int type, int level, int polarity)
{
  OscChannel channel = Channel(type);
  channel.level = level;
  channel.polarity = polarity;
  return channel;
}

std::vector<std::string> TextsOf(const std::vector<vetra::gdi::DrawCall>& calls, const std::string& dc)
{
  std::vector<std::string> texts;
  for (const auto& call : calls) {
    if (call.dc == dc && call.op == "TextOut") texts.push_back(call.text);
  }
  return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ControlTest, GraphDrawsGridCursorsAndTheWaveformOfAFlatChannel)
{
  // A bipolar channel a quarter of its full scale above zero.
  Load(Options({Flat(0, 3072, 0)}));
  CScopeGraphWnd& graph = *control->Graph(0);
  win::CRect client;
  graph.GetClientRect(&client);
  const int h = client.Height();
  ASSERT_EQ(h, 556);
  ASSERT_EQ(client.Width(), 752);

  const struct {
    int x, y;
    win::COLORREF colour;
    const char* what;
  } pixels[] = {
      {0, 300, CScopeGraphWnd::kFrameOuter, "frame"},
      {1, 300, CScopeGraphWnd::kFrameInner, "frame inside"},
      {53, h - 40, CScopeGraphWnd::kGrid, "first grid column"},
      {133, h - 40, CScopeGraphWnd::kGrid, "second grid column"},
      {693, h - 40, CScopeGraphWnd::kGrid, "last grid column"},
      {93, h - 40, kWhite, "between grid columns"},
      {250, 300, CScopeGraphWnd::kCursor, "cursor A at column 233"},
      {500, 300, CScopeGraphWnd::kCursor, "cursor B at column 466"},
      {300, h / 4, CScopeGraphWnd::kWave, "waveform a quarter from the top"},
      {300, h / 4 - 1, kWhite, "above the waveform"},
      {300, h / 4 + 1, kWhite, "below the waveform"},
      {300, h - h / 2, win::RGB(26, 22, 27), "zero line"},
  };
  for (const auto& p : pixels) EXPECT_EQ(PixelOf(graph, p.x, p.y), p.colour) << p.what;
}

TEST_F(ControlTest, WithoutTheFullGridOnlyTheZeroLineIsDrawn)
{
  OscOptions options = Options({Flat(1, 3072, 1)});
  options.grid = 0;
  Load(options);
  CScopeGraphWnd& graph = *control->Graph(0);
  const int h = 556;
  EXPECT_EQ(PixelOf(graph, 53, h - 40), kWhite);
  EXPECT_EQ(PixelOf(graph, 300, h - h / 11), win::RGB(26, 22, 27));  // a unipolar zero line, one division up
  EXPECT_EQ(PixelOf(graph, 300, h - 2 * h / 11), kWhite);
}

TEST_F(ControlTest, GraphTextsTitleScaleFlagsAndCursorLabels)
{
  OscChannel titled = Flat(0, 2048, 0);
  titled.title = "O2";
  OscChannel unipolar = Flat(7, 2048, 1);
  unipolar.peak = 1;
  unipolar.autoFlag = 1;
  unipolar.coupling = 0;
  Load(Options({titled, unipolar}));
  vetra::gdi::ScopedDrawLog log;
  control->Invalidate(win::FALSE);
  vetra::ui::Pump();

  const std::vector<std::string> first = TextsOf(log.Calls(), "graph0");
  const std::vector<std::string> second = TextsOf(log.Calls(), "graph1");
  const ScopeState& state = control->Model().State();
  const struct {
    const std::vector<std::string>& texts;
    std::string text;
    bool shown;
  } cases[] = {
      {first, control->Model().SlotName(0) + ":O2 ", true},
      {first, Get("VoltStringCh1").AsString(), true},
      {first, state.bottomTexts[0], true},
      {first, "BI", true},
      {first, "DC", true},
      {first, vetra::Cp949("일반"), true},
      {first, vetra::Cp949("수동"), true},
      {first, "A", true},
      {first, "B", true},
      {second, control->Model().SlotName(1) + " ", true},
      {second, Get("VoltStringCh2").AsString(), true},
      {second, UnipolarBottomText(7, state.units), true},  // the vacuum value of zero, not "0"
      {second, "UNI", true},
      {second, "AC", true},
      {second, vetra::Cp949("피크"), true},
      {second, vetra::Cp949("자동"), true},
      {second, "A", false},  // only the first graph labels the cursors
  };
  for (const auto& c : cases) EXPECT_EQ(Has(c.texts, c.text), c.shown) << vetra::Utf8(c.text);
  EXPECT_NE(UnipolarBottomText(7, state.units), "0");
}

TEST_F(ControlTest, ClicksPlaceCursorAAndBThroughTheControl)
{
  Load(Options({Flat(0, 3072, 0), Flat(1, 2048, 0)}));
  CScopeGraphWnd& second = *control->Graph(1);
  const struct {
    int x;
    int button;  // 0 left: cursor A, 1 right: cursor B
    int cursorA, cursorB;
  } clicks[] = {
      {376, 0, 350, 466},
      {100, 1, 350, 93},
      {751, 0, 699, 93},
      {0, 1, 699, 0},
  };
  for (const auto& c : clicks) {
    vetra::ui::Click(second, {c.x, 40}, c.button);
    vetra::ui::Pump();
    const Playback& p = control->Model().State().playback;
    EXPECT_EQ(p.cursorA, c.cursorA) << c.x;
    EXPECT_EQ(p.cursorB, c.cursorB) << c.x;
    EXPECT_FALSE(second.Clicked());  // the control took the click
    // Every graph shows the cursor where it now is.
    EXPECT_EQ(PixelOf(*control->Graph(0), CursorX(c.button == 0 ? c.cursorA : c.cursorB, 752), 100), CScopeGraphWnd::kCursor) << c.x;
  }
}

// A parent that keeps the messages its children send it.
class Listener : public win::CWnd {
public:
  std::vector<win::UINT> received;
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (message >= win::WM_USER) received.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST(MouseNotifier, TellsTheParentOnEveryMoveWhetherTheLeftButtonIsHeld)
{
  vetra::ui::ResetForTests();
  Listener parent;
  ASSERT_TRUE(parent.CreateEx(0, "Listener", "parent", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 200, 200), nullptr, 0));
  win::CWnd child;
  ASSERT_TRUE(child.CreateEx(0, "Child", "", win::WS_CHILD | win::WS_VISIBLE, win::CRect(10, 10, 50, 50), &parent, 1));
  for (const win::UINT flags : {win::MK_LBUTTON, 0u, 0u, win::MK_LBUTTON | 0x0008u}) NotifyParentMouseMove(child, flags);
  EXPECT_EQ(parent.received, (std::vector<win::UINT>{kMsgChildHoverHeld, kMsgChildHoverReset, kMsgChildHoverReset, kMsgChildHoverHeld}));
  vetra::ui::ResetForTests();
}

}  // namespace
}  // namespace tessial::testing
