// Structure and contents of the constant tables behind the scan-data texts: every state-text
// table's width, row count and closing row, the unassigned ids, the aliases, the listed rows of
// the number tables, and the class and group lists that read the tables.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "controls/scandata/text/state_texts.h"
#include "controls/scandata/text/table_classes.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

using vetra::Cp949;

bool IsAssigned(int id) { return (id >= 1 && id <= 211) || (id >= 301 && id <= 571) || (id >= 600 && id <= 605); }

bool IsNumberTable(int id) {
  static const std::set<int> kIds{16, 17, 18, 19, 20, 21, 43, 44, 45, 47, 48, 49, 78, 114};
  return kIds.count(id) != 0;
}

// Row count of every text table id, closing row included.
constexpr std::pair<int, int> kTextRowCounts[] = {
    {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 4}, {9, 4}, {10, 5}, {11, 10},
    {12, 10}, {13, 10}, {14, 17}, {15, 17}, {22, 5}, {23, 10}, {24, 10}, {25, 3}, {26, 9}, {27, 3},
    {28, 10}, {29, 10}, {30, 10}, {31, 10}, {32, 10}, {33, 3}, {34, 3}, {35, 3}, {36, 10}, {37, 3},
    {38, 10}, {39, 5}, {40, 3}, {41, 5}, {42, 4}, {46, 5}, {50, 3}, {51, 9}, {52, 5}, {53, 9},
    {54, 5}, {55, 3}, {56, 3}, {57, 3}, {58, 26}, {59, 10}, {60, 9}, {61, 5}, {62, 3}, {63, 5},
    {64, 5}, {65, 3}, {66, 3}, {67, 3}, {68, 3}, {69, 3}, {70, 10}, {71, 5}, {72, 10}, {73, 5},
    {74, 3}, {75, 9}, {76, 5}, {77, 3}, {79, 9}, {80, 6}, {81, 22}, {82, 10}, {83, 3}, {84, 6},
    {85, 10}, {86, 10}, {87, 10}, {88, 5}, {89, 5}, {90, 5}, {91, 5}, {92, 17}, {93, 10}, {94, 5},
    {95, 9}, {96, 3}, {97, 10}, {98, 3}, {99, 9}, {100, 3}, {101, 3}, {102, 3}, {103, 3}, {104, 3},
    {105, 3}, {106, 3}, {107, 7}, {108, 8}, {109, 9}, {110, 3}, {111, 5}, {112, 8}, {113, 4},
    {115, 9}, {116, 3}, {117, 9}, {118, 9}, {119, 3}, {120, 5}, {121, 5}, {122, 9}, {123, 9},
    {124, 5}, {125, 3}, {126, 9}, {127, 10}, {128, 5}, {129, 3}, {130, 3}, {131, 5}, {132, 10},
    {133, 3}, {134, 3}, {135, 3}, {136, 3}, {137, 9}, {138, 5}, {139, 5}, {140, 3}, {141, 5},
    {142, 9}, {143, 5}, {144, 9}, {145, 9}, {146, 5}, {147, 9}, {148, 5}, {149, 9}, {150, 17},
    {151, 9}, {152, 3}, {153, 3}, {154, 3}, {155, 3}, {156, 3}, {157, 5}, {158, 10}, {159, 9},
    {160, 9}, {161, 5}, {162, 9}, {163, 9}, {164, 9}, {165, 9}, {166, 5}, {167, 9}, {168, 3},
    {169, 5}, {170, 5}, {171, 10}, {172, 17}, {173, 17}, {174, 9}, {175, 3}, {176, 17}, {177, 9},
    {178, 9}, {179, 3}, {180, 17}, {181, 4}, {182, 17}, {183, 10}, {184, 10}, {185, 5}, {186, 5},
    {187, 5}, {188, 5}, {189, 5}, {190, 5}, {191, 9}, {192, 9}, {193, 9}, {194, 9}, {195, 9},
    {196, 5}, {197, 9}, {198, 3}, {199, 3}, {200, 17}, {201, 9}, {202, 9}, {203, 5}, {204, 9},
    {205, 3}, {206, 3}, {207, 10}, {208, 10}, {209, 10}, {210, 10}, {211, 5}, {301, 9}, {302, 5},
    {303, 17}, {304, 5}, {305, 9}, {306, 5}, {307, 6}, {308, 17}, {309, 5}, {310, 17}, {311, 6},
    {312, 6}, {313, 6}, {314, 10}, {315, 10}, {316, 5}, {317, 10}, {318, 11}, {319, 10}, {320, 9},
    {321, 5}, {322, 9}, {323, 17}, {324, 17}, {325, 10}, {326, 3}, {327, 3}, {328, 17}, {329, 3},
    {330, 10}, {331, 10}, {332, 5}, {333, 9}, {334, 10}, {335, 3}, {336, 3}, {337, 3}, {338, 3},
    {339, 3}, {340, 5}, {341, 17}, {342, 3}, {343, 4}, {344, 6}, {345, 3}, {346, 9}, {347, 10},
    {348, 10}, {349, 10}, {350, 10}, {351, 17}, {352, 17}, {353, 17}, {354, 3}, {355, 10},
    {356, 17}, {357, 5}, {358, 5}, {359, 3}, {360, 33}, {361, 10}, {362, 10}, {363, 10}, {364, 10},
    {365, 10}, {366, 9}, {367, 10}, {368, 10}, {369, 10}, {370, 5}, {371, 3}, {372, 3}, {373, 17},
    {374, 9}, {375, 5}, {376, 17}, {377, 33}, {378, 17}, {379, 5}, {380, 17}, {381, 3}, {382, 3},
    {383, 5}, {384, 9}, {385, 5}, {386, 10}, {387, 10}, {388, 10}, {389, 4}, {390, 3}, {391, 10},
    {392, 10}, {393, 5}, {394, 8}, {395, 12}, {396, 6}, {397, 14}, {398, 17}, {399, 9}, {400, 9},
    {401, 5}, {402, 5}, {403, 5}, {404, 3}, {405, 3}, {406, 3}, {407, 5}, {408, 3}, {409, 5},
    {410, 5}, {411, 9}, {412, 10}, {413, 5}, {414, 5}, {415, 9}, {416, 9}, {417, 9}, {418, 5},
    {419, 17}, {420, 3}, {421, 3}, {422, 9}, {423, 9}, {424, 9}, {425, 17}, {426, 5}, {427, 9},
    {428, 5}, {429, 5}, {430, 5}, {431, 5}, {432, 5}, {433, 10}, {434, 5}, {435, 5}, {436, 9},
    {437, 5}, {438, 5}, {439, 5}, {440, 3}, {441, 3}, {442, 3}, {443, 3}, {444, 5}, {445, 10},
    {446, 3}, {447, 10}, {448, 18}, {449, 10}, {450, 3}, {451, 3}, {452, 5}, {453, 5}, {454, 10},
    {455, 10}, {456, 9}, {457, 17}, {458, 3}, {459, 3}, {460, 5}, {461, 6}, {462, 17}, {463, 3},
    {464, 9}, {465, 5}, {466, 9}, {467, 3}, {468, 3}, {469, 10}, {470, 3}, {471, 3}, {472, 9},
    {473, 10}, {474, 5}, {475, 3}, {476, 3}, {477, 3}, {478, 9}, {479, 5}, {480, 3}, {481, 9},
    {482, 9}, {483, 5}, {484, 5}, {485, 3}, {486, 9}, {487, 9}, {488, 3}, {489, 5}, {490, 9},
    {491, 17}, {492, 17}, {493, 17}, {494, 3}, {495, 9}, {496, 3}, {497, 9}, {498, 5}, {499, 5},
    {500, 10}, {501, 17}, {502, 10}, {503, 5}, {504, 3}, {505, 5}, {506, 3}, {507, 9}, {508, 5},
    {509, 5}, {510, 5}, {511, 9}, {512, 5}, {513, 9}, {514, 3}, {515, 5}, {516, 9}, {517, 17},
    {518, 33}, {519, 17}, {520, 5}, {521, 17}, {522, 17}, {523, 9}, {524, 9}, {525, 5}, {526, 5},
    {527, 5}, {528, 5}, {529, 3}, {530, 5}, {531, 5}, {532, 3}, {533, 5}, {534, 5}, {535, 17},
    {536, 5}, {537, 5}, {538, 5}, {539, 33}, {540, 17}, {541, 9}, {542, 5}, {543, 5}, {544, 17},
    {545, 5}, {546, 17}, {547, 17}, {548, 3}, {549, 9}, {550, 17}, {551, 9}, {552, 17}, {553, 9},
    {554, 3}, {555, 5}, {556, 3}, {557, 3}, {558, 5}, {559, 3}, {560, 3}, {561, 5}, {562, 5},
    {563, 33}, {564, 3}, {565, 9}, {566, 65}, {567, 10}, {568, 10}, {569, 5}, {570, 3}, {571, 9},
    {600, 10}, {601, 17}, {602, 10}, {603, 5}, {604, 3}, {605, 5},
};

