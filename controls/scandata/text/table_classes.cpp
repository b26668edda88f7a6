#include "controls/scandata/text/table_classes.h"

#include <array>

namespace quarnel {
namespace {

// ---- classes of the value formatting ----

constexpr IdRange kClassTwoState[] = {
    {1, 7}, {25, 25}, {27, 27}, {33, 35}, {37, 37}, {40, 40}, {50, 50}, {55, 57}, {62, 62},
    {65, 69}, {74, 74}, {77, 77}, {83, 83}, {96, 96}, {98, 98}, {100, 106}, {110, 110}, {116, 116},
    {119, 119}, {125, 125}, {129, 130}, {133, 136}, {140, 140}, {152, 156}, {168, 168}, {175, 175},
    {179, 179}, {198, 199}, {205, 206}, {321, 321}, {327, 327}, {335, 339}, {342, 342}, {345, 345},
    {354, 354}, {359, 359}, {477, 477}, {480, 480}, {485, 485}, {488, 488}, {494, 494}, {496, 496},
    {504, 504}, {506, 506}, {514, 514}, {529, 529}, {532, 532}, {548, 548}, {554, 554}, {556, 557},
    {559, 560}, {564, 564}
};
constexpr IdRange kClassSignedWithSuffix[] = {
    {8, 8}, {9, 9}, {42, 42}, {181, 181}
};
constexpr IdRange kClassCounted[] = {
    {10, 15}, {22, 24}, {26, 26}, {28, 32}, {36, 36}, {38, 39}, {41, 41}, {46, 46}, {52, 52},
    {54, 54}, {60, 61}, {63, 64}, {71, 71}, {73, 73}, {76, 76}, {80, 80}, {84, 87}, {92, 95},
    {97, 97}, {115, 115}, {117, 118}, {120, 124}, {128, 128}, {131, 132}, {138, 139}, {141, 141},
    {143, 143}, {146, 146}, {148, 148}, {150, 150}, {157, 167}, {169, 174}, {176, 178}, {180, 180},
    {182, 197}, {200, 200}, {203, 204}, {207, 211}, {302, 304}, {306, 320}, {322, 326}, {328, 332},
    {334, 334}, {340, 341}, {343, 344}, {346, 353}, {355, 358}, {360, 476}, {479, 479}, {483, 484},
    {489, 489}, {491, 493}, {498, 503}, {505, 505}, {508, 510}, {512, 512}, {515, 515}, {517, 522},
    {525, 528}, {530, 531}, {533, 540}, {542, 547}, {550, 550}, {552, 552}, {555, 555}, {558, 558},
    {561, 563}, {566, 569}
};
constexpr IdRange kClassCurve[] = {
    {16, 21}, {43, 45}, {47, 49}, {78, 78}, {114, 114}
};
constexpr IdRange kClassCappedAt7[] = {
    {51, 51}, {53, 53}, {75, 75}, {82, 82}, {99, 99}, {108, 109}, {126, 127}, {137, 137},
    {142, 142}, {144, 145}, {147, 147}, {149, 149}, {151, 151}, {201, 202}, {301, 301}, {305, 305},
    {333, 333}, {478, 478}, {481, 482}, {486, 487}, {490, 490}, {495, 495}, {497, 497}, {507, 507},
    {511, 511}, {513, 513}, {516, 516}, {523, 524}, {541, 541}, {549, 549}, {551, 551}, {553, 553},
    {565, 565}
};
constexpr IdRange kClassDirect[] = {
    {58, 59}, {70, 70}, {72, 72}, {79, 79}
};
constexpr IdRange kClassFixed[] = {
    {81, 81}
};
constexpr IdRange kClassCappedAt3[] = {
    {88, 91}, {111, 111}, {113, 113}
};
constexpr IdRange kClassCappedAt5[] = {
    {107, 107}
};
constexpr IdRange kClassSwappedFiveSix[] = {
    {112, 112}
};
constexpr IdRange kClassNotATable[] = {
    {212, 300}
};

constexpr IdList<LutClass> kLutClassLists[] = {
    {LutClass::kTwoState, kClassTwoState},
    {LutClass::kSignedWithSuffix, kClassSignedWithSuffix},
    {LutClass::kCounted, kClassCounted},
    {LutClass::kCurve, kClassCurve},
    {LutClass::kCappedAt7, kClassCappedAt7},
    {LutClass::kDirect, kClassDirect},
    {LutClass::kFixed, kClassFixed},
    {LutClass::kCappedAt3, kClassCappedAt3},
    {LutClass::kCappedAt5, kClassCappedAt5},
    {LutClass::kSwappedFiveSix, kClassSwappedFiveSix},
    {LutClass::kNotATable, kClassNotATable},
};

// ---- groups of the graph levels ----

constexpr IdRange kGroupOffLow[] = {
    {1, 1}, {50, 50}, {55, 57}, {62, 62}, {65, 69}, {74, 74}, {77, 77}, {83, 83}, {96, 96},
    {104, 106}, {110, 110}, {116, 116}, {119, 119}, {125, 125}, {129, 130}, {152, 156}, {168, 168},
    {327, 327}, {335, 339}, {342, 342}, {345, 345}, {354, 354}, {359, 359}, {477, 477}, {480, 480},
    {485, 485}, {488, 488}, {494, 494}, {496, 496}, {504, 504}, {506, 506}, {529, 529}, {532, 532},
    {548, 548}
};
constexpr IdRange kGroupOffHigh[] = {
    {2, 7}, {25, 25}, {27, 27}, {33, 35}, {37, 37}, {40, 40}, {98, 98}, {100, 103}, {133, 136},
    {140, 140}, {175, 175}, {179, 179}, {198, 199}, {205, 206}, {321, 321}, {514, 514}, {554, 554},
    {556, 557}, {559, 560}, {564, 564}
};
constexpr IdRange kGroupCentredByteScale[] = {
    {8, 8}, {9, 9}, {42, 42}, {181, 181}
};
constexpr IdRange kGroupFourSteps[] = {
    {10, 10}, {22, 22}, {39, 39}, {41, 41}, {46, 46}, {52, 52}, {54, 54}, {61, 61}, {63, 64},
    {71, 71}, {73, 73}, {76, 76}, {80, 80}, {84, 84}, {86, 86}, {94, 94}, {115, 115}, {117, 118},
    {120, 124}, {128, 128}, {131, 131}, {138, 139}, {141, 141}, {143, 143}, {146, 146}, {148, 148},
    {157, 157}, {161, 161}, {166, 166}, {169, 170}, {185, 190}, {196, 196}, {203, 203}, {211, 211},
    {302, 302}, {304, 304}, {306, 307}, {309, 309}, {311, 313}, {316, 317}, {320, 320}, {332, 332},
    {334, 334}, {340, 341}, {343, 344}, {346, 346}, {357, 358}, {370, 370}, {374, 375}, {379, 379},
    {383, 385}, {389, 389}, {393, 394}, {396, 396}, {399, 403}, {407, 407}, {409, 411}, {413, 418},
    {422, 424}, {426, 432}, {434, 439}, {444, 444}, {452, 453}, {456, 456}, {460, 461}, {464, 466},
    {472, 472}, {474, 474}, {479, 479}, {483, 484}, {489, 489}, {498, 499}, {503, 503}, {505, 505},
    {508, 510}, {512, 512}, {515, 515}, {520, 520}, {525, 528}, {530, 531}, {533, 534}, {536, 538},
    {542, 543}, {545, 545}, {555, 555}, {558, 558}, {561, 562}, {569, 569}
};
constexpr IdRange kGroupNineSteps[] = {
    {11, 13}, {23, 24}, {28, 32}, {36, 36}, {38, 38}, {87, 87}, {93, 93}, {97, 97}, {132, 132},
    {158, 158}, {171, 171}, {183, 184}, {207, 210}, {314, 315}, {318, 319}, {325, 326}, {330, 331},
    {347, 350}, {355, 355}, {361, 369}, {386, 388}, {391, 392}, {412, 412}, {433, 433}, {445, 445},
    {447, 447}, {449, 449}, {454, 455}, {469, 469}, {473, 473}, {500, 500}, {502, 502}, {567, 568}
};
constexpr IdRange kGroupEightStepsCapped[] = {
    {26, 26}, {59, 59}, {70, 70}, {72, 72}, {79, 79}, {95, 95}, {159, 160}, {162, 165}, {167, 167},
    {174, 174}, {177, 178}, {191, 195}, {197, 197}, {204, 204}, {322, 322}
};
constexpr IdRange kGroupThreeStepsCapped[] = {
    {88, 91}, {111, 111}, {113, 113}
};
constexpr IdRange kGroupFiveStepsCapped[] = {
    {82, 82}, {107, 107}
};
constexpr IdRange kGroupSevenStepsCapped[] = {
    {51, 51}, {53, 53}, {60, 60}, {75, 75}, {85, 85}, {99, 99}, {108, 109}, {126, 127}, {137, 137},
    {142, 142}, {144, 145}, {147, 147}, {149, 149}, {151, 151}, {201, 202}, {301, 301}, {305, 305},
    {333, 333}, {478, 478}, {481, 482}, {486, 487}, {490, 490}, {495, 495}, {497, 497}, {507, 507},
    {511, 511}, {513, 513}, {516, 516}, {523, 524}, {541, 541}, {549, 549}, {551, 551}, {553, 553},
    {565, 565}
};
constexpr IdRange kGroupSixteenths[] = {
    {14, 15}, {92, 92}, {150, 150}, {172, 173}, {176, 176}, {180, 180}, {182, 182}, {200, 200},
    {303, 303}, {308, 308}, {310, 310}, {323, 324}, {328, 329}, {351, 353}, {356, 356}, {371, 373},
    {376, 376}, {378, 378}, {380, 382}, {390, 390}, {395, 395}, {397, 398}, {404, 406}, {408, 408},
    {419, 421}, {425, 425}, {440, 443}, {446, 446}, {448, 448}, {450, 451}, {457, 459}, {462, 463},
    {467, 468}, {470, 471}, {475, 476}, {491, 493}, {501, 501}, {517, 517}, {519, 519}, {521, 522},
    {535, 535}, {540, 540}, {544, 544}, {546, 547}, {550, 550}, {552, 552}
};
constexpr IdRange kGroupThirtySeconds[] = {
    {360, 360}, {377, 377}, {518, 518}, {539, 539}, {563, 563}, {566, 566}
};
constexpr IdRange kGroupTwentySixths[] = {
    {58, 58}
};
constexpr IdRange kGroupByteScale[] = {
    {16, 19}, {21, 21}, {43, 44}, {48, 49}, {114, 114}
};
constexpr IdRange kGroupByteScaleFromBelow[] = {
    {20, 20}, {45, 45}, {47, 47}, {78, 78}
};
constexpr IdRange kGroupEighthsFiveSixSwapped[] = {
    {112, 112}
};
constexpr IdRange kGroupSeventhsWithACap[] = {
    {81, 81}
};
constexpr IdRange kGroupRaw[] = {
    {212, 300}
};

constexpr IdList<LevelGroup> kLevelGroupLists[] = {
    {LevelGroup::kOffLow, kGroupOffLow},
    {LevelGroup::kOffHigh, kGroupOffHigh},
    {LevelGroup::kCentredByteScale, kGroupCentredByteScale},
    {LevelGroup::kFourSteps, kGroupFourSteps},
    {LevelGroup::kNineSteps, kGroupNineSteps},
    {LevelGroup::kEightStepsCapped, kGroupEightStepsCapped},
    {LevelGroup::kThreeStepsCapped, kGroupThreeStepsCapped},
    {LevelGroup::kFiveStepsCapped, kGroupFiveStepsCapped},
    {LevelGroup::kSevenStepsCapped, kGroupSevenStepsCapped},
    {LevelGroup::kSixteenths, kGroupSixteenths},
    {LevelGroup::kThirtySeconds, kGroupThirtySeconds},
    {LevelGroup::kTwentySixths, kGroupTwentySixths},
    {LevelGroup::kByteScale, kGroupByteScale},
    {LevelGroup::kByteScaleFromBelow, kGroupByteScaleFromBelow},
    {LevelGroup::kEighthsFiveSixSwapped, kGroupEighthsFiveSixSwapped},
    {LevelGroup::kSeventhsWithACap, kGroupSeventhsWithACap},
    {LevelGroup::kRaw, kGroupRaw},
};

// Flattens the lists into one entry per id, at compile time.
template <typename Kind, std::size_t N>
constexpr std::array<Kind, kLastLutTableId + 1> ByTableId(const IdList<Kind> (&lists)[N], Kind outside) {
  std::array<Kind, kLastLutTableId + 1> byId{};
  byId.fill(outside);
  for (const auto& list : lists) {
    for (const auto& range : list.ranges) {
      for (int id = range.first; id <= range.last; ++id) byId[id] = list.kind;
    }
  }
  return byId;
}

constexpr auto kLutClassById = ByTableId(kLutClassLists, LutClass::kNotATable);
constexpr auto kLevelGroupById = ByTableId(kLevelGroupLists, LevelGroup::kRaw);

}  // namespace

LutClass LutClassOf(int table) {
  if (table < kFirstLutTableId || table > kLastLutTableId) return LutClass::kNotATable;
  return kLutClassById[table];
}

LevelGroup LevelGroupOf(int table) {
  if (table < kFirstLutTableId || table > kLastLutTableId) return LevelGroup::kRaw;
  return kLevelGroupById[table];
}

std::span<const IdList<LutClass>> LutClassLists() { return kLutClassLists; }
std::span<const IdList<LevelGroup>> LevelGroupLists() { return kLevelGroupLists; }

}  // namespace quarnel
