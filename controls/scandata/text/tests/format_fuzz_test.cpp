// Randomized conversions over random descriptors and samples, seeded so that a failure repeats:
// the sanitizers watch every step, and every text must fit the caller's 100-byte buffer and be
// whole code page 949 text.

#include <gtest/gtest.h>

#include <random>

#include "controls/scandata/text/graph_scaling.h"
#include "controls/scandata/text/lut_format.h"
#include "controls/scandata/text/scan_text_context.h"
#include "controls/scandata/text/state_texts.h"
#include "controls/scandata/text/tests/descriptor_builder.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

using testing::DescriptorBytes;
using testing::HeaderBlock;

class RandomItems {
 public:
  explicit RandomItems(std::uint32_t seed) : engine_(seed) {}

  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
  std::int32_t Raw() {
    switch (Int(0, 3)) {
      case 0: return Int(0, 255);
      case 1: return Int(0, 0xFFFF);
      case 2: return static_cast<std::int32_t>(engine_());
      default: return Int(-2, 2);
    }
  }
  float Number() {
    switch (Int(0, 5)) {
      case 0: return 0.0f;
      case 1: return std::numeric_limits<float>::infinity();
      case 2: return std::numeric_limits<float>::quiet_NaN();
      case 3: return std::bit_cast<float>(static_cast<std::uint32_t>(engine_()));
      case 4: return static_cast<float>(Int(-3, 3)) * 1e30f;
      default: return std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(engine_);
    }
  }

  // Mostly well-formed fields of every type, sometimes arbitrary bytes.
  DescriptorBytes Item() {
    DescriptorBytes item;
    if (Int(0, 9) == 0) {
      for (auto& byte : item.bytes) byte = static_cast<std::uint8_t>(Int(0, 255));
      return item;
    }
    item.Type(Int(-1, 12)).RawSize(Int(0, 3)).Unit(Int(0, 60)).Format(Int(0, 6));
    item.GraphMin(Int(-40000, 70000)).GraphMax(Int(-40000, 70000)).GraphOffset(Number());
    switch (Int(0, 2)) {
      case 0:
        item.Scale(Number()).Offset(Number());
        break;
      case 1:
        item.Scale(Number()).Offset16(Int(-40000, 70000)).StateTable(Int(0, 255)).SignMode(Int(0, 3));
        break;
      default:
        item.LutTable(Int(0, 3) == 0 ? 255 : Int(0, 255)).MaskKind(Int(0, 3) == 0 ? 77 : Int(0, 12))
            .Polarity(Int(0, 3)).Mask(Int(0, 255));
        if (Int(0, 1)) item.LutTable16(Int(0, 700));
        break;
    }
    if (Int(0, 3) == 0) item.Multiplier(Int(-40000, 70000)).Addend(Int(-40000, 70000)).Modulus(Int(0, 3) ? Int(0, 70000) : 0);
    return item;
  }

 private:
  std::mt19937 engine_;
};

void ExpectWholeText(const std::string& text) {
  ASSERT_LT(text.size(), 100u);
  EXPECT_EQ(vetra::Utf8(text).find("\xEF\xBF\xBD"), std::string::npos) << text;
}

TEST(FormatFuzz, RandomDescriptorsAndSamples) {
  RandomItems random(20261210);
  for (int round = 0; round < 800; ++round) {
    HeaderBlock header;
    header.SystemText(random.Int(0, 1) ? "SM06" : "SM07 ").SpecialFormatWord(random.Int(0, 1) ? 368 : random.Int(0, 999));
    for (int id = 0; id < 8; ++id) header.Item(id, random.Item());
    ScanTextContext context;
    context.LoadHeaderBlock(header.bytes);
    for (auto& byte : context.Preferences().bytes) byte = static_cast<std::uint8_t>(random.Int(0, 5));
    for (int sample = 0; sample < 40; ++sample) {
      const auto itemId = static_cast<std::int16_t>(random.Int(0, 9) == 0 ? random.Int(-600, 600) : random.Int(0, 7));
      const std::int32_t raw = random.Raw();
      context.SetRawIs16Bit(static_cast<std::uint16_t>(random.Int(0, 2)));
      std::string text;
      context.FormatItemValue(itemId, raw, text);
      ExpectWholeText(text);
      const int height = random.Int(-5, 2000);
      context.ItemGraphY(raw, itemId, (height - 4) / 255.0, height);
      ExpectWholeText(context.UnitText(random.Int(-2, 60)));
    }
  }
}

TEST(FormatFuzz, RandomTableLookups) {
  RandomItems random(7);
  const UnitPreferences metric;
  for (int round = 0; round < 20000; ++round) {
    const int table = random.Int(-5, 700);
    const int value = random.Int(0, 3) ? random.Int(-3, 300) : random.Raw();
    ExpectWholeText(StateText(table, value));
    ExpectWholeText(FormatLutValue(table, random.Int(0, 3), value, random.Int(0, 300), random.Int(0, 60), metric));
    StateLevel(table, random.Int(0, 3), value, random.Number(), random.Int(-5, 5000));
  }
}

}  // namespace
}  // namespace quarnel
