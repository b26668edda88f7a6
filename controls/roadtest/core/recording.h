#pragma once
// A loaded road-test recording: the vehicle header, the 100 channel records (0..79 recorded,
// 80..99 derived), the min/max byte pairs and the samples of every channel. Both layouts are
// read: the old one (35410-byte channel block) and the "New1.00" one (42920 bytes, with a
// 75-byte extra record per channel).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/roadtest/core/channel_samples.h"

namespace morvit {

inline constexpr int kItemCount = 100;
inline constexpr int kRecordedCount = 80;
inline constexpr int kFirstDerived = 80;
inline constexpr std::size_t kHeaderSize = 1700;
inline constexpr std::size_t kNewBlockSize = 42920;
inline constexpr std::size_t kOldBlockSize = 35410;
inline constexpr std::size_t kMinMaxSize = 160;
inline constexpr std::size_t kRecordStride = 107;
inline constexpr std::size_t kLayoutTagOffset = 35410;
inline constexpr int kFullRate = 50;
inline constexpr int kColumns = 700;

struct VehicleHeader {  // texts in CP949
  std::string maker{};
  std::string model{};
  std::string system{};
  std::string plate{};
  std::string symptom{};  // lines separated by CR LF
};

struct ChannelRecord {
  std::string code{};  // CP949, shown before the name
  std::string name{};  // CP949; empty hides the channel from the lists
  int rate = 0;      // samples per millisecond; 0 = absent
  int itemType = 0;
  int source = 0;        // 1-based recorded channel of a derived item; 0 = none
  int secondSource = 0;  // 1-based; the same byte as the LUT number
  int lutNumber = 0;
  float threshold = 0;
  float factorA = 0;
  float factorB = 0;
  int unitCode = 0;
  bool shownAtStart = false;
  int coding = 0;
  int rangeCode = 0;
  std::array<std::string, 3> tyreText{};  // old layout: width, aspect and rim indexes as text
  double rangeLow = 0;
  double rangeHigh = 0;
  std::array<float, 16> params{};  // new layout: derivation parameters
};

struct MinMaxPair {
  std::uint8_t low = 0;
  std::uint8_t high = 0;
};

// Samples of a rate-50 channel and the samples after the trigger, by record-length code.
std::int64_t RecordLengthOf(int code);
std::int64_t PostTriggerLengthOf(int code);

struct Recording {
  VehicleHeader header;
  bool oldLayout = true;
  int recordLengthCode = 1;  // 1..5 (anything else was read as 1)
  bool eightyChannels = true;
  std::array<ChannelRecord, kItemCount> channels;
  std::array<MinMaxPair, kItemCount> minMax{};  // 80 from the file, 80..99 from the derivations
  std::array<MinMaxPair, kRecordedCount> loadedMinMax{};  // the 80 as the file gave them
  std::array<ChannelSamples, kItemCount> data;

  std::int64_t RecordLength() const { return RecordLengthOf(recordLengthCode); }
  std::int64_t PostTriggerLength() const { return PostTriggerLengthOf(recordLengthCode); }
  std::int64_t ScrollRange() const { return RecordLength() / 100; }
  std::size_t BlockSize() const { return oldLayout ? kOldBlockSize : kNewBlockSize; }
  std::size_t SampleStart() const { return kHeaderSize + BlockSize() + kMinMaxSize; }
  // Recorded channels that count: 80, or 72 when the count flag is 0.
  int RecordedChannels() const { return eightyChannels ? kRecordedCount : 72; }
  // Rate of the samples an item holds: its own, or its source's for a derived item.
  int SampleRate(int item) const;
  // 0-based source channel of a derived item, -1 when it has none.
  int SourceIndex(int item) const;
  // Samples of a channel of the given rate.
  std::int64_t ChannelSampleCount(int rate) const;
};

// Reads a recording from its unpacked bytes. Missing bytes read as zero: a short file gives
// empty texts, absent channels and zero-filled samples; it never fails.
Recording ParseRecording(std::span<const std::uint8_t> bytes);

// Everything before the samples lies in the first kHeadSize bytes (the "New1.00" layout's; the old
// layout's samples start earlier).
inline constexpr std::size_t kHeadSize = kHeaderSize + kNewBlockSize + kMinMaxSize;
// Reads the header, the channel records and the min/max pairs from the first bytes of a recording
// (missing bytes read as zero) and sizes every item's samples, all zero (holding no memory yet);
// the samples themselves are the caller's to fill, channel after channel from SampleStart().
Recording ParseRecordingHead(std::span<const std::uint8_t> head);

}  // namespace morvit
