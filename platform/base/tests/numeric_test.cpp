#include "platform/base/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace vetra {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SaturatingCast, TruncatesTowardZeroAndClampsEachWidth)
{
  struct Case { double value; std::int64_t asInt32; std::int64_t asInt64; int asByte; int asInt16; };
  const Case cases[] = {
      {kNaN, 0, 0, 0, 0},
      {-2.9, -2, -2, 0, -2},
      {2.9, 2, 2, 2, 2},
      {300.7, 300, 300, 255, 300},
      {40000.0, 40000, 40000, 255, 32767},
      {2147483647.5, 2147483647, 2147483647, 255, 32767},
      {-2147483648.5, -2147483648LL, -2147483648LL, 0, -32768},
      {1e300, 2147483647, std::numeric_limits<std::int64_t>::max(), 255, 32767},
      {-1e300, -2147483648LL, std::numeric_limits<std::int64_t>::min(), 0, -32768},
      {kInf, 2147483647, std::numeric_limits<std::int64_t>::max(), 255, 32767},
      {-kInf, -2147483648LL, std::numeric_limits<std::int64_t>::min(), 0, -32768},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SaturatingCast<std::int32_t>(c.value), c.asInt32) << c.value;
    EXPECT_EQ(SaturatingCast<std::int64_t>(c.value), c.asInt64) << c.value;
    EXPECT_EQ(SaturatingCast<std::uint8_t>(c.value), c.asByte) << c.value;
    EXPECT_EQ(SaturatingCast<std::int16_t>(c.value), c.asInt16) << c.value;
  }
}

TEST(SaturatingCast, NarrowsIntegersAndWrapsOnRequest)
{
  EXPECT_EQ(SaturatingCast<std::int32_t>(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(SaturatingCast<std::int32_t>(-(std::int64_t{1} << 40)), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(SaturatingCast<std::uint8_t>(-1), 0);
  EXPECT_EQ(SaturatingCast<std::int32_t>(std::uint64_t{5}), 5);
  EXPECT_EQ(WrappingCast<std::int16_t>(0x18000), -32768);
  EXPECT_EQ(WrappingCast<std::int16_t>(-1), -1);
  EXPECT_EQ(WrappingCast<std::int8_t>(0x1FF), -1);
}

TEST(SaturatingArithmetic, SaturatedValuesUsedAgainStaySaturated)
{
  constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
  constexpr int kMaxInt = std::numeric_limits<int>::max();
  constexpr int kMinInt = std::numeric_limits<int>::min();
  // A display height less a saturated offset, the sums and products around it.
  EXPECT_EQ(SaturatingSubtract<std::int64_t>(97, kMin64), kMax64);
  EXPECT_EQ(SaturatingSubtract<std::int64_t>(-2, kMax64), kMin64);
  EXPECT_EQ(SaturatingSubtract<int>(2048, kMin64), kMaxInt);
  EXPECT_EQ(SaturatingSubtract<int>(2048, kMax64), kMinInt);
  EXPECT_EQ(SaturatingSubtract<int>(2048, 48), 2000);
  EXPECT_EQ(SaturatingAdd<int>(kMax64, 1), kMaxInt);
  EXPECT_EQ(SaturatingAdd<std::int64_t>(kMin64, -1), kMin64);
  EXPECT_EQ(SaturatingAdd<int>(-5, 3), -2);
  EXPECT_EQ(SaturatingMultiply<int>(kMaxInt, 4), kMaxInt);
  EXPECT_EQ(SaturatingMultiply<int>(kMinInt, 4), kMinInt);
  EXPECT_EQ(SaturatingMultiply<std::int64_t>(kMin64, -1), kMax64);
  EXPECT_EQ(SaturatingMultiply<int>(-7, 6), -42);
}

}  // namespace
}  // namespace vetra
