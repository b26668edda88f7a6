// Nanoseconds per FormatItemValue call for each conversion type, and per ItemGraphY call.

#include <benchmark/benchmark.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/scandata/text/scan_text_context.h"

namespace {

using quarnel::kDescriptorTableOffset;
using quarnel::kHeaderBlockSize;
using quarnel::kItemDescriptorSize;

struct Field {
  int at;
  std::uint32_t value;
  int width;
};

// One representative item of each conversion type, as item id = type.
quarnel::ScanTextContext MakeContext() {
  std::vector<std::uint8_t> block(kHeaderBlockSize, 0);
  auto put = [&](int item, std::initializer_list<Field> fields) {
    std::uint8_t* slot = block.data() + kDescriptorTableOffset + item * kItemDescriptorSize;
    for (const auto& f : fields) {
      for (int i = 0; i < f.width; ++i) slot[f.at + i] = static_cast<std::uint8_t>(f.value >> (8 * i));
    }
  };
  const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
  put(1, {{84, 1, 1}, {83, 2, 1}, {85, bits(0.25f), 4}, {89, bits(-40.0f), 4}, {101, 14, 1}, {102, 2, 1}});
  put(2, {{84, 2, 1}, {83, 2, 1}, {85, bits(0.1f), 4}, {89, 0, 4}, {102, 3, 1}});
  put(3, {{84, 3, 1}, {85, 14, 1}, {86, 4, 1}, {87, 1, 1}, {88, 0x0F, 1}});
  put(4, {{84, 4, 1}, {85, bits(1.0f), 4}, {89, 0, 2}, {91, 9, 1}, {92, 1, 1}});
  put(5, {{84, 5, 1}, {85, 3, 2}, {87, 7, 2}, {89, 1000, 2}});
  put(6, {{84, 6, 1}, {85, 1, 2}, {87, 0, 2}, {89, 1440, 2}});
  put(7, {{84, 7, 1}, {85, bits(60000.0f), 4}, {89, 0, 4}, {102, 1, 1}});
  put(8, {{84, 8, 1}});
  put(9, {{84, 9, 1}, {85, bits(1.0f), 4}, {89, 0, 2}, {91, 8, 1}, {92, 0, 1}});
  put(10, {{84, 10, 1}, {85, bits(10.0f), 4}, {89, bits(4.0f), 4}, {102, 2, 1}});
  quarnel::ScanTextContext context;
  context.LoadHeaderBlock(block);
  return context;
}

void BM_FormatItemValue(benchmark::State& state) {
  quarnel::ScanTextContext context = MakeContext();
  const auto item = static_cast<std::int16_t>(state.range(0));
  std::string out;
  out.reserve(100);
  std::int32_t raw = 0;
  for (auto _ : state) {
    context.FormatItemValue(item, raw, out);
    benchmark::DoNotOptimize(out.data());
    raw = (raw + 37) & 0xFFFF;
  }
}
BENCHMARK(BM_FormatItemValue)->DenseRange(1, 10)->ArgName("type");

void BM_ItemGraphY(benchmark::State& state) {
  const quarnel::ScanTextContext context = MakeContext();
  const auto item = static_cast<std::int16_t>(state.range(0));
  std::int32_t raw = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(context.ItemGraphY(raw, item, 329 / 255.0, 333));
    raw = (raw + 37) & 0xFFFF;
  }
}
BENCHMARK(BM_ItemGraphY)->DenseRange(1, 10)->ArgName("type");

}  // namespace
