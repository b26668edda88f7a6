#pragma once
// The window-free heart of the road-test viewer: loads a working copy, builds the starting
// display state, derives, scales and reduces items for the graphs, measures between the cursors
// and carries out the commands of the control surface. The windows ask it and draw its state.
#include <string>
#include <string_view>
#include <vector>

#include "controls/roadtest/core/lut.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/recording_file.h"
#include "controls/roadtest/core/road_state.h"

namespace morvit {

// Message boxes of the viewer: text and caption in CP949; empty text for none.
struct Message {
  std::string text;
  std::string caption;
  bool Empty() const { return text.empty(); }
};

// "C:\Vetra\TempE\<name>": the working copy a ReadFileName names, as the viewer reads, fetches,
// deletes and names it in its messages.
std::string WorkingCopyPath(std::string_view readFileName);

// What the DownloadFile property makes of an address: the host, the object path, and the name
// of the working copy ("%i%s" with the time in seconds and the last path element).
struct DownloadTarget {
  std::string host;
  std::string path;
  std::string readFileName;
};
DownloadTarget ParseDownloadUrl(std::string_view url, long long seconds);

struct LoadOutcome {
  LoadStatus status = LoadStatus::CannotOpen;
  Message message;  // shown by the control when not empty
  bool Ok() const { return status == LoadStatus::Ok; }
};

struct ScaleOutcome {
  bool changed = false;
  Message message;  // refusal; the combo returns to its previous entry
  int entry = 0;    // the entry the combo shows afterwards
};

struct SelectionOutcome {
  int row = -1;               // the row toggled, -1 for none
  ItemSet::Toggle result = ItemSet::Toggle::Removed;
  bool deselectRow = false;   // the list must deselect the row again
  Message message;
};

class RoadModel {
public:
  explicit RoadModel(LutStore luts = LutStore());
  ~RoadModel();
  RoadModel(const RoadModel&) = delete;
  RoadModel& operator=(const RoadModel&) = delete;

  // Step 100 and the arithmetic of step 200: reads "C:\Vetra\TempE\<name>" (unpacking a packed
  // copy), then builds the starting display state. The state is rebuilt even when the load fails.
  LoadOutcome Load(std::string_view readFileName, const UnpackProgress& progress = {});
  // Loads a recording at a full system path.
  LoadOutcome LoadPath(std::string_view path, const UnpackProgress& progress = {});
  // Step 200 once more: the loaded recording is shown from its starting display state again
  // (full view, parallel layout, the items shown at start, the zoom view closed).
  void ResetView();
  // Forgets the recording and deletes the unpacked file this model made.
  void Close();

  const RoadState& State() const { return m_state; }
  RoadState& MutableState() { return m_state; }
  const LutStore& Luts() const { return m_luts; }
  const std::string& UnpackedPath() const { return m_unpackedPath; }

  // Layouts: row height, channel factors and the derived items' factors.
  void LayoutParallel();
  void LayoutOverlap();
  void Relayout();

  // Runs an item's derivation once (items 80..99) and refreshes the factors.
  void EnsureDerived(int item);
  // Builds the normal view's page of an item for rows of the current height.
  const ItemPage& BuildNormalPage(int item);
  // Statistics of an item of the normal view (or of the lower graphs of the zoom view) between
  // its cursors, after the item's page was built.
  CursorStatistics Statistics(int item) const;
  // The statistics of the printout: all zero outside measurement mode.
  CursorStatistics PrintStatistics(int item) const;
  // The cursor time label: the time under cursor A of the view whose item was built last; empty
  // until an item is built after the screens were built.
  std::string CursorTimeLabel(bool stacked) const;
  // The time between the cursors of the view that measures: the normal view, or the lower graphs
  // of the zoom view.
  double CursorTime() const;

  // Item list 232 changed: the selected rows after the change.
  SelectionOutcome OnItemListChange(const std::vector<int>& selectedRows);
  // Remove button n of the normal view.
  int RemoveShownItem(int n);

  // Playback; play and replay do nothing on the full view. True when the timer runs afterwards.
  bool Play();
  bool ReversePlay();
  void Stop();
  // One timer tick; true when playback stopped at it.
  bool Tick();
  void ToStart();
  void ToEnd();
  void Trigger();
  // Scale combo entry chosen.
  ScaleOutcome SelectScale(int entry);
  void ScrollTime(ScrollCode code, std::int64_t barPosition, std::int64_t thumbPosition);
  // The zoom panel's bar (only while the panel pages): the panel page moves by the bar's rules
  // and the lower graphs' page by the same number of samples, held inside the recording.
  void ScrollZoomPanel(ScrollCode code, std::int64_t barPosition, std::int64_t thumbPosition);
  // Mouse in the graph; true when something changed.
  bool LeftButton(int x, int y);
  bool RightButton(int x, int y);
  // Cursor spin moved cursor A (of the lower graphs in the zoom view).
  void SetCursorA(int column);
  // The zoom panel's spin moved its cursor.
  void SetPanelCursor(int column);

  // The zoom view (command 210): the first six shown items go under the panel; the message
  // tells when shown items are left out. Nothing happens when it is open already.
  Message OpenZoomView();
  void CloseZoomView();
  void LayoutZoomPanel();
  // Zoom scale combo entry chosen.
  ScaleOutcome SelectZoomScale(int entry);
  // The item of the panel (a list row, -1 for none).
  void SetZoomItem(int row);
  // List 234 changed: a seventh item is only deselected again.
  SelectionOutcome OnAnalysisListChange(const std::vector<int>& selectedRows);
  // Couples the two pages before a paint of the zoom view.
  void CoupleZoomViewsForPaint();
  // Builds the panel's item with its own height and scales, and a lower graph's item.
  const ItemPage& BuildPanelPage();
  const ItemPage& BuildLowerPage(int item);

  // Range commands: nominal ranges, and the recorded pairs as the recording was loaded with them.
  void MinMaxRange();
  void FullRange();

private:
  void BuildStartState();
  // After a range change: the layout of the view that shows, the zoom panel's included.
  void RelayoutForRange();
  void RefreshDerivedFactors();
  const ItemPage& BuildPage(int item, const ItemFactors& factors, int height, const Page& view, bool zoomView,
                            ItemPage& page);

  LutStore m_luts;
  RoadState m_state;
  std::string m_unpackedPath;
  const Page* m_labelView = nullptr;  // the view of the item built last (a page of m_state)
  bool m_labelZoomView = false;
  // Per item, its full view's columns as the last full-view build found them.
  std::vector<FullViewFold> m_fullViewFolds = std::vector<FullViewFold>(kItemCount);
};

// Messages of the viewer.
Message NoDataMessage(std::string_view recordingPath);  // "<path> 데이터가 없습니다", "Loading Error"
Message DiskFullMessage();                              // "사용할 수 있는 디스크 공간이 없습니다", "압축 풀기"
Message TooManyItemsMessage();                          // "8개 항목까지만 선택 할 수 있습니다.", "Morvit"
Message UnsupportedScaleMessage();                      // "샘플 데이터에서는 지원되지 않는 배율입니다.", "Morvit"
Message ItemsLeftOutMessage(int leftOut);               // "마지막에 선택한 %d개의 항목은 표시 하지 않습니다."

}  // namespace morvit
