#include "controls/scandata/text/scan_text_context.h"

#include <algorithm>
#include <array>

#include "platform/base/text.h"

namespace quarnel {
namespace {

constexpr std::array<std::uint8_t, kItemDescriptorSize> kEmptyDescriptor{};

// The system text as type 4 compares it: trailing blanks removed, upper-cased.
bool IsSm06(const std::string& systemText) {
  const auto end = systemText.find_last_not_of(" \t\r\n\v\f");
  const std::string trimmed = end == std::string::npos ? std::string{} : systemText.substr(0, end + 1);
  return vetra::ToUpperAscii(trimmed) == "SM06";
}

}  // namespace

ScanTextContext::ScanTextContext() : block_(kHeaderBlockSize, 0) {}

void ScanTextContext::LoadHeaderBlock(std::span<const std::uint8_t> fromOffset200) {
  const std::size_t used = std::min(fromOffset200.size(), kHeaderBlockSize);
  std::copy_n(fromOffset200.begin(), used, block_.begin());
  std::fill(block_.begin() + static_cast<std::ptrdiff_t>(used), block_.end(), std::uint8_t{0});
  systemIsSm06_ = IsSm06(SystemText());
}

std::string ScanTextContext::SystemText() const {
  const auto begin = block_.begin();
  const auto end = std::find(begin, begin + kSystemTextSize, std::uint8_t{0});
  return std::string(begin, end);
}

ItemDescriptor ScanTextContext::Descriptor(int itemId) const {
  if (itemId < 0 || itemId >= kDescriptorSlots) return ItemDescriptor(kEmptyDescriptor);
  const std::size_t at = kDescriptorTableOffset + static_cast<std::size_t>(itemId) * kItemDescriptorSize;
  return ItemDescriptor(ItemDescriptor::Bytes(block_.data() + at, kItemDescriptorSize));
}

std::int16_t ScanTextContext::SpecialFormatWord() const {
  return Descriptor(kDescriptorSlots - 1).Int16(kSpecialFormatWordOffset);
}

std::string ScanTextContext::ItemValueText(std::int16_t itemId, std::int32_t raw) {
  std::string out;
  FormatItemValue(itemId, raw, out);
  return out;
}

std::string ScanTextContext::UnitText(int index) const { return quarnel::UnitText(index, preferences_); }

}  // namespace quarnel
