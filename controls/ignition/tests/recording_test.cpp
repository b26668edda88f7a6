#include <gtest/gtest.h>

#include "controls/ignition/core/recording.h"
#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/tests/fixtures.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

using namespace sparwen::testing;

TEST(Recording, HeaderRoundTrip)
{
  vetra::testing::TempDrive drive;
  IgnitionOptions o = Options(1, IgnitionKind::Secondary, 12);
  o.engineClass = 3;
  o.firingCode = 10;
  o.coilCode = 2;
  o.timeBaseCode = 0;
  o.sweepCount = 1;
  o.rangeIndex = 1;
  o.scaleByte = 7;
  PutRecording(drive, o);

  Recording r;
  ASSERT_EQ(r.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
  const IgnitionHeader& h = r.Header();
  EXPECT_EQ(h.settings.ignitionKind, 1);
  EXPECT_EQ(h.settings.displayMode, 1);
  EXPECT_EQ(h.settings.pairedFlag, 0);
  EXPECT_EQ(h.settings.timeBaseCode, 0);
  EXPECT_EQ(h.settings.scaleByte, 7);
  EXPECT_EQ(h.settings.rangeIndex, 1);
  EXPECT_EQ(h.sweepCount, 1);
  EXPECT_EQ(h.engineClass, 3);
  EXPECT_EQ(h.firingCode, 10);
  EXPECT_EQ(h.coilCode, 2);
  EXPECT_EQ(h.frameCount, 12);
  EXPECT_EQ(h.cylinderLabel, vetra::Cp949("6기통"));
  EXPECT_EQ(h.coilText, vetra::Cp949("1코일-2실린더"));
  EXPECT_EQ(h.firingText, "1-4-2-5-3-6");
  // Six cylinders of four pieces per position, positions 0..12.
  EXPECT_EQ(r.RecordCount(), 13 * 6 * 4);
}

// Every step of every layout reads back: markers count the pieces down to 1, the record marked 1
// carries the values, the engine speed and the identified-cylinder byte.
TEST(Recording, FramesRoundTrip)
{
  struct Case { int mode; bool paired; IgnitionKind kind; int timeBase; std::vector<int> markers; int valueFields; };
  const Case cases[] = {
      {0, false, IgnitionKind::Secondary, 1, {4, 3, 2, 1}, 16},
      {0, true, IgnitionKind::Primary, 2, {4, 3, 2, 1, 4, 3, 2, 1}, 20},
      {1, false, IgnitionKind::Secondary, 2, {2, 1, 2, 1, 2, 1, 2, 1}, 4},
      {3, false, IgnitionKind::Primary, 0, {4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1}, 5},
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    IgnitionOptions o = Options(c.mode, c.kind, 3);
    o.paired = c.paired;
    o.timeBaseCode = c.timeBase;
    PutRecording(drive, o);
    Recording r;
    ASSERT_EQ(r.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
    const int perStep = static_cast<int>(c.markers.size());
    ASSERT_EQ(perStep, vetra::samples::IgnitionFramesPerStep(o)) << c.mode;
    ASSERT_EQ(r.RecordCount(), 4 * perStep);
    FrameRecord f;
    for (int i = 0; i < perStep; ++i) {
      ASSERT_TRUE(r.ReadRecord(perStep * 2 + i, c.valueFields, f));
      EXPECT_EQ(f.marker, c.markers[static_cast<std::size_t>(i)]) << c.mode << " record " << i;
      EXPECT_EQ(f.cylinderSync, 1);
      EXPECT_GT(f.rpm, 500);
      EXPECT_LT(f.rpm, 3000);
      EXPECT_NEAR(f.values[0], 3.0, 0.2);  // dwell of the first cylinder in the record
      int nonZero = 0;
      for (auto s : f.samples) nonZero += s != 0;
      EXPECT_EQ(nonZero, kSamplesPerRecord);
    }
    EXPECT_FALSE(r.ReadRecord(4 * perStep, c.valueFields, f));
    EXPECT_FALSE(r.ReadRecord(-1, c.valueFields, f));
  }
}

// Records read out of a read-ahead piece are the records read one by one, for pieces inside the
// file, reaching past its end or before its start; records outside the piece still read singly.
TEST(Recording, ReadAheadGivesTheRecordsReadSingly)
{
  vetra::testing::TempDrive drive;
  PutRecording(drive, Options(1, IgnitionKind::Secondary, 6));
  Recording single;
  Recording ahead;
  ASSERT_EQ(single.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
  ASSERT_EQ(ahead.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
  const std::int64_t count = single.RecordCount();
  const struct { std::int64_t first, length; } pieces[] = {{0, count}, {5, 7}, {count - 3, 10}, {-4, 6}, {count + 2, 5}};
  for (const auto& piece : pieces) {
    ahead.ReadAhead(piece.first, piece.length);
    for (std::int64_t index = -1; index <= count; ++index) {
      FrameRecord expected;
      FrameRecord got;
      const bool read = single.ReadRecord(index, 8, expected);
      ASSERT_EQ(ahead.ReadRecord(index, 8, got), read) << piece.first << " record " << index;
      EXPECT_EQ(got.marker, expected.marker) << piece.first << " record " << index;
      EXPECT_EQ(got.samples, expected.samples) << piece.first << " record " << index;
      EXPECT_EQ(got.values, expected.values) << piece.first << " record " << index;
      EXPECT_EQ(got.rpm, expected.rpm) << piece.first << " record " << index;
    }
    ahead.DropReadAhead();
  }
}

TEST(Recording, BoundedTexts)
{
  vetra::testing::TempDrive drive;
  std::string bytes = PutRecording(drive, Options(1));
  for (std::size_t i = 54; i < 104; ++i) bytes[i] = 'A';  // no terminator: the field ends the text
  drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
  Recording r;
  ASSERT_EQ(r.Open("c:\\Vetra\\TempE\\test.Ig2"), RecordingError::none);
  EXPECT_EQ(r.Header().cylinderLabel, std::string(50, 'A'));
  EXPECT_EQ(r.Header().coilText, vetra::Cp949("1코일-1실린더"));
}

TEST(Recording, RefusedFiles)
{
  vetra::testing::TempDrive drive;
  std::string bytes = PutRecording(drive, Options(1));
  drive.WriteFile(WorkingCopy("short.Ig2"), bytes.substr(0, 8503));
  drive.WriteFile(WorkingCopy("header.Ig2"), bytes.substr(0, 8504));
  struct Case { std::string name; bool ok; };
  const Case cases[] = {{"missing.Ig2", false}, {"short.Ig2", false}, {"..\\test.Ig2", false}, {"sub/test.Ig2", false},
                        {"", false}, {"header.Ig2", true}, {"test.Ig2", true}};
  for (const Case& c : cases) {
    SparwenModel model;
    const LoadOutcome outcome = model.Load(c.name);
    EXPECT_EQ(outcome.ok, c.ok) << c.name;
    EXPECT_EQ(model.IsLoaded(), c.ok) << c.name;
    EXPECT_EQ(outcome.path, "c:\\Vetra\\TempE\\" + c.name);
    EXPECT_EQ(outcome.message, c.ok ? "" : vetra::Cp949("저장 파일 오픈 Error : c:\\Vetra\\TempE\\") + c.name);
  }
}

// The header's frame count is checked against the records the file holds.
TEST(Recording, FrameCountFromFile)
{
  struct Case { std::int32_t written; std::size_t cutRecords; int expected; };
  const Case cases[] = {
      {10, 0, 10},
      {-7, 0, 0},                 // negative counts as 0
      {5000, 0, 10},              // more than the file holds: the positions it holds
      {10, 3, 9},                 // a cut last position is not shown
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    std::string bytes = PutRecording(drive, Options(1, IgnitionKind::Secondary, 10));  // 8 records a position
    PutI32(bytes, 6500, c.written);
    bytes.resize(bytes.size() - c.cutRecords * 1257 - (c.cutRecords ? 100 : 0));
    drive.WriteFile(WorkingCopy("test.Ig2"), bytes);
    SparwenModel model;
    ASSERT_TRUE(model.Load("test.Ig2").ok);
    EXPECT_EQ(model.Playback().frameCount, c.expected) << c.written;
    EXPECT_EQ(model.Bars().frameMax, c.expected);
    EXPECT_EQ(model.Playback().Position(), c.expected);
  }
}

}  // namespace
}  // namespace sparwen
