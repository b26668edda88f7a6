#include "controls/roadtest/core/layout.h"

#include <cstdlib>

#include "controls/roadtest/core/tables.h"
#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace morvit {

int ParallelRowHeight(int shown) { return shown > 0 ? (108 - shown) * 5 / shown : 0; }
int LowerRowHeight(int shown) { return shown > 0 ? (403 - 5 * shown) / shown : 0; }

win::RECT ParallelRow(int k, int height) {
  const int top = 143 + k * (height + 5);
  return {16, top, 716, top + height};
}

win::RECT LowerRow(int k, int height) {
  const int top = 280 + k * (height + 5);
  return {16, top, 716, top + height};
}

namespace {

template <typename Scale>
void ScaleEach(const Recording& rec, ChannelScales& scales, Scale scale) {
  for (int i = 0; i < kRecordedCount; ++i) {
    const auto idx = static_cast<std::size_t>(i);
    const MinMaxPair pair = rec.minMax[idx];
    const int span = std::abs(pair.high - pair.low);
    if (rec.channels[idx].rate == 0 || span == 0) {
      scales[idx].factor = 1.0;
      continue;
    }
    scale(scales[idx], span, ZeroOfCoding(rec.channels[idx].coding) - pair.low);
  }
}

int ZeroLine(int top, int fromMin, double factor) {
  return vetra::SaturatingSubtract<int>(top, vetra::SaturatingCast<std::int64_t>(fromMin * factor));
}

}  // namespace

void ScaleChannelsParallel(const Recording& rec, int height, ChannelScales& scales) {
  ScaleEach(rec, scales, [&](ChannelScale& s, int span, int fromMin) {
    s.factor = static_cast<double>(height - 6) / span;
    s.zeroLine = ZeroLine(height, fromMin, s.factor);
  });
}

void ScaleChannelsOverlap(const Recording& rec, ChannelScales& scales) {
  ScaleEach(rec, scales, [&](ChannelScale& s, int span, int) { s.factor = static_cast<double>(kOverlapHeight - 1) / span; });
}

void ScaleZoomStrip(const Recording& rec, ChannelScales& scales) {
  ScaleEach(rec, scales, [&](ChannelScale& s, int span, int fromMin) {
    s.factor = 124.0 / span;
    s.zeroLine = ZeroLine(kZoomPanelHeight, fromMin, s.factor);
  });
}

void CopyChannelFactors(const ChannelScales& scales, ItemFactors& factors) {
  for (std::size_t i = 0; i < scales.size(); ++i) factors[i] = scales[i].factor;
}

void ApplyMinMaxRange(Recording& rec) {
  for (int i = 0; i < kRecordedCount; ++i) {
    const auto idx = static_cast<std::size_t>(i);
    const ChannelRecord& c = rec.channels[idx];
    if (c.rangeCode == 0) continue;
    const NominalRange range = RangeOfCode(c.rangeCode);
    const double d = i == 75 ? 10.0 : 1.0;
    const double s = ResolutionOfCoding(c.coding);
    if (s == 0) continue;  // a coding without a resolution keeps its recorded pair
    MinMaxPair& pair = rec.minMax[idx];
    if (CountsFromZero(c.coding)) {
      pair.high = static_cast<std::uint8_t>(vetra::SaturatingCast<std::int64_t>(range.high / s / d + 255) & 0xFF);
      pair.low = static_cast<std::uint8_t>(vetra::SaturatingCast<std::int64_t>(range.low / s / d) & 0xFF);
    } else {
      pair.high = static_cast<std::uint8_t>(vetra::SaturatingCast<std::int64_t>(range.high / s / d + 127) & 0xFF);
      pair.low = static_cast<std::uint8_t>(vetra::SaturatingCast<std::int64_t>(range.low / s / d + 128) & 0xFF);
    }
  }
}

std::string ItemRowText(const ChannelRecord& c) { return vetra::Format("%-4s %s", c.code.c_str(), c.name.c_str()); }

std::vector<int> ListedChannels(const Recording& rec) {
  std::vector<int> rows;
  for (int i = 0; i < kItemCount; ++i) {
    const ChannelRecord& c = rec.channels[static_cast<std::size_t>(i)];
    if (c.rate == 0 || c.name.empty()) continue;
    rows.push_back(i);
  }
  return rows;
}

}  // namespace morvit
