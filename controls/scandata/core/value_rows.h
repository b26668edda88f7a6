#pragma once
// The minimum and maximum of each item and the raw values whose texts stand in an item's row:
// the text view's row rule, the graph's running rule and the range rule between two cursors.
// Minimum and maximum keep a sample's low 16 bits; a reciprocal item (type 7) treats 0 as its
// lowest displayed value.

#include <cstdint>
#include <optional>
#include <span>

#include "controls/scandata/text/item_descriptor.h"

namespace quarnel {

struct ItemKind {
  bool reciprocal = false;  // conversion type 7
  bool inverse = false;     // type 7 or lower graph bound 255: its raw maximum is shown as the minimum
};
ItemKind KindOf(const ItemDescriptor& descriptor);

struct MinMaxRecord {
  std::uint16_t min = 0;
  std::uint16_t max = 0;
  bool seen = false;
};

// One item's row of the text view, as raw samples; the texts are made when the row is drawn.
struct ItemRow {
  MinMaxRecord range;
  std::optional<std::int32_t> value;        // the value column
  std::optional<std::int32_t> minimumText;  // what stands in the minimum's column
  std::optional<std::int32_t> maximumText;  // what stands in the maximum's column
  // Columns 4 and 5 of the row: the minimum's column is 4 for a normal item and 5 for an inverse one.
  std::optional<std::int32_t> Column4(const ItemKind& kind) const { return kind.inverse ? maximumText : minimumText; }
  std::optional<std::int32_t> Column5(const ItemKind& kind) const { return kind.inverse ? minimumText : maximumText; }
};

// The row rule: the sample becomes the value and updates the minimum and maximum.
void UpdateItemRow(ItemRow& row, std::int32_t sample, const ItemKind& kind);

// The graph's running rule, fed with the low 16 bits of the value at the cursor.
void FeedRunningMinMax(MinMaxRecord& record, std::uint16_t value, const ItemKind& kind);

// The displayed minimum and maximum of a record: swapped for an inverse item.
struct DisplayedMinMax {
  std::uint16_t minimum = 0;
  std::uint16_t maximum = 0;
};
DisplayedMinMax Displayed(const MinMaxRecord& record, const ItemKind& kind);

// The range rule over the samples between the two cursors (at least one sample): the raw
// minimum and maximum, and the offset inside `samples` of the sample that set each.
struct RangeMinMax {
  MinMaxRecord record;
  int minAt = 0;
  int maxAt = 0;
};
RangeMinMax RangeRule(std::span<const std::int32_t> samples, const ItemKind& kind);

}  // namespace quarnel
