#pragma once
// Writer of oscilloscope recordings (*.OSC): the 8504-byte header with calibration, settings
// blocks and version tail, then synthetic samples of every shown channel. Values are written as
// given, so tests can also make recordings with out-of-range settings.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vetra::samples {

enum class OscWave {
  flat,             // constant `level`
  square,           // `low`/`high` with `frequencyHz` and `dutyPercent` (share at `high`)
  sine,             // between `low` and `high`
  ignitionPrimary,  // coil primary: spark spike, burn line, ringing, battery, dwell; sparks at `frequencyHz`
  pressure,         // cylinder pressure: one compression peak per cycle at `frequencyHz`
};

struct OscChannel {
  int type = 0;    // 0..5 voltage, 6 low current, 7 vacuum, 8 pressure, 9 high current, 10 ignition secondary, 11 spare
  int range = -1;  // range index; -1 takes the type's usual range
  OscWave wave = OscWave::flat;
  double frequencyHz = 100.0;
  double dutyPercent = 50.0;
  int low = 1024;  // raw levels, 0..4095 with 2048 as zero
  int high = 3072;
  int level = 2048;
  int polarity = 1;  // 1 unipolar, 0 bipolar
  int coupling = 1;  // 0 AC, 1 DC
  int autoFlag = 0;
  int peak = 0;
  std::string title{};  // shown in the graph title (code page 949, at most 29 bytes kept)
};

struct OscOptions {
  std::vector<OscChannel> channels{};  // each channel type once; the file holds them in type order
  int timeBase = 3;                  // 0..12 (1.5 ms/div at 3)
  std::int64_t steps = 4 * 700;      // samples of every channel / 2
  std::optional<std::uint64_t> fileBytes{};  // whole file length instead of `steps` (may cut a step)
  bool versionTail = true;
  float version = 1.01f;
  int pressureUnitFlag = 0;
  bool clamp1000 = true;
  bool newLowCurrentProbe = false;
  int grid = 1;
  int selectedType = 0;
  int highlight = 0;
  int triggerLevel = 64;
  float lowCurrentZero = 0.0f;
  float highCurrentZero1000 = 0.0f;
  float highCurrentZero100 = 0.0f;
  float pressureZero = 0.0f;
  int noise = 0;  // peak raw counts of deterministic noise added to every waveform
  std::uint32_t seed = 1;
};

// Steps that fill `windows` screens of 700 columns at a compression.
constexpr std::int64_t OscStepsForWindows(std::int64_t windows, int compression) { return windows * 700 * compression; }

// Milliseconds per division of a time-base index, as the viewer reads them.
double OscTimeBaseMs(int timeBase);

std::string OscHeader(const OscOptions& options);
// The whole recording in memory (for small fixtures).
std::string OscBytes(const OscOptions& options);
// Writes the recording in chunks, so long recordings need little memory. False on failure
// (a partly written file is removed).
bool WriteOsc(const std::filesystem::path& path, const OscOptions& options);

// A recording a workshop might have made: ignition primary on channel 1, a sensor square wave on
// channel 2, a flat channel 3 and a pressure trace.
OscOptions DemoOscOptions();

}  // namespace vetra::samples
