#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "controls/oscilloscope/core/measurement.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

// A square wave of a generated recording, measured at the cursors of a load (233 and 466) and
// then over whole periods.
TEST(Measurement, SquareWave)
{
  struct Case { int timeBase; double hertz; double duty; double frequency; int measuredDuty; int cursorB; };
  const Case cases[] = {
      {2, 1000.0, 50.0, 1000.0, 50, 675},                // 75 columns a period at 1 ms/div
      {3, 75000.0 / 70 / 1.5, 50.0, 714.2857, 50, 630},  // 70 columns a period at 1.5 ms/div
      {2, 500.0, 25.0, 500.0, 25, 600},
      {5, 100.0, 70.0, 100.0, 70, 625},
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    OscChannel square = Channel(0, OscWave::square, 5);  // 20 V range: raw 1024 is -10 V, 3072 +10 V
    square.frequencyHz = c.hertz;
    square.dutyPercent = c.duty;
    OscOptions options = Options({square, Channel(1)}, 1400);
    options.timeBase = c.timeBase;
    PutRecording(drive, vetra::samples::OscBytes(options));
    ScopeModel model;
    ASSERT_TRUE(model.Load("test.Osc").Ok());
    const DisplayValues& v = model.State().values[0];
    EXPECT_NEAR(v.frequency, c.frequency, 0.01) << c.hertz;
    EXPECT_EQ(v.duty, c.measuredDuty) << c.hertz;
    EXPECT_DOUBLE_EQ(v.maximum, 10.0);
    EXPECT_DOUBLE_EQ(v.minimum, -10.0);
    model.SetCursorA(0);
    model.SetCursorB(c.cursorB);
    EXPECT_NEAR(v.frequency, c.frequency, 0.01) << c.hertz;
    EXPECT_EQ(v.duty, c.measuredDuty) << c.hertz;
    EXPECT_NEAR(v.mean, 20.0 * c.duty / 100 - 10.0, 0.1) << c.hertz;
    // The flat channel beside it has no period.
    EXPECT_EQ(model.State().values[1].frequency, 0.0);
    EXPECT_EQ(model.State().values[1].duty, kNoDuty);
  }
}

Envelope SquareEnvelope(int periodColumns, int highColumns, int low, int high)
{
  Envelope e{};
  for (int k = 0; k < kWindowColumns; ++k) {
    const int level = k % periodColumns < highColumns ? high : low;
    e[2 * k] = level;
    e[2 * k + 1] = level;
  }
  return e;
}

// Ten rising edges 70 columns apart: span (1260 + 1) / 2 = 630 columns, 9 periods.
TEST(Measurement, FrequencyOfTenRisingEdges)
{
  const Envelope e = SquareEnvelope(70, 35, 1024, 3072);
  MeasureSetup setup;
  setup.cursorA = 1;
  setup.cursorB = 699;
  setup.timeBaseMs = 1.5;
  const RawMeasurement m = MeasureChannel(e, setup);
  EXPECT_NEAR(m.frequency, 9 * 75000.0 / 630 / 1.5, 1e-9);
  EXPECT_EQ(m.duty, 50);
  EXPECT_EQ(m.maximum, 1024);
  EXPECT_EQ(m.minimum, -1024);
}

TEST(Measurement, CursorsOnOneColumn)
{
  const Envelope e = SquareEnvelope(70, 35, 1024, 3072);
  MeasureSetup setup;
  setup.cursorA = setup.cursorB = 40;
  const RawMeasurement m = MeasureChannel(e, setup);
  EXPECT_EQ(m.atA, -1024);
  EXPECT_EQ(m.mean, -1024);
  EXPECT_EQ(m.minimum, -1024);
  EXPECT_EQ(m.maximum, -1024);
  EXPECT_EQ(m.frequency, 0.0);
  EXPECT_EQ(m.duty, kNoDuty);
}

// From range 6 the threshold is the raw level of 7 units: a 0..5 V square on the 60 V range
// never crosses it, a 0..10 V one does.
TEST(Measurement, HighRangesUseTheSevenUnitThreshold)
{
  struct Case { int high; bool periodic; };
  for (const Case c : {Case{2048 + 2048 * 5 / 60, false}, {2048 + 2048 * 10 / 60, true}}) {
    const Envelope e = SquareEnvelope(70, 35, 2048, c.high);
    MeasureSetup setup;
    setup.cursorA = 0;
    setup.cursorB = 699;
    setup.range = 6;
    setup.gain = 60.0;
    const RawMeasurement m = MeasureChannel(e, setup);
    EXPECT_EQ(m.frequency > 0, c.periodic) << c.high;
  }
}

// A calibration gain near zero puts the threshold beyond every level, in either direction:
// nothing crosses it, and the arithmetic saturates rather than overflowing.
TEST(Measurement, TinyCalibrationGainFindsNoPeriod)
{
  const Envelope e = SquareEnvelope(70, 35, 1024, 3072);
  for (const double gain : {1e-300, -1e-300, 4.9e-324}) {
    for (const double offset : {0.0, 14.0}) {
      MeasureSetup setup;
      setup.cursorA = 0;
      setup.cursorB = 699;
      setup.range = 6;
      setup.gain = gain;
      setup.offset = offset;
      const RawMeasurement m = MeasureChannel(e, setup);
      EXPECT_EQ(m.frequency, 0.0) << gain << " " << offset;
    }
  }
}

// The markers point at the last maximum and the last minimum between the cursors.
TEST(Measurement, MarkersAtTheExtremes)
{
  Envelope e;
  e.fill(2048);
  e[2 * 300] = 3000;
  e[2 * 310] = 3000;
  e[2 * 320 + 1] = 1000;
  MeasureSetup setup;
  const RawMeasurement m = MeasureChannel(e, setup);
  EXPECT_EQ(m.markerMax, 620);
  EXPECT_EQ(m.markerMin, 641);
}

// A window shorter than 700 columns measures over the columns that exist.
TEST(Measurement, ShortWindow)
{
  Envelope e = SquareEnvelope(70, 35, 1024, 3072);
  MeasureSetup setup;
  setup.validColumns = 300;
  RawMeasurement m = MeasureChannel(e, setup);
  EXPECT_EQ(m.atB, e[2 * 299] - 2048);
  setup.validColumns = 0;
  m = MeasureChannel(e, setup);
  EXPECT_EQ(m.frequency, 0.0);
  EXPECT_EQ(m.duty, kNoDuty);
}

}  // namespace
}  // namespace tessial
