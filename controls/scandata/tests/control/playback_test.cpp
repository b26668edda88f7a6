// Playback on the 10 ms timer, from the drawn buttons and from the page's RunScantool values.
#include "controls/scandata/tests/control/control_fixture.h"

namespace quarnel::testing {
namespace {

// Centres of the playback buttons of the top band.
constexpr win::POINT kStart{820, 84}, kFastReverse{855, 84}, kReverse{888, 84}, kPlay{919, 84}, kFastForward{949, 84}, kEnd{978, 84};

TEST_F(ControlTest, FastForwardRunsToTheEndOfTheGraphWindowAndStops)
{
  LoadBytes(Ramp(400));
  ClickAt(kFastForward.x, kFastForward.y);
  vetra::ui::AdvanceClock(10);
  EXPECT_EQ(Position(), 4);
  vetra::ui::AdvanceClock(590);
  EXPECT_EQ(Position(), 240);
  vetra::ui::AdvanceClock(10);
  EXPECT_EQ(Position(), 243);
  EXPECT_EQ(control->PositionBar()->GetScrollPos(), 243);
  EXPECT_EQ(control->Model().State().playback.state, PlayState::stopped);
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(Position(), 243);
}

TEST_F(ControlTest, PlaybackCommandsOfThePageAndTheButtons)
{
  const struct {
    const char* what;
    std::vector<win::POINT> clicks;  // drawn buttons, or
    std::vector<int> commands;       // RunScantool values
    int ms;
    int position;
  } cases[] = {
      {"play", {kPlay}, {}, 50, 5},
      {"page play", {}, {206}, 50, 5},
      {"play, then fast forward switches the step", {kPlay, kFastForward}, {}, 30, 12},
      {"fast forward twice stops", {kFastForward, kFastForward}, {}, 50, 0},
      {"end", {kEnd}, {}, 0, 243},
      {"page end, then reverse", {}, {203, 201}, 30, 240},
      {"page end, then fast reverse", {}, {203, 204}, 30, 231},
      {"end, then start", {kEnd, kStart}, {}, 0, 0},
      {"end, reverse, then page start", {kEnd, kReverse}, {202}, 30, 0},
      {"fast reverse at the start", {kFastReverse}, {}, 30, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadBytes(Ramp(400));
    for (const win::POINT p : c.clicks) ClickAt(p.x, p.y);
    for (const int command : c.commands) SetShort("RunScantool", command);
    vetra::ui::AdvanceClock(static_cast<std::uint64_t>(c.ms));
    EXPECT_EQ(Position(), c.position);
    SetShort("RunScantool", 202);  // stop for the next case
  }
}

TEST_F(ControlTest, TextViewPlaysThroughEverySampleAndTheScrollBarMoves)
{
  LoadBytes(Ramp(10));
  ClickAt(120, 80);
  ClickAt(kPlay.x, kPlay.y);
  vetra::ui::AdvanceClock(200);
  EXPECT_EQ(Position(), 9);
  EXPECT_EQ(control->PositionBar()->GetScrollPos(), 10);
  EXPECT_EQ(control->LowerList()->RowCount() + control->UpperList()->RowCount(), 1);
  EXPECT_EQ(control->UpperList()->Rows()[0].texts[2], "    9");  // the field width of the item

  // The scroll bar: a page to the left and a thumb drag.
  control->SendMessage(win::WM_HSCROLL, win::SB_PAGEUP, reinterpret_cast<win::LPARAM>(control->PositionBar()->m_hWnd));
  EXPECT_EQ(Position(), 0);
  control->SendMessage(win::WM_HSCROLL, win::MAKELONG(win::SB_THUMBTRACK, 6), reinterpret_cast<win::LPARAM>(control->PositionBar()->m_hWnd));
  EXPECT_EQ(Position(), 5);
  EXPECT_EQ(control->UpperList()->Rows()[0].texts[2], "    5");
}

TEST_F(ControlTest, CommandsBeforeAnyRecordingLeaveTheControlIntact)
{
  for (const int command : {201, 202, 203, 204, 205, 206}) SetShort("RunScantool", command);
  vetra::ui::AdvanceClock(100);
  for (const win::POINT p : {kStart, kFastReverse, kReverse, kPlay, kFastForward, kEnd, win::POINT{200, 80}, win::POINT{120, 80}, win::POINT{300, 300}}) {
    ClickAt(p.x, p.y);
  }
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Get("RpmData").AsString(), "0");
}

}  // namespace
}  // namespace quarnel::testing
