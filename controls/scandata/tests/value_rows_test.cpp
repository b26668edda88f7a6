// Minimum and maximum of an item: the row rule of the text view, the graph's running rule and
// the rule between two cursors.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controls/scandata/core/value_rows.h"

namespace quarnel {
namespace {

constexpr ItemKind kNormal{false, false};
constexpr ItemKind kInverse{false, true};
constexpr ItemKind kReciprocal{true, true};
constexpr ItemKind kSigned16{false, false, SampleReading::signed16};
constexpr ItemKind kSigned32{false, false, SampleReading::signed32};
constexpr ItemKind kUnsigned16{false, false, SampleReading::unsigned16};
constexpr ItemKind kReciprocal16{true, true, SampleReading::unsigned16};

TEST(ItemRowRule, ColumnsFollowTheItemKind) {
  struct Case {
    const char* what;
    ItemKind kind;
    std::vector<std::int32_t> samples;
    std::optional<std::int32_t> column4, column5;
    std::int32_t min, max;  // the raw samples that set them
  };
  const Case cases[] = {
      {"normal", kNormal, {10, 40, 25}, 10, 40, 10, 40},
      {"inverse: minimum shown under the maximum", kInverse, {10, 40, 25}, 40, 10, 10, 40},
      {"reciprocal: zero is the lowest value", kReciprocal, {30, 0, 20}, 0, 20, 20, 0},
      {"reciprocal without zero", kReciprocal, {30, 50, 20}, 50, 20, 20, 50},
      {"a raw word read unsigned: -1 is the largest", kNormal, {-1, 5}, 5, -1, 5, -1},
      {"signed 32-bit item", kSigned32, {27, -100000, 99999, -10}, -100000, 99999, -100000, 99999},
      {"signed 16-bit item", kSigned16, {-1, 5, -300}, -300, 5, -300, 5},
      {"unsigned 16-bit item of a sign-extended sample", kUnsigned16, {-1, 5}, 5, -1, 5, -1},
      {"reciprocal reads 16 bits: 0x10000 is its zero", kReciprocal16, {30, 0x10000, 20}, 0x10000, 20, 20, 0x10000},
  };
  for (const Case& c : cases) {
    ItemRow row;
    for (const std::int32_t s : c.samples) UpdateItemRow(row, s, c.kind);
    EXPECT_EQ(row.value, c.samples.back()) << c.what;
    EXPECT_EQ(row.Column4(c.kind), c.column4) << c.what;
    EXPECT_EQ(row.Column5(c.kind), c.column5) << c.what;
    EXPECT_EQ(row.range.min, c.min) << c.what;
    EXPECT_EQ(row.range.max, c.max) << c.what;
  }
}

TEST(RunningRule, FeedsTheSharedRecord) {
  struct Case {
    ItemKind kind;
    std::vector<std::int32_t> values;
    std::int32_t shownMin, shownMax;
  };
  const Case cases[] = {
      {kNormal, {5, 3, 9, 4}, 3, 9},
      {kInverse, {5, 3, 9, 4}, 9, 3},
      {kReciprocal, {30, 0, 20}, 0, 20},
      {kReciprocal, {30, 40, 20}, 40, 20},
      {kSigned32, {27, -100000, 99999, -10}, -100000, 99999},
      {kSigned16, {5, -3, 9}, -3, 9},
  };
  for (const Case& c : cases) {
    MinMaxRecord record;
    for (const std::int32_t v : c.values) FeedRunningMinMax(record, v, c.kind);
    const DisplayedMinMax shown = Displayed(record, c.kind);
    EXPECT_EQ(shown.minimum, c.shownMin);
    EXPECT_EQ(shown.maximum, c.shownMax);
  }
}

TEST(RangeRule, FindsTheExtremesAndWhereTheyStand) {
  struct Case {
    ItemKind kind;
    std::vector<std::int32_t> samples;
    std::int32_t min, max;
    int minAt, maxAt;
  };
  const Case cases[] = {
      {kNormal, {5, 2, 9, 2, 9}, 2, 9, 3, 4},  // the later sample wins a tie
      {kNormal, {7}, 7, 7, 0, 0},
      {kNormal, {-1, 3}, 3, -1, 1, 0},         // a raw word read unsigned
      {kSigned32, {-1, 3, -100000}, -100000, 3, 2, 1},
      {kReciprocal, {30, 0, 20}, 20, 0, 2, 1},
      {kReciprocal, {30, 50, 20}, 20, 50, 2, 1},
  };
  for (const Case& c : cases) {
    const RangeMinMax r = RangeRule(c.samples, c.kind);
    EXPECT_EQ(r.record.min, c.min);
    EXPECT_EQ(r.record.max, c.max);
    EXPECT_EQ(r.minAt, c.minAt);
    EXPECT_EQ(r.maxAt, c.maxAt);
  }
}

}  // namespace
}  // namespace quarnel
