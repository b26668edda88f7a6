#include "controls/scandata/core/scan_model.h"

#include <algorithm>

#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace quarnel {
namespace {

constexpr int kCursorStartX = 340;
constexpr int kShortRecording = 68;  // below this many samples the cursor starts on the last one

ScanOutcome Merge(ScanOutcome a, const ScanOutcome& b) {
  if (b.timer != TimerChange::none) a.timer = b.timer;
  a.graphsInvalidated |= b.graphsInvalidated;
  a.repaint |= b.repaint;
  a.listsChanged |= b.listsChanged;
  a.layoutChanged |= b.layoutChanged;
  if (b.message) a.message = b.message;
  return a;
}

}  // namespace

std::string ScanModel::RpmData() const { return vetra::Format("%d", state_.rpmAtCursor); }

ScanOutcome ScanModel::RunScantool(int value) {
  switch (static_cast<std::int16_t>(value)) {
    case 1: {
      ScanOutcome outcome;
      Load(outcome);
      return outcome;
    }
    case 201: return Reverse();
    case 202: return ToStart();
    case 203: return ToEnd();
    case 204: return FastReverse();
    case 205: return FastForward();
    case 206: return Play();
    default: return {};
  }
}

void ScanModel::ResetViewState() {
  // Nothing of an earlier recording survives; the unit preferences belong to the control.
  ScanTextContext text = std::move(state_.text);
  state_ = ScanState{};
  state_.text = std::move(text);
}

void ScanModel::ResetPlayState() {
  state_.playback = ScanPlayback{};
  state_.cursors = ScanCursors{};
  state_.triggerJump = TriggerJump{};
}

bool ScanModel::Load(ScanOutcome& outcome) {
  reloadMode_ = 0;
  workingCopyPath_ = dataFilePath_;
  if (state_.playback.state != PlayState::stopped) outcome.timer = TimerChange::stop;
  ResetViewState();
  ResetPlayState();
  state_.cursors.endOfDataRule = true;
  state_.text.Preferences().ResetForLoad();
  state_.text.LoadHeaderBlock({});
  outcome.repaint = outcome.listsChanged = outcome.layoutChanged = true;

  if (dataFilePath_.empty()) return false;
  auto recording = ReadScanRecording(vetra::MapPath(dataFilePath_));
  if (!recording) return false;  // the screens stay empty
  state_.recording = std::move(*recording);
  const ScanRecording& r = state_.recording;
  state_.text.LoadHeaderBlock(r.headerBlock);
  win::OutputDebugStringA(EcuTraceLine(r.ecuText, r.systemText));
  state_.dataSource = kDataSourceRecording;
  state_.orders.Load(r.itemIds);

  // Every sample passes through its row once: the rows learn their minimum and maximum over the
  // whole recording and keep the last sample's value.
  for (const int id : state_.orders.ListOrder()) {
    const ItemKind kind = state_.KindOfItem(id);
    ItemRow& row = state_.rows[static_cast<std::size_t>(id)];
    for (int s = 0; s < r.sampleCount; ++s) UpdateItemRow(row, r.Sample(id, s), kind);
  }
  state_.stopMode = state_.ShownCount() > 0 ? 1 : 0;
  outcome = Merge(outcome, ShowGraphView());

  const int count = r.sampleCount;
  state_.cursors.visible1 = true;
  state_.playback.scrollEnabled = true;
  state_.playback.position = 0;
  state_.cursors.x1 = count < kShortRecording ? kPointSpacing * std::max(count - 1, 0) : kCursorStartX;
  for (int i = 0; i < state_.ShownCount(); ++i) {
    const int id = state_.orders.Shown()[static_cast<std::size_t>(i)];
    state_.cursorValues[static_cast<std::size_t>(i)] = state_.minMaxFeed[static_cast<std::size_t>(i)] =
        r.Sample(id, state_.cursors.x1 / kPointSpacing);
  }
  state_.playback.scrollMax = ScanPlayback::ScrollMaxOf(View::graph, count);
  state_.playback.scrollPosition = 0;
  ShowPosition();
  return true;
}

