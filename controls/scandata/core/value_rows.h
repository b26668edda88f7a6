#pragma once
// The minimum and maximum of each item and the raw values whose texts stand in an item's row:
// the text view's row rule, the graph's running rule and the range rule between two cursors.
// Samples compare as the item's conversion reads them (signed where it reads them signed, at the
// width it reads); minimum and maximum keep the raw sample that set them, so their texts are made
// as the value's. A reciprocal item (type 7) treats 0 as its lowest displayed value.

#include <cstdint>
#include <optional>
#include <span>

#include "controls/scandata/text/item_descriptor.h"

namespace quarnel {

// How an item's conversion reads a raw sample.
enum class SampleReading { unsigned8, unsigned16, unsigned32, signed8, signed16, signed32 };
// The sample as that reading sees it.
std::int64_t ReadSample(SampleReading reading, std::int32_t sample);

struct ItemKind {
  bool reciprocal = false;  // conversion type 7
  bool inverse = false;     // type 7 or lower graph bound 255: its raw maximum is shown as the minimum
  SampleReading reading = SampleReading::unsigned32;
};
ItemKind KindOf(const ItemDescriptor& descriptor);

struct MinMaxRecord {
  std::int32_t min = 0;  // raw samples
  std::int32_t max = 0;
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

// The graph's running rule, fed with the sample at the cursor.
void FeedRunningMinMax(MinMaxRecord& record, std::int32_t sample, const ItemKind& kind);

// The displayed minimum and maximum of a record: swapped for an inverse item.
struct DisplayedMinMax {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
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
