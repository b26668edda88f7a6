#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

// The demonstration recording reads back as a workshop would see it.
TEST(SampleWriter, DemoRecordingRoundTrip)
{
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Vetra/TempE");
  ASSERT_TRUE(vetra::samples::WriteOsc(drive / "Vetra/TempE/demo.Osc", vetra::samples::DemoOscOptions()));
  ScopeModel model;
  ASSERT_TRUE(model.Load("demo.Osc").Ok());
  const ScopeState& s = model.State();
  EXPECT_EQ(s.shown, (std::vector<int>{0, 1, 2, 8}));
  EXPECT_EQ(s.playback.maxPosition, 7 * 700);
  EXPECT_EQ(vetra::Utf8(model.SlotTitle(0)), "채널1:1차 점화 ");
  model.SetCursorA(0);
  model.SetCursorB(699);
  EXPECT_GT(s.values[0].maximum, 250.0);  // the spark
  EXPECT_LT(s.values[0].minimum, 2.0);    // the dwell
  EXPECT_NEAR(s.values[1].frequency, 120.0, 1.5);
  EXPECT_NEAR(s.values[1].duty, 40.0, 1.0);
  EXPECT_NEAR(s.values[2].mean, 13.8, 0.05);
  EXPECT_GT(s.values[3].maximum, 5.0);  // a compression peak, in mHg
  EXPECT_LT(s.values[3].minimum, 0.5);
}

// The command-line writer, as a user or a script runs it.
TEST(SampleWriter, MakeOscProgram)
{
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Vetra/TempE");
  const std::filesystem::path program = TESSIAL_MAKE_OSC;
  const std::filesystem::path output = drive / "Vetra/TempE/cli.Osc";
  const std::string command = program.string() + " --channel 3:square,freq=1000,duty=30,range=4 --channel 9:flat,level=3072" +
                              " --timebase 2 --windows 3x2 --clamp 100 --no-tail " + output.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(std::filesystem::file_size(output), 8504u + 3 * 700 * 2 * 8);
  ScopeModel model;
  ASSERT_TRUE(model.Load("cli.Osc").Ok());
  EXPECT_EQ(model.State().shown, (std::vector<int>{3, 9}));
  EXPECT_FALSE(model.State().header.hasVersionTail);
  EXPECT_EQ(model.VoltString(0), "10.0 V");
  EXPECT_EQ(model.VoltString(1), "20.0 A");
  EXPECT_NEAR(model.State().values[0].frequency, 1000.0, 1e-6);
  EXPECT_EQ(model.State().values[0].duty, 30);
  EXPECT_NE(std::system((program.string() + " --bogus x.Osc 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace tessial
