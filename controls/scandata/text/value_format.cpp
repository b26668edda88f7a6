// FormatItemValue: one raw scan-tool sample of one item turned into its display text by the
// item's conversion type. Floating arithmetic is done in double precision; values that the
// conversion keeps as 32-bit floats are rounded to float where it keeps them.

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "controls/scandata/text/bit_fields.h"
#include "controls/scandata/text/lut_format.h"
#include "controls/scandata/text/scan_text_context.h"
#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

constexpr int kSpecialFormatMarker = 368;
constexpr const char* kDegreeRing = "\xA2\xAA";

// Rounds a double to float as the hardware does, without the undefined conversion of a value
// beyond the float range: such values become the largest float or an infinity.
float HoldAsFloat(double value) {
  if (std::isnan(value) || std::fabs(value) <= FLT_MAX) return static_cast<float>(value);
  // Halfway between FLT_MAX and the next power of two rounds away to infinity.
  const double overflow = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
  const float magnitude = std::fabs(value) < overflow ? FLT_MAX : INFINITY;
  return value < 0 ? -magnitude : magnitude;
}

enum class StepType { kType1, kType2, kType7, kType10 };

// The display format shared by types 1, 2, 7 and 10. Returns false when nothing is written.
bool FormatStep(StepType type, int format, float c, std::string& out) {
  const std::int32_t whole = vetra::SaturatingCast<std::int32_t>(c);
  switch (format) {
    case 1:
      if (type == StepType::kType7) {
        out = vetra::Format("%5u", static_cast<std::uint32_t>(whole));
      } else if (type == StepType::kType10) {
        out = vetra::Format("%5d", whole);
      } else {
        out = vetra::Format("%5d", vetra::WrappingCast<std::int16_t>(whole));
      }
      return true;
    case 2:
      out = vetra::Format("%5.1f", static_cast<double>(c));
      return true;
    case 3:
      out = vetra::Format("%5.2f", static_cast<double>(c));
      return true;
    case 4:
      out = vetra::Format("%x", static_cast<std::uint32_t>(whole));
      return true;
    default:
      return false;
  }
}

// The field and the number of values it can take, cut from a bit-field sample.
struct BitField {
  int value;
  int count;
};

int CountOfMask(std::uint8_t mask) { return 1 << std::popcount(static_cast<unsigned>(mask)); }

BitField CutBitField(const ItemDescriptor& item, std::int32_t raw) {
  const int kind = item.MaskKind();
  switch (kind) {
    case 9:
      return {LowestSetBit(raw), 9};
    case 10:
      return {MaskedBitsHigh(raw, item.Mask()), 0};
    case 77:
      // Not given by the recording: the mask's own number of values.
      return {MaskedBits16(raw, item.Mask()), CountOfMask(item.Mask())};
    default:
      if (kind == 0) return {MaskedBits(raw, item.Mask()), 0};
      if (kind <= 8) return {MaskedBits(raw, item.Mask()), 1 << kind};
      return {MaskedBits(raw, item.Mask()), CountOfMask(item.Mask())};
  }
}

// The 16-bit magnitude of a sample that may carry its sign in bit 15 and its size in bits 0-14.
int SignBitMagnitude(float f) {
  const std::int32_t n = vetra::SaturatingCast<std::int32_t>(f);
  const std::uint32_t low = static_cast<std::uint32_t>(n) & 0xFFFFu;
  if (low > 0x8000u) return static_cast<int>(low - 0x8000u);
  return std::abs(static_cast<int>(vetra::WrappingCast<std::int16_t>(n)));
}

}  // namespace

