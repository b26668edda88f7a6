#include "controls/ignition/core/sparwen_model.h"

#include <algorithm>

#include "common/savedata/exchange_files.h"
#include "controls/ignition/core/texts.h"
#include "platform/base/numeric.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

constexpr int kMaxVerticalOffset = 10;
constexpr int kDefaultVerticalOffset = 2;
constexpr int kDefaultTimeBaseIndex = 2;
constexpr std::array<int, 6> kModeZeroTimeBases = {2, 3, 4, 5, 1, 0};
constexpr std::array<int, 6> kOtherTimeBases = {2, 3, 6, 0, 0, 0};

// The records of one trend window read in one piece for as long as the window is read; every
// tick reads the window afresh.
class WindowReadAhead {
public:
  WindowReadAhead(Recording& recording, std::int64_t first, std::int64_t count) : m_recording(recording)
  {
    m_recording.ReadAhead(first, count);
  }
  ~WindowReadAhead() { m_recording.DropReadAhead(); }
  WindowReadAhead(const WindowReadAhead&) = delete;
  WindowReadAhead& operator=(const WindowReadAhead&) = delete;

private:
  Recording& m_recording;
};

}  // namespace

ChildLayout ComputeChildLayout(const win::RECT& c)
{
  const int split = vetra::SaturatingCast<int>(c.right * 0.763);
  ChildLayout layout;
  layout.rightPanel = {split + 22, c.top + 112, c.right - 2, c.bottom - 4};
  layout.graph = {c.left + 3, c.top + 112, split, c.bottom - 24};
  layout.scroll = {c.left + 3, c.bottom - 23, split - 1, c.bottom - 5};
  layout.verticalBar = {split + 2, c.top + 112, split + 20, c.bottom - 19};
  return layout;
}

SparwenModel::SparwenModel() : m_state(std::make_unique<IgnitionState>()) { InitDefaults(); }

const std::array<int, 6>& SparwenModel::TimeBaseRow() const
{
  // A display mode above 3 uses the row of modes 1..3.
  const int mode = m_state->DisplayMode();
  return m_timeBaseTable[static_cast<std::size_t>(mode == 0 ? 0 : std::min(mode, 3))];
}

void SparwenModel::InitDefaults()
{
  // The engine's count and order stay from an earlier load: a bad class keeps them.
  const EngineSetup previous = m_state->engine;
  *m_state = IgnitionState{};
  m_state->engine.cylinderCount = previous.cylinderCount;
  m_state->engine.firingOrder = previous.firingOrder;
  m_timeBaseTable = {kModeZeroTimeBases, kOtherTimeBases, kOtherTimeBases, kOtherTimeBases};
  m_timeBaseIndex = kDefaultTimeBaseIndex;
  m_playback = FramePlayback{};
  m_bars = ScrollBars{};
  m_valueRow = 0;
  m_pairPending = false;
  m_verticalOffset = kDefaultVerticalOffset;
}

