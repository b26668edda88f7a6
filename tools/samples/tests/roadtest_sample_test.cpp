#include "tools/samples/roadtest_sample.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/base/text.h"
#include "tools/samples/tests/read_bytes.h"

namespace vetra::samples {
namespace {

using testing::FileBytes;

constexpr std::size_t Rec(int i, int field) { return 1700 + 107 * static_cast<std::size_t>(i) + field; }
constexpr std::size_t Blk(std::size_t offset) { return 1700 + offset; }

FileBytes Build(const RoadTestOptions& o) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(BuildRoadTestRecording(o, bytes, &error)) << error;
  return FileBytes(std::move(bytes));
}

TEST(RoadTestSample, ChannelsLieWhereTheLoaderLooks) {
  const struct {
    const char* name;
    RoadTestOptions options;
    std::size_t sampleStart;
  } cases[] = {
      {"new layout", {}, 44780},
      {"old layout", {.layout = RoadTestLayout::Old}, 37270},
      {"new layout, all eighty channels", {.channels = 80}, 44780},
      {"old layout, code 4, three channels at rate 2", {.layout = RoadTestLayout::Old, .recordLengthCode = 4, .channels = 3, .rate = 2}, 37270},
  };
  for (const auto& c : cases) {
    const FileBytes f = Build(c.options);
    const bool isNew = c.options.layout == RoadTestLayout::New;
    // In the old layout these bytes are already the min/max pairs, never the tag.
    EXPECT_EQ(f.Text(Blk(35410), 8) == "New1.00", isNew) << c.name;
    EXPECT_EQ(f.I8(Blk(90)), c.options.recordLengthCode) << c.name;
    EXPECT_EQ(f.Text(0, 50), Cp949("현대자동차")) << c.name;
    const int length = RoadRecordLength(c.options.recordLengthCode);
    std::size_t offset = c.sampleStart;
    for (int i = 0; i < 80; ++i) {
      const int rate = f.I8(Rec(i, 157));
      if (i >= c.options.channels) {
        EXPECT_EQ(rate, 0) << c.name;
        continue;
      }
      ASSERT_TRUE(rate == 50 || rate == 25 || rate == 10 || rate == 5 || rate == 2 || rate == 1) << c.name;
      EXPECT_FALSE(f.Text(Rec(i, 117), 40).empty()) << c.name;
      const std::size_t count = static_cast<std::size_t>(length) * rate / 50;
      ASSERT_LE(offset + count, f.Size()) << c.name;
      const auto first = f.bytes.begin() + static_cast<std::ptrdiff_t>(offset);
      const auto [lo, hi] = std::minmax_element(first, first + static_cast<std::ptrdiff_t>(count));
      const std::size_t pair = c.sampleStart - 160 + 2 * static_cast<std::size_t>(i);
      EXPECT_EQ(f.U8(pair), *lo) << c.name << " channel " << i;
      EXPECT_EQ(f.U8(pair + 1), *hi) << c.name << " channel " << i;
      EXPECT_GT(*hi, *lo) << c.name << " channel " << i << " carries a signal";
      offset += count;
    }
    EXPECT_EQ(offset, f.Size()) << c.name;
  }
}

TEST(RoadTestSample, DerivedItemsNameTheirSourcesAndTyre) {
  const FileBytes fresh = Build({.tyreWidth = 215, .tyreAspect = 55, .tyreRim = 17});
  const FileBytes old = Build({.layout = RoadTestLayout::Old, .tyreWidth = 215, .tyreAspect = 55, .tyreRim = 17});
  const auto findType = [](const FileBytes& f, int type) {
    for (int i = 80; i < 100; ++i) if (f.I16(Rec(i, 158)) == type && f.I8(Rec(i, 157)) != 0) return i;
    return -1;
  };
  // New layout: the wheel speed item carries pulses per group, threshold and tyre as floats.
  const int wheel = findType(fresh, 1200);
  ASSERT_GE(wheel, 80);
  const int source = fresh.U8(Rec(wheel, 160));
  EXPECT_EQ(fresh.I8(Rec(wheel, 157)), fresh.I8(Rec(source - 1, 157)));
  const std::size_t extra = Blk(35420 + 75 * static_cast<std::size_t>(wheel));
  EXPECT_FLOAT_EQ(fresh.F32(extra + 11), 48.0f);
  EXPECT_FLOAT_EQ(fresh.F32(extra + 27), 2.5f);
  EXPECT_FLOAT_EQ(fresh.F32(extra + 31), 215.0f);
  EXPECT_FLOAT_EQ(fresh.F32(extra + 35), 55.0f);
  EXPECT_FLOAT_EQ(fresh.F32(extra + 39), 17.0f);
  EXPECT_DOUBLE_EQ(fresh.F64(Blk(33810 + 16 * static_cast<std::size_t>(wheel)) + 8), 250.0);
  // Old layout: the tyre as 1-based table indexes in text.
  const int oldWheel = findType(old, 3200);
  ASSERT_GE(oldWheel, 80);
  const std::size_t tyre = Blk(10810 + 180 * static_cast<std::size_t>(oldWheel));
  EXPECT_EQ(old.Text(tyre, 20), "14");
  EXPECT_EQ(old.Text(tyre + 20, 20), "6");
  EXPECT_EQ(old.Text(tyre + 40, 20), "8");
  EXPECT_EQ(findType(old, 1300), -1);  // new-layout types stay out of old recordings
  // The coolant sensor is recorded in volts; a derived table item on it names its table and
  // shows degrees Celsius, at the sensor's rate.
  for (const FileBytes* f : {&fresh, &old}) {
    EXPECT_EQ(f->U8(Rec(8, 200)), 1);
    EXPECT_EQ(f->I16(Rec(8, 158)), 0);
    const int coolant = findType(*f, 201);
    ASSERT_GE(coolant, 80);
    EXPECT_EQ(f->U8(Rec(coolant, 160)), 9);
    EXPECT_EQ(f->U8(Rec(coolant, 161)), 7);
    EXPECT_EQ(f->U8(Rec(coolant, 200)), 16);
    EXPECT_EQ(f->I8(Rec(coolant, 157)), f->I8(Rec(8, 157)));
  }
}

TEST(RoadTestSample, ChannelCountFlagAndRefusals) {
  EXPECT_EQ(Build({.allEighty = false}).U8(Blk(91)), 0);
  EXPECT_EQ(Build({}).U8(Blk(91)), 1);
  const std::pair<const char*, RoadTestOptions> bad[] = {
      {"length code", {.recordLengthCode = 6}},
      {"rate", {.rate = 20}},
      {"tyre outside the table", {.tyreWidth = 295}},
      {"channels", {.channels = 81}},
  };
  for (const auto& [name, o] : bad) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(BuildRoadTestRecording(o, bytes, &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
  }
}

}  // namespace
}  // namespace vetra::samples
