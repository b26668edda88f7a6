#include <gtest/gtest.h>

#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/core/unit_settings.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

TEST(UnitSettings, Reading)
{
  const std::string longLine(499, 'k');
  struct Case { const char* what; std::optional<std::string> file; UnitChoice previous; UnitChoice read; };
  const Case cases[] = {
      {"no file", std::nullopt, {0, 0}, {3, 2}},
      {"as the dialog writes", "kpa\r\nmbar\r\n\r\n\r\n\r\n", {3, 2}, {0, 1}},
      {"capitals", "KG/CM2\r\nMBAR\r\n", {3, 2}, {2, 1}},
      {"V lines", "V\r\nV\r\n", {3, 2}, {4, 3}},
      {"vacuum psi", "psi\r\npsi\r\n", {3, 2}, {5, 4}},
      {"unknown keeps", "bars\r\n\r\n", {1, 4}, {1, 4}},
      {"LF only", "bar\nmmhg\n", {0, 0}, {1, 2}},
      {"last line without LF", "mhg\r\nkpa", {0, 1}, {3, 0}},
      {"text after CR ignored", "psi\rxx\r\nkpa\r\n", {0, 1}, {5, 0}},
      {"a NUL ends the text", std::string("bar\0xx\r\nkpa\0\r\n", 14), {0, 1}, {1, 0}},
      {"over-long line is unknown", longLine + "\r\nmbar\r\n", {2, 2}, {2, 1}},
      {"498 characters still read", std::string(498, ' ') + "\r\nkpa\r\n", {2, 2}, {2, 0}},
      {"empty file", "", {1, 1}, {1, 1}},
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    if (c.file) PutEnviro(drive, *c.file);
    EXPECT_EQ(ReadUnitSettings(c.previous), c.read) << c.what;
  }
}

TEST(UnitSettings, WritingReplacesTheWholeFile)
{
  vetra::testing::TempDrive drive;
  PutEnviro(drive, "kg/cm2\r\nmmHg\r\n\r\n\r\n\r\nsome longer earlier content\r\n");
  ASSERT_TRUE(WriteUnitSettings(PressureLineOf(0), VacuumLineOf(0)));
  EXPECT_EQ(drive.ReadFile("Vetra/Temp/enviro"), "kpa\r\nkpa\r\n\r\n\r\n\r\n");
  ASSERT_TRUE(WriteUnitSettings(PressureLineOf(4), VacuumLineOf(3)));
  EXPECT_EQ(ReadUnitSettings({}), (UnitChoice{4, 3}));
  ASSERT_TRUE(WriteUnitSettings(PressureLineOf(-1), VacuumLineOf(4)));  // no selection: empty lines
  EXPECT_EQ(drive.ReadFile("Vetra/Temp/enviro"), "\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(ReadUnitSettings({4, 3}), (UnitChoice{4, 3}));
  EXPECT_FALSE(WriteUnitSettings("kpa", "kpa", "c:\\Vetra\\Missing\\enviro"));
}

// The units button: the new choice relabels the pressure channel and converts its values.
TEST(UnitSettings, ApplyingANewChoice)
{
  vetra::testing::TempDrive drive;
  PutEnviro(drive, "kpa\r\nkpa\r\n");
  OscChannel pressure = Channel(8, OscWave::flat, 3);
  pressure.level = 2048 + 1024;
  PutRecording(drive, vetra::samples::OscBytes(Options({Channel(7), pressure})));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  EXPECT_EQ(model.VoltString(1), "1000.0 KPa");
  EXPECT_DOUBLE_EQ(model.State().values[1].atA, 500.0);
  ASSERT_TRUE(WriteUnitSettings("bar", "mbar"));
  model.ApplyUnitSettings();
  EXPECT_EQ(model.State().unitTexts[kTypePressure], "bar");
  EXPECT_EQ(model.State().unitTexts[kTypeVacuum], "mbar");
  EXPECT_EQ(model.VoltString(1), "10.0 bar");
  EXPECT_DOUBLE_EQ(model.State().values[1].atA, 5.0);
}

}  // namespace
}  // namespace tessial
