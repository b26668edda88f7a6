#pragma once
// Scan recordings (*.SCN, *.HSN; one layout): 500 item descriptors of 157 bytes, the recorded
// item ids, the samples of every item (2 or 4 bytes wide, chosen by a header byte), the engine
// speed of every sample and up to ten trigger marks.

#include <cstdint>
#include <filesystem>
#include <string>

namespace vetra::samples {

struct ScanOptions {
  int itemCount = 15;        // 1..100; the first ten cover conversion types 1..10, 15 the catalogue
  int sampleCount = 600;     // 1..5010
  int sampleWidth = 2;       // 2 or 4 bytes per sample
  int triggerCount = 2;      // 0..10, spread over the recording
  int markedSample = 0;      // 0 = no mark
  int intervalMs = 250;      // time between samples (sets the end time)
  std::int32_t startTime = 1796891400;  // calendar seconds of the first sample
  std::string systemText = "SIRIUS-II";  // the control unit's system name
  std::string ecuText = "HMC G4KC 2.4 DOHC";
  bool shuffleIds = true;    // record the items in an order that differs from their ids
  unsigned seed = 1;
};

bool WriteScanSample(const ScanOptions& options, const std::filesystem::path& path, std::string* error = nullptr);

// Layout facts shared with the tests.
inline constexpr int kScanDescriptorSize = 157;
inline constexpr int kScanDescriptorTable = 226;
inline constexpr int kScanItemCountAt = 78756;
inline constexpr int kScanSamplesAt = 79859;

}  // namespace vetra::samples