LoadOutcome SparwenModel::Load(std::string_view dataFileName, const win::RECT& controlRect)
{
  LoadOutcome outcome;
  outcome.path = savedata::DataFilePath(dataFileName);
  m_workingCopyName = dataFileName;
  m_loaded = false;
  m_recording.Close();
  InitDefaults();

  const RecordingError error = vetra::IsPlainFileName(dataFileName) ? m_recording.Open(outcome.path) : RecordingError::cannotOpen;
  if (error != RecordingError::none) {
    outcome.message = DataOpenErrorText(outcome.path);
    return outcome;
  }
  IgnitionState& s = *m_state;
  const IgnitionHeader& header = m_recording.Header();
  s.settings = header.settings;
  s.sweepCount = header.sweepCount;
  s.engineClass = header.engineClass;
  s.firingCode = header.firingCode;
  s.coilCode = header.coilCode;
  s.engine.cylinderLabel = header.cylinderLabel;
  s.engine.coilText = header.coilText;
  s.engine.firingText = header.firingText;

  const auto& row = TimeBaseRow();
  const int entries = s.DisplayMode() == 0 ? 5 : 4;
  const auto match = std::find(row.begin(), row.begin() + entries, s.settings.timeBaseCode);
  if (match != row.begin() + entries) m_timeBaseIndex = static_cast<int>(match - row.begin());
  s.graphScale = s.settings.scaleByte * 0.5;
  if (s.settings.timeBaseCode >= 0 && s.settings.timeBaseCode <= 6) s.graphScale = 3.0;

  outcome.engineMessage = ApplyEngine(header.engineClass, header.firingCode, header.coilCode, s.engine);

  // A recording cut short shows the positions it holds; the header's count may promise more.
  int frameCount = std::max(header.frameCount, 0);
  if (const int perStep = FramesPerStep(); perStep > 0) {
    const std::int64_t whole = m_recording.RecordCount() / perStep;
    frameCount = static_cast<int>(std::clamp<std::int64_t>(whole - 1, 0, frameCount));
  }
  m_playback.Load(frameCount);

  const ChildLayout layout = ComputeChildLayout(controlRect);
  s.graphHeight = layout.graph.bottom - layout.graph.top;
  s.graphWidth = layout.graph.right - layout.graph.left;
  s.selectedPosition = 1;
  s.rightPanel = RightPanel::values;
  s.graph.Create(s.graphHeight, s.graphWidth, s.Conversion());
  // A range beyond its table opens at the nearest end of it.
  s.graph.range = std::clamp(s.settings.rangeIndex, 0, MaxRange(s.Secondary()));
  s.graph.ResetView(s.Conversion());
  s.graph.trendSpan = s.graph.trend.Count() * 5;
  UpdateButtonStates();

  m_bars.frameMax = m_playback.frameCount;
  m_bars.framePosition = m_playback.Position();
  m_verticalOffset = kDefaultVerticalOffset;
  s.graph.zeroPos = kDefaultVerticalOffset;
  m_loaded = true;
  RefreshFrames();
  outcome.ok = true;
  return outcome;
}

int SparwenModel::Destroy(std::string_view dataFileName, int reloadMode)
{
  m_playback.Stop();
  m_recording.Close();
  m_loaded = false;
  return savedata::DeleteWorkingCopy(dataFileName, m_workingCopyName, reloadMode);
}

int SparwenModel::FramesPerStep() const
{
  const IgnitionState& s = *m_state;
  if (s.DisplayMode() == 0) return s.settings.pairedFlag != 0 ? 8 : 4;
  return std::clamp(s.Cylinders(), 0, kMaxCylinders) * (s.Conversion().FourPieces() ? 4 : 2);
}

int SparwenModel::ShownValueFields() const
{
  const int cylinders = std::clamp(m_state->Cylinders(), 0, kMaxCylinders);
  return m_state->DisplayMode() == 0 ? cylinders * m_state->ValueCount() : m_state->ValueCount();
}

void SparwenModel::UpdateButtonStates()
{
  IgnitionState& s = *m_state;
  if (!s.trend) {
    m_bars.verticalEnabled = s.DisplayMode() == 0 || s.DisplayMode() == 3;
  } else {
    ShowAllTrendPositions();
    m_bars.verticalEnabled = false;
  }
  for (int column = 0; column < kValueColumns; ++column) s.unitTexts[column] = ValueUnitText(column, s.Secondary());
  s.settings.timeBaseCode = TimeBaseRow()[static_cast<std::size_t>(m_timeBaseIndex)];
  s.settings.scaleByte = vetra::SaturatingCast<int>(2 * s.graphScale);
  s.timeBaseLabel = TimeBaseLabel(s.settings.timeBaseCode);
  if (const auto step = TimeBaseStepOf(s.settings.timeBaseCode, s.Cylinders())) {
    s.graph.divValue = step->divValue;
    s.graph.unitText = step->unitText;
  }
  SetRangeLabel();
}

void SparwenModel::SetRangeLabel() { m_state->rangeLabel = RangeLabel(m_state->graph.range, m_state->Secondary()); }

