#include "controls/scandata/core/value_rows.h"

#include "controls/scandata/core/scan_limits.h"

namespace quarnel {
namespace {

// The reading of each conversion type, as its value text reads the raw sample.
SampleReading ReadingOf(const ItemDescriptor& descriptor) {
  const bool wide = descriptor.RawSize() == 2;
  switch (descriptor.ConvType()) {
    case 1: return wide ? SampleReading::unsigned16 : SampleReading::unsigned8;
    case 2: return wide ? SampleReading::signed16 : SampleReading::signed8;
    case 4: return SampleReading::signed8;
    case 5: return SampleReading::signed32;
    case 6: return SampleReading::unsigned16;
    case 7: return SampleReading::unsigned16;
    case 8: return SampleReading::signed8;
    case 9: return SampleReading::signed16;
    case 10: return SampleReading::signed32;
    default: return SampleReading::unsigned32;  // bit fields and unknown types: the raw word
  }
}

}  // namespace

std::int64_t ReadSample(SampleReading reading, std::int32_t sample) {
  const auto bits = static_cast<std::uint32_t>(sample);
  switch (reading) {
    case SampleReading::unsigned8: return bits & 0xFFu;
    case SampleReading::unsigned16: return bits & 0xFFFFu;
    case SampleReading::unsigned32: return bits;
    case SampleReading::signed8: return static_cast<std::int8_t>(bits & 0xFFu);
    case SampleReading::signed16: return static_cast<std::int16_t>(bits & 0xFFFFu);
    case SampleReading::signed32: return sample;
  }
  return bits;
}

ItemKind KindOf(const ItemDescriptor& descriptor) {
  ItemKind kind;
  kind.reciprocal = descriptor.ConvType() == kReciprocalType;
  kind.inverse = kind.reciprocal || descriptor.GraphMin() == kInverseLowerBound;
  kind.reading = ReadingOf(descriptor);
  return kind;
}

void UpdateItemRow(ItemRow& row, std::int32_t sample, const ItemKind& kind) {
  const auto read = [&kind](std::int32_t raw) { return ReadSample(kind.reading, raw); };
  row.value = sample;
  MinMaxRecord& r = row.range;
  if (!r.seen) {
    r.min = r.max = sample;
    r.seen = true;
  }
  const std::int64_t s = read(sample);
  if (!kind.reciprocal) {
    if (s <= read(r.min)) {
      r.min = sample;
      row.minimumText = sample;
    }
    if (s >= read(r.max)) {
      r.max = sample;
      row.maximumText = sample;
    }
    return;
  }
  if (s == 0) {
    row.minimumText = r.min;
    r.max = sample;
    row.maximumText = sample;
  } else if (read(r.min) == 0) {
    r.min = sample;
    row.minimumText = sample;
  } else {
    if (s <= read(r.min)) {
      r.min = sample;
      row.minimumText = sample;
    }
    if (read(r.max) == 0) {
      row.maximumText = r.max;
    } else if (s >= read(r.max)) {
      r.max = sample;
      row.maximumText = sample;
    }
  }
}

void FeedRunningMinMax(MinMaxRecord& r, std::int32_t sample, const ItemKind& kind) {
  const auto read = [&kind](std::int32_t raw) { return ReadSample(kind.reading, raw); };
  if (!r.seen) {
    r.min = r.max = sample;
    r.seen = true;
  }
  const std::int64_t v = read(sample);
  if (!kind.reciprocal) {
    if (read(r.min) >= v) r.min = sample;
    if (v >= read(r.max)) r.max = sample;
  } else if (v == 0) {
    r.max = sample;
  } else if (read(r.min) == 0) {
    r.min = sample;
  } else {
    if (read(r.min) >= v) r.min = sample;
    if (read(r.max) != 0 && v >= read(r.max)) r.max = sample;
  }
}

DisplayedMinMax Displayed(const MinMaxRecord& r, const ItemKind& kind) {
  return kind.inverse ? DisplayedMinMax{r.max, r.min} : DisplayedMinMax{r.min, r.max};
}

RangeMinMax RangeRule(std::span<const std::int32_t> samples, const ItemKind& kind) {
  const auto read = [&kind](std::int32_t raw) { return ReadSample(kind.reading, raw); };
  RangeMinMax out;
  if (samples.empty()) return out;
  out.record.min = out.record.max = samples[0];
  out.record.seen = true;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::int64_t s = read(samples[i]);
    const int at = static_cast<int>(i);
    if (kind.reciprocal) {
      if (s == 0) {
        out.record.max = samples[i];
        out.maxAt = at;
        continue;
      }
      if (read(out.record.min) == 0 || read(out.record.min) >= s) {
        out.record.min = samples[i];
        out.minAt = at;
      }
      if (read(out.record.max) != 0 && s >= read(out.record.max)) {
        out.record.max = samples[i];
        out.maxAt = at;
      }
    } else {
      if (read(out.record.min) >= s) {
        out.record.min = samples[i];
        out.minAt = at;
      }
      if (read(out.record.max) <= s) {
        out.record.max = samples[i];
        out.maxAt = at;
      }
    }
  }
  return out;
}

}  // namespace quarnel
