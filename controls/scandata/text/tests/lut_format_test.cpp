// Bit-field helpers and the lookup-table formatting of every table class.

#include <gtest/gtest.h>

#include "controls/scandata/text/bit_fields.h"
#include "controls/scandata/text/lut_format.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

TEST(BitFields, CutTheirFields) {
  EXPECT_EQ(MaskedBits(0xB6, 0x30), 3);
  EXPECT_EQ(MaskedBits(0x1B6, 0x1F0), 0xB);  // only the low bytes count
  EXPECT_EQ(MaskedBits16(0xB6, 0x05), 2);
  EXPECT_EQ(MaskedBits16(0xF00F, 0x8001), 3);
  EXPECT_EQ(MaskedBitsHigh(0xB6, 0xF0), 5);
  EXPECT_EQ(LowestSetBit(0xB0), 5);
  EXPECT_EQ(LowestSetBit(0x100), 0);
  for (int zero : {MaskedBits(0xB6, 0), MaskedBits(0, 0x30), MaskedBits16(0xB6, 0), MaskedBits16(0, 0xFF),
                   MaskedBitsHigh(0xB6, 0), MaskedBitsHigh(0, 0xF0), LowestSetBit(0)}) {
    EXPECT_EQ(zero, 0);
  }
}

UnitPreferences Fahrenheit() {
  UnitPreferences p;
  p.bytes[UnitPreferences::kTemperature] = 1;
  return p;
}

struct LutCase {
  int table;
  int polarity;
  int value;
  int count;
  int unit;
  UnitPreferences preferences;
  const char* utf8;
};

TEST(FormatLutValue, EveryClassPicksItsRow) {
  const UnitPreferences metric;
  const LutCase cases[] = {
      // two-state
      {1, 1, 5, 0, 0, metric, "   ON"},
      {1, 1, 0, 0, 0, metric, "  OFF"},
      {1, 2, 5, 0, 0, metric, "  OFF"},
      {1, 2, 0, 0, 0, metric, "   ON"},
      {1, 0, 1, 0, 0, metric, "   ON"},
      {1, 0, 2, 0, 0, metric, ""},
      {1, 0, 7, 0, 0, metric, ""},
      // counted
      {14, 1, 3, 8, 0, metric, " L0011"},
      {14, 2, 0, 8, 0, metric, " LL0001"},
      {14, 2, 7, 8, 0, metric, " N1111"},
      {14, 2, 0, 0, 0, metric, " N1111"},
      {14, 2, 3, 0, 0, metric, ""},  // a negated state is no row
      // capped
      {88, 0, 7, 0, 0, metric, "DOWN"},
      {107, 0, 4, 0, 0, metric, " 감속모드"},
      {107, 0, 5, 0, 0, metric, " 정의안됨"},
      {107, 0, 9, 0, 0, metric, " 정의안됨"},
      {107, 0, -1, 0, 0, metric, " 정의안됨"},
      {51, 0, 9, 0, 0, metric, "NOT SUPP."},
      // five and six swapped
      {112, 0, 4, 0, 0, metric, "  4"},
      {112, 0, 6, 0, 0, metric, "  R"},
      {112, 0, 5, 0, 0, metric, " undef"},
      {112, 0, 9, 0, 0, metric, " undef"},
      // direct and fixed
      {58, 0, 24, 0, 0, metric, " GMT 600"},
      {81, 1, 0, 0, 0, metric, "  -"},
      // curve: the row read back as a number, converted and written again
      {16, 0, 0, 0, 0, metric, "118.00"},
      {16, 0, 0, 0, 14, Fahrenheit(), "244.40"},
      {20, 1, 32, 0, 0, metric, "-12.80"},
      {43, 1, 0, 0, 0, metric, "9999.00"},
      {47, 1, 0, 0, 0, metric, "-47.00"},
      {16, 0, 300, 0, 0, metric, "  0.00"},
      // signed with suffix
      {9, 1, -12, 0, 0, metric, " R 12˚"},
      {9, 2, -12, 0, 0, metric, " L 12˚"},
      {8, 1, 0, 0, 0, metric, "TDC 0˚"},
      {8, 1, 5, 0, 0, metric, "ATDC 5˚"},
      {42, 1, -3, 0, 0, metric, " REV 3A"},
      {181, 1, 2, 0, 0, metric, "U 2"},
      // no table
      {250, 1, 0, 0, 0, metric, "Lut [250]"},
      {600, 1, 0, 0, 0, metric, "Lut [600]"},
      {0, 1, 0, 0, 0, metric, "Lut [0]"},
      {-1, 1, 0, 0, 0, metric, "Lut [-1]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatLutValue(c.table, c.polarity, c.value, c.count, c.unit, c.preferences), vetra::Cp949(c.utf8))
        << "table " << c.table << " polarity " << c.polarity << " value " << c.value;
  }
}

TEST(ShortStateWord, CutsToFiveBytesWithoutHalfACharacter) {
  EXPECT_EQ(ShortStateWord(107, 0), vetra::Cp949(" 엔진"));
  EXPECT_EQ(ShortStateWord(150, 0), vetra::Cp949("무효"));
  EXPECT_EQ(ShortStateWord(26, 3), "HIGH ");
  EXPECT_EQ(ShortStateWord(999, 0), " ");
}

}  // namespace
}  // namespace quarnel