TEST(StateTables, EveryIdIsAssignedOrGivesOneBlank) {
  for (int id = -2; id <= 700; ++id) {
    SCOPED_TRACE(id);
    EXPECT_EQ(FindStateTable(id) != nullptr, IsAssigned(id));
    if (!IsAssigned(id)) {
      EXPECT_EQ(StateText(id, 0), " ");
      EXPECT_EQ(StateText(id, 5), " ");
    }
  }
  EXPECT_EQ(StateText(100000, 0), " ");
}

TEST(StateTables, TextTablesHaveTheirWidthRowCountAndClosingRow) {
  std::map<int, int> expectedRows(std::begin(kTextRowCounts), std::end(kTextRowCounts));
  ASSERT_EQ(expectedRows.size(), 474u);
  for (int id = 0; id < kStateTableIdEnd; ++id) {
    const StateTable* table = FindStateTable(id);
    if (table == nullptr || table->kind != StateTableKind::kText) continue;
    SCOPED_TRACE(id);
    ASSERT_TRUE(expectedRows.count(id));
    EXPECT_EQ(table->rowCount, expectedRows[id]);
    const int width = id == 200 ? 20 : id < 300 ? 15 : 17;
    const std::size_t maxText = id == 200 ? 17 : id < 300 ? 10 : 13;
    EXPECT_EQ(table->rowWidth, width);
    EXPECT_STREQ(table->format, "%s");
    for (int row = 0; row < table->rowCount; ++row) {
      const char* bytes = table->rows + row * width;
      const std::size_t length = strnlen(bytes, width);
      ASSERT_LT(length, static_cast<std::size_t>(width)) << "row " << row;
      EXPECT_LE(length, maxText) << "row " << row;
      for (int rest = static_cast<int>(length); rest < width; ++rest) EXPECT_EQ(bytes[rest], 0);
      // Only the closing row is empty.
      EXPECT_EQ(length == 0, row == table->rowCount - 1) << "row " << row;
      EXPECT_EQ(StateText(id, row), std::string(bytes, length));
    }
    EXPECT_EQ(StateText(id, table->rowCount), "");
    EXPECT_EQ(StateText(id, -1), "");
  }
  for (const auto& [id, rows] : expectedRows) EXPECT_TRUE(FindStateTable(id) != nullptr) << id;
}