void SparwenModel::RefreshFrames()
{
  if (!m_loaded) return;
  if (m_state->trend) {
    if (m_state->DisplayMode() == 0) ReadTrendWindowJik();
    else ReadTrendWindow();
  }
  const int perStep = FramesPerStep();
  for (int i = 0; i < perStep; ++i) ReadFrame(i);
}

void SparwenModel::TakeValues(const FrameRecord& record, int firstRow, int rows)
{
  const int count = m_state->ValueCount();
  for (int c = 0; c < rows && firstRow + c < kMaxCylinders; ++c) {
    for (int v = 0; v < count; ++v) {
      m_state->values[static_cast<std::size_t>(firstRow + c)][static_cast<std::size_t>(v)] = record.values[static_cast<std::size_t>(c * count + v)];
    }
  }
}

void SparwenModel::ClampRpm()
{
  IgnitionState& s = *m_state;
  s.rpm = std::min(s.rpm, kMaxRpm);
  if (s.rpm < 1) s.rpm = 0;
  s.graph.rpm = s.rpm;
  s.rpmText = vetra::Format("%d", s.rpm);
}

void SparwenModel::ReadFrame(int i)
{
  IgnitionState& s = *m_state;
  const std::int64_t index = static_cast<std::int64_t>(m_playback.Position()) * FramesPerStep() + i;
  if (!m_recording.ReadRecord(index, ShownValueFields(), m_record)) return;
  // A marker outside 1..4 names no piece of a trace.
  if (m_record.marker < 1 || m_record.marker > 4) return;
  const ConversionSettings conversion = s.Conversion();
  if (m_pairPending) {
    ConvertUpperFrame(s.graph, conversion, m_record.samples, m_record.marker, m_verticalOffset);
    if (m_record.marker != 1) return;
    m_pairPending = false;
    m_valueRow = 0;
    ClampRpm();
    return;
  }
  const bool modeZero = s.DisplayMode() == 0;
  ConvertFrame(s.graph, conversion, m_record.samples, modeZero ? 0 : m_valueRow, m_record.marker, m_verticalOffset);
  if (m_record.marker != 1) return;
  const int cylinders = std::clamp(s.Cylinders(), 0, kMaxCylinders);
  if (modeZero) {
    TakeValues(m_record, 0, cylinders);
    s.rpm = m_record.rpm;
    s.graph.cylinderSync = m_record.cylinderSync;
    if (s.settings.pairedFlag != 0) {
      m_pairPending = true;
      return;
    }
    ClampRpm();
    m_pairPending = false;
    return;
  }
  TakeValues(m_record, m_valueRow, 1);
  s.rpm = m_record.rpm;
  s.graph.cylinderSync = m_record.cylinderSync;
  if (++m_valueRow >= cylinders) {
    ClampRpm();
    m_valueRow = 0;
  }
}

void SparwenModel::AddTrendPoint()
{
  IgnitionState& s = *m_state;
  s.graph.trend.Add(s.Secondary(), s.values, std::clamp(s.Cylinders(), 0, kMaxCylinders), s.graph.rpm, s.graph.height);
}

SparwenModel::TrendSteps SparwenModel::BeginTrendWindow()
{
  GraphData& graph = m_state->graph;
  graph.trend.Restart();
  graph.trendSpan = (m_playback.cursor + 1) * graph.width / kWindowSteps;
  if (m_playback.frameCount <= kWindowSteps) return {0, m_playback.frameCount + 1};
  return {m_playback.windowStart, kWindowSteps};
}

void SparwenModel::ReadTrendWindow()
{
  IgnitionState& s = *m_state;
  const auto [start, steps] = BeginTrendWindow();
  const int cylinders = std::clamp(s.Cylinders(), 0, kMaxCylinders);
  const int pieces = s.Conversion().FourPieces() ? 4 : 2;
  std::int64_t index = static_cast<std::int64_t>(start) * FramesPerStep();
  const WindowReadAhead ahead(m_recording, index, static_cast<std::int64_t>(steps) * cylinders * pieces);
  for (int step = 0; step < steps; ++step) {
    for (int c = 0; c < cylinders; ++c) {
      bool read = false;
      for (int piece = 0; piece < pieces; ++piece) read = m_recording.ReadRecord(index++, s.ValueCount(), m_record);
      if (!read || m_record.marker != 1) continue;
      TakeValues(m_record, m_valueRow, 1);
      if (++m_valueRow >= cylinders) {
        m_valueRow = 0;
        s.graph.rpm = m_record.rpm;
        AddTrendPoint();
      }
    }
  }
}

