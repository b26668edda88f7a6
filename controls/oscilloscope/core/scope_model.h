#pragma once
// The window-free heart of the oscilloscope viewer: loads a recording, reads and measures its
// windows, and moves through it. The control and its windows drive it and draw its state.
#include <string>
#include <string_view>

#include "controls/oscilloscope/core/recording.h"
#include "controls/oscilloscope/core/scope_state.h"
#include "controls/oscilloscope/core/unit_settings.h"

namespace tessial {

// Messages of the viewer, code page 949.
std::string DataOpenErrorText(std::string_view dataFilePath);  // "데이터 오픈 에러 : %s"
std::string CannotCompressText();                              // "파형을 더이상 압축할 수 없습니다."
inline constexpr char kSeekErrorText[] = "Offset Seek Error";
inline constexpr char kReadErrorText[] = "ReadHuge Error";
// The message of a failed window read, empty for a good one.
std::string WindowReadErrorText(WindowRead result);


struct LoadResult {
  RecordingError error = RecordingError::none;
  std::string path;     // the data file path
  std::string message;  // the data-open message when the load failed
  WindowRead read = WindowRead::ok;
  bool Ok() const { return error == RecordingError::none; }
};

struct CompressOutcome {
  CompressResult result = CompressResult::unchanged;
  WindowRead read = WindowRead::ok;
  std::string message;  // the refusal, when refused
};

struct TickOutcome {
  bool stopTimer = false;
  WindowRead read = WindowRead::ok;
};

class ScopeModel {
public:
  explicit ScopeModel(std::string enviroPath = kEnviroPath) : m_enviroPath(std::move(enviroPath)) {}

  // The load sequence without its windows: unit settings, tables reset, header, window at the end
  // of the recording, measurements and time texts. A refused recording leaves the tables at their
  // defaults and nothing open.
  LoadResult Load(std::string_view dataFileName);
  bool IsOpen() const { return m_recording.IsOpen(); }
  // Closes the recording (the control going); the state stays as it was drawn.
  void Close() { m_recording.Close(); }
  const Recording& GetRecording() const { return m_recording; }
  const ScopeState& State() const { return m_state; }
  // For the control's layout and zoom fields.
  ScopeState& MutableState() { return m_state; }

  // Reads the window at the current position, measures every slot and converts the results.
  WindowRead ReadWindow();
  // Measures and converts every shown slot on the current window.
  void MeasureAll();

  // Cursor columns from the windows (clamped to 0..699); re-measure and rebuild the time texts.
  void SetCursorA(int column);
  void SetCursorB(int column);

  // Playback; every move reads the window. Nothing happens without an open recording.
  TimerChange PlayForward();
  TimerChange PlayReverse();
  TimerChange FastForward();
  TimerChange FastReverse();
  TimerChange Stop();
  WindowRead ToStart();
  WindowRead ToEnd();
  // A timer tick; a failed read stops playback before it is reported.
  TickOutcome Tick();
  WindowRead Scroll(int code, std::int64_t barPosition, std::int64_t trackPosition);
  CompressOutcome Compress();
  CompressOutcome Expand();

  // After the unit dialog: reads the settings file again and rebuilds texts, scales and values.
  WindowRead ApplyUnitSettings();

  // The slot's title in its graph window, and the same with the recording's text of the type.
  std::string SlotName(int slot) const;
  std::string SlotTitle(int slot) const;
  // The scale-top text published as VoltStringCh1..6; empty for a slot without a channel.
  std::string VoltString(int slot) const;

private:
  void InitScaleTables();
  void SetChannelScale(int type, int slot);
  void UpdateTimeTexts();
  CompressOutcome AfterCompression(CompressResult result);

  std::string m_enviroPath;
  Recording m_recording;
  ScopeState m_state;
  UnitChoice m_unitChoice;
};

}  // namespace tessial
