#pragma once
// Layout of an ignition recording (*.IG1 primary, *.IG2 secondary): an 8504-byte header, then
// frame records of 1257 bytes, each with 375 samples of one piece of waveform and the values
// measured on it. All numbers little-endian.
#include <cstddef>

namespace sparwen {

inline constexpr int kMaxCylinders = 8;
inline constexpr int kValueColumns = 6;   // value table columns; 4 or 5 are used
inline constexpr int kSamplesPerRecord = 375;
inline constexpr int kZeroLevel = 2048;
inline constexpr int kWindowSteps = 70;   // positions in the playback window
inline constexpr int kTraceLength = 1500; // values of one assembled trace
inline constexpr int kTraceRows = 10;     // 0..7 positions, 8 upper split trace, 9 assembly
inline constexpr int kUpperRow = 8;
inline constexpr int kAssemblyRow = 9;
inline constexpr int kMaxRpm = 9478;

namespace ig {
inline constexpr std::size_t kHeaderSize = 8504;
inline constexpr std::size_t kRecordSize = 1257;
inline constexpr std::size_t kHeaderValue = 50;
inline constexpr std::size_t kCylinderText = 54;
inline constexpr std::size_t kCoilText = 104;
inline constexpr std::size_t kFiringText = 154;
inline constexpr std::size_t kTitleText = 204;
inline constexpr std::size_t kNoteText = 254;
inline constexpr std::size_t kTextSize = 50;
inline constexpr std::size_t kNoteSize = 170;
inline constexpr std::size_t kSweepCount = 554;
inline constexpr std::size_t kSettings = 5500;  // 8 bytes
inline constexpr std::size_t kEngine = 6000;    // 24 bytes
inline constexpr std::size_t kFrameCount = 6500;
inline constexpr std::size_t kTables = 6504;    // 144 floats
inline constexpr int kTableFloats = 144;

// Inside a frame record.
inline constexpr std::size_t kMarker = 4;
inline constexpr std::size_t kSamples = 6;
inline constexpr std::size_t kValues = 756;
}  // namespace ig

}  // namespace sparwen
