#pragma once
// Graph layouts of the shown items: row heights and rectangles, the display factor and zero line
// of every recorded channel, the zoom strip scales, and the min-max range command's byte pairs.
#include <array>
#include <string>
#include <vector>

#include "controls/roadtest/core/recording.h"
#include "controls/roadtest/core/scales.h"
#include "platform/base/win_types.h"

namespace morvit {

inline constexpr int kMaxShownItems = 8;
inline constexpr int kMaxAnalysisItems = 6;
inline constexpr int kOverlapHeight = 430;
inline constexpr int kZoomPanelHeight = 130;

struct ChannelScale {
  double factor = 1.0;  // pixels per raw step
  int zeroLine = 0;     // y of the zero value within a row
};
using ChannelScales = std::array<ChannelScale, kRecordedCount>;

// Row height of the parallel layout for n shown items (0 for none).
int ParallelRowHeight(int shown);
// Row height of the zoom view's lower graphs for m items (0 for none).
int LowerRowHeight(int shown);
// Row k of the parallel layout and of the zoom view's lower graphs.
win::RECT ParallelRow(int k, int height);
win::RECT LowerRow(int k, int height);

// Factors and zero lines of the recorded channels for rows of `height`: (height - 6) / span in
// the parallel layout, (height - 1) / span in the overlap layout. A channel without samples or
// with an empty span keeps factor 1.0 and its zero line.
void ScaleChannelsParallel(const Recording& recording, int height, ChannelScales& scales);
void ScaleChannelsOverlap(const Recording& recording, ChannelScales& scales);
// The zoom strip: factor 124 / span, zero line 130 - trunc((zero - min) x factor).
void ScaleZoomStrip(const Recording& recording, ChannelScales& scales);
// Copies the channel factors into the item factors (0..79).
void CopyChannelFactors(const ChannelScales& scales, ItemFactors& factors);

// The min-max range command: replaces the pairs of every channel with a nonzero range code.
void ApplyMinMaxRange(Recording& recording);

// Row text of the item lists: "%-4s %s" with code and name.
std::string ItemRowText(const ChannelRecord& channel);
// The channels listed in the item lists, in row order.
std::vector<int> ListedChannels(const Recording& recording);

}  // namespace morvit
