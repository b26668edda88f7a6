#pragma once
// Ignition recordings (*.IG1 primary, *.IG2 secondary): an 8504-byte header and frame records of
// 1257 bytes, each with 375 samples (0..4095, zero at 2048) of one piece of waveform and the
// values measured on it.

#include <filesystem>
#include <string>

namespace vetra::samples {

enum class IgnitionKind { Primary, Secondary };

struct IgnitionOptions {
  IgnitionKind kind = IgnitionKind::Secondary;
  int engineClass = 2;      // 1..4: 3, 4, 6 or 8 cylinders
  int firingCode = 0;       // 1..30; 0 takes the class's first firing order
  int coilCode = 3;         // 1 distributor, 2 one coil for two cylinders, 3 one coil per cylinder
  int displayMode = 1;      // 0 Jik (all cylinders in one trace), 1 Byun, 2 3D, 3 Gai
  bool paired = false;      // mode 0 only: every step holds a second (upper) trace
  int timeBaseCode = 2;     // mode 0: 1..5; modes 1..3: 0, 2, 3 or 6
  int sweepCount = 1;       // with time-base code 0 and a count above 0 a trace has four pieces
  int frameCount = 100;     // highest position; the file holds positions 0..frameCount
  int rpm = 780;            // idle speed; the recording revs up to about three times this
  int rangeIndex = -1;      // initial voltage range; -1: secondary one that fits the peak, primary +-60 V
  int scaleByte = 2;        // graph scale = value x 0.5
  int faultyCylinder = 0;   // 1-based cylinder with an open plug lead (high firing line, short burn)
  unsigned seed = 1;
};

// Writes the recording; false with a message in `error` on bad options or a write failure.
bool WriteIgnitionSample(const IgnitionOptions& options, const std::filesystem::path& path,
                         std::string* error = nullptr);

// Layout facts shared with tests and the other writers.
inline constexpr int kIgnitionHeaderSize = 8504;
inline constexpr int kIgnitionRecordSize = 1257;
inline constexpr int kIgnitionSamplesPerRecord = 375;

// Records that make one position, as the viewer counts them.
int IgnitionFramesPerStep(const IgnitionOptions& options);
// Cylinder count of an engine class 1..4 (0 for another class).
int IgnitionCylinders(int engineClass);

}  // namespace vetra::samples