TEST(StateTables, NumberTablesHoldOneValuePerRawByte) {
  for (int id = 0; id < kStateTableIdEnd; ++id) {
    const StateTable* table = FindStateTable(id);
    if (table == nullptr) continue;
    SCOPED_TRACE(id);
    const bool number = table->kind != StateTableKind::kText;
    ASSERT_EQ(number, IsNumberTable(id));
    if (!number) continue;
    EXPECT_EQ(table->rowCount, 256);
    const bool real = table->kind == StateTableKind::kReal;
    EXPECT_EQ(real, !(id == 43 || id == 44 || (id >= 47 && id <= 49)));
    const char* format = id == 45 ? "%2.2f" : id == 43 ? "%4d" : real ? "%3.1f" : "%3d";
    EXPECT_STREQ(table->format, format);
    EXPECT_EQ(StateText(id, 256), "");
    EXPECT_EQ(StateText(id, -1), "");
  }
}

TEST(StateTables, AliasesShareTheirTableAndOtherIdsDoNot) {
  std::set<const void*> distinct;
  for (int id = 0; id < kStateTableIdEnd; ++id) {
    if (const StateTable* table = FindStateTable(id)) {
      distinct.insert(table->rows ? static_cast<const void*>(table->rows)
                                  : table->reals ? static_cast<const void*>(table->reals)
                                                 : static_cast<const void*>(table->integers));
    }
  }
  EXPECT_EQ(distinct.size(), 482u);
  for (int id = 600; id <= 605; ++id) {
    EXPECT_EQ(FindStateTable(id)->rows, FindStateTable(id - 100)->rows);
    for (int row = 0; row <= FindStateTable(id)->rowCount; ++row) EXPECT_EQ(StateText(id, row), StateText(id - 100, row));
  }
  EXPECT_NE(FindStateTable(1)->rows, FindStateTable(5)->rows);
  EXPECT_EQ(StateText(1, 1), StateText(5, 1));
}

