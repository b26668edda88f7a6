#pragma once
// Everything one oscilloscope control shares with its child windows: the recording's header, the
// unit choice, the shown channels, the window's place and envelopes, the measurement results and
// the texts. One object per control; the windows only read it.
#include <array>
#include <string>
#include <vector>

#include "controls/oscilloscope/core/measurement.h"
#include "controls/oscilloscope/core/playback.h"
#include "controls/oscilloscope/core/recording.h"
#include "controls/oscilloscope/core/recording_header.h"
#include "controls/oscilloscope/core/scales.h"
#include "controls/oscilloscope/core/time_texts.h"

namespace tessial {

struct ScopeState {
  RecordingHeader header;  // calibration and settings blocks of the loaded recording
  UnitSelection units;
  std::vector<int> shown;  // channel type of each slot, at most six
  Playback playback;
  WindowData window;

  // Per slot, in the order of `shown`.
  std::array<SlotScale, kMaxSlots> scales;
  std::array<RawMeasurement, kMaxSlots> raw;
  std::array<DisplayValues, kMaxSlots> values;

  // Per channel type.
  std::array<std::string, kChannelTypeCount> unitTexts;
  std::array<std::string, kChannelTypeCount> topTexts;
  std::array<std::string, kChannelTypeCount> bottomTexts;

  std::string timeBaseText;
  std::string cursorDifferenceText;
  TimeAxis timeAxis;

  // Screen state the windows keep here (set by the control's layout and zoom).
  int graphWidth = 0;
  int slotHeight = 0;
  int zoomHeight = 0;
  bool zoomActive = false;
  bool overlayShown = false;
  std::array<win::COLORREF, 15> colours = kChannelColours;

  int ChannelCount() const { return static_cast<int>(shown.size()); }
  int TypeOfSlot(int slot) const { return slot >= 0 && slot < ChannelCount() ? shown[slot] : -1; }
  ChannelScales Scales() const { return ChannelScales(header, units); }
};

}  // namespace tessial