void SparwenModel::ReadTrendWindowJik()
{
  IgnitionState& s = *m_state;
  const auto [start, steps] = BeginTrendWindow();
  const int perStep = FramesPerStep();
  const int cylinders = std::clamp(s.Cylinders(), 0, kMaxCylinders);
  // With pairs every step carries two marked records; only the first of each pair counts.
  bool allowed = true;
  std::int64_t index = static_cast<std::int64_t>(start) * perStep;
  const WindowReadAhead ahead(m_recording, index, static_cast<std::int64_t>(steps) * perStep);
  for (int step = 0; step < steps; ++step) {
    for (int i = 0; i < perStep; ++i) {
      if (!m_recording.ReadRecord(index++, ShownValueFields(), m_record) || m_record.marker != 1) continue;
      if (!allowed) {
        allowed = true;
        continue;
      }
      TakeValues(m_record, 0, cylinders);
      s.graph.rpm = m_record.rpm;
      AddTrendPoint();
      allowed = s.settings.pairedFlag == 0;
    }
  }
}

void SparwenModel::ConfigButton()
{
  if (!m_loaded) return;
  m_state->rightPanel = m_state->rightPanel == RightPanel::cylinderBar ? RightPanel::values : RightPanel::cylinderBar;
}

void SparwenModel::JikButton()
{
  if (!m_loaded || m_state->DisplayMode() != 0 || !m_state->trend) return;
  m_state->trend = false;
  UpdateButtonStates();
}

void SparwenModel::ChangeMode(int mode)
{
  IgnitionState& s = *m_state;
  if (!m_loaded || s.DisplayMode() < 1 || s.DisplayMode() > 3) return;
  if (s.trend) {
    s.trend = false;
    UpdateButtonStates();
  }
  if (s.DisplayMode() != mode) {
    s.settings.displayMode = mode;
    m_bars.verticalEnabled = false;
    RefreshFrames();
  }
}

void SparwenModel::GaiButton()
{
  IgnitionState& s = *m_state;
  if (!m_loaded || s.DisplayMode() < 1 || s.DisplayMode() > 3) return;
  if (s.trend) {
    s.trend = false;
    UpdateButtonStates();
  }
  SelectCylinder(3, s.CylinderAt(s.SelectedIndex() + 1));
  if (s.DisplayMode() == 3) return;
  s.settings.displayMode = 3;
  m_bars.verticalEnabled = true;
  m_bars.verticalPosition = kMaxVerticalOffset - m_verticalOffset;
  RefreshFrames();
}

void SparwenModel::TrendButton()
{
  if (!m_loaded || m_state->trend) return;
  m_state->trend = true;
  UpdateButtonStates();
  RefreshFrames();
}

void SparwenModel::CylButton()
{
  IgnitionState& s = *m_state;
  if (!m_loaded || s.trend || s.DisplayMode() != 3) return;
  int next = s.selectedPosition + 1;
  if (next > s.Cylinders() || next < 1) next = 1;
  SelectCylinder(3, s.CylinderAt(next));
}

void SparwenModel::DigitalButton()
{
  IgnitionState& s = *m_state;
  if (!m_loaded || s.DisplayMode() < 0 || s.DisplayMode() > 2) return;
  if (++s.digitalPage >= (s.Secondary() ? 4 : 5)) s.digitalPage = 0;
}

void SparwenModel::ChangeRange(int step)
{
  IgnitionState& s = *m_state;
  if (!m_loaded) return;
  const int top = MaxRange(s.Secondary());
  s.graph.range = std::clamp(s.graph.range + step, 0, top);
  // The gain follows the range for both kinds, so the trace agrees with its label.
  SetRangeGain(s.graph, s.Conversion());
  RefreshFrames();
  SetRangeLabel();
}

