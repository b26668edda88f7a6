#include "tools/samples/ignition_sample.h"

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/tests/read_bytes.h"

namespace vetra::samples {
namespace {

using testing::FileBytes;

struct LayoutCase {
  const char* name;
  IgnitionOptions options;
  int cylinders;
  std::vector<int> markersOfStep;  // the marker of every record of one position
  int floatsInMarkedRecord;
};

IgnitionOptions With(IgnitionOptions o) { return o; }

TEST(IgnitionSample, RecordsFollowTheViewersAddressing) {
  const LayoutCase cases[] = {
      {"secondary, mode 1, two pieces", With({.frameCount = 5}), 4, {2, 1, 2, 1, 2, 1, 2, 1}, 4},
      {"primary, six cylinders, Gai", With({.kind = IgnitionKind::Primary, .engineClass = 3, .displayMode = 3, .frameCount = 3}),
       6, {2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1}, 5},
      {"time base 100 % with sweeps: four pieces", With({.engineClass = 1, .displayMode = 2, .timeBaseCode = 0, .sweepCount = 2, .frameCount = 2}),
       3, {4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1}, 4},
      {"time base 100 % without sweeps: two pieces", With({.engineClass = 1, .displayMode = 2, .timeBaseCode = 0, .sweepCount = 0, .frameCount = 2}),
       3, {2, 1, 2, 1, 2, 1}, 4},
      {"mode 0: all cylinders in one record", With({.engineClass = 4, .displayMode = 0, .frameCount = 4}), 8, {4, 3, 2, 1}, 32},
      {"mode 0 paired", With({.kind = IgnitionKind::Primary, .displayMode = 0, .paired = true, .timeBaseCode = 1, .frameCount = 4}),
       4, {4, 3, 2, 1, 4, 3, 2, 1}, 20},
  };
  vetra::testing::TempDrive drive;
  for (const auto& c : cases) {
    const auto path = drive / "sample.IG";
    std::string error;
    ASSERT_TRUE(WriteIgnitionSample(c.options, path, &error)) << c.name << ": " << error;
    const FileBytes f(path);
    const int perStep = static_cast<int>(c.markersOfStep.size());
    EXPECT_EQ(IgnitionFramesPerStep(c.options), perStep) << c.name;
    ASSERT_EQ(f.Size(), 8504u + static_cast<std::size_t>(c.options.frameCount + 1) * perStep * 1257) << c.name;
    EXPECT_EQ(f.U8(5500), c.options.kind == IgnitionKind::Secondary ? 1 : 0) << c.name;
    EXPECT_EQ(f.U8(5501), c.options.displayMode) << c.name;
    EXPECT_EQ(f.U8(5502), c.options.paired ? 1 : 0) << c.name;
    EXPECT_EQ(f.U8(5505), c.options.timeBaseCode) << c.name;
    EXPECT_EQ(f.I16(554), c.options.sweepCount) << c.name;
    EXPECT_EQ(f.U8(6000), c.options.engineClass) << c.name;
    EXPECT_EQ(f.I32(6500), c.options.frameCount) << c.name;
    EXPECT_EQ(f.Text(54, 50), Cp949(std::to_string(c.cylinders) + "기통")) << c.name;

    const bool secondary = c.options.kind == IgnitionKind::Secondary;
    for (int step = 0; step <= c.options.frameCount; ++step) {
      for (int r = 0; r < perStep; ++r) {
        const std::size_t at = 8504 + static_cast<std::size_t>(step * perStep + r) * 1257;
        ASSERT_EQ(f.U16(at + 4), c.markersOfStep[r]) << c.name << " step " << step << " record " << r;
        int highest = 0;
        for (int k = 0; k < 375; ++k) highest = std::max(highest, f.U16(at + 6 + 2 * k));
        EXPECT_LE(highest, 4095) << c.name;
        if (f.U16(at + 4) != 1) continue;
        const int n = c.floatsInMarkedRecord;
        const int rpm = f.I16(at + 756 + 4 * n);
        EXPECT_GE(rpm, 700) << c.name;
        EXPECT_LE(rpm, 2500) << c.name;
        EXPECT_EQ(f.U8(at + 758 + 4 * n), 1) << c.name;
        const float dwell = f.F32(at + 756), burn = f.F32(at + 760), spark = f.F32(at + 764), peak = f.F32(at + 768);
        EXPECT_NEAR(dwell, 3.0, 0.3) << c.name;
        EXPECT_GT(burn, 0.5) << c.name;
        EXPECT_LT(burn, 2.0) << c.name;
        EXPECT_GT(peak, 3 * spark) << c.name;
        EXPECT_GT(peak, secondary ? 8.0 : 250.0) << c.name;
      }
    }
  }
}

TEST(IgnitionSample, HeaderNamesTheEngine) {
  vetra::testing::TempDrive drive;
  const auto path = drive / "v8.IG2";
  ASSERT_TRUE(WriteIgnitionSample({.engineClass = 4, .firingCode = 26, .coilCode = 2, .frameCount = 0}, path));
  const FileBytes f(path);
  EXPECT_EQ(f.U8(6001), 26);
  EXPECT_EQ(f.U8(6002), 2);
  EXPECT_EQ(f.Text(154, 50), "1-8-3-6-4-5-2-7");
  EXPECT_EQ(f.Text(104, 50), Cp949("1코일-2실린더"));
}

TEST(IgnitionSample, AnOpenPlugLeadShowsOnItsCylinder) {
  vetra::testing::TempDrive drive;
  const auto path = drive / "fault.IG2";
  // Firing order 1-3-4-2: cylinder 4 fires third, so it is value row 2.
  ASSERT_TRUE(WriteIgnitionSample({.frameCount = 0, .faultyCylinder = 4}, path));
  const FileBytes f(path);
  auto peakOfRow = [&](int row) { return f.F32(8504 + static_cast<std::size_t>(2 * row + 1) * 1257 + 768); };
  EXPECT_GT(peakOfRow(2), 1.4 * peakOfRow(0));
  EXPECT_GT(peakOfRow(2), 1.4 * peakOfRow(3));
}

TEST(IgnitionSample, RefusesOptionsTheViewerCannotRead) {
  const std::pair<const char*, IgnitionOptions> cases[] = {
      {"engine class", {.engineClass = 5}},
      {"firing code of another class", {.engineClass = 2, .firingCode = 7}},
      {"time base not in the mode's row", {.displayMode = 1, .timeBaseCode = 4}},
      {"pairs outside mode 0", {.displayMode = 2, .paired = true}},
      {"secondary range", {.rangeIndex = 4}},
      {"faulty cylinder beyond the engine", {.engineClass = 1, .faultyCylinder = 4}},
  };
  vetra::testing::TempDrive drive;
  for (const auto& [name, options] : cases) {
    std::string error;
    EXPECT_FALSE(WriteIgnitionSample(options, drive / "bad.IG2", &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
    EXPECT_FALSE(std::filesystem::exists(drive / "bad.IG2")) << name;
  }
}

}  // namespace
}  // namespace vetra::samples
