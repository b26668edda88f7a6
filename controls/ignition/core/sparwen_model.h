#pragma once
// The window-free heart of the ignition viewer: loads a recording, reads the frames of the shown
// position into the shared state, and runs the control's commands, playback and scrolling. The
// control and its child windows drive it and draw its state.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "controls/ignition/core/buttons.h"
#include "controls/ignition/core/ignition_state.h"
#include "controls/ignition/core/playback.h"
#include "controls/ignition/core/recording.h"
#include "platform/base/win_types.h"

namespace sparwen {

// Rectangles of the control's children, from the control's rectangle.
struct ChildLayout {
  win::RECT rightPanel{};
  win::RECT graph{};
  win::RECT scroll{};
  win::RECT verticalBar{};
};
ChildLayout ComputeChildLayout(const win::RECT& control);
inline constexpr win::RECT kDefaultControlRect = {0, 0, 1017, 708};

struct LoadOutcome {
  bool ok = false;
  std::string path;           // the data file path
  std::string message;        // the open-failure message; its caption is the path
  std::string engineMessage;  // the bad engine class message, shown while the load goes on
};

// The scroll bars as the control sets them.
struct ScrollBars {
  int frameMax = 0;       // frame scroll bar: range 0..frameMax
  int framePosition = 0;
  bool verticalEnabled = false;
  int verticalPosition = 8;  // 10 - vertical offset
};

class SparwenModel {
public:
  SparwenModel();

  // The load sequence without its windows, for a control of the given rectangle. A second load
  // starts afresh: playback stops (the control kills its timer) and the recording is reopened.
  LoadOutcome Load(std::string_view dataFileName, const win::RECT& controlRect = kDefaultControlRect);
  bool IsLoaded() const { return m_loaded; }
  const IgnitionState& State() const { return *m_state; }
  const FramePlayback& Playback() const { return m_playback; }
  const ScrollBars& Bars() const { return m_bars; }
  const Recording& GetRecording() const { return m_recording; }
  int VerticalOffset() const { return m_verticalOffset; }
  int TimeBaseIndex() const { return m_timeBaseIndex; }
  int FramesPerStep() const;
  // The control goes: closes the recording and, unless reloadMode is 1, deletes the working copy
  // the last load opened and the companion of `dataFileName` (the DataFileName property by then).
  // Returns how many files went.
  int Destroy(std::string_view dataFileName, int reloadMode);

  // Reads the shown position (and the trend window when the trend view is on).
  void RefreshFrames();

  // Commands of the drawn buttons, the menu and the cylinder bar. Each does nothing before a load
  // or where its mode does not apply.
  void ConfigButton();
  void JikButton();
  void ByunButton() { ChangeMode(1); }
  void ThreeDButton() { ChangeMode(2); }
  void GaiButton();
  void TrendButton();
  void CylButton();
  void DigitalButton();
  void RangeUp() { ChangeRange(+1); }
  void RangeDown() { ChangeRange(-1); }
  void SelectCylinder(int mode, int cylinder);
  void ShowAllTrendPositions();
  // WM_USER+554 from the cylinder bar: 1 range down, 2 range up, 3..10 cylinder 1..8, 11 all trend.
  void CylinderBarCommand(int code);

  // Playback.
  PlayToggle PlayForward();
  PlayToggle PlayReverse();
  PlayToggle FastForward();
  PlayToggle FastReverse();
  // A tick of timer 20; true when playback ended and the timer is to be killed.
  bool Tick();
  void StopPlayback() { m_playback.Stop(); }
  void ToStart();
  void ToEnd();
  void HScroll(int code, int barPosition, int trackPosition);
  void VScroll(int code, int position);
  // WM_USER+551: a left click at x in the graph while the trend view is on.
  void GraphPosition(int x);
  // Clicks in the graph window: the left button reports the position in the trend view and places
  // the first cursor in mode 1; the right button places the second cursor in mode 1. True when the
  // left click is to be reported to the control as WM_USER+551.
  bool GraphLeftClick(int x);
  void GraphRightClick(int x);

private:
  void InitDefaults();
  LoadOutcome Fail(LoadOutcome outcome);
  void UpdateButtonStates();
  void SetRangeLabel();
  void ReadFrame(int i);
  // Restarts the trend history and places its cursor; the positions a trend reader covers: the
  // window, or every position of a short recording.
  struct TrendSteps {
    int start = 0;
    int steps = 0;
  };
  TrendSteps BeginTrendWindow();
  void ReadTrendWindow();
  void ReadTrendWindowJik();
  void TakeValues(const FrameRecord& record, int firstRow, int rows);
  void ClampRpm();
  void AddTrendPoint();
  void ChangeMode(int mode);
  void ChangeRange(int step);
  void AfterMove();
  int ShownValueFields() const;
  const std::array<int, 6>& TimeBaseRow() const;

  std::unique_ptr<IgnitionState> m_state;
  Recording m_recording;
  FramePlayback m_playback;
  ScrollBars m_bars;
  std::string m_dataFileName;
  std::string m_workingCopyName;  // the name the last load opened: the copy deleted at the end
  bool m_loaded = false;
  std::array<std::array<int, 6>, 4> m_timeBaseTable{};
  int m_timeBaseIndex = 2;
  int m_valueRow = 0;
  bool m_pairPending = false;
  int m_verticalOffset = 2;
  FrameRecord m_record;
};

}  // namespace sparwen
