#pragma once
// Layout of the measurement panel: one framed box per shown channel (or one box over the whole
// panel while a channel is zoomed) and where each of the seven readouts stands in its box.
#include <array>
#include <string>
#include <vector>

#include "controls/oscilloscope/core/time_texts.h"
#include "platform/base/win_types.h"

namespace tessial {

inline constexpr int kReadoutCount = 7;

// Box of each shown channel in a panel of width x height; empty for no channel.
std::vector<win::RECT> PanelBoxes(int width, int height, int shown);
// The box of the zoomed view.
win::RECT ZoomedPanelBox(int width, int height);

// Readout places inside a box of height `boxHeight`, in the order duty, frequency, cursor A,
// cursor B, maximum, minimum, mean. `shown` 1..6; the zoomed view lays out as 1.
std::array<win::POINT, kReadoutCount> ReadoutPoints(int shown, int boxHeight);

// The seven readout lines of a channel, code page 949, in the same order.
std::array<std::string, kReadoutCount> ReadoutTexts(const MeasureTexts& texts);

// Font of the readouts for a shown count (the zoomed view takes that of 1).
struct PanelFont {
  int height = 0;
  int width = 0;
  int weight = 0;
};
PanelFont PanelFontFor(int shown);

}  // namespace tessial
