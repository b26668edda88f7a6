// FormatItemValue over all ten conversion types: a raw sample and a descriptor in, the exact
// code page 949 text out, with and without unit preferences.

#include <gtest/gtest.h>

#include <string>

#include "controls/scandata/text/scan_text_context.h"
#include "controls/scandata/text/tests/descriptor_builder.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

using testing::ContextWith;
using testing::DescriptorBytes;
using testing::HeaderBlock;

constexpr int kItem = 3;
constexpr const char* kUnchanged = "old";

UnitPreferences Prefs(int index, int value) {
  UnitPreferences p;
  p.bytes[index] = static_cast<std::uint8_t>(value);
  return p;
}

struct ValueCase {
  const char* what;
  DescriptorBytes item;
  std::int32_t raw;
  const char* utf8;  // kUnchanged: nothing is written
  UnitPreferences preferences = {};
  const char* systemText = "";
  int specialWord = 0;
};

DescriptorBytes Linear(int type, int rawSize, float scale, float offset, int format, int unit = 0) {
  return DescriptorBytes().Type(type).RawSize(rawSize).Scale(scale).Offset(offset).Format(format).Unit(unit);
}
DescriptorBytes BitField(int table, int maskKind, int mask, int polarity, int unit = 0) {
  return DescriptorBytes().Type(3).LutTable(table).MaskKind(maskKind).Mask(mask).Polarity(polarity).Unit(unit);
}
DescriptorBytes Signed(int type, float scale, int offset16, int stateTable, int signMode) {
  return DescriptorBytes().Type(type).Scale(scale).Offset16(offset16).StateTable(stateTable).SignMode(signMode);
}
DescriptorBytes Integer(int type, int multiplier, int addend, int modulus) {
  return DescriptorBytes().Type(type).Multiplier(multiplier).Addend(addend).Modulus(modulus);
}