bool ScanModel::ReleaseWorkingCopy() {
  bool deleted = false;
  // With nothing loaded the working copy is the file SaveDataFilePath names.
  const std::string path = workingCopyPath_.value_or(dataFilePath_);
  if (reloadMode_ != 1 && !path.empty() && win::_access(path.c_str(), 0) == 0) {
    deleted = win::DeleteFileA(path.c_str()) != win::FALSE;
  }
  reloadMode_ = 0;
  return deleted;
}

// ---- playback ----

ScanOutcome ScanModel::Toggle(PlayState mode) {
  ScanOutcome outcome;
  outcome.timer = state_.playback.Toggle(mode);
  return outcome;
}

ScanOutcome ScanModel::Shown(ScanOutcome outcome) {
  ShowPosition();
  if (state_.view == View::graph) outcome.graphsInvalidated = true;
  else outcome.listsChanged = true;
  return outcome;
}

ScanOutcome ScanModel::ToStart() {
  ScanOutcome outcome;
  outcome.timer = state_.playback.Stop();
  state_.playback.ToStart();
  return Shown(outcome);
}

ScanOutcome ScanModel::ToEnd() {
  ScanOutcome outcome;
  outcome.timer = state_.playback.Stop();
  state_.playback.ToEnd(state_.view, state_.SampleCount());
  return Shown(outcome);
}

ScanOutcome ScanModel::Tick() {
  if (state_.playback.state == PlayState::stopped) return {};
  ScanOutcome outcome;
  if (state_.playback.Tick(state_.view, state_.SampleCount())) outcome.timer = TimerChange::stop;
  return Shown(outcome);
}

ScanOutcome ScanModel::Scroll(int code, int thumbPosition) {
  if (!state_.playback.Scroll(state_.view, code, thumbPosition, state_.SampleCount())) return {};
  return Shown();
}

ScanOutcome ScanModel::Trigger() {
  if (!state_.triggerJump.Jump(state_.recording.triggers, state_.view, state_.SampleCount(), state_.playback)) return {};
  return Shown();
}

ScanOutcome ScanModel::LeftClick(int x, int y) {
  if (state_.view != View::graph || !IsGraphClick(x, y)) return {};
  const ScanRecording& r = state_.recording;
  state_.cursors.visible1 = true;
  state_.cursors.x1 = CursorXForClick(x, r.sampleCount, state_.cursors.endOfDataRule);
  const int index = std::clamp(state_.windowFirst + state_.cursors.x1 / kPointSpacing, 0, std::max(r.sampleCount - 1, 0));
  for (int i = 0; i < state_.ShownCount(); ++i) {
    const int id = state_.orders.Shown()[static_cast<std::size_t>(i)];
    state_.cursorValues[static_cast<std::size_t>(i)] = r.Sample(id, index);
    win::OutputDebugStringA(CursorTraceLine(r.Sample(id, index), id, index));
  }
  state_.rpmAtCursor = r.EngineSpeed(index);
  ScanOutcome outcome;
  outcome.graphsInvalidated = true;
  return outcome;
}

ScanOutcome ScanModel::RightClick(int x, int y) {
  if (state_.view != View::graph || !IsGraphClick(x, y)) return {};
  ScanCursors& c = state_.cursors;
  if (c.active2) c.active2 = false;
  else if (!c.visible1) return {};
  else c.active2 = true;
  c.x2 = CursorXForClick(x, state_.SampleCount(), c.endOfDataRule);
  ScanOutcome outcome;
  outcome.graphsInvalidated = true;
  return outcome;
}

// ---- views and item choice ----

void ScanModel::Relayout(bool showButtons) { state_.layout = LayoutGraphs(state_.ShownCount(), showButtons); }

