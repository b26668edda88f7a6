#pragma once
// Everything one road-test control shares with its child windows: the loaded recording, the
// derived items, the display factors and layouts, the shown items, the pages and cursors of the
// views, playback and measurement. One object per control.
#include <memory>
#include <string>
#include <vector>

#include "controls/roadtest/core/decimation.h"
#include "controls/roadtest/core/derived.h"
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/playback.h"
#include "controls/roadtest/core/recording.h"
#include "controls/roadtest/core/scales.h"

namespace morvit {

inline constexpr int kLayoutParallel = 1;
inline constexpr int kLayoutOverlap = 2;

struct RoadState {
  Recording recording;
  std::string recordingPath;  // the file read (the unpacked one for a packed working copy)
  bool loaded = false;        // a recording was read
  bool dataShown = false;     // the screens were built (also after a failed load)

  DerivedItems derived;
  ItemFactors factors{};      // display factors of the normal view
  ItemFactors zoomFactors{};  // display factors of the zoom panel
  ItemFactors lowerFactors{}; // display factors of the graphs under the zoom panel, as last built
  ChannelScales channelScales{};
  ChannelScales zoomScales{};
  int graphHeight = 0;  // row height of the current layout
  int lowerHeight = 0;  // row height of the graphs under the zoom panel

  std::vector<int> listChannels;  // channel of each list row
  ItemSet shown{kMaxShownItems};
  ItemSet analysis{kMaxAnalysisItems};
  int zoomItem = -1;
  bool zoomMode = false;

  Page page;       // the normal view
  Page zoomPanel;  // the zoom panel
  Page lower;      // the graphs under the zoom panel
  PlayState play = PlayState::Stopped;
  int playStep = kPlayStep;
  bool measureOn = false;
  int cursorSource = 1;  // 1 cursor A (or the panel's) moved last, 2 a lower-graph cursor, -1 a scale change
  int layoutMode = kLayoutParallel;
  int rangeMode = kRangeFull;
  bool relayout = false;

  // Page builds of the items, of the normal view or the lower graphs, and of the zoom panel's
  // item (large: kept on the heap).
  std::vector<ItemPage> pages = std::vector<ItemPage>(kItemCount);
  std::vector<ItemPage> panelPage = std::vector<ItemPage>(1);

  // The channel of a list row, -1 for a row that does not exist.
  int ChannelOfRow(int row) const {
    return row >= 0 && row < static_cast<int>(listChannels.size()) ? listChannels[static_cast<std::size_t>(row)] : -1;
  }
};

}  // namespace morvit
