#include <gtest/gtest.h>

#include "controls/oscilloscope/core/scales.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/core/time_texts.h"
#include "controls/oscilloscope/tests/fixtures.h"
#include "platform/base/text.h"

namespace tessial {
namespace {

using namespace tessial::testing;

// The scale-top and scale-bottom texts of each channel type, loaded from a generated recording
// with a settings file.
TEST(ScaleTexts, PerChannelTypeAndUnitChoice)
{
  struct Case {
    int type;
    int range;
    const char* enviro;  // settings file, nullptr for none
    int pressureFlag;
    bool clamp1000;
    const char* top;     // UTF-8
    const char* bottom;
  };
  const Case cases[] = {
      {0, 5, nullptr, 0, true, "20.0 V", "-20.0 V"},
      {3, 0, nullptr, 0, true, "0.3 V", "-0.3 V"},
      {6, 2, nullptr, 0, true, "3.0 A", "-3.0 A"},
      {6, 5, nullptr, 0, true, "30.0 A", "-30.0 A"},
      {7, 1, nullptr, 0, true, "508.8 ㎜Hg", "-377.1 ㎜Hg"},
      {7, 1, "kpa\r\nkpa\r\n", 0, true, "67.8 KPa", "-50.3 KPa"},
      {7, 0, "kpa\r\nV\r\n", 0, true, "0.3 V", "-0.3 V"},
      {7, 2, "kpa\r\npsi\r\n", 0, true, "18.4 psi", "-15.9 psi"},
      {8, 3, nullptr, 0, true, "7.5 mHg", "-7.5 mHg"},
      {8, 3, "kpa\r\n", 0, true, "1000.0 KPa", "-1000.0 KPa"},
      {8, 3, "kpa\r\n", 1, true, "980.7 KPa", "-980.7 KPa"},
      {8, 3, "kpa\r\n", 2, true, "1568.1 KPa", "-1568.1 KPa"},
      {8, 1, "kg/cm2\r\n", 0, true, "2.0 ㎏/㎠", "-2.0 ㎏/㎠"},
      {8, 4, "psi\r\n", 1, true, "355.5 psi", "-355.5 psi"},
      {9, 1, nullptr, 0, true, "200.0 A", "-200.0 A"},
      {9, 1, nullptr, 0, false, "20.0 A", "-20.0 A"},
      {10, 2, nullptr, 0, true, "10.0 KV", "-10.0 KV"},
      {11, 0, nullptr, 0, true, "10.0 V", "-10.0 V"},
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    if (c.enviro != nullptr) PutEnviro(drive, c.enviro);
    OscOptions options = Options({Channel(c.type, OscWave::flat, c.range)});
    options.pressureUnitFlag = c.pressureFlag;
    options.clamp1000 = c.clamp1000;
    PutRecording(drive, vetra::samples::OscBytes(options));
    ScopeModel model;
    ASSERT_TRUE(model.Load("test.Osc").Ok());
    EXPECT_EQ(vetra::Utf8(model.VoltString(0)), c.top) << c.type << " " << c.range;
    EXPECT_EQ(vetra::Utf8(model.State().bottomTexts[c.type]), c.bottom) << c.type << " " << c.range;
    EXPECT_EQ(model.VoltString(1), "");
  }
}

TEST(ScaleTexts, SlotTitles)
{
  vetra::testing::TempDrive drive;
  OscOptions options = Options({Channel(1), Channel(9)});
  options.channels[0].title = vetra::Cp949("산소 센서");
  options.clamp1000 = false;
  PutRecording(drive, vetra::samples::OscBytes(options));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  EXPECT_EQ(vetra::Utf8(model.SlotTitle(0)), "채널2:산소 센서 ");
  EXPECT_EQ(vetra::Utf8(model.SlotTitle(1)), "대전류-100A ");
}

// Raw values through calibration and unit: vacuum in V, high current on the 100 A clamp with its
// zero, pressure with the flag-2 factor.
TEST(UnitConversion, RawToUnits)
{
  RecordingHeader header;
  header.calibration.gain[kTypeVacuum][1] = 2.5;
  header.calibration.gain[kTypeHighCurrent][0] = 1.0;
  header.calibration.zeros[kZeroHighCurrent100] = 3.0;
  header.calibration.gain[kTypePressure][0] = 1.0;
  header.calibration.offset[kTypeIgnitionSecondary][0] = -2048;
  header.blockA.channels[kTypeVacuum].range = 1;
  header.blockA.channels[kTypeHighCurrent].range = 1;
  header.blockA.channels[kTypePressure].range = 3;
  header.blockA.channels[kTypeIgnitionSecondary].range = 0;
  header.blockA.clamp = 0;
  header.pressureUnitFlag = 2;
  UnitSelection units;
  units.vacuum = 3;
  units.pressure = 0;
  units.pressureTable = UnitSelection::MakePressureUnitTable(2);
  const ChannelScales scales(header, units);
  const double vacuum = 23.62 * (2.5 * 1024 / 2048.0);
  EXPECT_DOUBLE_EQ(scales.RawToUnits(kTypeVacuum, 1024), (vacuum + 8.78) * 0.04233700254022015 - 0.3717188823031329);
  EXPECT_DOUBLE_EQ(scales.RawToUnits(kTypeHighCurrent, 2048), 1000.0 / 10 * 1.0 - 3.0);
  EXPECT_DOUBLE_EQ(scales.RawToUnits(kTypePressure, 1024), 0.5 * 980.7 * 1.599);
  EXPECT_DOUBLE_EQ(scales.RawToUnits(kTypeIgnitionSecondary, 1024), 13.824 * 1024 / 2048);
}

TEST(TimeTexts, CursorDifference)
{
  struct Case { int a; int b; int timeBase; int compression; const char* text; };
  for (const Case c : {Case{233, 308, 2, 1, "1.0 ms"}, {308, 233, 12, 1, "1.5 s"}, {0, 1, 0, 1, "3.3 us"},
                       {233, 466, 3, 1, "4.7 ms"}, {233, 466, 3, 10, "46.6 ms"}, {100, 100, 5, 1, "0.0 us"},
                       {0, 699, 12, 10, "139.8 s"}}) {
    EXPECT_EQ(CursorDifferenceText(c.a, c.b, c.timeBase, c.compression), c.text) << c.a << " " << c.b;
  }
}

TEST(TimeTexts, TimeBaseAndAxis)
{
  struct Case { int timeBase; int compression; const char* text; double axis; const char* unit; };
  for (const Case c : {Case{0, 1, "250us/div", 0.25, "ms"}, {1, 3, "1500us/div", 1.5, "ms"}, {2, 1, "1.0ms/div", 1.0, "ms"},
                       {7, 2, "60.0ms/div", 60.0, "ms"}, {8, 1, "60.0ms/div", 0.06, "s"}, {10, 10, "3000.0ms/div", 3.0, "s"},
                       {11, 1, "0.6s/div", 0.6, "s"}, {12, 10, "15.0s/div", 15.0, "s"}}) {
    EXPECT_EQ(TimeBaseText(c.timeBase, c.compression), c.text);
    const TimeAxis axis = MakeTimeAxis(c.timeBase, c.compression);
    EXPECT_DOUBLE_EQ(axis.value, c.axis);
    EXPECT_EQ(axis.unit, c.unit);
  }
}

TEST(MeasureTexts, Forms)
{
  struct Frequency { double hertz; const char* text; };
  for (const Frequency c : {Frequency{0, ": -----"}, {9000, ": 9KHz"}, {12345, ": 12KHz"}, {8999.9, ": 8999Hz"},
                            {1.5, ": 1Hz"}, {1, ": 1.0Hz"}, {0.25, ": 0.2Hz"}}) {
    EXPECT_EQ(FrequencyText(c.hertz), c.text) << c.hertz;
  }
  struct Value { double value; const char* text; };
  for (const Value c : {Value{1000, ": 1000"}, {-1000, ": -1000"}, {100, ": 100.0"}, {99.994, ": 99.99"}, {-0.5, ": -0.50"}}) {
    EXPECT_EQ(ValueText(c.value), c.text) << c.value;
  }
  EXPECT_EQ(DutyText(kNoDuty), ": -----");
  EXPECT_EQ(DutyText(30), ": 70 %");
}

}  // namespace
}  // namespace tessial
