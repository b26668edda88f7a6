#include "controls/oscilloscope/core/scope_model.h"

#include <algorithm>

#include "common/savedata/exchange_files.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"

namespace tessial {
std::string DataOpenErrorText(std::string_view dataFilePath)
{
  return vetra::Cp949("데이터 오픈 에러 : ") + std::string(dataFilePath);
}

std::string CannotCompressText() { return vetra::Cp949("파형을 더이상 압축할 수 없습니다."); }

std::string WindowReadErrorText(WindowRead result)
{
  switch (result) {
    case WindowRead::seekError: return kSeekErrorText;
    case WindowRead::shortRead: return kReadErrorText;
    default: return {};
  }
}

void ScopeModel::InitScaleTables()
{
  const RecordingHeader defaults;
  m_state.header = defaults;
  m_state.units = UnitSelection{};
  m_state.units.pressure = m_unitChoice.pressure >= 0 && m_unitChoice.pressure < kPressureUnitCount ? m_unitChoice.pressure : 0;
  m_state.units.vacuum = m_unitChoice.vacuum >= 0 && m_unitChoice.vacuum < kVacuumUnitCount ? m_unitChoice.vacuum : 0;
  m_state.shown.clear();
  m_state.playback = Playback{};
  m_state.window = WindowData{};
  m_state.scales = {};
  m_state.raw = {};
  m_state.values = {};
  m_state.topTexts = {};
  m_state.bottomTexts = {};
  for (int type = 0; type < kChannelTypeCount; ++type) m_state.unitTexts[type] = UnitText(type, m_state.units);
  m_state.zoomActive = false;
  m_state.colours = kChannelColours;
}

LoadResult ScopeModel::Load(std::string_view dataFileName)
{
  LoadResult result;
  result.path = savedata::DataFilePath(dataFileName);
  m_recording.Close();
  m_unitChoice = ReadUnitSettings(m_unitChoice, m_enviroPath);
  InitScaleTables();

  result.error = vetra::IsPlainFileName(dataFileName) ? m_recording.Open(result.path) : RecordingError::cannotOpen;
  if (!result.Ok()) {
    // The screen is still built, from the default settings block: its channels, empty.
    for (int type = 0; type < kChannelTypeCount; ++type) {
      if (m_state.header.blockA.channels[type].enabled == 1) m_state.shown.push_back(type);
    }
    for (int slot = 0; slot < m_state.ChannelCount(); ++slot) SetChannelScale(m_state.shown[slot], slot);
    result.message = DataOpenErrorText(result.path);
    UpdateTimeTexts();
    return result;
  }

  m_state.header = m_recording.Header();
  // A recording without the version tail has no pressure unit flag: the plain table applies.
  m_state.units.pressureTable = UnitSelection::MakePressureUnitTable(m_state.header.pressureUnitFlag);
  for (int type = 0; type < kChannelTypeCount; ++type) m_state.unitTexts[type] = UnitText(type, m_state.units);
  m_state.shown = m_recording.ShownTypes();
  SettingsBlockA& a = m_state.header.blockA;
  if (std::find(m_state.shown.begin(), m_state.shown.end(), a.selectedType) == m_state.shown.end()) a.highlight = 0;
  for (int slot = 0; slot < m_state.ChannelCount(); ++slot) SetChannelScale(m_state.shown[slot], slot);

  m_state.playback.Load(m_recording.DataBytes(), m_recording.ChannelCount());
  result.read = ReadWindow();
  UpdateTimeTexts();
  return result;
}

void ScopeModel::SetChannelScale(int type, int slot)
{
  SlotScale scale = m_state.Scales().Scale(type);
  m_state.topTexts[type] = scale.top;
  m_state.bottomTexts[type] = scale.bottom;
  m_state.scales[slot] = std::move(scale);
}

WindowRead ScopeModel::ReadWindow()
{
  if (!IsOpen()) return WindowRead::ok;
  const Playback& p = m_state.playback;
  const WindowRead result = m_recording.ReadWindow(p.position, p.compression, m_state.window);
  if (result == WindowRead::seekError) return result;
  MeasureAll();
  return result;
}

void ScopeModel::MeasureAll()
{
  const ChannelScales scales = m_state.Scales();
  const Playback& p = m_state.playback;
  for (int slot = 0; slot < m_state.ChannelCount(); ++slot) {
    const int type = m_state.shown[slot];
    const int range = scales.Range(type);
    MeasureSetup setup;
    setup.cursorA = p.cursorA;
    setup.cursorB = p.cursorB;
    setup.compression = p.compression;
    setup.timeBaseMs = TimeBaseMs(m_state.header.blockA.timeBase);
    setup.range = range;
    setup.gain = m_state.header.calibration.gain[type][range];
    setup.offset = m_state.header.calibration.offset[type][range];
    setup.validColumns = m_state.window.validColumns;
    const RawMeasurement raw = MeasureChannel(m_state.window.envelopes[slot], setup);
    DisplayValues& values = m_state.values[slot];
    values.atA = scales.RawToUnits(type, raw.atA);
    values.maximum = scales.RawToUnits(type, raw.maximum);
    values.atB = scales.RawToUnits(type, raw.atB);
    values.minimum = scales.RawToUnits(type, raw.minimum);
    values.mean = scales.RawToUnits(type, raw.mean);
    values.frequency = raw.frequency;
    values.duty = raw.duty;
    m_state.raw[slot] = raw;
  }
}

void ScopeModel::UpdateTimeTexts()
{
  const Playback& p = m_state.playback;
  const int timeBase = m_state.header.blockA.timeBase;
  m_state.cursorDifferenceText = CursorDifferenceText(p.cursorA, p.cursorB, timeBase, p.compression);
  m_state.timeBaseText = TimeBaseText(timeBase, p.compression);
  m_state.timeAxis = MakeTimeAxis(timeBase, p.compression);
}

void ScopeModel::SetCursorA(int column)
{
  m_state.playback.SetCursorA(column);
  MeasureAll();
  UpdateTimeTexts();
}

void ScopeModel::SetCursorB(int column)
{
  m_state.playback.SetCursorB(column);
  MeasureAll();
  UpdateTimeTexts();
}

TimerChange ScopeModel::PlayForward() { return IsOpen() ? m_state.playback.PlayForward() : TimerChange::none; }
TimerChange ScopeModel::PlayReverse() { return IsOpen() ? m_state.playback.PlayReverse() : TimerChange::none; }
TimerChange ScopeModel::FastForward() { return IsOpen() ? m_state.playback.FastForward() : TimerChange::none; }
TimerChange ScopeModel::FastReverse() { return IsOpen() ? m_state.playback.FastReverse() : TimerChange::none; }
TimerChange ScopeModel::Stop() { return m_state.playback.Stop(); }

WindowRead ScopeModel::ToStart()
{
  if (!IsOpen() || !m_state.playback.ToStart()) return WindowRead::ok;
  return ReadWindow();
}

WindowRead ScopeModel::ToEnd()
{
  if (!IsOpen() || !m_state.playback.ToEnd()) return WindowRead::ok;
  return ReadWindow();
}

TickOutcome ScopeModel::Tick()
{
  TickOutcome outcome;
  if (!IsOpen()) {
    m_state.playback.Stop();
    outcome.stopTimer = true;
    return outcome;
  }
  outcome.stopTimer = m_state.playback.Tick();
  outcome.read = ReadWindow();
  if (outcome.read != WindowRead::ok) {
    // Stop first, so the failure is reported once and not on every tick.
    m_state.playback.Stop();
    outcome.stopTimer = true;
  }
  return outcome;
}

WindowRead ScopeModel::Scroll(int code, std::int64_t barPosition, std::int64_t trackPosition)
{
  if (!IsOpen()) return WindowRead::ok;
  m_state.playback.Scroll(code, barPosition, trackPosition);
  return ReadWindow();
}

CompressOutcome ScopeModel::AfterCompression(CompressResult result)
{
  CompressOutcome outcome;
  outcome.result = result;
  if (result == CompressResult::refused) outcome.message = CannotCompressText();
  if (result == CompressResult::changed) {
    outcome.read = ReadWindow();
    UpdateTimeTexts();
  }
  return outcome;
}

CompressOutcome ScopeModel::Compress()
{
  if (!IsOpen()) return {};
  return AfterCompression(m_state.playback.Compress(m_recording.DataBytes(), m_recording.ChannelCount()));
}

CompressOutcome ScopeModel::Expand()
{
  if (!IsOpen()) return {};
  return AfterCompression(m_state.playback.Expand(m_recording.DataBytes(), m_recording.ChannelCount()));
}

WindowRead ScopeModel::ApplyUnitSettings()
{
  m_unitChoice = ReadUnitSettings(m_unitChoice, m_enviroPath);
  m_state.units.pressure = m_unitChoice.pressure;
  m_state.units.vacuum = m_unitChoice.vacuum;
  m_state.unitTexts[kTypeVacuum] = UnitText(kTypeVacuum, m_state.units);
  m_state.unitTexts[kTypePressure] = UnitText(kTypePressure, m_state.units);
  for (int slot = 0; slot < m_state.ChannelCount(); ++slot) SetChannelScale(m_state.shown[slot], slot);
  const WindowRead result = ReadWindow();
  UpdateTimeTexts();
  return result;
}

std::string ScopeModel::SlotName(int slot) const
{
  const int type = m_state.TypeOfSlot(slot);
  if (type < 0) return {};
  const std::string& name = ChannelName(type);
  if (type == kTypeHighCurrent) return name + (m_state.header.blockA.Clamp1000() ? "-1000A" : "-100A");
  return name;
}

std::string ScopeModel::SlotTitle(int slot) const
{
  const int type = m_state.TypeOfSlot(slot);
  if (type < 0) return {};
  const std::string& text = m_state.header.blockB.texts[type];
  return text.empty() ? SlotName(slot) + " " : SlotName(slot) + ":" + text + " ";
}

std::string ScopeModel::VoltString(int slot) const
{
  return m_state.TypeOfSlot(slot) < 0 ? std::string() : m_state.scales[slot].top;
}

}  // namespace tessial
