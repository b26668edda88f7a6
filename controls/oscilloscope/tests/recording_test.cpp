#include <gtest/gtest.h>

#include "controls/oscilloscope/core/recording.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tests/fixtures.h"

namespace tessial {
namespace {

using namespace tessial::testing;

constexpr char kPath[] = "c:\\Vetra\\TempE\\test.Osc";

TEST(RecordingHeader, TablesOfAGeneratedFile)
{
  vetra::testing::TempDrive drive;
  OscOptions options = Options({Channel(0, OscWave::flat, 7), Channel(6), Channel(8), Channel(9)});
  options.timeBase = 6;
  options.clamp1000 = false;
  options.lowCurrentZero = 0.25f;
  options.highCurrentZero1000 = 1.5f;
  options.highCurrentZero100 = -2.5f;
  options.pressureZero = 0.125f;
  options.pressureUnitFlag = 2;
  options.newLowCurrentProbe = true;
  options.channels[1].title = vetra::Cp949("흡기 센서");
  std::string bytes = vetra::samples::OscBytes(options);
  PutFloat(bytes, 5500 + (2 * 10 + 4) * 4, 9.75f);  // gain of type 2 at range 4
  PutFloat(bytes, 5780 + (2 * 10 + 4) * 4, -0.5f);  // its offset
  PutRecording(drive, bytes);

  Recording recording;
  ASSERT_EQ(recording.Open(kPath), RecordingError::none);
  const RecordingHeader& h = recording.Header();
  const Calibration& cal = h.calibration;
  EXPECT_DOUBLE_EQ(cal.gain[2][4], 9.75);
  EXPECT_DOUBLE_EQ(cal.offset[2][4], -0.5);
  EXPECT_FLOAT_EQ(cal.gain[5][9], 600.0f);
  EXPECT_FLOAT_EQ(cal.gain[6][2], 4.5f);
  EXPECT_FLOAT_EQ(cal.gain[7][1], 2.5f);
  EXPECT_DOUBLE_EQ(cal.gain[8][0], 1.0);
  EXPECT_DOUBLE_EQ(cal.gain[9][0], 1.0);
  EXPECT_DOUBLE_EQ(cal.gain[8][1], 0.0);  // cells the file does not fill
  EXPECT_DOUBLE_EQ(cal.offset[10][0], -2048.0);
  EXPECT_TRUE(cal.lowCurrentProbe);
  EXPECT_EQ(cal.zeros, (std::array<double, 7>{0.25, 0.25, 0.25, 0.25, 1.5, -2.5, 0.125}));
  EXPECT_TRUE(h.hasVersionTail);
  EXPECT_FLOAT_EQ(h.version, 1.01f);
  EXPECT_EQ(h.pressureUnitFlag, 2);
  EXPECT_EQ(h.blockA.timeBase, 6);
  EXPECT_FALSE(h.blockA.Clamp1000());
  EXPECT_EQ(h.blockA.channels[0].range, 7);
  EXPECT_EQ(h.blockA.channels[6].range, 2);
  EXPECT_EQ(h.blockB.texts[6], vetra::Cp949("흡기 센서"));
  EXPECT_EQ(recording.ShownTypes(), (std::vector<int>{0, 6, 8, 9}));
  EXPECT_EQ(recording.Steps(), 700);
}

// Offsets of the ignition and spare types strictly inside -10..10 mean "none recorded".
TEST(RecordingHeader, IgnitionOffsetsNearZeroReadAsNone)
{
  struct Case { float stored; double read; };
  for (const Case c : {Case{-5.0f, -2048}, {9.99f, -2048}, {-10.0f, -10.0}, {10.0f, 10.0}, {300.0f, 300.0}}) {
    std::string bytes = vetra::samples::OscHeader(Options({Channel(0)}));
    PutFloat(bytes, 6064, c.stored);
    PutFloat(bytes, 6072, c.stored);
    const RecordingHeader h = ParseHeader(std::span<const std::uint8_t, osc::kHeaderSize>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), osc::kHeaderSize));
    EXPECT_NEAR(h.calibration.offset[kTypeIgnitionSecondary][0], c.read, 1e-4) << c.stored;
    EXPECT_NEAR(h.calibration.offset[kTypeSpare][0], c.read, 1e-4) << c.stored;
  }
}