struct RowCase {
  int table;
  int row;
  const char* utf8;
};

// Rows whose exact bytes matter: blanks at either end, the Korean texts, the widest row, the
// rows with tab characters and the invented model names.
constexpr RowCase kTextRows[] = {
    {1, 0, "  OFF"}, {1, 1, "   ON"}, {1, 2, ""}, {9, 1, "  "}, {42, 1, "   "},
    {36, 0, "  1st"}, {36, 8, " 1st"}, {316, 0, "VIRGIN "}, {200, 6, "등록TX,미사용코드"},
    {200, 0, "수신없슴"}, {54, 2, " 점 멸"}, {107, 1, " 그랭킹"}, {65, 0, "OFF(액상)"},
    {330, 7, "-\t    "}, {355, 3, "-\t   "}, {355, 5, "-\t   "}, {330, 0, "정상    "},
    {571, 8, ""}, {563, 16, "DISABLE   "}, {92, 0, "ZAA"}, {115, 3, "ZD"}, {465, 2, "(reserved)  "},
    {465, 3, "            "}, {603, 2, "AT2     "},
};

TEST(StateTables, TextRowsAreStoredExactly) {
  for (const auto& c : kTextRows) {
    EXPECT_EQ(StateText(c.table, c.row), Cp949(c.utf8)) << c.table << " row " << c.row;
  }
}

// Every listed row of the number tables, written with the table's format.
constexpr RowCase kNumberRows[] = {
    {16, 0, "118.0"}, {16, 15, "118.0"}, {16, 32, "85.0"}, {16, 64, "56.0"}, {16, 96, "37.0"},
    {16, 128, "21.0"}, {16, 160, "8.0"}, {16, 192, "-7.0"}, {16, 224, "-33.0"}, {16, 228, "-38.0"},
    {16, 255, "-38.0"}, {17, 0, "109.0"}, {17, 12, "109.0"}, {17, 32, "78.0"}, {17, 64, "52.0"},
    {17, 96, "35.0"}, {17, 128, "21.0"}, {17, 160, "8.0"}, {17, 192, "-7.0"}, {17, 224, "-28.0"},
    {17, 225, "-29.0"}, {17, 255, "-29.0"}, {18, 0, "170.0"}, {18, 32, "86.0"}, {18, 64, "56.0"},
    {18, 96, "37.0"}, {18, 128, "23.0"}, {18, 160, "7.0"}, {18, 192, "-9.0"}, {18, 224, "-38.0"},
    {18, 255, "-55.2"}, {19, 0, "240.0"}, {19, 32, "143.0"}, {19, 64, "107.0"}, {19, 96, "85.0"},
    {19, 128, "66.0"}, {19, 160, "46.0"}, {19, 192, "26.0"}, {19, 224, "-15.0"},
    {19, 237, "-70.0"}, {19, 255, "-70.0"}, {20, 0, "-33.0"}, {20, 32, "-12.8"}, {20, 64, "8.5"},
    {20, 96, "28.7"}, {20, 128, "49.3"}, {20, 160, "71.1"}, {20, 192, "90.7"}, {20, 224, "111.4"},
    {20, 244, "125.0"}, {20, 255, "125.0"}, {21, 0, "319.0"}, {21, 32, "181.0"}, {21, 64, "146.0"},
    {21, 96, "123.0"}, {21, 128, "104.0"}, {21, 160, "85.0"}, {21, 192, "63.0"}, {21, 224, "7.0"},
    {21, 246, "-99.0"}, {21, 255, "-99.0"}, {43, 0, "9999"}, {43, 2, "9999"}, {43, 32, " 711"},
    {43, 64, " 304"}, {43, 96, " 169"}, {43, 128, " 101"}, {43, 160, "  60"}, {43, 192, "  33"},
    {43, 224, "  14"}, {43, 253, "   0"}, {43, 255, "   0"}, {44, 0, "199"}, {44, 32, "107"},
    {44, 64, " 79"}, {44, 96, " 63"}, {44, 128, " 48"}, {44, 160, " 37"}, {44, 192, " 24"},
    {44, 224, "  6"}, {44, 255, "-38"}, {45, 0, "0.00"}, {45, 10, "0.00"}, {45, 32, "27.00"},
    {45, 64, "67.00"}, {45, 90, "99.00"}, {45, 96, "99.00"}, {45, 128, "99.00"},
    {45, 160, "99.00"}, {45, 192, "99.00"}, {45, 224, "99.00"}, {45, 255, "99.00"}, {47, 0, "-47"},
    {47, 5, "-47"}, {47, 32, "-18"}, {47, 64, " -2"}, {47, 96, " 11"}, {47, 128, " 24"},
    {47, 160, " 36"}, {47, 192, " 54"}, {47, 224, " 83"}, {47, 245, "135"}, {47, 255, "135"},
    {48, 0, "140"}, {48, 32, " 65"}, {48, 64, " 39"}, {48, 96, " 23"}, {48, 128, " 10"},
    {48, 160, "  0"}, {48, 192, "-15"}, {48, 224, "-32"}, {48, 239, "-40"}, {48, 255, "-40"},
    {49, 0, "150"}, {49, 16, "150"}, {49, 32, "118"}, {49, 64, " 85"}, {49, 96, " 66"},
    {49, 128, " 50"}, {49, 160, " 36"}, {49, 192, " 20"}, {49, 224, "  0"}, {49, 255, "-40"},
    {78, 0, "-49.0"}, {78, 5, "-49.0"}, {78, 32, "-19.0"}, {78, 64, "-2.0"}, {78, 96, "11.0"},
    {78, 128, "23.0"}, {78, 160, "36.0"}, {78, 192, "54.0"}, {78, 224, "83.0"}, {78, 245, "135.0"},
    {78, 255, "135.0"}, {114, 0, "150.0"}, {114, 13, "150.0"}, {114, 32, "111.0"},
    {114, 64, "82.0"}, {114, 96, "63.0"}, {114, 128, "47.0"}, {114, 160, "33.0"},
    {114, 192, "16.0"}, {114, 224, "-8.0"}, {114, 240, "-40.0"}, {114, 255, "-40.0"},
    {16, 16, "115.0"},
};