ScanOutcome ScanModel::ShowGraphView() {
  if (state_.ShownCount() == 0) return {};
  ScanPlayback& p = state_.playback;
  const int count = state_.SampleCount();
  state_.view = View::graph;
  state_.graphButtonPicture = kTextPicture;
  p.scrollMax = ScanPlayback::ScrollMaxOf(View::graph, count);
  // The sample the text view showed becomes the last one of the window.
  p.position = count < kWindowSamples + 1 ? 0 : std::clamp(p.position - (kWindowSamples - 1), 0, count - kWindowSamples);
  p.scrollPosition = p.position;
  p.scrollEnabled = true;
  Relayout(true);
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = outcome.listsChanged = true;
  return Shown(outcome);
}

ScanOutcome ScanModel::ShowTextView() {
  ScanPlayback& p = state_.playback;
  const int count = state_.SampleCount();
  state_.view = View::text;
  state_.layout.buttonsShown = false;
  p.scrollMax = ScanPlayback::ScrollMaxOf(View::text, count);
  if (p.position <= 0) {
    p.position = p.scrollPosition = 0;
  } else {
    // The last sample of the graph window, never past the last sample.
    p.position = std::clamp(p.position + (kWindowSamples - 1), 0, std::max(count - 1, 0));
    p.scrollPosition = p.position + 1;
  }
  p.scrollEnabled = true;
  state_.graphButtonPicture = state_.ShownCount() > 0 ? kGraphPicture : kGraphDisabledPicture;
  state_.chooserListVisible = false;
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = outcome.listsChanged = true;
  return Shown(outcome);
}

ScanOutcome ScanModel::ShowItemChooser() {
  if (!state_.Loaded()) return {};
  state_.chooser = ChooserMode::chooserList;
  state_.itemButtonPicture = kValuePicture;
  state_.layout.buttonsShown = false;
  state_.chooserListVisible = true;
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = true;
  return outcome;
}

ScanOutcome ScanModel::HideItemChooser() {
  state_.chooser = ChooserMode::itemButtons;
  state_.itemButtonPicture = kItemPicture;
  state_.layout.buttonsShown = true;
  state_.chooserListVisible = false;
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = true;
  return outcome;
}

ScanOutcome ScanModel::ChooseInChooser(int index) {
  const std::vector<int>& order = state_.orders.RecordingOrder();
  if (!state_.Loaded() || index < 0 || index >= static_cast<int>(order.size())) return {};
  const int id = order[static_cast<std::size_t>(index)];
  ItemOrders& o = state_.orders;
  if (!o.IsShown(id)) {
    if (o.ShownCount() >= kMaxShown) {
      ScanOutcome refused;
      refused.message = TooManyItemsMessage();
      return refused;
    }
    o.MoveUp(o.HiddenIndexOf(id));
  } else {
    if (o.ShownCount() == 1) return {};  // the last graph stays
    o.MoveDown(o.ShownIndexOf(id));
  }
  Relayout(false);
  state_.stopMode = o.ShownCount() > 0 ? 1 : 0;
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = outcome.listsChanged = true;
  return Shown(outcome);
}

ScanOutcome ScanModel::RemoveButton(int graph) {
  if (!state_.Loaded() || state_.ShownCount() <= 1 || graph < 0 || graph >= state_.ShownCount()) return {};
  state_.orders.MoveDown(graph);
  Relayout(true);
  state_.stopMode = state_.ShownCount() > 0 ? 1 : 0;
  ScanOutcome outcome;
  outcome.repaint = outcome.layoutChanged = outcome.listsChanged = true;
  return Shown(outcome);
}

ScanOutcome ScanModel::AfterMove(bool movedUp) {
  if (state_.ShownCount() == 0) {
    state_.graphButtonPicture = kGraphDisabledPicture;
    state_.stopMode = 0;
  } else if (movedUp) {
    state_.graphButtonPicture = kGraphPicture;
    state_.stopMode = 1;
  }
  ScanOutcome outcome;
  outcome.listsChanged = outcome.repaint = true;
  return outcome;
}