TEST(RecordingHeader, VersionTail)
{
  struct Case { bool tail; float version; int flagByte; int flag; double pressureZero; };
  for (const Case c : {Case{true, 1.01f, 1, 1, 0.5}, {true, 1.00f, 1, 0, 0.5}, {true, 1.02f, -1, -1, 0.5}, {false, 1.01f, 1, 0, 0.0}}) {
    OscOptions options = Options({Channel(8)});
    options.versionTail = c.tail;
    options.version = c.version;
    options.pressureUnitFlag = c.flagByte;
    options.pressureZero = 0.5f;
    options.lowCurrentZero = 0.75f;
    const std::string bytes = vetra::samples::OscHeader(options);
    const RecordingHeader h = ParseHeader(std::span<const std::uint8_t, osc::kHeaderSize>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), osc::kHeaderSize));
    EXPECT_EQ(h.hasVersionTail, c.tail);
    EXPECT_EQ(h.pressureUnitFlag, c.flag) << c.version;
    EXPECT_DOUBLE_EQ(h.calibration.zeros[kZeroPressure], c.pressureZero);
    EXPECT_DOUBLE_EQ(h.calibration.zeros[3], 0.75);
  }
}

TEST(RecordingHeader, IndexesOutOfTheirTablesTakeDefaults)
{
  std::string bytes = vetra::samples::OscHeader(Options({Channel(0, OscWave::flat, 10), Channel(6, OscWave::flat, -3),
                                                         Channel(10, OscWave::flat, 4), Channel(11, OscWave::flat, 1)}));
  PutInt(bytes, 6512 + 24, 13);  // time base
  const RecordingHeader h = ParseHeader(std::span<const std::uint8_t, osc::kHeaderSize>(
      reinterpret_cast<const std::uint8_t*>(bytes.data()), osc::kHeaderSize));
  EXPECT_EQ(h.blockA.timeBase, 3);
  EXPECT_EQ(h.blockA.channels[0].range, 5);
  EXPECT_EQ(h.blockA.channels[6].range, 2);
  EXPECT_EQ(h.blockA.channels[10].range, 0);
  EXPECT_EQ(h.blockA.channels[11].range, 0);  // its default 2 lies outside its table as well
}

TEST(RecordingWindow, StepsHoldShownChannelsInTypeOrder)
{
  vetra::testing::TempDrive drive;
  OscChannel a = Channel(9);
  a.level = 100;
  OscChannel b = Channel(0);
  b.level = 200;
  OscChannel c = Channel(6);
  c.level = 300;
  PutRecording(drive, vetra::samples::OscBytes(Options({a, b, c})));
  Recording recording;
  ASSERT_EQ(recording.Open(kPath), RecordingError::none);
  EXPECT_EQ(recording.ShownTypes(), (std::vector<int>{0, 6, 9}));
  EXPECT_EQ(recording.FileLength(), 8504u + 700 * 12);
  WindowData window;
  ASSERT_EQ(recording.ReadWindow(0, 1, window), WindowRead::ok);
  EXPECT_EQ(window.envelopes[0][0], 200);
  EXPECT_EQ(window.envelopes[1][1], 300);
  EXPECT_EQ(window.envelopes[2][1399], 100);
}

// Raw samples 4s+0, 4s+1 of step s: the envelope at compression 1 pairs them, at compression 2
// it spans two steps.
TEST(RecordingWindow, EnvelopeAtCompressionOneAndTwo)
{
  std::vector<std::uint8_t> bytes;
  for (int step = 0; step < 1400; ++step) {
    for (int sample : {1000 + (step % 7) * 10, 3000 - (step % 5) * 10}) {
      bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
    }
  }
  auto sampleHigh = [](int step) { return 3000 - (step % 5) * 10; };
  auto sampleLow = [](int step) { return 1000 + (step % 7) * 10; };
  WindowData one;
  BuildEnvelopes(bytes.data(), 1, 1, 700, one);
  WindowData two;
  BuildEnvelopes(bytes.data(), 1, 2, 700, two);
  for (int k : {0, 1, 5, 350, 699}) {
    EXPECT_EQ(one.envelopes[0][2 * k], sampleHigh(k));
    EXPECT_EQ(one.envelopes[0][2 * k + 1], sampleLow(k));
    EXPECT_EQ(two.envelopes[0][2 * k], std::max(sampleHigh(2 * k), sampleHigh(2 * k + 1)));
    EXPECT_EQ(two.envelopes[0][2 * k + 1], std::min(sampleLow(2 * k), sampleLow(2 * k + 1)));
  }
}

