// Playback of the oscilloscope control: the play buttons on the playback timer, start and end,
// the frame scroll bar and time compression. Every move reads the window again.
#include "controls/oscilloscope/tessial_ctrl.h"

#include <algorithm>
#include <limits>

#include "platform/base/trace.h"
#include "platform/ui/message_box.h"

namespace tessial {
namespace {

constexpr win::UINT kPlaybackPeriodMs = 1;
constexpr win::UINT kFirstPlaybackCommand = 1474;

int ToBar(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max())); }

}  // namespace

void CTessialCtrl::ApplyTimerChange(TimerChange change, const char* trace)
{
  if (change == TimerChange::none) return;
  KillTimer(kPlaybackTimer);
  if (change == TimerChange::start) {
    SetTimer(kPlaybackTimer, kPlaybackPeriodMs);
    win::OutputDebugStringA(trace);
  }
}

void CTessialCtrl::UpdateScrollBar()
{
  if (!m_scrollBar) return;
  const Playback& p = m_model.State().playback;
  // A recording shorter than a window has nothing to scroll.
  m_scrollBar->EnableWindow(p.maxPosition > 0 ? win::TRUE : win::FALSE);
  if (p.maxPosition <= 0) return;
  m_scrollBar->SetScrollRange(0, ToBar(p.maxPosition));
  MoveThumb();
}

void CTessialCtrl::MoveThumb()
{
  if (m_scrollBar) m_scrollBar->SetScrollPos(ToBar(m_model.State().playback.position));
}

void CTessialCtrl::OnPlayForwardButton() { ApplyTimerChange(m_model.PlayForward(), "TESSIAL : OnPlayForwardButton\r\n"); }
void CTessialCtrl::OnPlayReverseButton() { ApplyTimerChange(m_model.PlayReverse(), "TESSIAL : OnPlayReverseButton\r\n"); }
void CTessialCtrl::OnFastForwardButton() { ApplyTimerChange(m_model.FastForward(), "TESSIAL : OnFastForwardButton\r\n"); }
void CTessialCtrl::OnFastReverseButton() { ApplyTimerChange(m_model.FastReverse(), "TESSIAL : OnFastReverseButton\r\n"); }

void CTessialCtrl::OnStopButton()
{
  m_model.Stop();
  KillTimer(kPlaybackTimer);
}

void CTessialCtrl::OnStartPositionButton()
{
  if (!m_model.IsOpen() || !m_model.State().playback.CanPlay()) return;
  KillTimer(kPlaybackTimer);
  const WindowRead read = m_model.ToStart();
  MoveThumb();
  ShowWindowRead(read);
  win::OutputDebugStringA("TESSIAL : OnStartPositionButton\r\n");
}

void CTessialCtrl::OnEndPositionButton()
{
  if (!m_model.IsOpen() || !m_model.State().playback.CanPlay()) return;
  KillTimer(kPlaybackTimer);
  const WindowRead read = m_model.ToEnd();
  MoveThumb();
  ShowWindowRead(read);
  win::OutputDebugStringA("TESSIAL : OnEndPositionButton\r\n");
}

void CTessialCtrl::OnTimer(win::UINT_PTR id)
{
  if (id != kPlaybackTimer) {
    COleControl::OnTimer(id);
    return;
  }
  // A failed read has stopped playback before it is reported, so it is reported once.
  const TickOutcome outcome = m_model.Tick();
  if (outcome.stopTimer) KillTimer(kPlaybackTimer);
  ShowWindowRead(outcome.read);
  MoveThumb();
}

void CTessialCtrl::OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  if (bar == nullptr || bar != m_scrollBar.get() || !m_model.IsOpen()) {
    COleControl::OnHScroll(code, pos, bar);
    return;
  }
  const WindowRead read = m_model.Scroll(static_cast<int>(code), m_scrollBar->GetScrollPos(), pos);
  MoveThumb();
  ShowWindowRead(read);
}

void CTessialCtrl::AfterCompression(const CompressOutcome& outcome)
{
  if (outcome.result == CompressResult::refused) {
    win::AfxMessageBox(outcome.message, win::MB_OK);
    return;
  }
  if (outcome.result != CompressResult::changed) return;
  const Playback& p = m_model.State().playback;
  if (m_scrollBar) {
    m_scrollBar->EnableWindow(p.maxPosition >= 0 ? win::TRUE : win::FALSE);
    m_scrollBar->SetScrollRange(0, ToBar(p.maxPosition));
    MoveThumb();
  }
  ShowWindowRead(outcome.read);
  // The time-base text and the axis labels are the control's own.
  InvalidateControl();
}

void CTessialCtrl::OnCompressButton() { AfterCompression(m_model.Compress()); }
void CTessialCtrl::OnExpandButton() { AfterCompression(m_model.Expand()); }

bool CTessialCtrl::RunPlaybackCommand(win::UINT id)
{
  switch (id - kFirstPlaybackCommand) {
    case 0: OnCompressButton(); return true;
    case 1: OnExpandButton(); return true;
    case 2: OnPlayForwardButton(); return true;
    case 3: OnPlayReverseButton(); return true;
    case 4: OnFastForwardButton(); return true;
    case 5: OnFastReverseButton(); return true;
    case 6: OnStartPositionButton(); return true;
    case 7: OnEndPositionButton(); return true;
    case 8: OnStopButton(); return true;
    default: return false;
  }
}

}  // namespace tessial