ScanOutcome ScanModel::MoveRowDown(int upperRow) {
  if (!state_.Loaded() || state_.orders.MoveDown(upperRow) < 0) return {};
  return AfterMove(false);
}

ScanOutcome ScanModel::MoveRowUp(int lowerRow) {
  if (!state_.Loaded() || state_.recording.descriptorCount == 0) return {};
  if (state_.ShownCount() >= kMaxShown) {
    ScanOutcome refused;
    refused.message = TooManyItemsMessage();
    return refused;
  }
  if (!state_.orders.MoveUp(lowerRow)) return {};
  return AfterMove(true);
}

// ---- showing a position ----

void ScanModel::ShowPosition() {
  if (state_.view == View::graph) ShowGraphPosition();
  else ShowTextPosition();
}

void ScanModel::ShowGraphPosition() {
  const ScanRecording& r = state_.recording;
  const int count = r.sampleCount;
  const int f = WindowFirstSample(state_.playback.position, state_.playback.step, count);
  state_.windowFirst = f;
  state_.samplesDrawn = std::clamp(count - f, 0, kWindowSamples);
  if (count <= 0) return;
  const int cursor = std::clamp(f + state_.cursors.x1 / kPointSpacing, 0, count - 1);
  for (int i = 0; i < state_.ShownCount(); ++i) {
    const auto slot = static_cast<std::size_t>(i);
    const int id = state_.orders.Shown()[slot];
    const auto itemId = static_cast<std::int16_t>(id);
    for (int k = 0; k < state_.samplesDrawn; ++k) {
      state_.ordinates[slot][static_cast<std::size_t>(k)] =
          state_.text.ItemGraphY(r.Sample(id, f + k), itemId, state_.layout.yScale, state_.layout.height);
    }
    state_.cursorValues[slot] = state_.minMaxFeed[slot] = r.Sample(id, cursor);
    FeedRunningMinMax(state_.rows[static_cast<std::size_t>(id)].range, state_.minMaxFeed[slot], state_.KindOfItem(id));
  }
  state_.rpmAtCursor = r.EngineSpeed(cursor);
}

void ScanModel::ShowTextPosition() {
  const ScanRecording& r = state_.recording;
  if (r.sampleCount <= 0) return;
  const int p = std::clamp(state_.playback.position, 0, r.sampleCount - 1);
  for (const int id : state_.orders.ListOrder()) {
    UpdateItemRow(state_.rows[static_cast<std::size_t>(id)], r.Sample(id, p), state_.KindOfItem(id));
  }
  state_.rpmAtCursor = r.EngineSpeed(p);
}

// ---- queries ----

std::string ScanModel::UnitOf(int id) const {
  const int unit = state_.text.Descriptor(id).Unit();
  return unit == 0 ? std::string{} : state_.text.UnitText(unit - 1);
}

std::array<std::string, 6> ScanModel::RowTexts(int row) {
  const std::vector<int> order = state_.orders.ListOrder();
  if (row < 0 || row >= static_cast<int>(order.size())) return {};
  const int id = order[static_cast<std::size_t>(row)];
  const ItemRow& r = state_.rows[static_cast<std::size_t>(id)];
  const ItemKind kind = state_.KindOfItem(id);
  const auto text = [&](std::optional<std::int32_t> raw) {
    return raw ? state_.text.ItemValueText(static_cast<std::int16_t>(id), *raw) : std::string{};
  };
  return {"", ItemName(id), text(r.value), UnitOf(id), text(r.Column4(kind)), text(r.Column5(kind))};
}

std::vector<std::string> ScanModel::ChooserEntries() const {
  std::vector<std::string> entries;
  for (const int id : state_.orders.RecordingOrder()) entries.push_back(ChooserEntry(ItemName(id), state_.orders.IsShown(id)));
  return entries;
}

int ScanModel::GraphItemId(int graph) const {
  const auto& shown = state_.orders.Shown();
  return graph >= 0 && graph < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(graph)] : -1;
}