const ValueCase kCases[] = {
    // 1: unsigned linear
    {"low byte only", Linear(1, 1, 0.5f, -40, 2), 0x1C8, " 60.0"},
    {"16-bit sample", Linear(1, 2, 1, 0, 1), 0x1C8, "  456"},
    {"integer kept as 16-bit", Linear(1, 2, 1, 0.7f, 1), 40000, "-25536"},
    {"two decimals", Linear(1, 2, 0.01f, 0, 3), 1234, "12.34"},
    {"hexadecimal", Linear(1, 1, 1, 0, 4), 0xFF, "ff"},
    {"special V", Linear(1, 1, 1, 0, 5), 0x56, "V 100", {}, "", 368},
    {"special J", Linear(1, 1, 1, 0, 5), 0x58, "J 100", {}, "", 368},
    {"special other sample", Linear(1, 1, 1, 0, 5), 0x57, kUnchanged, {}, "", 368},
    {"special without marker", Linear(1, 1, 1, 0, 5), 0x56, "56", {}, "", 367},
    {"unknown format", Linear(1, 1, 1, 0, 6), 5, kUnchanged},
    {"Celsius shown as Celsius", Linear(1, 1, 1, -40, 2, 14), 140, "100.0"},
    {"Celsius shown as Fahrenheit", Linear(1, 1, 1, -40, 2, 14), 140, "212.0",
     Prefs(UnitPreferences::kTemperature, 1)},
    {"psi shown as kPa", Linear(1, 1, 1, 0, 3, 26), 10, "68.95"},
    {"psi kept", Linear(1, 1, 1, 0, 3, 26), 10, "10.00", Prefs(UnitPreferences::kPressure, 3)},
    // 2: signed linear
    {"signed byte", Linear(2, 1, 2, 0, 1), 0xFF, "   -2"},
    {"signed word", Linear(2, 2, 0.5f, 0, 2), 0xFFFE, " -1.0"},
    {"no special format", Linear(2, 1, 1, 0, 5), 0x56, kUnchanged, {}, "", 368},
    {"mph shown as km/h", Linear(2, 1, 1, 0, 2, 19), 100, "160.9"},
    {"km/h shown as mph", Linear(2, 1, 1, 0, 2, 18), 100, " 62.2", Prefs(UnitPreferences::kSpeed, 1)},
    // 3: bit field
    {"two-state bit set", BitField(1, 1, 0x04, 1), 0x04, "   ON"},
    {"two-state bit clear", BitField(1, 1, 0x04, 1), 0xFB, "  OFF"},
    {"lowest set bit", BitField(14, 9, 0, 1), 0xB0, " ERR0101"},
    {"three-bit field inverted", BitField(14, 3, 0x07, 2), 0, " LL0001"},
    {"lowest bit under mask", BitField(31, 10, 0xF0, 1), 0xB6, "  3"},
    {"packed bits", BitField(14, 77, 0x05, 1), 0xB6, " HH1011"},
    {"packed bits inverted", BitField(14, 77, 0x05, 2), 0xB6, " NL0111"},
    {"16-bit table id", BitField(255, 3, 0x07, 1).LutTable16(316), 0, "VIRGIN "},
    {"16-bit id of no table", BitField(255, 3, 0x07, 1).Byte(91, 0x2C).Byte(92, 0x01), 0, "Lut [300]"},
    {"curve in Fahrenheit", BitField(16, 8, 0xFF, 1, 14), 0, "244.40", Prefs(UnitPreferences::kTemperature, 1)},
    {"curve", BitField(20, 8, 0xFF, 1), 32, "-12.80"},
    // 4: value with a sign word
    {"signed table", Signed(4, 1, 0, 9, 1), 0xF4, " R 12˚"},
    {"signed table, offset", Signed(4, 1, 20, 9, 1), 0xF4, " L 8˚"},
    {"SM06 sign in bit 15", Signed(4, 1, 0, 9, 0), 0x8005, " R   5˚", {}, "sm06  "},
    {"SM06 positive", Signed(4, 1, 0, 9, 0), 12, " L  12˚", {}, "SM06"},
    {"SM06 inverted, bit 15", Signed(4, 1, 0, 9, 2), 0x8005, " L   5˚", {}, "SM06"},
    {"SM06 two decimals", Signed(4, 0.5f, 0, 8, 0), 5, "ATDC 2.50", {}, "SM06"},
    {"SM06 inverted", Signed(4, 0.5f, 0, 8, 2), 5, "BTDC 2.50", {}, "SM06"},
    {"SM06 zero", Signed(4, 0.5f, 0, 8, 0), 0, "TDC 0.00", {}, "SM06"},
    {"SM06 word cut", Signed(4, 1, 0, 150, 0), 3, "무효 3.00", {}, "SM06"},
    {"not SM06", Signed(4, 0.5f, 0, 8, 0), 5, "ATDC 2˚", {}, "SM07"},
    // 5: integer with optional modulus
    {"no modulus", Integer(5, 2, 10, 0), 100, "  210"},
    {"no modulus, product as 16-bit", Integer(5, 1000, 5, 0), 100, "-31067"},
    {"modulus", Integer(5, 1, 0, 7), 20, "    6"},
    {"modulus of a negative value", Integer(5, -1, 0, 7), 20, "   -6"},
    // 6: run time
    {"hours and minutes", Integer(6, 1, 0, 1440), 125, "   2 H 5 M"},
    {"product wraps", Integer(6, 65535, 0, 1000), 0xFFFF, "   -1H -11M"},
    {"no modulus", Integer(6, 1, 0, 0), 125, "   2 H 5 M"},
    // 7: reciprocal
    {"reciprocal", Linear(7, 0, 1000, 0, 1), 4, "  250"},
    {"zero sample", Linear(7, 0, 1000, 5, 1), 0x10000, "    0"},
    {"negative as unsigned", Linear(7, 0, -1000, 0, 1), 4, "4294967046"},
    {"reciprocal, decimal", Linear(7, 0, 1000, 0.5f, 2), 8, "125.5"},
    // 8: percentage of a signed byte
    {"zero", DescriptorBytes().Type(8), 0, "  100"},
    {"positive", DescriptorBytes().Type(8), 0x20, "  200"},
    {"minus sixteen", DescriptorBytes().Type(8), 0xF0, "    0"},
    {"most negative", DescriptorBytes().Type(8), 0x180, " -746"},
    // 9: 16-bit value with a sign word
    {"positive", Signed(9, 1, 0, 9, 0), 7, "    L  7"},
    {"positive, inverted", Signed(9, 1, 0, 9, 2), 7, "    R  7"},
    {"zero", Signed(9, 1, 0, 9, 2), 0, "       0"},
    {"negative", Signed(9, 1, 0, 9, 0), 0xFFF9, "    R  7"},
    {"word cut", Signed(9, 1, 0, 150, 0), 5, " 무효  5"},
    // 10: offset then divide
    {"divide", Linear(10, 0, 10, 4, 2), 30, " 10.0"},
    {"whole argument", Linear(10, 0, 0, 1, 1), 100000, "100000"},
    {"divisor zero", Linear(10, 0, 10, 0, 2), 30, ""},
    // outside 1 to 10
    {"type 0", DescriptorBytes(), 0, "Type [0][3]"},
    {"type 11", DescriptorBytes().Type(11), 0, "Type [11][3]"},
    {"type -1", DescriptorBytes().Type(255), 0, "Type [-1][3]"},
};