void SparwenModel::SelectCylinder(int mode, int cylinder)
{
  IgnitionState& s = *m_state;
  const int cylinders = std::clamp(s.Cylinders(), 0, kMaxCylinders);
  if (!m_loaded || cylinder < 1 || cylinder > cylinders) return;
  const auto begin = s.engine.firingOrder.begin();
  const auto found = std::find(begin, begin + cylinders, cylinder);
  const int position = found != begin + cylinders ? static_cast<int>(found - begin) + 1 : cylinder;
  if (!s.trend) {
    if (mode == 3) s.selectedPosition = position;
    return;
  }
  int& selection = s.trendSelection[static_cast<std::size_t>(position - 1)];
  selection = selection == 1 ? 0 : 1;
}

void SparwenModel::ShowAllTrendPositions() { m_state->trendSelection.fill(1); }

void SparwenModel::CylinderBarCommand(int code)
{
  if (!m_loaded) return;
  if (code == 1) RangeDown();
  else if (code == 2) RangeUp();
  else if (code >= 3 && code <= 10) SelectCylinder(m_state->DisplayMode(), code - 2);
  else if (code == 11) ShowAllTrendPositions();
}

PlayToggle SparwenModel::PlayForward() { return m_loaded ? m_playback.PlayForward() : PlayToggle{}; }
PlayToggle SparwenModel::PlayReverse() { return m_loaded ? m_playback.PlayReverse() : PlayToggle{}; }
PlayToggle SparwenModel::FastForward() { return m_loaded ? m_playback.FastForward() : PlayToggle{}; }
PlayToggle SparwenModel::FastReverse() { return m_loaded ? m_playback.FastReverse() : PlayToggle{}; }

void SparwenModel::AfterMove()
{
  RefreshFrames();
  m_bars.framePosition = m_playback.Position();
}

bool SparwenModel::Tick()
{
  if (!m_loaded) return true;
  const bool stop = m_playback.Tick();
  AfterMove();
  return stop;
}

void SparwenModel::ToStart()
{
  if (!m_loaded) return;
  m_playback.ToStart();
  AfterMove();
}

void SparwenModel::ToEnd()
{
  if (!m_loaded) return;
  m_playback.ToEnd();
  AfterMove();
}

void SparwenModel::HScroll(int code, int barPosition, int trackPosition)
{
  if (!m_loaded) return;
  m_playback.Scroll(code, barPosition, trackPosition);
  AfterMove();
}

void SparwenModel::VScroll(int code, int position)
{
  const int mode = m_state->DisplayMode();
  if (!m_loaded || (mode != 0 && mode != 3)) return;
  switch (code) {
    case kLineUp:
    case kPageUp: ++m_verticalOffset; break;
    case kLineDown:
    case kPageDown: --m_verticalOffset; break;
    case kThumbPosition:
    case kThumbTrack: m_verticalOffset = kMaxVerticalOffset - position; break;
    default: break;
  }
  m_verticalOffset = std::clamp(m_verticalOffset, 0, kMaxVerticalOffset);
  m_bars.verticalPosition = kMaxVerticalOffset - m_verticalOffset;
  RefreshFrames();
}

void SparwenModel::GraphPosition(int x)
{
  if (!m_loaded) return;
  m_playback.GraphPosition(x, m_state->graph.width);
  AfterMove();
}

bool SparwenModel::GraphLeftClick(int x)
{
  if (!m_loaded) return false;
  if (m_state->trend) return true;
  if (m_state->DisplayMode() == 1) m_state->graph.cursorX = vetra::WrappingCast<std::int16_t>(x);
  return false;
}

void SparwenModel::GraphRightClick(int x)
{
  if (m_loaded && m_state->DisplayMode() == 1) m_state->graph.cursor2X = vetra::WrappingCast<std::int16_t>(x);
}

}  // namespace sparwen
