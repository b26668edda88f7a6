#include "controls/roadtest/core/tables.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/lut.h"
#include "platform/base/current_directory.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/lut_sample.h"

namespace morvit {
namespace {

TEST(TyreTable, MatchesTheRowsOfTheFactorTable) {
  struct Row {
    int width, aspect;
    std::array<double, 11> rims;
  };
  const Row rows[] = {
      {150, 30, {1.448757, 1.349140, 1.262341, 1.186036, 1.118430, 1.058115, 1.003973, 0.955102, 0.910768, 0.870367, 0.833398}},
      {155, 65, {1.094121, 1.036332, 0.984342, 0.937319, 0.894583, 0.855575, 0.819826, 0.786945, 0.756600, 0.728508, 0.702427}},
      {215, 60, {0.973383, 0.927377, 0.885523, 0.847284, 0.812210, 0.779925, 0.750109, 0.722488, 0.696829, 0.672930, 0.650617}},
      {285, 80, {0.701933, 0.677689, 0.655063, 0.633900, 0.614061, 0.595427, 0.577890, 0.561356, 0.545743, 0.530974, 0.516984}},
      {290, 80, {0.701933, 0.677689, 0.655063, 0.633900, 0.614061, 0.595427, 0.577890, 0.561356, 0.545743, 0.530974, 0.516984}},
  };
  for (const Row& row : rows) {
    for (int rim = 10; rim <= 20; ++rim) {
      const auto factor = TyreFactorFromSize(static_cast<float>(row.width), static_cast<float>(row.aspect), static_cast<float>(rim));
      ASSERT_TRUE(factor) << row.width << " " << row.aspect << " " << rim;
      EXPECT_NEAR(*factor, row.rims[static_cast<std::size_t>(rim - 10)], 1.5e-6) << row.width << " " << row.aspect << " " << rim;
    }
  }
}

TEST(TyreTable, LookUpsAndTyresOutsideTheTable) {
  // Old-layout indexes are 1-based: width 5, aspect 7, rim 5 is 170 mm, 60 %, 14 in.
  EXPECT_EQ(TyreFactorFromIndexes(5, 7, 5), TyreFactorFromSize(170, 60, 14));
  // The fraction of a width is dropped before dividing by 5.
  EXPECT_EQ(TyreFactorFromSize(155.9f, 65, 15), TyreFactorFromSize(155, 65, 15));
  const struct {
    float width, aspect, rim;
  } outside[] = {{145, 60, 15}, {295, 60, 15}, {205, 25, 15}, {205, 85, 15}, {205, 60, 9}, {205, 60, 21}, {NAN, 60, 15}, {1e30f, 60, 15}};
  for (const auto& t : outside) EXPECT_FALSE(TyreFactorFromSize(t.width, t.aspect, t.rim)) << t.width << " " << t.aspect << " " << t.rim;
  EXPECT_FALSE(TyreFactorFromIndexes(0, 1, 1));
  EXPECT_FALSE(TyreFactorFromIndexes(30, 1, 1));
  EXPECT_FALSE(TyreFactorFromIndexes(1, 12, 1));
}

TEST(Tables, UnitNamesAndCodings) {
  EXPECT_EQ(UnitName(6), vetra::Cp949("˚"));
  EXPECT_EQ(UnitName(15), vetra::Cp949("℃"));
  EXPECT_EQ(UnitName(17), "bar");
  EXPECT_EQ(UnitName(18), "");
  EXPECT_EQ(UnitOfCode(0), "");
  EXPECT_EQ(UnitOfCode(5), "RPM");
  EXPECT_EQ(UnitOfCode(200), "");
  EXPECT_EQ(ResolutionOfCoding(14), 0.15625);
  EXPECT_EQ(ResolutionOfCoding(15), 0.0);
  EXPECT_FALSE(CodingFullScale(10));
}

TEST(Tables, MinMaxRangeBytes) {
  Recording r;
  r.channels[75] = {.rate = 50, .coding = 1, .rangeCode = 1};
  r.channels[0] = {.rate = 50, .coding = 2, .rangeCode = 2};
  r.channels[1] = {.rate = 50, .coding = 2, .rangeCode = 0};
  r.minMax[1] = {3, 9};
  ApplyMinMaxRange(r);
  EXPECT_EQ(r.minMax[75].high, 139);
  EXPECT_EQ(r.minMax[75].low, 115);
  EXPECT_EQ(r.minMax[0].high, 255);
  EXPECT_EQ(r.minMax[0].low, 0);
  EXPECT_EQ(r.minMax[1].low, 3);  // range code 0 keeps the recorded pair
  EXPECT_EQ(r.minMax[1].high, 9);
}

TEST(Luts, TablesAreReadFromTheStartFolder) {
  vetra::testing::TempDrive drive;
  const auto folder = drive / "Vetra/Bin/Data/LUT";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(vetra::samples::WriteLutSample({.number = 7, .kind = vetra::samples::LutKind::Linear, .low = 10, .high = 265}, folder));
  ASSERT_TRUE(vetra::samples::WriteLutSample({.number = 123, .kind = vetra::samples::LutKind::Linear, .low = 0, .high = 255}, folder));
  // A short table: 100 whole entries and a piece of the next.
  const std::string whole = vetra::testing::ReadWholeFile(folder / "Lut07.DAT");
  drive.WriteFile("Vetra/Bin/Data/LUT/Lut05.DAT", whole.substr(0, 8 * 100 + 3));

  ASSERT_TRUE(vetra::ChangeCurrentDirectory("C:\\Vetra\\Bin"));
  const LutStore luts;
  ASSERT_TRUE(vetra::ChangeCurrentDirectory("C:\\Vetra"));  // a save dialog moved elsewhere

  EXPECT_EQ(LutFileName(3), "Lut03.DAT");
  EXPECT_EQ(LutFileName(123), "Lut123.DAT");
  EXPECT_DOUBLE_EQ(luts.Load(7)[0], 10.0);
  EXPECT_DOUBLE_EQ(luts.Load(7)[255], 265.0);
  EXPECT_DOUBLE_EQ(luts.Load(123)[255], 255.0);
  const LutTable shortTable = luts.Load(5);
  EXPECT_DOUBLE_EQ(shortTable[99], 109.0);
  EXPECT_EQ(shortTable[100], 0.0);
  // A missing table is zeros, whatever was read before.
  const LutTable missing = luts.Load(8);
  EXPECT_TRUE(std::all_of(missing.begin(), missing.end(), [](double v) { return v == 0.0; }));
}

}  // namespace
}  // namespace morvit