TEST(StateTables, NumberTablesHoldTheirListedRows) {
  for (const auto& c : kNumberRows) EXPECT_EQ(StateText(c.table, c.row), c.utf8) << c.table << " row " << c.row;
}

TEST(StateTables, NumberTablesRunMonotonicallyBetweenTheirEnds) {
  for (int id = 0; id < kStateTableIdEnd; ++id) {
    const StateTable* table = FindStateTable(id);
    if (table == nullptr || table->kind == StateTableKind::kText) continue;
    auto value = [&](int row) { return table->reals ? table->reals[row] : static_cast<double>(table->integers[row]); };
    const bool rising = value(255) > value(0);
    for (int row = 1; row < 256; ++row) {
      EXPECT_TRUE(rising ? value(row) >= value(row - 1) : value(row) <= value(row - 1)) << id << " row " << row;
    }
  }
}

template <typename Kind>
std::map<int, int> Memberships(std::span<const IdList<Kind>> lists) {
  std::map<int, int> count;
  for (const auto& list : lists) {
    for (const auto& range : list.ranges) {
      for (int id = range.first; id <= range.last; ++id) ++count[id];
    }
  }
  return count;
}

TEST(TableClasses, ClassAndGroupListsCoverEveryIdOnce) {
  for (const auto& count : {Memberships(LutClassLists()), Memberships(LevelGroupLists())}) {
    EXPECT_EQ(count.begin()->first, kFirstLutTableId);
    EXPECT_EQ(count.rbegin()->first, kLastLutTableId);
    for (int id = kFirstLutTableId; id <= kLastLutTableId; ++id) EXPECT_EQ(count.at(id), 1) << id;
  }
}

TEST(TableClasses, ClassesAgreeWithTheTables) {
  for (int id = -1; id <= kStateTableIdEnd; ++id) {
    SCOPED_TRACE(id);
    const LutClass lutClass = LutClassOf(id);
    EXPECT_EQ(lutClass == LutClass::kCurve, IsNumberTable(id));
    // Ids beyond 569 have tables but no class: they are not read through the lookup formatting.
    if (id < kFirstLutTableId || id > kLastLutTableId) {
      EXPECT_EQ(lutClass, LutClass::kNotATable);
      EXPECT_EQ(LevelGroupOf(id), LevelGroup::kRaw);
    } else {
      EXPECT_EQ(lutClass == LutClass::kNotATable, !IsAssigned(id));
      EXPECT_EQ(LevelGroupOf(id) == LevelGroup::kRaw, !IsAssigned(id));
    }
  }
}

}  // namespace
}  // namespace quarnel