std::optional<std::pair<int, int>> ScanModel::CursorRange() const {
  const int count = state_.SampleCount();
  if (count <= 0) return std::nullopt;
  const ScanCursors& c = state_.cursors;
  const int a = c.visible1 ? c.x1 : 0;
  const int from = std::clamp(state_.windowFirst + std::min(a, c.x2) / kPointSpacing, 0, count - 1);
  const int to = std::clamp(state_.windowFirst + std::max(a, c.x2) / kPointSpacing, 0, count - 1);
  return std::pair{from, to};
}

GraphTexts ScanModel::TextsOfGraph(int graph) {
  const int id = GraphItemId(graph);
  if (id < 0) return {};
  const auto itemId = static_cast<std::int16_t>(id);
  const ItemDescriptor descriptor = state_.text.Descriptor(id);
  const ItemKind kind = KindOf(descriptor);
  GraphTexts t;
  t.name = descriptor.ItemName();
  // The scale labels read their bounds as 16-bit values; the reading ends with each label, so
  // whatever is formatted next reads its sample as always.
  const auto scaleLabel = [&](std::int16_t bound) {
    state_.text.SetRawIs16Bit(1);
    std::string text = state_.text.ItemValueText(itemId, bound);
    state_.text.SetRawIs16Bit(0);
    return text;
  };
  t.top = scaleLabel(descriptor.GraphMax());
  t.bottom = scaleLabel(descriptor.GraphMin());
  if (state_.SampleCount() != 0) {
    // The sample as the rows show it, at its full width.
    const std::int32_t cursorValue = state_.cursorValues[static_cast<std::size_t>(graph)];
    t.value = ValueWithUnit(state_.text.ItemValueText(itemId, cursorValue), UnitOf(id));
  }
  MinMaxRecord record = state_.rows[static_cast<std::size_t>(id)].range;
  const auto range = CursorRange();
  if (state_.cursors.active2 && range) {
    std::vector<std::int32_t> samples;
    for (int s = range->first; s <= range->second; ++s) samples.push_back(state_.recording.Sample(id, s));
    record = RangeRule(samples, kind).record;
  }
  const DisplayedMinMax shown = Displayed(record, kind);
  t.maxLabel = MaxLabel(state_.text.ItemValueText(itemId, shown.maximum));
  t.minLabel = MinLabel(state_.text.ItemValueText(itemId, shown.minimum));
  return t;
}

std::vector<CurvePoint> ScanModel::RangeMarks(int graph) const {
  const int id = GraphItemId(graph);
  const auto range = CursorRange();
  if (id < 0 || !state_.cursors.active2 || !range) return {};
  std::vector<std::int32_t> samples;
  for (int s = range->first; s <= range->second; ++s) samples.push_back(state_.recording.Sample(id, s));
  const RangeMinMax result = RangeRule(samples, state_.KindOfItem(id));
  std::vector<CurvePoint> points;
  for (const int at : {result.minAt, result.maxAt}) {
    const int k = range->first + at - state_.windowFirst;
    if (k >= 0 && k < state_.samplesDrawn) {
      points.push_back({kPointSpacing * k, state_.ordinates[static_cast<std::size_t>(graph)][static_cast<std::size_t>(k)]});
    }
  }
  return points;
}

std::vector<int> ScanModel::TimeTicks() const {
  if (!state_.triggerMarksShown) return {};
  const ScanRecording& r = state_.recording;
  return TimeTickXs(r.sampleCount, r.startTime, r.endTime);
}

std::vector<TriggerMark> ScanModel::TriggerMarks() const {
  if (!state_.triggerMarksShown) return {};
  return VisibleTriggerMarks(state_.recording.triggers, state_.windowFirst, state_.triggerJump.lastJumped);
}

std::optional<int> ScanModel::MarkedSampleX() const {
  const int marked = state_.recording.markedSample;
  if (!state_.Loaded() || !state_.triggerMarksShown || marked == 0) return std::nullopt;
  return MarkX(marked, state_.windowFirst);
}

}  // namespace quarnel
