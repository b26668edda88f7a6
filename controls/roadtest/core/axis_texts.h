#pragma once
// The value axis of an item's graph (the values at its top and bottom edge, on screen and in the
// printout) and the value texts at a column.
#include <string>

#include "controls/roadtest/core/decimation.h"

namespace morvit {

struct AxisLimits {
  double top = 0;
  double bottom = 0;
};

enum class AxisFor { Screen, Print };

// Values at the top and bottom edge of an item's graph of `height` pixels.
AxisLimits ItemAxisLimits(const Recording& recording, const DerivedItems& derived, const ItemFactors& factors,
                          const LutStore& luts, int item, int height, int rangeMode, AxisFor use);
// "%6.2f" of an axis value.
std::string AxisText(double value);

// The value text of an item at a column: "%5.2f %s" with the point value before it, or for pairs
// (and items without points) "%5.2f ~ %5.2f %s" with the column's minimum and maximum. Empty
// when no point lies beyond the column.
std::string ValueRangeText(const ItemPage& page, int column, const std::string& unit);

// Height of one item's block in the measurement panel for n items (545 high, 403 in the zoom view).
int MeasurementBlockHeight(int items, bool zoomView);
// The four text rows of a measurement block of height `block`: the first row's offset from the
// block's top and the distance between rows. Rows stand a text line plus 9 pixels apart from 8
// below the top; where that does not fit on the block's dark rectangle ((5) to (block - 5)) the
// rows close up evenly so that all four stand on it.
struct PanelRows {
  int first = 8;
  int pitch = 0;
};
PanelRows MeasurementPanelRows(int block, int textHeight);

}  // namespace morvit
