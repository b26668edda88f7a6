#include "controls/oscilloscope/tests/control/control_fixture.h"
#include "platform/ui/message_box.h"

namespace tessial::testing {
namespace {

constexpr win::UINT kCompress = 1474, kExpand = 1475, kForward = 1476, kReverse = 1477, kFastForward = 1478, kStart = 1480,
                    kEnd = 1481, kStop = 1482;

class PlaybackTest : public ControlTest {
protected:
  void Command(win::UINT id) { control->SendMessage(win::WM_COMMAND, id, 0); }
  const Playback& P() const { return control->Model().State().playback; }
};

TEST_F(PlaybackTest, PlayButtonsMoveTheWindowOnTheTimerUntilAnEnd)
{
  Load(Options({Channel(0), Channel(1)}, 3 * 700));  // two windows of room: M = 1400
  ASSERT_EQ(P().maxPosition, 1400);
  traces.clear();
  Command(kStart);
  EXPECT_EQ(P().position, 0);
  EXPECT_EQ(control->FrameScrollBar()->GetScrollPos(), 0);

  Command(kForward);
  EXPECT_EQ(P().state, PlayState::forward);
  vetra::ui::AdvanceClock(30);  // the timer fires at most every 10 ms
  EXPECT_EQ(P().position, 60);
  EXPECT_EQ(control->FrameScrollBar()->GetScrollPos(), 60);

  Command(kFastForward);  // switches without stopping
  vetra::ui::AdvanceClock(10);
  EXPECT_EQ(P().position, 110);
  vetra::ui::AdvanceClock(1000);  // runs into the end and stops there
  EXPECT_EQ(P().position, 1400);
  EXPECT_EQ(P().state, PlayState::stopped);

  Command(kReverse);
  Command(kReverse);  // the same button again stops
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(P().position, 1400);
  EXPECT_EQ(traces, (std::vector<std::string>{"TESSIAL : OnStartPositionButton\r\n", "TESSIAL : OnPlayForwardButton\r\n",
                                              "TESSIAL : OnFastForwardButton\r\n", "TESSIAL : OnPlayReverseButton\r\n"}));

  Command(kReverse);
  vetra::ui::AdvanceClock(20);
  Command(kStop);
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(P().position, 1360);
  Command(kEnd);
  EXPECT_EQ(P().position, 1400);
}

TEST_F(PlaybackTest, TheScrollBarMovesTheWindowWithinTheRecording)
{
  Load(Options({Channel(0)}, 3 * 700));
  win::CScrollBar& bar = *control->FrameScrollBar();
  const struct {
    win::UINT code;
    win::UINT track;
    std::int64_t position;
  } steps[] = {
      {win::SB_PAGELEFT, 0, 1350}, {win::SB_LINELEFT, 0, 1349},     {win::SB_THUMBTRACK, 200, 200},
      {win::SB_THUMBPOSITION, 0, 200}, {win::SB_PAGERIGHT, 0, 250}, {win::SB_THUMBTRACK, 9000, 1400},
  };
  for (const auto& step : steps) {
    control->SendMessage(win::WM_HSCROLL, win::MAKELONG(step.code, 0) | (static_cast<win::WPARAM>(step.track) << 16),
                         reinterpret_cast<win::LPARAM>(bar.GetSafeHwnd()));
    EXPECT_EQ(P().position, step.position) << step.code;
    EXPECT_EQ(bar.GetScrollPos(), step.position) << step.code;
  }
}

TEST_F(PlaybackTest, CompressionChangesTheTimeBaseOrIsRefusedWhenTheRecordingIsTooShort)
{
  Load(Options({Channel(0)}, 2 * 700));
  const std::string timeBase = control->Model().State().timeBaseText;
  Command(kCompress);
  EXPECT_EQ(P().compression, 2);
  EXPECT_NE(control->Model().State().timeBaseText, timeBase);
  EXPECT_EQ(P().maxPosition, 0);  // two steps a column fill exactly one window
  Command(kCompress);  // three would not fill it
  EXPECT_EQ(P().compression, 2);
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, vetra::Cp949("파형을 더이상 압축할 수 없습니다."));
  Command(kExpand);
  EXPECT_EQ(P().compression, 1);
  EXPECT_EQ(control->Model().State().timeBaseText, timeBase);
}

TEST_F(PlaybackTest, ARecordingShorterThanAWindowDoesNotPlay)
{
  Load(Options({Channel(0)}, 300));
  traces.clear();
  for (const win::UINT id : {kForward, kFastForward, kStart, kEnd}) Command(id);
  vetra::ui::AdvanceClock(100);
  EXPECT_EQ(P().position, 0);
  EXPECT_EQ(P().state, PlayState::stopped);
  EXPECT_TRUE(traces.empty());
}

}  // namespace
}  // namespace tessial::testing
