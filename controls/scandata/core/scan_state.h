#pragma once
// Everything one scan-data control shares with its child windows: the text conversion with the
// recording's descriptors, the recording, the item orders and rows, the graph geometry and the
// playback. One object per control; the windows read it and draw.

#include <array>
#include <cstdint>
#include <string>

#include "controls/scandata/core/graph_geometry.h"
#include "controls/scandata/core/item_orders.h"
#include "controls/scandata/core/scan_playback.h"
#include "controls/scandata/core/scan_recording.h"
#include "controls/scandata/core/scan_texts.h"
#include "controls/scandata/core/value_rows.h"
#include "controls/scandata/text/scan_text_context.h"

namespace quarnel {

enum class ChooserMode : int { itemButtons = 1, chooserList = 2 };
inline constexpr int kDataSourceNone = 0;
inline constexpr int kDataSourceRecording = 4;

struct ScanState {
  ScanTextContext text;
  ScanRecording recording;  // empty until a file was read
  int dataSource = kDataSourceNone;

  View view = View::text;
  ChooserMode chooser = ChooserMode::itemButtons;
  bool chooserListVisible = false;  // the graph view's item chooser list
  bool triggerMarksShown = true;
  int stopMode = 0;
  std::string graphButtonPicture = kGraphPicture;
  std::string itemButtonPicture = kItemPicture;

  ItemOrders orders;
  std::array<ItemRow, kMaxItems> rows{};  // by item id

  ScanPlayback playback;
  ScanCursors cursors;
  TriggerJump triggerJump;
  int rpmAtCursor = 0;

  GraphLayout layout;
  int windowFirst = 0;    // first sample of the graph window
  int samplesDrawn = 0;   // points of each polyline
  std::array<std::array<int, kWindowSamples>, kMaxShown> ordinates{};
  std::array<std::int32_t, kMaxShown> cursorValues{};  // shown beside each graph
  std::array<std::int32_t, kMaxShown> minMaxFeed{};    // feeds the running minimum and maximum

  bool Loaded() const { return dataSource == kDataSourceRecording; }
  int SampleCount() const { return recording.sampleCount; }
  int ShownCount() const { return orders.ShownCount(); }
  ItemKind KindOfItem(int id) const { return KindOf(text.Descriptor(id)); }
};

}  // namespace quarnel