void ScanTextContext::FormatItemValue(std::int16_t itemId, std::int32_t raw, std::string& out) {
  const ItemDescriptor item = Descriptor(itemId);
  const int unit = item.Unit();
  switch (item.ConvType()) {
    case 1: {
      const std::uint32_t r = static_cast<std::uint32_t>(raw) & (item.RawSize() == 2 ? 0xFFFFu : 0xFFu);
      const float v = HoldAsFloat(static_cast<double>(r) * item.Scale() + item.Offset());
      const float c = HoldAsFloat(ConvertUnit(v, unit, preferences_));
      if (item.Format() == 5) {
        if (SpecialFormatWord() == kSpecialFormatMarker) {
          if (raw == 0x56) out = "V 100";
          if (raw == 0x58) out = "J 100";
          return;
        }
        FormatStep(StepType::kType1, 4, c, out);
        return;
      }
      FormatStep(StepType::kType1, item.Format(), c, out);
      return;
    }
    case 2: {
      const int r = item.RawSize() == 2 ? vetra::WrappingCast<std::int16_t>(raw) : vetra::WrappingCast<std::int8_t>(raw);
      const float v = HoldAsFloat(static_cast<double>(r) * item.Scale() + item.Offset());
      const float c = HoldAsFloat(ConvertUnit(v, unit, preferences_));
      FormatStep(StepType::kType2, item.Format(), c, out);
      return;
    }
    case 3: {
      const BitField field = CutBitField(item, raw);
      out = FormatLutValue(item.BitFieldTable(), item.Polarity(), field.value & 0xFFFF, field.count, unit,
                           preferences_);
      return;
    }
    case 4: {
      if (systemIsSm06_) {
        float f = HoldAsFloat(static_cast<double>(vetra::WrappingCast<std::int16_t>(raw)) * item.Scale() + item.Offset16());
        rawIs16Bit_ = 0;
        const bool degrees = item.StateTable() == 9;
        const float sampleValue = f;
        if (item.SignMode() == 2) f = HoldAsFloat(f * -1.0);
        const int state = f > 0 ? 0 : f == 0 ? 1 : 2;
        const std::string word = ShortStateWord(item.StateTable(), state);
        if (degrees) {
          out = vetra::Format("%s %3d%s", word.c_str(), SignBitMagnitude(sampleValue), kDegreeRing);
        } else {
          out = vetra::Format("%s %3.2f", word.c_str(), std::fabs(static_cast<double>(f)));
        }
        return;
      }
      const int r = rawIs16Bit_ == 1 ? vetra::WrappingCast<std::int16_t>(raw) : vetra::WrappingCast<std::int8_t>(raw);
      const int v = vetra::WrappingCast<std::int16_t>(vetra::SaturatingCast<std::int32_t>(static_cast<double>(r) * item.Scale() + item.Offset16()));
      rawIs16Bit_ = 0;
      out = FormatLutValue(item.StateTable(), item.SignMode(), v, 0, unit, preferences_);
      return;
    }
    case 5: {
      const std::int64_t product = std::int64_t{item.Multiplier()} * raw;
      if (item.Modulus() == 0) {
        out = vetra::Format("%5d", vetra::WrappingCast<std::int16_t>(product) + item.Addend());
      } else {
        const int v = vetra::WrappingCast<std::int16_t>(product + item.Addend());
        out = vetra::Format("%5d", v % static_cast<int>(item.Modulus()));
      }
      return;
    }
    case 6: {
      const std::uint32_t r = static_cast<std::uint32_t>(raw) & 0xFFFFu;
      const std::uint32_t sum = std::uint32_t{item.UInt16(85)} * r + item.UInt16(87);
      std::int32_t minutes = static_cast<std::int32_t>(sum);  // the product wraps as 32-bit
      // A modulus of 0 means none, as for type 5.
      if (item.Modulus() != 0) minutes %= static_cast<std::int32_t>(item.Modulus());
      out = vetra::Format("   %-2dH %-2dM", minutes / 60, minutes % 60);
      return;
    }
    case 7: {
      const std::uint32_t r = static_cast<std::uint32_t>(raw) & 0xFFFFu;
      const float v = r == 0 ? 0.0f : HoldAsFloat(item.Scale() / static_cast<double>(r) + item.Offset());
      const float c = HoldAsFloat(ConvertUnit(v, unit, preferences_));
      FormatStep(StepType::kType7, item.Format(), c, out);
      return;
    }
    case 8: {
      const int s = vetra::WrappingCast<std::int8_t>(raw);
      const double p = s >= 0 ? (s + 32.0) * 0.03125 * 100.0 : (s + 16.0) * 0.06666666666666667 * 100.0;
      out = vetra::Format("%5d", vetra::WrappingCast<std::int16_t>(vetra::SaturatingCast<std::int32_t>(p)));
      return;
    }
    case 9: {
      const int v = vetra::WrappingCast<std::int16_t>(vetra::SaturatingCast<std::int32_t>(static_cast<double>(vetra::WrappingCast<std::int16_t>(raw)) * item.Scale() + item.Offset16()));
      int state = 1;
      if (v != 0) state = (v > 0) == (item.SignMode() == 2) ? 2 : 0;
      out = vetra::Format("%5s %2d", ShortStateWord(item.StateTable(), state).c_str(), std::abs(v));
      return;
    }
    case 10: {
      // A divisor of 0 leaves no value to show: the text is empty.
      if (item.Offset() == 0.0f) {
        out.clear();
        return;
      }
      const float v = HoldAsFloat((static_cast<double>(raw) + item.Scale()) / item.Offset());
      FormatStep(StepType::kType10, item.Format(), v, out);
      return;
    }
    default:
      out = vetra::Format("Type [%d][%d]", item.ConvType(), itemId);
      return;
  }
}

}  // namespace quarnel
