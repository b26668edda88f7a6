#include "tools/samples/scan_sample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/tests/read_bytes.h"

namespace vetra::samples {
namespace {

using testing::FileBytes;

std::size_t Descriptor(int id) { return 226 + 157 * static_cast<std::size_t>(id); }

TEST(ScanSample, LayoutMatchesTheReader) {
  const std::pair<const char*, ScanOptions> cases[] = {
      {"defaults", {}},
      {"4-byte samples", {.itemCount = 12, .sampleCount = 60, .sampleWidth = 4, .triggerCount = 10, .markedSample = 30}},
      {"one item, one sample, no trigger", {.itemCount = 1, .sampleCount = 1, .triggerCount = 0}},
      {"limits", {.itemCount = 100, .sampleCount = 5010, .triggerCount = 3}},
  };
  vetra::testing::TempDrive drive;
  for (const auto& [name, o] : cases) {
    const auto path = drive / "a.SCN";
    std::string error;
    ASSERT_TRUE(WriteScanSample(o, path, &error)) << name << ": " << error;
    const FileBytes f(path);
    const int n = o.itemCount, samples = o.sampleCount;
    ASSERT_EQ(f.Size(), 79859u + static_cast<std::size_t>(n) * samples * o.sampleWidth + 2u * samples + 2 + 60) << name;
    EXPECT_EQ(f.Text(200, 25), o.systemText) << name;
    EXPECT_EQ(f.U8(225), n) << name;
    EXPECT_EQ(f.I8(78756), n) << name;
    std::set<int> ids;
    for (int k = 0; k < n; ++k) ids.insert(f.I8(78757 + k));
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(n)) << name;
    EXPECT_EQ(*ids.rbegin(), n - 1) << name;
    EXPECT_EQ(f.I16(78857), samples) << name;
    EXPECT_EQ(f.I32(78863) - f.I32(78859), samples * o.intervalMs / 1000) << name;
    EXPECT_EQ(f.I16(78867), o.markedSample) << name;
    EXPECT_EQ(f.U8(78869) == 4 ? 4 : 2, o.sampleWidth) << name;
    for (int id = 0; id < n; ++id) EXPECT_FALSE(f.Text(Descriptor(id), 83).empty()) << name << " id " << id;

    const std::size_t speeds = 79859 + static_cast<std::size_t>(n) * samples * o.sampleWidth;
    for (int s = 0; s < samples; s += 97) {
      EXPECT_GE(f.I16(speeds + 2 * s), 600) << name;
      EXPECT_LE(f.I16(speeds + 2 * s), 4500) << name;
    }
    const std::size_t triggers = speeds + 2 * samples;
    ASSERT_EQ(f.I16(triggers), o.triggerCount) << name;
    for (int t = 0; t < o.triggerCount; ++t) {
      EXPECT_GE(f.I16(triggers + 2 + 2 * t), 0) << name;
      EXPECT_LT(f.I16(triggers + 2 + 2 * t), samples) << name;
    }
  }
}

TEST(ScanSample, TheFirstTenItemsCoverEveryConversionType) {
  vetra::testing::TempDrive drive;
  const auto path = drive / "types.HSN";
  ASSERT_TRUE(WriteScanSample({.itemCount = 15, .sampleCount = 10}, path));
  const FileBytes f(path);
  std::set<int> types;
  for (int id = 0; id < 10; ++id) types.insert(f.I8(Descriptor(id) + 84));
  EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

  // The table of a type-3 item can also be named by a 16-bit id behind the marker 255.
  int wideTables = 0;
  for (int id = 0; id < 15; ++id) {
    const std::size_t d = Descriptor(id);
    if (f.I8(d + 84) == 3 && f.U8(d + 85) == 255) {
      ++wideTables;
      EXPECT_EQ(f.U16(d + 91), 321);
    }
  }
  EXPECT_EQ(wideTables, 1);
}

TEST(ScanSample, SamplesDecodeToPlausibleValues) {
  vetra::testing::TempDrive drive;
  const auto path = drive / "values.SCN";
  ASSERT_TRUE(WriteScanSample({.itemCount = 11, .sampleCount = 200, .shuffleIds = false}, path));
  const FileBytes f(path);
  auto sample = [&](int id, int s) { return f.I16(79859 + (static_cast<std::size_t>(id) * 200 + s) * 2); };
  // Engine speed, type 1 with a 16-bit raw value, scale 1.
  EXPECT_EQ(f.U8(Descriptor(0) + 83), 2);
  EXPECT_FLOAT_EQ(f.F32(Descriptor(0) + 85), 1.0f);
  EXPECT_NEAR(sample(0, 0), 750, 30);
  // Battery, type 10: (raw + addend) / divisor volts.
  const double volts = (sample(9, 100) + f.F32(Descriptor(9) + 85)) / f.F32(Descriptor(9) + 89);
  EXPECT_NEAR(volts, 14.1, 0.3);
  // Coolant, type 1 with an 8-bit raw value: warms up towards 92 C.
  const auto celsius = [&](int s) { return (sample(10, s) & 0xFF) * f.F32(Descriptor(10) + 85) + f.F32(Descriptor(10) + 89); };
  EXPECT_LT(celsius(0), celsius(199));
  EXPECT_NEAR(celsius(199), 90, 4);
}

TEST(ScanSample, RefusesCountsBeyondTheReadersLimits) {
  const std::pair<const char*, ScanOptions> cases[] = {
      {"items", {.itemCount = 101}},
      {"samples", {.sampleCount = 5011}},
      {"width", {.sampleWidth = 3}},
      {"triggers", {.triggerCount = 11}},
      {"mark outside", {.sampleCount = 10, .markedSample = 10}},
  };
  vetra::testing::TempDrive drive;
  for (const auto& [name, o] : cases) {
    std::string error;
    EXPECT_FALSE(WriteScanSample(o, drive / "bad.SCN", &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
  }
}

}  // namespace
}  // namespace vetra::samples
