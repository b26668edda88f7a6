#include "controls/scandata/text/graph_scaling.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "controls/scandata/text/bit_fields.h"
#include "controls/scandata/text/scan_text_context.h"
#include "controls/scandata/text/table_classes.h"
#include "platform/base/numeric.h"

namespace quarnel {
namespace {

constexpr double kOneOver255 = 0.00392156862745098;

// Levels are computed wide and saturated once, so that no strip height or field overflows.
std::int64_t Level(LevelGroup group, std::int64_t field, double byteScale, std::int64_t height) {
  const auto q = [height](std::int64_t n) { return height / n; };  // integer division first
  const auto steps = [&](std::int64_t last, std::int64_t n, std::int64_t above) {
    return field >= 0 && field <= last ? (field + 1) * q(n) : above;
  };
  switch (group) {
    case LevelGroup::kOffLow:
      return field == 0 ? 4 * q(5) : q(5);
    case LevelGroup::kOffHigh:
      return field == 0 ? q(5) : 4 * q(5);
    case LevelGroup::kCentredByteScale:
      return vetra::SaturatingCast<std::int32_t>(static_cast<double>(field) * byteScale) + height / 2;
    case LevelGroup::kFourSteps:
      return steps(3, 5, field * q(5));
    case LevelGroup::kNineSteps:
      return steps(8, 10, field * q(10));
    case LevelGroup::kEightStepsCapped:
      return steps(7, 10, 9 * q(10));
    case LevelGroup::kThreeStepsCapped:
      return steps(2, 5, 4 * q(5));
    case LevelGroup::kFiveStepsCapped:
      return steps(4, 7, 6 * q(7));
    case LevelGroup::kSevenStepsCapped:
      return steps(6, 9, 8 * q(9));
    case LevelGroup::kSixteenths:
      return field * q(16);
    case LevelGroup::kThirtySeconds:
      return field * q(32);
    case LevelGroup::kTwentySixths:
      return field * q(26);
    case LevelGroup::kByteScale:
      return vetra::SaturatingCast<std::int32_t>(static_cast<double>(field) * byteScale);
    case LevelGroup::kByteScaleFromBelow:
      return std::llabs(vetra::SaturatingCast<std::int32_t>(static_cast<double>(field) * byteScale) - height);
    case LevelGroup::kEighthsFiveSixSwapped:
      if (field == 5) return 7 * q(8);
      if (field == 6) return 6 * q(8);
      return steps(4, 8, 7 * q(8));
    case LevelGroup::kSeventhsWithACap:
      if (field >= 0 && field <= 4) return field * q(7);
      return field == 20 ? 6 * q(7) : 5 * q(7);
    case LevelGroup::kRaw:
      break;
  }
  return field;
}

}  // namespace

int StateLevel(int table, int polarity, int field, double byteScale, int height) {
  const std::int64_t level = Level(LevelGroupOf(table), field, byteScale, height);
  return vetra::SaturatingCast<std::int32_t>(polarity == 2 ? height - level : level);
}

int ScanTextContext::ItemGraphY(std::int32_t raw, std::int16_t itemId, double byteScale, int height) const {
  const ItemDescriptor item = Descriptor(itemId);
  const std::int64_t h = height;
  const std::int64_t half = h / 2;
  const std::int64_t raw16 = static_cast<std::uint32_t>(raw) & 0xFFFFu;
  const int min = item.GraphMin();
  const int max = item.GraphMax();
  const double k = min == max ? (h - 4) * kOneOver255 : (h - 4) / std::fabs(static_cast<double>(max - min));
  const auto trunc = [](double x) { return std::int64_t{vetra::SaturatingCast<std::int32_t>(x)}; };

  std::int64_t row = 0;
  switch (item.ConvType()) {
    case 1: {
      int low = min;
      int high = max;
      if (low == 255 && high == 0) {
        low = 0;
        high = 255;
      }
      const int divisor = high & 0xFFFF;
      // A top of 0 has no scale of its own: the strip then spans a byte.
      const double scale = divisor == 0 ? (h - 4) * kOneOver255 : (h - 4) / static_cast<double>(divisor);
      row = h - trunc(static_cast<double>(raw16 - (low & 0xFFFF)) * scale) - 2;
      break;
    }
    case 2: {
      const int s = vetra::WrappingCast<std::int16_t>(raw16);
      if (s == 0) {
        row = half - 2;
      } else {
        const double offset = std::abs(s) * k;
        const std::int64_t t = trunc(item.SignMode() == 2 ? half + offset : half - offset);
        row = std::llabs(t) - 2;
      }
      break;
    }
    case 3: {
      int field = 0;
      switch (item.MaskKind()) {
        case 9: field = LowestSetBit(static_cast<int>(raw16)); break;
        case 10: field = MaskedBitsHigh(raw, item.Mask()); break;
        case 77: field = MaskedBits16(raw, item.Mask()); break;
        default: field = MaskedBits(static_cast<int>(raw16), item.Mask()); break;
      }
      const std::int64_t level = StateLevel(item.BitFieldTable(), item.Polarity(), field, byteScale, height);
      row = item.Polarity() == 1 ? level + 2 : level - 2;
      break;
    }
    case 4:
    case 9: {
      const int sample = item.ConvType() == 4 ? vetra::WrappingCast<std::int8_t>(raw) : vetra::WrappingCast<std::int16_t>(raw16);
      const double v = static_cast<double>(sample) * item.Scale() + item.Offset16();
      const std::int64_t t = vetra::WrappingCast<std::int16_t>(vetra::SaturatingCast<std::int32_t>(v * (h * 0.01)));
      row = item.SignMode() == 1 ? half + t - 2 : half - t - 2;
      break;
    }
    case 7: {
      const double top = max == min ? 0.0 : item.Scale() / static_cast<double>(max - min) + item.GraphOffset();
      if (raw16 == 0 || raw16 == 0xFFFF || top == 0.0 || !std::isfinite(top)) {
        // No sample, or a range without a height: the bottom of the strip.
        row = h - 2;
      } else {
        const double v = item.Scale() / static_cast<double>(raw16) + item.GraphOffset();
        const std::int64_t t = trunc((static_cast<double>(h) / top) * v);
        row = std::llabs(t - h) - 2;
      }
      break;
    }
    case 8: {
      const int s = vetra::WrappingCast<std::int8_t>(raw);
      if (s > 0) {
        row = std::llabs(trunc(s * k) - half) - 2;
      } else if (s == 0) {
        row = half - 2;
      } else {
        row = std::llabs(trunc(s * k)) + half - 2;
      }
      break;
    }
    default: {
      const std::uint32_t above = static_cast<std::uint32_t>(raw16 - min);  // read unsigned
      row = h - trunc(static_cast<double>(above) * k) - 2;
      break;
    }
  }
  return vetra::SaturatingCast<std::int32_t>(row);
}

}  // namespace quarnel
