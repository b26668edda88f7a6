#include "controls/roadtest/core/road_model.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/savedata/exchange_files.h"
#include "controls/roadtest/core/zoom.h"
#include "platform/base/drive.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"

namespace morvit {

std::string WorkingCopyPath(std::string_view readFileName) {
  return savedata::DataFilePath(readFileName, savedata::DriveLetter::capital);
}

Message NoDataMessage(std::string_view recordingPath) {
  return {std::string(recordingPath) + vetra::Cp949(" 데이터가 없습니다"), "Loading Error"};
}
Message DiskFullMessage() {
  return {vetra::Cp949("사용할 수 있는 디스크 공간이 없습니다"), vetra::Cp949("압축 풀기")};
}
Message TooManyItemsMessage() { return {vetra::Cp949("8개 항목까지만 선택 할 수 있습니다."), "Morvit"}; }
Message ItemsLeftOutMessage(int leftOut) {
  return {vetra::Cp949("마지막에 선택한 ") + vetra::Format("%d", leftOut) + vetra::Cp949("개의 항목은 표시 하지 않습니다."),
          "Morvit"};
}
Message UnsupportedScaleMessage() { return {vetra::Cp949("샘플 데이터에서는 지원되지 않는 배율입니다."), "Morvit"}; }

DownloadTarget ParseDownloadUrl(std::string_view url, long long seconds) {
  const auto first = url.find_first_not_of(' ');
  const auto last = url.find_last_not_of(' ');
  std::string_view text = first == std::string_view::npos ? std::string_view() : url.substr(first, last - first + 1);
  text.remove_prefix(std::min<std::size_t>(7, text.size()));  // the scheme, "http://"
  DownloadTarget target;
  // Without a "/" there is no host: the whole text is the path, and no server is asked.
  const auto slash = text.find('/');
  target.host = slash == std::string_view::npos ? std::string() : std::string(text.substr(0, slash));
  target.path = slash == std::string_view::npos ? std::string(text) : std::string(text.substr(slash + 1));
  const auto lastSlash = text.rfind('/');
  const std::string_view name = lastSlash == std::string_view::npos ? text : text.substr(lastSlash + 1);
  target.readFileName = vetra::Format("%lld", seconds) + std::string(name);
  return target;
}

RoadModel::RoadModel(LutStore luts) : m_luts(std::move(luts)) {}

RoadModel::~RoadModel() { Close(); }

void RoadModel::Close() {
  if (!m_unpackedPath.empty()) {
    std::error_code ignored;
    std::filesystem::remove(vetra::MapPath(m_unpackedPath), ignored);
    m_unpackedPath.clear();
  }
  m_state = RoadState{};
  m_labelView = nullptr;
  m_labelZoomView = false;
}

LoadOutcome RoadModel::Load(std::string_view readFileName, const UnpackProgress& progress) {
  if (!vetra::IsPlainFileName(readFileName)) {
    // Not a name in the exchange folder: a file that cannot be opened.
    Close();
    BuildStartState();
    return {};
  }
  return LoadPath(WorkingCopyPath(readFileName), progress);
}

LoadOutcome RoadModel::LoadPath(std::string_view path, const UnpackProgress& progress) {
  Close();
  LoadedFile file = LoadRecordingFile(path, progress);
  LoadOutcome outcome;
  outcome.status = file.status;
  if (file.Ok()) {
    m_state.recording = std::move(file.recording);
    m_state.recordingPath = file.readPath;
    m_state.loaded = true;
    m_unpackedPath = file.unpackedPath;
  } else if (file.status == LoadStatus::UnpackFailed) {
    outcome.message = file.unpack == UnpackStatus::WriteFailed ? DiskFullMessage() : NoDataMessage(path);
  }
  BuildStartState();
  return outcome;
}

void RoadModel::ResetView() {
  RoadState& s = m_state;
  s.zoomMode = false;
  s.zoomItem = -1;
  s.analysis.Clear();
  s.measureOn = false;
  s.play = PlayState::Stopped;
  s.playStep = kPlayStep;
  s.cursorSource = 1;
  s.relayout = false;
  BuildStartState();
}

void RoadModel::BuildStartState() {
  RoadState& s = m_state;
  m_labelView = nullptr;
  m_labelZoomView = false;
  const Recording& rec = s.recording;
  s.dataShown = true;
  s.listChannels = ListedChannels(rec);
  s.shown.Clear();
  for (int row = 0; row < static_cast<int>(s.listChannels.size()); ++row) {
    // More than eight channels marked for the start: the first eight are shown.
    if (rec.channels[static_cast<std::size_t>(s.listChannels[static_cast<std::size_t>(row)])].shownAtStart &&
        s.shown.Count() < kMaxShownItems) {
      s.shown.ToggleRow(row);
    }
  }
  const std::int64_t perColumn = rec.RecordLength() / kColumns;
  s.page = Page{};
  s.page.cursorA = 350;
  s.page.start = 350 * perColumn;
  s.zoomPanel = s.page;
  s.lower = s.page;
  s.layoutMode = kLayoutParallel;
  s.rangeMode = kRangeFull;
  s.factors.fill(1.0);
  s.zoomFactors.fill(1.0);
  LayoutParallel();
}

void RoadModel::RefreshDerivedFactors() {
  UpdateScaleFactors(m_state.recording, m_state.derived, m_state.graphHeight, m_state.rangeMode, m_luts, m_state.factors);
}

void RoadModel::LayoutParallel() {
  RoadState& s = m_state;
  s.layoutMode = kLayoutParallel;
  const int n = s.shown.Count();
  if (n == 0) return;
  s.graphHeight = ParallelRowHeight(n);
  ScaleChannelsParallel(s.recording, s.graphHeight, s.channelScales);
  CopyChannelFactors(s.channelScales, s.factors);
  RefreshDerivedFactors();
}

void RoadModel::LayoutOverlap() {
  RoadState& s = m_state;
  s.layoutMode = kLayoutOverlap;
  s.graphHeight = kOverlapHeight;
  ScaleChannelsOverlap(s.recording, s.channelScales);
  CopyChannelFactors(s.channelScales, s.factors);
  RefreshDerivedFactors();
}

void RoadModel::Relayout() {
  if (m_state.layoutMode == kLayoutParallel) LayoutParallel();
  else LayoutOverlap();
}

void RoadModel::EnsureDerived(int item) {
  if (ComputeDerivedItem(m_state.recording, m_state.derived, item)) RefreshDerivedFactors();
}

const ItemPage& RoadModel::BuildPage(int item, const ItemFactors& factors, int height, const Page& view, bool zoomView,
                                     ItemPage& page) {
  m_labelView = &view;
  m_labelZoomView = zoomView;
  const SampleMapper mapper(m_state.recording, m_state.derived, factors, item, height, m_state.rangeMode, m_luts);
  BuildItemPage(mapper, {view.scale, view.start, zoomView}, m_state.recording.RecordLength(), page,
                item >= 0 && item < kItemCount ? &m_fullViewFolds[static_cast<std::size_t>(item)] : nullptr);
  return page;
}

const ItemPage& RoadModel::BuildNormalPage(int item) {
  static const ItemPage kNone{};
  if (item < 0 || item >= kItemCount) return kNone;
  EnsureDerived(item);
  return BuildPage(item, m_state.factors, m_state.graphHeight, m_state.page, false,
                   m_state.pages[static_cast<std::size_t>(item)]);
}

const ItemPage& RoadModel::BuildLowerPage(int item) {
  static const ItemPage kNone{};
  if (item < 0 || item >= kItemCount) return kNone;
  EnsureDerived(item);
  // The lower graphs draw recorded channels with the normal factors and derived items with
  // factors for their own height.
  // Their labels are drawn from the same factors.
  ItemFactors& factors = m_state.lowerFactors;
  factors = m_state.factors;
  UpdateScaleFactors(m_state.recording, m_state.derived, m_state.lowerHeight, m_state.rangeMode, m_luts, factors);
  return BuildPage(item, factors, m_state.lowerHeight, m_state.lower, true, m_state.pages[static_cast<std::size_t>(item)]);
}

const ItemPage& RoadModel::BuildPanelPage() {
  ItemPage& page = m_state.panelPage.front();
  const int item = m_state.ChannelOfRow(m_state.zoomItem);
  if (item < 0) {
    page = ItemPage{};
    return page;
  }
  EnsureDerived(item);
  UpdateScaleFactors(m_state.recording, m_state.derived, kZoomPanelHeight, m_state.rangeMode, m_luts, m_state.zoomFactors);
  return BuildPage(item, m_state.zoomFactors, kZoomPanelHeight, m_state.zoomPanel, true, page);
}

CursorStatistics RoadModel::Statistics(int item) const {
  if (item < 0 || item >= kItemCount) return {};
  const MeasureSource source = MeasureSourceOf(m_state.recording, m_state.derived, item, &m_luts);
  // The lower graphs measure under their own page.
  const Page& view = m_state.zoomMode ? m_state.lower : m_state.page;
  return ComputeCursorStatistics(source, m_state.pages[static_cast<std::size_t>(item)], view.cursorA, view.cursorB,
                                 view.start);
}

CursorStatistics RoadModel::PrintStatistics(int item) const {
  if (!m_state.measureOn) return {0, 0, 0, 0, 0};
  return Statistics(item);
}

Message RoadModel::OpenZoomView() {
  RoadState& s = m_state;
  s.measureOn = false;
  s.lower.start = s.page.start;
  s.zoomItem = -1;
  if (s.zoomMode) return {};
  Message message;
  const int shown = s.shown.Count();
  if (shown > kMaxAnalysisItems) message = ItemsLeftOutMessage(shown - kMaxAnalysisItems);
  s.analysis.Clear();
  for (int k = 0; k < std::min(shown, kMaxAnalysisItems); ++k) s.analysis.ToggleRow(s.shown.Rows()[static_cast<std::size_t>(k)]);
  s.lower.scale = s.page.scale;
  s.lower.previousScale = s.page.previousScale;
  s.lower.cursorA = s.page.cursorA;
  s.lower.cursorB = s.page.cursorB;
  // The panel shows the whole recording from its own cursor column, which opening leaves where it
  // was (the middle after a load); its start is that column x (L / 700), whatever the lower
  // graphs show. The spins couple the two views when a cursor moves.
  s.zoomPanel.scale = 0;
  s.zoomPanel.previousScale = 0;
  MoveCursorA(s.zoomPanel, s.zoomPanel.cursorA, s.recording.RecordLength());
  s.zoomMode = true;
  LayoutZoomPanel();
  return message;
}

void RoadModel::CloseZoomView() {
  if (!m_state.zoomMode) return;
  m_state.measureOn = false;
  m_state.zoomMode = false;
  Relayout();
}

void RoadModel::LayoutZoomPanel() {
  RoadState& s = m_state;
  ScaleZoomStrip(s.recording, s.zoomScales);
  CopyChannelFactors(s.zoomScales, s.zoomFactors);
  s.lowerHeight = LowerRowHeight(s.analysis.Count());
}

ScaleOutcome RoadModel::SelectZoomScale(int entry) {
  RoadState& s = m_state;
  Page& panel = s.zoomPanel;
  const auto current = std::find(kScaleOfEntry.begin(), kScaleOfEntry.end(), panel.scale) - kScaleOfEntry.begin();
  ScaleOutcome out;
  out.entry = static_cast<int>(current);
  if (!s.zoomMode || entry < 0 || entry >= ScaleEntryCount(s.recording.recordLengthCode) || entry == current) return out;
  if (s.recording.recordLengthCode == 5 && entry >= 7) {
    out.message = UnsupportedScaleMessage();
    return out;
  }
  Stop();
  const std::int64_t length = s.recording.RecordLength();
  if (entry == 0) PlaceCursorForWholeView(panel, length);
  panel.previousScale = panel.scale;
  panel.scale = kScaleOfEntry[static_cast<std::size_t>(entry)];
  if (panel.scale == 0) panel.previousScale = static_cast<int>(length / kColumns);
  ApplyDisplayScale(panel, length);
  CoupleCursors(panel, s.lower, length);
  s.cursorSource = -1;
  out.changed = true;
  out.entry = entry;
  return out;
}

void RoadModel::SetZoomItem(int row) { m_state.zoomItem = m_state.ChannelOfRow(row) >= 0 ? row : -1; }

SelectionOutcome RoadModel::OnAnalysisListChange(const std::vector<int>& selectedRows) {
  SelectionOutcome out;
  out.row = m_state.analysis.ChangedRow(selectedRows);
  if (out.row < 0) return out;
  out.result = m_state.analysis.ToggleRow(out.row);
  if (out.result == ItemSet::Toggle::Full) {
    out.deselectRow = true;
    return out;
  }
  LayoutZoomPanel();
  m_state.relayout = true;
  return out;
}

void RoadModel::CoupleZoomViewsForPaint() {
  CoupleZoomViews(m_state.zoomPanel, m_state.lower, m_state.cursorSource, m_state.recording.RecordLength());
}

std::string RoadModel::CursorTimeLabel(bool stacked) const {
  const Recording& rec = m_state.recording;
  // The view whose item was built last: the normal view, the zoom panel or the graphs under it.
  // Nothing is shown before an item is built.
  if (m_labelView == nullptr) return {};
  const Page& view = *m_labelView;
  const std::int64_t sample = SampleUnderColumn(view.cursorA, {view.scale, view.start, m_labelZoomView}, rec.RecordLength());
  return CursorTimeText(SampleTime(sample, rec.RecordLength(), rec.PostTriggerLength()), stacked);
}

double RoadModel::CursorTime() const {
  // The zoom view measures between the cursor pair of its lower graphs.
  const Page& view = m_state.zoomMode ? m_state.lower : m_state.page;
  return CursorTimeDifference(view.cursorA, view.cursorB, view.scale, m_state.recording.RecordLength());
}

SelectionOutcome RoadModel::OnItemListChange(const std::vector<int>& selectedRows) {
  SelectionOutcome out;
  out.row = m_state.shown.ChangedRow(selectedRows);
  if (out.row < 0) return out;
  out.result = m_state.shown.ToggleRow(out.row);
  if (out.result == ItemSet::Toggle::Full) {
    out.deselectRow = true;
    out.message = TooManyItemsMessage();
    return out;
  }
  Relayout();
  m_state.relayout = true;
  return out;
}

int RoadModel::RemoveShownItem(int n) {
  if (m_state.zoomMode) {
    // The zoom view: button 0 clears the panel's item, the others remove a lower graph.
    if (n == 0) {
      const int row = m_state.zoomItem;
      m_state.zoomItem = -1;
      return row;
    }
    const auto& lower = m_state.analysis.Rows();
    if (n - 1 >= static_cast<int>(lower.size())) return -1;
    const int row = lower[static_cast<std::size_t>(n - 1)];
    m_state.analysis.ToggleRow(row);
    LayoutZoomPanel();
    m_state.relayout = true;
    return row;
  }
  const auto& rows = m_state.shown.Rows();
  if (n < 0 || n >= static_cast<int>(rows.size())) return -1;
  const int row = rows[static_cast<std::size_t>(n)];
  m_state.shown.ToggleRow(row);
  Relayout();
  m_state.relayout = true;
  return row;
}

namespace {

bool CanPage(const RoadState& s) {
  return s.zoomMode ? (s.zoomPanel.scale != 0 || s.lower.scale != 0) : s.page.scale != 0;
}

}  // namespace

bool RoadModel::Play() {
  if (!CanPage(m_state)) return m_state.play != PlayState::Stopped;
  m_state.playStep = kPlayStep;
  m_state.play = m_state.play == PlayState::Forward ? PlayState::Stopped : PlayState::Forward;
  return m_state.play != PlayState::Stopped;
}

bool RoadModel::ReversePlay() {
  if (!CanPage(m_state)) return m_state.play != PlayState::Stopped;
  m_state.playStep = kPlayStep;
  m_state.play = m_state.play == PlayState::Backward ? PlayState::Stopped : PlayState::Backward;
  return m_state.play != PlayState::Stopped;
}

void RoadModel::Stop() { m_state.play = PlayState::Stopped; }

bool RoadModel::Tick() {
  RoadState& s = m_state;
  if (s.play == PlayState::Stopped) return true;
  const std::int64_t length = s.recording.RecordLength();
  bool stop;
  if (s.zoomMode) {
    const bool panelStop = s.zoomPanel.scale != 0 && PlayTick(s.zoomPanel, s.play, length, s.playStep);
    const bool lowerStop = s.lower.scale != 0 && PlayTick(s.lower, s.play, length, s.playStep);
    stop = panelStop || lowerStop;
  } else {
    stop = PlayTick(s.page, s.play, length, s.playStep);
  }
  if (stop) Stop();
  return stop;
}

void RoadModel::ToStart() {
  if (m_state.zoomMode) {
    GoToStart(m_state.zoomPanel);
    GoToStart(m_state.lower);
    m_state.cursorSource = 2;
  } else {
    GoToStart(m_state.page);
  }
}

void RoadModel::ToEnd() {
  const std::int64_t length = m_state.recording.RecordLength();
  if (m_state.zoomMode) {
    GoToEnd(m_state.zoomPanel, length);
    GoToEnd(m_state.lower, length);
    m_state.cursorSource = 2;
  } else {
    GoToEnd(m_state.page, length);
  }
}

void RoadModel::Trigger() {
  RoadState& s = m_state;
  const std::int64_t length = s.recording.RecordLength(), post = s.recording.PostTriggerLength();
  if (!s.zoomMode) {
    if (s.page.scale == 0) s.cursorSource = 1;
    PutTriggerInView(s.page, length, post, 350);
    return;
  }
  PutTriggerInView(s.zoomPanel, length, post, 525);
  PutTriggerInView(s.lower, length, post, 525);
  s.cursorSource = s.lower.scale == 0 ? 1 : 2;
}

ScaleOutcome RoadModel::SelectScale(int entry) {
  RoadState& s = m_state;
  Page& page = s.zoomMode ? s.lower : s.page;
  const auto current = std::find(kScaleOfEntry.begin(), kScaleOfEntry.end(), page.scale) - kScaleOfEntry.begin();
  ScaleOutcome out;
  out.entry = static_cast<int>(current);
  if (entry < 0 || entry >= ScaleEntryCount(s.recording.recordLengthCode) || entry == current) return out;
  if (s.recording.recordLengthCode == 5 && entry >= 7) {
    out.message = UnsupportedScaleMessage();
    return out;
  }
  if (entry == 0) PlaceCursorForWholeView(page, s.recording.RecordLength());
  page.previousScale = page.scale;
  page.scale = kScaleOfEntry[static_cast<std::size_t>(entry)];
  if (page.scale == 0) page.previousScale = static_cast<int>(s.recording.RecordLength() / kColumns);
  ApplyDisplayScale(page, s.recording.RecordLength());
  if (s.zoomMode) {
    // The panel follows so that both views keep the same instant.
    CoupleCursors(s.lower, s.zoomPanel, s.recording.RecordLength());
    s.cursorSource = -1;
  }
  out.changed = true;
  out.entry = entry;
  return out;
}

void RoadModel::ScrollTime(ScrollCode code, std::int64_t barPosition, std::int64_t thumbPosition) {
  Page& page = m_state.zoomMode ? m_state.lower : m_state.page;
  if (m_state.zoomMode && page.scale == 0) return;
  Scroll(page, code, barPosition, thumbPosition, m_state.recording.RecordLength());
}

void RoadModel::ScrollZoomPanel(ScrollCode code, std::int64_t barPosition, std::int64_t thumbPosition) {
  RoadState& s = m_state;
  if (!s.zoomMode || s.zoomPanel.scale == 0) return;
  const std::int64_t length = s.recording.RecordLength();
  const std::int64_t before = s.zoomPanel.start;
  Scroll(s.zoomPanel, code, barPosition, thumbPosition, length);
  if (s.lower.scale == 0) return;
  const std::int64_t last = std::max<std::int64_t>(length - static_cast<std::int64_t>(kColumns) * s.lower.scale, 0);
  s.lower.start = std::clamp<std::int64_t>(s.lower.start + (s.zoomPanel.start - before), 0, last);
}

bool RoadModel::LeftButton(int x, int y) {
  RoadState& s = m_state;
  const std::int64_t length = s.recording.RecordLength();
  if (!s.zoomMode) {
    if (!PlaceCursorA(s.page, x, y, length)) return false;
    s.cursorSource = 1;
    return true;
  }
  if (x < 17 || x >= 716) return false;
  const int column = x - 16;
  auto place = [&](Page& page, int source) {
    if (static_cast<std::int64_t>(column) * page.scale + page.start > length) return false;
    MoveCursorA(page, column, length);
    s.cursorSource = source;
    return true;
  };
  if (y >= 144 && y <= 273 && s.zoomItem >= 0) return place(s.zoomPanel, 1);
  if (y >= 281 && y < 683) return place(s.lower, 2);
  return false;
}

bool RoadModel::RightButton(int x, int y) {
  RoadState& s = m_state;
  if (!s.dataShown || x < 17 || x >= 716) return false;
  Page* page = nullptr;
  if (!s.zoomMode && s.shown.Count() > 0 && y >= 144 && y < 683) page = &s.page;
  if (s.zoomMode && s.analysis.Count() > 0 && y >= 281 && y < 683) page = &s.lower;
  if (!page) return false;
  Stop();
  page->cursorB = x - 16;
  s.measureOn = !s.measureOn;
  s.cursorSource = s.zoomMode ? 2 : 1;
  return true;
}

void RoadModel::SetCursorA(int column) {
  Page& page = m_state.zoomMode ? m_state.lower : m_state.page;
  MoveCursorA(page, std::clamp(column, 0, kColumns - 1), m_state.recording.RecordLength());
  m_state.cursorSource = m_state.zoomMode ? 2 : 1;
}

void RoadModel::SetPanelCursor(int column) {
  MoveCursorA(m_state.zoomPanel, std::clamp(column, 0, kColumns - 1), m_state.recording.RecordLength());
  m_state.cursorSource = 1;
}

void RoadModel::MinMaxRange() {
  ApplyMinMaxRange(m_state.recording);
  m_state.rangeMode = kRangeMinMax;
  RelayoutForRange();
}

void RoadModel::FullRange() {
  m_state.rangeMode = kRangeFull;
  // The recorded pairs as the recording was loaded with them: the file may have changed or gone
  // since, and what was loaded stays what is shown.
  Recording& r = m_state.recording;
  std::copy(r.loadedMinMax.begin(), r.loadedMinMax.end(), r.minMax.begin());
  RelayoutForRange();
}

void RoadModel::RelayoutForRange() {
  // The lower graphs of the zoom view draw with the normal factors; the panel has its own.
  Relayout();
  if (m_state.zoomMode) LayoutZoomPanel();
}

}  // namespace morvit
