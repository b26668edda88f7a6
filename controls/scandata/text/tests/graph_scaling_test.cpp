// Graph ordinates: state levels by table group, and ItemGraphY by conversion type.

#include <gtest/gtest.h>

#include "controls/scandata/text/graph_scaling.h"
#include "controls/scandata/text/scan_text_context.h"
#include "controls/scandata/text/tests/descriptor_builder.h"

namespace quarnel {
namespace {

using testing::ContextWith;
using testing::DescriptorBytes;

constexpr int kHeight = 333;
constexpr double kByteScale = (kHeight - 4) * (1.0 / 255);

struct LevelCase {
  int table;
  int polarity;
  int field;
  int level;
};

TEST(StateLevel, EveryGroupInAStripOf333) {
  const LevelCase cases[] = {
      {1, 1, 0, 264}, {1, 1, 1, 66}, {1, 2, 0, 69},                    // off low
      {2, 1, 0, 66}, {2, 1, 1, 264},                                   // off high
      {10, 1, 0, 66}, {10, 1, 3, 264}, {10, 1, 4, 264}, {10, 1, 9, 594},  // four steps
      {11, 1, 0, 33}, {11, 1, 9, 297},                                 // nine steps
      {26, 1, 7, 264}, {26, 1, 8, 297},                                // eight steps capped
      {88, 1, 2, 198}, {88, 1, 3, 264},                                // three steps capped
      {82, 1, 4, 235}, {82, 1, 5, 282},                                // five steps capped
      {51, 1, 6, 259}, {51, 1, 7, 296},                                // seven steps capped
      {14, 1, 3, 60}, {360, 1, 2, 20}, {58, 1, 2, 24},                 // sixteenths, 32nds, 26ths
      {112, 1, 4, 205}, {112, 1, 5, 287}, {112, 1, 6, 246}, {112, 1, 7, 287},
      {81, 1, 0, 0}, {81, 1, 4, 188}, {81, 1, 5, 235}, {81, 1, 20, 282}, {81, 1, 21, 235},
      {16, 1, 100, 129}, {20, 1, 100, 204}, {8, 1, 100, 295},          // byte scales
      {250, 1, 17, 17}, {600, 1, 17, 17}, {-4, 1, 17, 17},             // raw
      {250, 2, 17, 316},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StateLevel(c.table, c.polarity, c.field, kByteScale, kHeight), c.level)
        << "table " << c.table << " polarity " << c.polarity << " field " << c.field;
  }
}

struct RowCase {
  const char* what;
  DescriptorBytes item;
  std::int32_t raw;
  int row;
};

DescriptorBytes Ranged(int type, int min, int max) { return DescriptorBytes().Type(type).GraphMin(min).GraphMax(max); }

TEST(ItemGraphY, EveryConversionTypeInAStripOf333) {
  const RowCase cases[] = {
      {"type 1 top", Ranged(1, 0, 255), 255, 2},
      {"type 1 bottom", Ranged(1, 0, 255), 0, 331},
      {"type 1 bounds 255 and 0 read as 0 and 255", Ranged(1, 255, 0), 255, 2},
      {"type 1 bounds 255 and 0, bottom", Ranged(1, 255, 0), 0, 331},
      {"type 1 divides by the top, not the range", Ranged(1, 100, 200), 200, 331 - 164},
      {"type 1 top of zero spans a byte", Ranged(1, 0, 0), 255, 2},
      {"type 2 above the centre", Ranged(2, 0, 255), 100, 34},
      {"type 2 negative sample on the same row", Ranged(2, 0, 255), 0xFF9C, 34},
      {"type 2 below the centre", Ranged(2, 0, 255).SignMode(2), 100, 293},
      {"type 2 zero", Ranged(2, 0, 255), 0, 164},
      {"type 3 off low", DescriptorBytes().Type(3).LutTable(1).MaskKind(1).Mask(1).Polarity(1), 0, 266},
      {"type 3 off low, set", DescriptorBytes().Type(3).LutTable(1).MaskKind(1).Mask(1).Polarity(1), 1, 68},
      {"type 3 inverted", DescriptorBytes().Type(3).LutTable(1).MaskKind(1).Mask(1).Polarity(2), 0, 67},
      {"type 3 lowest bit, 16-bit id",
       DescriptorBytes().Type(3).LutTable(255).LutTable16(10).MaskKind(9).Polarity(1), 0x04, 266},
      {"type 4 up", DescriptorBytes().Type(4).Scale(1).SignMode(1), 10, 197},
      {"type 4 down", DescriptorBytes().Type(4).Scale(1).SignMode(0), 10, 131},
      {"type 4 low byte only", DescriptorBytes().Type(4).Scale(1).SignMode(0), 0x10A, 131},
      {"type 9 negative", DescriptorBytes().Type(9).Scale(1).SignMode(0), 0xFFF6, 197},
      {"type 7 no sample", Ranged(7, 0, 100).Scale(1000), 0, 331},
      {"type 7 full sample", Ranged(7, 0, 100).Scale(1000), 0xFFFF, 331},
      {"type 7", Ranged(7, 0, 100).Scale(1000), 200, 165},
      {"type 7 without a range", Ranged(7, 50, 50).Scale(1000), 200, 331},
      {"type 8 positive", Ranged(8, 0, 255), 100, 35},
      {"type 8 zero", Ranged(8, 0, 255), 0, 164},
      {"type 8 negative", Ranged(8, 0, 255), 0x9C, 293},
      {"type 5 top", Ranged(5, 0, 255), 255, 2},
      {"type 6 equal bounds span a byte", Ranged(6, 7, 7), 7 + 255, 2},
      {"type 10 bottom", Ranged(10, 10, 20), 10, 331},
  };
  for (const auto& c : cases) {
    const ScanTextContext context = ContextWith(c.item, 5);
    EXPECT_EQ(context.ItemGraphY(c.raw, 5, kByteScale, kHeight), c.row) << c.what;
  }
}

TEST(ItemGraphY, SampleBelowTheBottomLandsFarOutside) {
  const ScanTextContext context = ContextWith(Ranged(5, 100, 200), 5);
  EXPECT_LT(context.ItemGraphY(50, 5, kByteScale, kHeight), -1000000);
  EXPECT_EQ(context.ItemGraphY(50, 600, kByteScale, kHeight), 267);  // no descriptor: type 0 over a byte
}

}  // namespace
}  // namespace quarnel
