#include "controls/scandata/core/value_rows.h"

#include "controls/scandata/core/scan_limits.h"

namespace quarnel {
namespace {
std::uint16_t Low16(std::int32_t sample) { return static_cast<std::uint16_t>(sample & 0xFFFF); }
}  // namespace

ItemKind KindOf(const ItemDescriptor& descriptor) {
  ItemKind kind;
  kind.reciprocal = descriptor.ConvType() == kReciprocalType;
  kind.inverse = kind.reciprocal || descriptor.GraphMin() == kInverseLowerBound;
  return kind;
}

void UpdateItemRow(ItemRow& row, std::int32_t sample, const ItemKind& kind) {
  row.value = sample;
  MinMaxRecord& r = row.range;
  if (!r.seen) {
    r.min = r.max = Low16(sample);
    r.seen = true;
  }
  // The sample compares as an unsigned 32-bit number against the stored 16-bit values.
  const auto s = static_cast<std::uint32_t>(sample);
  if (!kind.reciprocal) {
    if (s <= r.min) {
      r.min = Low16(sample);
      row.minimumText = sample;
    }
    if (s >= r.max) {
      r.max = Low16(sample);
      row.maximumText = sample;
    }
    return;
  }
  if (sample == 0) {
    row.minimumText = r.min;
    r.max = 0;
    row.maximumText = 0;
  } else if (r.min == 0) {
    r.min = Low16(sample);
    row.minimumText = sample;
  } else {
    if (s <= r.min) {
      r.min = Low16(sample);
      row.minimumText = sample;
    }
    if (r.max == 0) {
      row.maximumText = 0;
    } else if (s >= r.max) {
      r.max = Low16(sample);
      row.maximumText = sample;
    }
  }
}

void FeedRunningMinMax(MinMaxRecord& r, std::uint16_t v, const ItemKind& kind) {
  if (!r.seen) {
    r.min = r.max = v;
    r.seen = true;
  }
  if (!kind.reciprocal) {
    if (r.min >= v) r.min = v;
    if (v >= r.max) r.max = v;
  } else if (v == 0) {
    r.max = 0;
  } else if (r.min == 0) {
    r.min = v;
  } else {
    if (r.min >= v) r.min = v;
    if (r.max != 0 && v >= r.max) r.max = v;
  }
}

DisplayedMinMax Displayed(const MinMaxRecord& r, const ItemKind& kind) {
  return kind.inverse ? DisplayedMinMax{r.max, r.min} : DisplayedMinMax{r.min, r.max};
}

RangeMinMax RangeRule(std::span<const std::int32_t> samples, const ItemKind& kind) {
  RangeMinMax out;
  if (samples.empty()) return out;
  out.record.min = out.record.max = Low16(samples[0]);
  out.record.seen = true;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::uint16_t s = Low16(samples[i]);
    const int at = static_cast<int>(i);
    if (kind.reciprocal) {
      if (s == 0) {
        out.record.max = 0;
        out.maxAt = at;
        continue;
      }
      if (out.record.min == 0 || out.record.min >= s) {
        out.record.min = s;
        out.minAt = at;
      }
      if (out.record.max != 0 && s >= out.record.max) {
        out.record.max = s;
        out.maxAt = at;
      }
    } else {
      if (out.record.min >= s) {
        out.record.min = s;
        out.minAt = at;
      }
      if (out.record.max <= s) {
        out.record.max = s;
        out.maxAt = at;
      }
    }
  }
  return out;
}

}  // namespace quarnel
