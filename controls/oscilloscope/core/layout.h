#pragma once
// Places of the oscilloscope screen's child windows and axis labels, from the control's client
// rectangle and the number of shown channels.
#include <array>
#include <string>

#include "controls/oscilloscope/core/osc_format.h"
#include "platform/base/win_types.h"

namespace tessial {

struct ScreenLayout {
  win::RECT graphArea;
  win::RECT timeLabelStrip;
  win::RECT scrollStrip;
  win::RECT scrollBar;
  int graphWidth = 0;
  int graphHeight = 0;  // H, also the zoomed window's height
  int slotHeight = 0;
  std::array<win::RECT, kMaxSlots> graphWindows{};
  std::array<win::RECT, kMaxSlots> zoomButtons{};
  win::RECT measurePanel;
  win::RECT overlay;
  win::RECT exitButton;
};

// Slots beyond `channels` keep empty rectangles; no channel gives no slot rectangles.
ScreenLayout LayoutScreen(const win::RECT& client, int channels);

struct AxisLabel {
  std::string text;
  int x = 0;
  int y = 0;
};
// The five time-axis labels under the graphs and the place of the unit text.
std::array<AxisLabel, 5> TimeAxisLabels(double axisValue, const ScreenLayout& layout);
win::POINT TimeAxisUnitPoint(const ScreenLayout& layout);

}  // namespace tessial
