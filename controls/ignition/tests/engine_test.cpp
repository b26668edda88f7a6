#include <gtest/gtest.h>

#include "controls/ignition/core/engine.h"
#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/tests/fixtures.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

using namespace sparwen::testing;

TEST(Engine, ClassesCodesAndCoils)
{
  struct Case { int engineClass; int code; int coil; int count; const char* label; const char* order; const char* coilText; const char* message; };
  const Case cases[] = {
      {1, 1, 1, 3, "3기통", "1-3-2", "배전기", ""},
      {2, 6, 2, 4, "4기통", "1-3-2-4", "1코일-2실린더", ""},
      {3, 17, 3, 6, "6기통", "1-6-5-4-3-2", "1코일-1실린더", ""},
      {4, 26, 3, 8, "8기통", "1-8-3-6-4-5-2-7", "1코일-1실린더", ""},
      {2, 7, 3, 4, "4기통", "0-0-0-0", "1코일-1실린더", ""},  // a six-cylinder code leaves the order
      {2, 0, 0, 4, "4기통", "0-0-0-0", "header coil", ""},    // coil code 0 keeps the header's text
      {2, 31, 4, 4, "4기통", "0-0-0-0", "header coil", ""},
      {0, 3, 1, 0, "header label", "header order", "배전기", "차종선택이 잘못되었습니다. : 0"},
      {-1, 3, 0, 0, "header label", "header order", "header coil", "차종선택이 잘못되었습니다. : -1"},
      {5, 3, 0, 0, "header label", "header order", "header coil", "차종선택이 잘못되었습니다. : 5"},
  };
  for (const Case& c : cases) {
    EngineSetup setup;
    setup.cylinderLabel = "header label";
    setup.firingText = "header order";
    setup.coilText = "header coil";
    const std::string message = ApplyEngine(c.engineClass, c.code, c.coil, setup);
    EXPECT_EQ(message, vetra::Cp949(c.message)) << c.engineClass << "/" << c.code;
    EXPECT_EQ(setup.cylinderCount, c.count) << c.engineClass << "/" << c.code;
    EXPECT_EQ(setup.cylinderLabel, vetra::Cp949(c.label)) << c.engineClass << "/" << c.code;
    EXPECT_EQ(setup.firingText, c.order) << c.engineClass << "/" << c.code;
    EXPECT_EQ(setup.coilText, vetra::Cp949(c.coilText)) << c.engineClass << "/" << c.code;
  }
}

// A bad class keeps the count and order of the load before; a code of another class keeps the
// order's entries while the count changes.
TEST(Engine, KeepsEarlierEngine)
{
  EngineSetup setup;
  ApplyEngine(4, 18, 3, setup);
  EXPECT_FALSE(ApplyEngine(9, 1, 3, setup).empty());
  EXPECT_EQ(setup.cylinderCount, 8);
  ApplyEngine(2, 1, 3, setup);
  EXPECT_EQ(setup.firingText, "1-5-4-8");
}

// Every firing code read back from a recording that the sample writer made: the order the viewer
// shows equals the order the writer put into the header text.
TEST(Engine, EveryFiringCodeRoundTrip)
{
  vetra::testing::TempDrive drive;
  for (int code = 1; code <= 30; ++code) {
    const int engineClass = code <= 2 ? 1 : code <= 6 ? 2 : code <= 17 ? 3 : 4;
    IgnitionOptions o = Options(1, IgnitionKind::Secondary, 0);
    o.engineClass = engineClass;
    o.firingCode = code;
    PutRecording(drive, o);
    SparwenModel model;
    const LoadOutcome outcome = model.Load("test.Ig2");
    ASSERT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.engineMessage.empty());
    Recording r;
    ASSERT_EQ(r.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
    EXPECT_EQ(model.State().engine.firingText, r.Header().firingText) << code;
    EXPECT_EQ(model.State().Cylinders(), CylindersOfClass(engineClass));
  }
}

TEST(Engine, BadClassInRecording)
{
  vetra::testing::TempDrive drive;
  std::string bytes = PutRecording(drive, Options(1));
  PutU8(bytes, 6000, 0xFE);
  drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
  SparwenModel model;
  const LoadOutcome outcome = model.Load("test.Ig2");
  EXPECT_TRUE(outcome.ok);  // the message is shown and the load goes on
  EXPECT_EQ(outcome.engineMessage, vetra::Cp949("차종선택이 잘못되었습니다. : -2"));
  EXPECT_EQ(model.State().Cylinders(), 0);
  EXPECT_EQ(model.State().engine.cylinderLabel, vetra::Cp949("4기통"));  // the header's text stays
  EXPECT_EQ(model.FramesPerStep(), 0);
  model.RefreshFrames();  // nothing to read, nothing to divide
  model.TrendButton();

  // Loaded again after a six-cylinder recording, the bad class keeps that engine.
  IgnitionOptions six = Options(1);
  six.engineClass = 3;
  PutRecording(drive, six, "six.Ig2");
  ASSERT_TRUE(model.Load("six.Ig2").ok);
  EXPECT_FALSE(model.State().trend);
  ASSERT_TRUE(model.Load("test.Ig2").ok);
  EXPECT_EQ(model.State().Cylinders(), 6);
  EXPECT_EQ(model.State().engine.firingOrder, (FiringOrder{1, 2, 3, 4, 5, 6, 0, 0}));
  EXPECT_EQ(model.State().engine.firingText, "1-3-4-2");  // the header's text stays
}

}  // namespace
}  // namespace sparwen