TEST(RecordingWindow, MaximumPosition)
{
  struct Case { std::int64_t dataBytes; int channels; int compression; std::int64_t max; };
  for (const Case c : {Case{4 * 700, 1, 1, 0}, {2 * 4 * 700 * 3, 2, 3, 0}, {6 * 4 * 700 * 10, 6, 10, 0},
                       {4 * 699, 1, 1, -1}, {0, 3, 1, -700}, {1'000'000'000 - 8504, 1, 1, 249'997'174},
                       {1'000'000'000 - 8504, 6, 10, 4'165'931}, {4 * 700 + 3, 1, 1, 0}}) {
    EXPECT_EQ(MaxPosition(c.dataBytes, c.channels, c.compression), c.max) << c.dataBytes << " " << c.channels;
  }
}

// A recording of exactly one window opens at its start and shows all of it; a longer one opens
// at its end.
TEST(ScopeModelLoad, OpensAtTheEnd)
{
  struct Case { std::int64_t steps; std::int64_t max; std::int64_t position; int valid; };
  for (const Case c : {Case{700, 0, 0, 700}, {3500, 2800, 2800, 700}, {450, -250, 0, 450}, {1, -699, 0, 1}}) {
    vetra::testing::TempDrive drive;
    PutRecording(drive, vetra::samples::OscBytes(Options({Channel(0), Channel(3)}, c.steps)));
    ScopeModel model;
    ASSERT_TRUE(model.Load("test.Osc").Ok());
    EXPECT_EQ(model.State().playback.maxPosition, c.max);
    EXPECT_EQ(model.State().playback.position, c.position);
    EXPECT_EQ(model.State().window.validColumns, c.valid);
  }
}

TEST(ScopeModelLoad, BadRecordingsAreRefused)
{
  OscOptions seven = Options({});
  for (int type = 0; type < 7; ++type) seven.channels.push_back(Channel(type));
  OscOptions shortHeader = Options({Channel(0)});
  shortHeader.fileBytes = 8503;
  struct Case { const char* what; std::string bytes; std::string name; RecordingError error; };
  const Case cases[] = {
      {"short header", vetra::samples::OscBytes(shortHeader), "test.Osc", RecordingError::tooShort},
      {"no channel", vetra::samples::OscBytes(Options({})), "test.Osc", RecordingError::noChannels},
      {"seven channels", vetra::samples::OscBytes(seven), "test.Osc", RecordingError::tooManyChannels},
      {"missing", "", "other.Osc", RecordingError::cannotOpen},
      {"not a plain name", vetra::samples::OscBytes(Options({Channel(0)})), "..\\TempE\\test.Osc", RecordingError::cannotOpen},
  };
  for (const Case& c : cases) {
    vetra::testing::TempDrive drive;
    if (!c.bytes.empty()) PutRecording(drive, c.bytes);
    ScopeModel model;
    const LoadResult result = model.Load(c.name);
    EXPECT_EQ(result.error, c.error) << c.what;
    EXPECT_EQ(result.message, vetra::Cp949("데이터 오픈 에러 : ") + "c:\\Vetra\\TempE\\" + c.name) << c.what;
    EXPECT_FALSE(model.IsOpen()) << c.what;
    // The defaults go on: one channel of type 0 with its default range.
    EXPECT_EQ(model.State().shown, std::vector<int>{0}) << c.what;
    EXPECT_EQ(model.VoltString(0), "20.0 V") << c.what;
    // Commands on a refused recording do nothing.
    EXPECT_EQ(model.PlayForward(), TimerChange::none);
    EXPECT_EQ(model.Compress().result, CompressResult::unchanged);
  }
}

// Samples that stop inside a step: the partial step is not shown.
TEST(ScopeModelLoad, TruncatedLastStepIsIgnored)
{
  vetra::testing::TempDrive drive;
  OscOptions options = Options({Channel(0), Channel(1)});
  options.fileBytes = 8504 + 8 * 1400 + 5;
  PutRecording(drive, vetra::samples::OscBytes(options));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  EXPECT_EQ(model.State().playback.maxPosition, 700);
  EXPECT_EQ(model.ToStart(), WindowRead::ok);
  EXPECT_EQ(model.ToEnd(), WindowRead::ok);
  EXPECT_EQ(model.State().window.validColumns, 700);
}

// A file that shrinks under the viewer: the read reports it once and stops playback.
TEST(ScopeModelLoad, ReadErrorDuringPlaybackStopsFirst)
{
  vetra::testing::TempDrive drive;
  PutRecording(drive, vetra::samples::OscBytes(Options({Channel(0)}, 7000)));
  ScopeModel model;
  ASSERT_TRUE(model.Load("test.Osc").Ok());
  ASSERT_EQ(model.ToStart(), WindowRead::ok);
  ASSERT_EQ(model.PlayForward(), TimerChange::start);
  std::filesystem::resize_file(drive / "Vetra/TempE/test.Osc", 8504 + 4 * 300);
  const TickOutcome tick = model.Tick();
  EXPECT_EQ(tick.read, WindowRead::shortRead);
  EXPECT_TRUE(tick.stopTimer);
  EXPECT_EQ(model.State().playback.state, PlayState::stopped);
  EXPECT_EQ(WindowReadErrorText(tick.read), "ReadHuge Error");
}

}  // namespace
}  // namespace tessial
