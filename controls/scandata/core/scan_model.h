#pragma once
// The window-free heart of the scan-data viewer: the control's properties, the load sequence,
// the item lists and graph choice, and playback. The control and its windows call the commands,
// act on the outcome (timer, repaint, message box) and draw what the queries give.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/scandata/core/scan_state.h"

namespace quarnel {

struct ScanOutcome {
  TimerChange timer = TimerChange::none;
  bool graphsInvalidated = false;  // repaint kGraphInvalidArea
  bool repaint = false;            // repaint the whole control
  bool listsChanged = false;       // rows moved or rebuilt: redraw both lists
  bool layoutChanged = false;      // graph rectangles and remove buttons moved
  std::optional<ScanMessage> message;  // a message box with the exclamation icon
};

// The texts of one graph of the graph view.
struct GraphTexts {
  std::string name;
  std::string top;     // upper bound
  std::string bottom;  // lower bound
  std::string value;   // value at the cursor with its unit; empty without samples
  std::string maxLabel;
  std::string minLabel;
};

// A point of a graph's curve marked with an X (minimum and maximum between the two cursors).
struct CurvePoint {
  int x = 0;
  int y = 0;
};

class ScanModel {
 public:
  // Properties.
  void SetSaveDataFilePath(std::string_view name) { dataFilePath_ = DataFilePathFor(name); }
  const std::string& DataFilePath() const { return dataFilePath_; }
  void SetReloadMode(int mode) { reloadMode_ = mode; }
  int StoredReloadMode() const { return reloadMode_; }
  std::string RunEcuId() const { return state_.recording.systemText; }
  std::string RpmData() const;
  int StopMode() const { return state_.stopMode; }

  // RunScantool: 1 loads, 201 to 206 play; every other value does nothing.
  ScanOutcome RunScantool(int value);
  // The load of RunScantool = 1; whether the file could be read.
  bool Load(ScanOutcome& outcome);
  // At the control's end: deletes the working copy the last load read (with no load, the file
  // SaveDataFilePath names) unless the page asked to keep it; whether a file was deleted.
  bool ReleaseWorkingCopy();

  // Playback buttons and timer 3.
  ScanOutcome Play() { return Toggle(PlayState::play); }
  ScanOutcome Reverse() { return Toggle(PlayState::reverse); }
  ScanOutcome FastForward() { return Toggle(PlayState::fastForward); }
  ScanOutcome FastReverse() { return Toggle(PlayState::fastReverse); }
  ScanOutcome ToStart();
  ScanOutcome ToEnd();
  ScanOutcome Tick();
  ScanOutcome Scroll(int code, int thumbPosition);
  ScanOutcome Trigger();
  ScanOutcome LeftClick(int x, int y);
  ScanOutcome RightClick(int x, int y);

  // Views and item choice.
  ScanOutcome ShowGraphView();
  ScanOutcome ShowTextView();
  ScanOutcome ShowItemChooser();
  ScanOutcome HideItemChooser();
  ScanOutcome ChooseInChooser(int index);  // a selection in the chooser list
  ScanOutcome RemoveButton(int graph);      // the small button beside graph `graph`
  ScanOutcome MoveRowDown(int upperRow);    // a row of the upper list goes below
  ScanOutcome MoveRowUp(int lowerRow);      // a row of the lower list goes onto the graph

  // Shows the current position in the current view.
  void ShowPosition();

  // Queries for the windows.
  const ScanState& State() const { return state_; }
  int RowCount() const { return static_cast<int>(state_.orders.ListOrder().size()); }
  // The six column texts of list-order row `row` (empty texts outside the rows).
  std::array<std::string, 6> RowTexts(int row);
  std::vector<std::string> ChooserEntries() const;
  int GraphItemId(int graph) const;
  GraphTexts TextsOfGraph(int graph);
  std::vector<int> TimeTicks() const;
  std::vector<TriggerMark> TriggerMarks() const;
  std::optional<int> MarkedSampleX() const;
  // The X marks of the minimum and maximum between the cursors; none with cursor 2 off.
  std::vector<CurvePoint> RangeMarks(int graph) const;
  std::string ItemName(int id) const { return state_.text.Descriptor(id).ItemName(); }
  std::string UnitOf(int id) const;

 private:
  ScanOutcome Toggle(PlayState mode);
  void ResetViewState();
  void ResetPlayState();
  void ShowGraphPosition();
  void ShowTextPosition();
  void Relayout(bool showButtons);
  ScanOutcome AfterMove(bool movedUp);
  // The first and last sample between the two cursors; nothing without samples.
  std::optional<std::pair<int, int>> CursorRange() const;
  ScanOutcome Shown(ScanOutcome outcome = {});

  ScanState state_;
  std::string dataFilePath_;
  // The path the last load read (the copy deleted at the end); none before a load.
  std::optional<std::string> workingCopyPath_;
  int reloadMode_ = 0;
};

}  // namespace quarnel
