#pragma once
// Road-test recordings: *.DAT (unpacked, old layout or the "New1.00" layout) and *.RES (the same
// bytes packed with the system's LZSS). A 1700-byte vehicle header, the channel block, 80
// min/max byte pairs, then the 8-bit samples of every recorded channel one after another.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vetra::samples {

enum class RoadTestLayout { Old, New };

struct RoadTestOptions {
  RoadTestLayout layout = RoadTestLayout::New;
  int recordLengthCode = 5;     // 1..5: 1,000,000 .. 50,000 samples at rate 50 (20 s .. 1 s)
  int channels = 10;            // recorded channels 1..80; the ten of the catalogue, repeated beyond it
  bool derived = true;          // add the derived items (engine speed, vehicle speed, ...)
  bool allEighty = true;        // channel count flag: 80 recorded channel records, else 72
  int rate = 0;                 // 0: each channel's own rate; else 50, 25, 10, 5, 2 or 1 for all
  int lutNumber = 7;            // table of the coolant temperature item
  int tyreWidth = 205, tyreAspect = 60, tyreRim = 15;  // mm, percent, inches
  int idleRpm = 800;
  bool packed = false;          // write the LZSS-packed form (*.RES)
  std::string maker = "현대자동차";   // UTF-8; written in code page 949
  std::string model = "쏘나타 2.0";
  std::string system = "가솔린 엔진 (MPI)";
  std::string plate = "12가 3456";
  std::string symptom = "가속 시 울컥거림 발생\r\n정차 후 출발 시 RPM 불안정\r\n엔진 경고등 간헐 점등";
  unsigned seed = 1;
};

// The unpacked recording (*.DAT bytes).
bool BuildRoadTestRecording(const RoadTestOptions& options, std::vector<std::uint8_t>& bytes, std::string* error);
// Writes the recording, packed when options.packed is set.
bool WriteRoadTestSample(const RoadTestOptions& options, const std::filesystem::path& path, std::string* error = nullptr);

// Layout facts shared with the tests.
inline constexpr int kRoadHeaderSize = 1700;
inline constexpr int kRoadRecordStride = 107;
inline constexpr int kRoadNewBlockSize = 42920;
inline constexpr int kRoadOldBlockSize = 35410;
int RoadRecordLength(int code);  // samples of a rate-50 channel

}  // namespace vetra::samples
