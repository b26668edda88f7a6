#pragma once
// A scan recording (*.SCN, *.HSN; one layout) as the viewer holds it after reading: the header
// block for the text conversion, the recorded items with their samples, the engine speeds and the
// trigger marks. Whatever the file says, the result keeps the viewer's limits: at most 100 items
// with ids 0 to 99 (each once), at most 5010 samples, at most 10 triggers; data cut short reads 0.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "controls/scandata/core/scan_limits.h"

namespace quarnel {

// File layout.
inline constexpr std::size_t kEcuTextAt = 100;
inline constexpr std::size_t kEcuTextSize = 100;
inline constexpr std::size_t kSystemTextAt = 200;
inline constexpr std::size_t kDescriptorCountAt = 225;
inline constexpr std::size_t kItemCountAt = 78756;
inline constexpr std::size_t kItemIdsAt = 78757;
inline constexpr std::size_t kSampleCountAt = 78857;
inline constexpr std::size_t kStartTimeAt = 78859;
inline constexpr std::size_t kEndTimeAt = 78863;
inline constexpr std::size_t kMarkedSampleAt = 78867;
inline constexpr std::size_t kSampleWidthAt = 78869;
inline constexpr std::size_t kSamplesAt = 79859;
inline constexpr int kFourByteWidthCode = 4;

struct ScanRecording {
  std::vector<std::uint8_t> headerBlock;  // file bytes 200 to 78755 for the text conversion
  std::string ecuText;                    // the control unit's identification
  std::string systemText;                 // the system name (RunEcuId)
  int descriptorCount = 0;                // byte 225
  std::vector<int> itemIds;               // recording order
  int sampleCount = 0;
  std::int32_t startTime = 0;
  std::int32_t endTime = 0;
  int markedSample = 0;                   // 0: no mark
  bool fourByteSamples = false;
  std::vector<std::int16_t> engineSpeeds;  // one per sample
  std::vector<int> triggers;               // sample index of each trigger mark

  int ItemCount() const { return static_cast<int>(itemIds.size()); }
  bool HasItem(int id) const { return id >= 0 && id < kMaxItems && indexOfId[static_cast<std::size_t>(id)] >= 0; }
  // Sample `s` of item `id`; 0 for an item that was not recorded or a sample outside the recording.
  std::int32_t Sample(int id, int s) const;
  // The engine speed of sample `s`; 0 outside the recording.
  std::int16_t EngineSpeed(int s) const;

  std::array<int, kMaxItems> indexOfId = MakeNoIndex();  // recording index of each id, -1 none
  std::vector<std::int32_t> samples;                      // [recording index][sample]

 private:
  static std::array<int, kMaxItems> MakeNoIndex() {
    std::array<int, kMaxItems> a{};
    a.fill(-1);
    return a;
  }
};

// Reads a recording from the bytes of a file; never fails (missing bytes read as 0).
ScanRecording ParseScanRecording(std::span<const std::uint8_t> file);
// Reads the file at a Linux path; nothing when it cannot be opened as a file.
std::optional<ScanRecording> ReadScanRecording(const std::filesystem::path& path);

}  // namespace quarnel