TEST(FormatItemValue, EveryConversionType) {
  for (const auto& c : kCases) {
    ScanTextContext context;
    context.LoadHeaderBlock(
        HeaderBlock().SystemText(c.systemText).Item(kItem, c.item).SpecialFormatWord(c.specialWord).bytes);
    context.Preferences() = c.preferences;
    std::string out = kUnchanged;
    context.FormatItemValue(kItem, c.raw, out);
    EXPECT_EQ(out, vetra::Cp949(c.utf8)) << "type " << int{c.item.bytes[84]} << ": " << c.what;
  }
}

TEST(FormatItemValue, SixteenBitFlagHoldsForOneTypeFourCall) {
  ScanTextContext context = ContextWith(Signed(4, 1, 0, 9, 1), kItem);
  context.SetRawIs16Bit(1);
  EXPECT_EQ(context.ItemValueText(kItem, 0x0180), vetra::Cp949(" L 384˚"));
  EXPECT_EQ(context.RawIs16Bit(), 0);
  EXPECT_EQ(context.ItemValueText(kItem, 0x0180), vetra::Cp949(" R 128˚"));
}

TEST(FormatItemValue, OtherTypesLeaveTheFlagSet) {
  ScanTextContext context = ContextWith(Linear(1, 1, 1, 0, 1), kItem);
  context.SetRawIs16Bit(1);
  context.ItemValueText(kItem, 5);
  EXPECT_EQ(context.RawIs16Bit(), 1);
}

TEST(FormatItemValue, ItemIdsOutsideTheTableReadNoDescriptor) {
  ScanTextContext context = ContextWith(Linear(1, 1, 1, 0, 1), 499);
  EXPECT_EQ(context.ItemValueText(499, 5), "    5");
  EXPECT_EQ(context.ItemValueText(500, 5), "Type [0][500]");
  EXPECT_EQ(context.ItemValueText(-1, 5), "Type [0][-1]");
}

TEST(ScanTextContext, DescriptorsLieAtTheirFileOffsets) {
  std::vector<std::uint8_t> block(kHeaderBlockSize, 0);
  const auto at = [&](std::size_t fileOffset) -> std::uint8_t& { return block[fileOffset - kHeaderBlockFileOffset]; };
  at(226 + 84) = 7;            // item 0's conversion type
  at(78569 + 84) = 9;          // item 499's conversion type
  at(78569 + 101) = 14;        // item 499's unit
  at(78692) = 0x70;            // the special format word, 368
  at(78693) = 0x01;
  for (std::size_t i = 0; i < 25; ++i) at(200 + i) = 'A';  // system text without terminator
  ScanTextContext context;
  context.LoadHeaderBlock(block);
  EXPECT_EQ(context.Descriptor(0).ConvType(), 7);
  EXPECT_EQ(context.Descriptor(499).ConvType(), 9);
  EXPECT_EQ(context.Descriptor(499).Unit(), 14);
  EXPECT_EQ(context.SpecialFormatWord(), 368);
  EXPECT_EQ(context.SystemText(), std::string(25, 'A'));

  // A shorter block leaves nothing of the earlier recording behind.
  context.LoadHeaderBlock(std::span<const std::uint8_t>(block).first(200));
  EXPECT_EQ(context.Descriptor(499).ConvType(), 0);
  EXPECT_EQ(context.SpecialFormatWord(), 0);
  EXPECT_EQ(context.Descriptor(0).ConvType(), 7);
}

TEST(ItemDescriptor, FieldsReadLittleEndian) {
  auto bytes = DescriptorBytes()
                   .Scale(1.5f).Offset(-2.25f).GraphOffset(3.0f).GraphMin(-300).GraphMax(0x1234).Unit(20).Format(3)
                   .Byte(0, 'R').Byte(1, 'P').Byte(2, 'M');
  const ItemDescriptor item(bytes.bytes);
  EXPECT_EQ(item.ItemName(), "RPM");
  EXPECT_EQ(item.Scale(), 1.5f);
  EXPECT_EQ(item.Offset(), -2.25f);
  EXPECT_EQ(item.GraphOffset(), 3.0f);
  EXPECT_EQ(item.GraphMin(), -300);
  EXPECT_EQ(item.GraphMax(), 0x1234);
  EXPECT_EQ(item.Unit(), 20);
  EXPECT_EQ(item.Format(), 3);
  bytes.Multiplier(-2).Addend(0xFFFF).Modulus(0xFFFE).StateTable(9).SignMode(2);
  EXPECT_EQ(item.Multiplier(), -2);
  EXPECT_EQ(item.Addend(), -1);
  EXPECT_EQ(item.Modulus(), 0xFFFE);
  EXPECT_EQ(item.Offset16(), -2);
  EXPECT_EQ(item.LutTable16(), 0x0209);
  bytes.Byte(0, 'X');
  std::fill(bytes.bytes.begin(), bytes.bytes.begin() + 83, 'N');
  EXPECT_EQ(item.ItemName(), std::string(83, 'N'));  // a name without terminator ends at its field
}

}  // namespace
}  // namespace quarnel
