#include "controls/scandata/text/tests/descriptor_builder.h"

#include <algorithm>

namespace quarnel::testing {

HeaderBlock& HeaderBlock::SystemText(const std::string& text) {
  std::fill_n(bytes.begin(), kSystemTextSize, 0);
  std::copy_n(text.begin(), std::min(text.size(), kSystemTextSize), bytes.begin());
  return *this;
}

HeaderBlock& HeaderBlock::Item(int id, const DescriptorBytes& descriptor) {
  std::copy(descriptor.bytes.begin(), descriptor.bytes.end(),
            bytes.begin() + static_cast<std::ptrdiff_t>(kDescriptorTableOffset + id * kItemDescriptorSize));
  return *this;
}

HeaderBlock& HeaderBlock::SpecialFormatWord(int word) {
  const std::size_t at = kDescriptorTableOffset + 499 * kItemDescriptorSize + kSpecialFormatWordOffset;
  bytes[at] = static_cast<std::uint8_t>(word & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>((word >> 8) & 0xFF);
  return *this;
}

ScanTextContext ContextWith(const DescriptorBytes& descriptor, int id, const std::string& systemText) {
  ScanTextContext context;
  context.LoadHeaderBlock(HeaderBlock().SystemText(systemText).Item(id, descriptor).bytes);
  return context;
}

}  // namespace quarnel::testing
