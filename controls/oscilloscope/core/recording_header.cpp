#include "controls/oscilloscope/core/recording_header.h"

#include <bit>
#include <cstring>

namespace tessial {
namespace {

template <typename T>
T Load(std::span<const std::uint8_t> bytes, std::size_t at)
{
  static_assert(std::endian::native == std::endian::little);
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof value);
  return value;
}

double LoadFloat(std::span<const std::uint8_t> bytes, std::size_t at) { return Load<float>(bytes, at); }

// Offsets of the ignition and spare types near zero mean "no offset recorded".
double IgnitionOffset(double stored) { return (stored > -10.0 && stored < 10.0) ? -2048.0 : stored; }

int CheckedRange(int type, std::int32_t range)
{
  if (range >= 0 && range < kRangeCount[type]) return range;
  return kDefaultRange[type] < kRangeCount[type] ? kDefaultRange[type] : 0;
}

SettingsBlockA ParseBlockA(std::span<const std::uint8_t> block)
{
  SettingsBlockA a;
  a.grid = Load<std::int32_t>(block, osc::kAGrid);
  a.highlight = Load<std::int32_t>(block, osc::kAHighlight);
  a.reserved12 = Load<std::int32_t>(block, osc::kAReserved12);
  a.triggerLevel = Load<std::int32_t>(block, osc::kATriggerLevel);
  a.selectedType = Load<std::int32_t>(block, osc::kASelectedType);
  const std::int32_t timeBase = Load<std::int32_t>(block, osc::kATimeBase);
  a.timeBase = (timeBase >= 0 && timeBase < kTimeBaseCount) ? timeBase : kDefaultTimeBase;
  a.clamp = block[osc::kAClamp];
  for (int type = 0; type < kChannelTypeCount; ++type) {
    const std::size_t at = osc::kAChannels + type * osc::kChannelRecordSize;
    ChannelRecord& record = a.channels[type];
    record.enabled = Load<std::int32_t>(block, at);
    record.polarity = Load<std::int32_t>(block, at + 4);
    record.coupling = Load<std::int32_t>(block, at + 8);
    record.autoFlag = Load<std::int32_t>(block, at + 12);
    record.peak = Load<std::int32_t>(block, at + 16);
    record.range = CheckedRange(type, Load<std::int32_t>(block, at + 20));
  }
  return a;
}

SettingsBlockB ParseBlockB(std::span<const std::uint8_t> block)
{
  SettingsBlockB b;
  for (int type = 0; type < kChannelTypeCount; ++type) {
    const char* field = reinterpret_cast<const char*>(block.data() + osc::kBTexts + type * osc::kBTextSize);
    b.texts[type].assign(field, strnlen(field, osc::kBTextSize));
  }
  return b;
}

}  // namespace

std::array<ChannelRecord, kChannelTypeCount> SettingsBlockA::DefaultChannels()
{
  std::array<ChannelRecord, kChannelTypeCount> channels;
  for (int type = 0; type < kChannelTypeCount; ++type) {
    channels[type].enabled = type == 0 ? 1 : 0;
    channels[type].range = CheckedRange(type, kDefaultRange[type]);
  }
  return channels;
}

int CalibrationColumn(int type, int range, bool lowCurrentProbe)
{
  switch (type) {
    case kTypePressure:
    case kTypeHighCurrent:
    case kTypeIgnitionSecondary:
      return 0;
    case kTypeLowCurrent:
      if (range <= 2) return 0;
      if (range == 3) return 1;
      if (range == 4) return 2;
      return lowCurrentProbe ? 2 : 3;
    default:
      return range;
  }
}

RecordingHeader ParseHeader(std::span<const std::uint8_t, osc::kHeaderSize> bytes)
{
  RecordingHeader header;
  Calibration& cal = header.calibration;
  for (std::size_t table = 0; table < 2; ++table) {
    auto& cells = table == 0 ? cal.gain : cal.offset;
    const std::size_t shift = table * osc::kOffsetBlock;
    for (int type = 0; type < 6; ++type) {
      for (int range = 0; range < kRangeColumns; ++range) {
        cells[type][range] = LoadFloat(bytes, osc::kGainVoltage + shift + (type * kRangeColumns + range) * 4);
      }
    }
    for (int set = 0; set < 4; ++set) {
      cells[kTypeLowCurrent][set] = LoadFloat(bytes, osc::kGainLowCurrent + shift + set * 4);
      cells[kTypeVacuum][set] = LoadFloat(bytes, osc::kGainVacuum + shift + set * 4);
    }
    cells[kTypePressure][0] = LoadFloat(bytes, osc::kGainPressure + shift);
    cells[kTypeHighCurrent][0] = LoadFloat(bytes, osc::kGainHighCurrent + shift);
  }
  cal.gain[kTypeIgnitionSecondary][0] = LoadFloat(bytes, osc::kGainIgnition);
  cal.offset[kTypeIgnitionSecondary][0] = IgnitionOffset(LoadFloat(bytes, osc::kOffsetIgnition));
  cal.gain[kTypeSpare][0] = LoadFloat(bytes, osc::kGainSpare);
  cal.offset[kTypeSpare][0] = IgnitionOffset(LoadFloat(bytes, osc::kOffsetSpare));
  const double lowCurrentZero = LoadFloat(bytes, osc::kLowCurrentZero);
  for (int set = 0; set < 4; ++set) cal.zeros[kZeroLowCurrent0 + set] = lowCurrentZero;
  cal.zeros[kZeroHighCurrent1000] = LoadFloat(bytes, osc::kHighCurrentZero1000);
  cal.zeros[kZeroHighCurrent100] = LoadFloat(bytes, osc::kHighCurrentZero100);

  header.blockA = ParseBlockA(bytes.subspan(osc::kBlockA, osc::kBlockASize));
  header.blockB = ParseBlockB(bytes.subspan(osc::kBlockB, osc::kBlockBSize));
  cal.lowCurrentProbe = cal.gain[kTypeLowCurrent][2] > 4.3;

  if (std::memcmp(bytes.data() + osc::kTailMarker, osc::kMarker, 5) == 0) {
    header.hasVersionTail = true;
    for (int i = 0; i < 7; ++i) cal.zeros[i] = LoadFloat(bytes, osc::kTailZeros + i * 4);
    header.version = Load<float>(bytes, osc::kTailVersion);
    header.pressureUnitFlag =
        header.version >= 1.01f ? static_cast<int>(static_cast<std::int8_t>(bytes[osc::kTailPressureFlag])) : 0;
  }
  return header;
}

}  // namespace tessial
