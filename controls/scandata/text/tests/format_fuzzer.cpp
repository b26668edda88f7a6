// libFuzzer entry: one descriptor, the settings and a sample taken from the fuzzer's bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "controls/scandata/text/scan_text_context.h"
#include "controls/scandata/text/tests/descriptor_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarnel;
  constexpr std::size_t kNeeded = kItemDescriptorSize + 4 + 14 + 3;
  if (size < kNeeded) return 0;
  testing::DescriptorBytes item;
  std::memcpy(item.bytes.data(), data, kItemDescriptorSize);
  data += kItemDescriptorSize;
  std::int32_t raw = 0;
  std::memcpy(&raw, data, 4);
  data += 4;
  testing::HeaderBlock header;
  header.Item(1, item).SystemText((data[14] & 1) ? "SM06" : "").SpecialFormatWord((data[14] & 2) ? 368 : 0);
  ScanTextContext context;
  context.LoadHeaderBlock(header.bytes);
  std::memcpy(context.Preferences().bytes.data(), data, 14);
  context.SetRawIs16Bit(data[15] & 1);
  std::string text;
  context.FormatItemValue(1, raw, text);
  if (text.size() >= 100) __builtin_trap();
  const int height = data[16] * 8 - 16;
  context.ItemGraphY(raw, 1, (height - 4) / 255.0, height);
  return 0;
}
