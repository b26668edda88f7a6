#pragma once
// Paints the graph view: each shown item's graph is drawn into the back buffer at its origin and
// copied to its slot on the screen, with the strip of its remove button beside it. Everything it
// draws it asks the model for.
#include "controls/scandata/core/scan_model.h"
#include "platform/gdi/cdc.h"

namespace quarnel {

struct GraphColours {
  static constexpr win::COLORREF kFrame = win::RGB(168, 167, 173);
  static constexpr win::COLORREF kPanel = win::RGB(209, 222, 230);
  static constexpr win::COLORREF kCurve = win::RGB(14, 59, 248);
  static constexpr win::COLORREF kCursor1 = win::RGB(254, 5, 175);
  static constexpr win::COLORREF kCursor2 = win::RGB(51, 161, 246);
  static constexpr win::COLORREF kValueText = win::RGB(50, 54, 65);
  static constexpr win::COLORREF kTrigger = win::RGB(0, 167, 80);
  static constexpr win::COLORREF kTriggerLabel = win::RGB(250, 206, 3);
  static constexpr win::COLORREF kMarkedSample = win::RGB(255, 255, 0);
  static constexpr win::COLORREF kRangeMark = win::RGB(254, 5, 175);
};

// `back` is a memory DC with the back-buffer bitmap selected, at least the size of a graph slot.
void DrawGraphs(win::CDC& screen, win::CDC& back, ScanModel& model);

}  // namespace quarnel
