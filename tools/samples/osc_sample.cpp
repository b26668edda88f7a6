#include "tools/samples/osc_sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "platform/base/text.h"

namespace vetra::samples {
namespace {

constexpr std::size_t kHeaderSize = 8504;
constexpr std::size_t kBlockA = 6512;
constexpr std::size_t kBlockB = 6869;
constexpr int kTypes = 12;
constexpr std::array<double, 13> kTimeBaseMs = {0.25, 0.5, 1, 1.5, 3, 6, 15, 30, 60, 150, 300, 600, 1500};
// Full-scale values of the voltage ranges: a calibrated channel's gain at each range.
constexpr std::array<float, 10> kVoltageGain = {0.3f, 1, 1.6f, 5, 10, 20, 60, 100, 300, 600};
constexpr std::array<int, kTypes> kUsualRange = {5, 5, 5, 5, 5, 5, 2, 1, 3, 1, 0, 0};

void PutFloat(std::string& bytes, std::size_t at, float value) { std::memcpy(bytes.data() + at, &value, 4); }
void PutInt(std::string& bytes, std::size_t at, std::int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

int RangeOf(const OscChannel& channel) { return channel.range >= 0 ? channel.range : kUsualRange[std::clamp(channel.type, 0, kTypes - 1)]; }

// Enabled channels in file order, each type once (a later entry replaces an earlier one).
std::vector<OscChannel> FileOrder(const std::vector<OscChannel>& channels)
{
  std::vector<OscChannel> ordered;
  for (int type = 0; type < kTypes; ++type) {
    const OscChannel* last = nullptr;
    for (const OscChannel& channel : channels) {
      if (channel.type == type) last = &channel;
    }
    if (last != nullptr) ordered.push_back(*last);
  }
  return ordered;
}

int ToRaw(double fractionOfFullScale) { return std::clamp(static_cast<int>(std::lround(2048 + fractionOfFullScale * 2047)), 0, 4095); }

// Coil primary voltage in volts, t milliseconds after the spark, period in milliseconds.
double IgnitionPrimaryVolts(double t, double period)
{
  const double dwell = std::min(3.0, period * 0.4);
  if (t < 1.5) return 40.0 + 300.0 * std::exp(-t / 0.04);
  if (t < 3.5) return 13.5 + 25.0 * std::exp(-(t - 1.5) / 0.35) * std::sin(2 * std::numbers::pi * (t - 1.5) / 0.25);
  if (t < period - dwell) return 13.5;
  return 0.8 + 0.6 * (t - (period - dwell)) / dwell;
}

class SampleSource {
public:
  SampleSource(const OscOptions& options) : m_options(options), m_channels(FileOrder(options.channels)), m_random(options.seed)
  {
    const int timeBase = std::clamp(options.timeBase, 0, 12);
    m_sampleMs = kTimeBaseMs[timeBase] / 75.0 / 2.0;
  }

  std::size_t StepBytes() const { return m_channels.size() * 4; }

  // Appends the samples of `count` steps starting at `step`.
  void Append(std::int64_t step, std::int64_t count, std::string& out)
  {
    for (std::int64_t s = step; s < step + count; ++s) {
      for (const OscChannel& channel : m_channels) {
        for (int k = 0; k < 2; ++k) {
          int raw = Raw(channel, 2 * s + k);
          if (m_options.noise > 0) raw += Noise();
          raw = std::clamp(raw, 0, 4095);
          out.push_back(static_cast<char>(raw & 0xFF));
          out.push_back(static_cast<char>(raw >> 8));
        }
      }
    }
  }

private:
  // Position of a sample inside its period, 0..1; a position a hair below a whole period counts
  // as the start of the next, so periods of a whole number of samples stay exact.
  double Phase(std::int64_t sample, double frequencyHz) const
  {
    if (frequencyHz <= 0) return 0.0;
    const double period = 1000.0 / frequencyHz / m_sampleMs;
    double phase = std::fmod(static_cast<double>(sample), period) / period;
    if (phase > 1.0 - 1e-9) phase = 0.0;
    return phase;
  }

  int Raw(const OscChannel& channel, std::int64_t sample) const
  {
    switch (channel.wave) {
      case OscWave::flat:
        return channel.level;
      case OscWave::square:
        return Phase(sample, channel.frequencyHz) < channel.dutyPercent / 100.0 ? channel.high : channel.low;
      case OscWave::sine: {
        const double middle = (channel.high + channel.low) / 2.0;
        const double swing = (channel.high - channel.low) / 2.0;
        return static_cast<int>(std::lround(middle + swing * std::sin(2 * std::numbers::pi * Phase(sample, channel.frequencyHz))));
      }
      case OscWave::ignitionPrimary: {
        const double period = channel.frequencyHz > 0 ? 1000.0 / channel.frequencyHz : 20.0;
        const double volts = IgnitionPrimaryVolts(Phase(sample, channel.frequencyHz) * period, period);
        const int range = std::clamp(RangeOf(channel), 0, 9);
        return ToRaw(volts / kVoltageGain[range]);
      }
      case OscWave::pressure: {
        const double x = (Phase(sample, channel.frequencyHz) - 0.5) / 0.07;
        return ToRaw(0.05 + 0.8 * std::exp(-x * x));
      }
    }
    return 2048;
  }

  int Noise()
  {
    m_random = m_random * 214013u + 2531011u;
    const int value = static_cast<int>((m_random >> 16) & 0x7FFF);
    return value % (2 * m_options.noise + 1) - m_options.noise;
  }

  const OscOptions& m_options;
  std::vector<OscChannel> m_channels;
  std::uint32_t m_random;
  double m_sampleMs = 0.0;
};

std::int64_t DataBytes(const OscOptions& options, std::size_t stepBytes)
{
  if (options.fileBytes) return static_cast<std::int64_t>(*options.fileBytes) - static_cast<std::int64_t>(kHeaderSize);
  return options.steps * static_cast<std::int64_t>(stepBytes);
}

}  // namespace

double OscTimeBaseMs(int timeBase) { return kTimeBaseMs[std::clamp(timeBase, 0, 12)]; }

std::string OscHeader(const OscOptions& options)
{
  std::string h(kHeaderSize, '\0');
  // Calibration: a calibrated channel's gain is its range's full-scale value, its offset 0.
  for (int type = 0; type < 6; ++type) {
    for (int range = 0; range < 10; ++range) PutFloat(h, 5500 + (type * 10 + range) * 4, kVoltageGain[range]);
  }
  const std::array<float, 4> lowCurrentGain = {0.3f, 1.0f, options.newLowCurrentProbe ? 4.5f : 2.0f, 3.0f};
  const std::array<float, 4> vacuumGain = {0.3f, 2.5f, 5.0f, 5.0f};
  for (int i = 0; i < 4; ++i) {
    PutFloat(h, 5740 + i * 4, lowCurrentGain[i]);
    PutFloat(h, 5756 + i * 4, vacuumGain[i]);
  }
  PutFloat(h, 5772, 1.0f);  // pressure
  PutFloat(h, 5776, 1.0f);  // high current
  PutFloat(h, 6060, 1.0f);  // ignition secondary; offsets near 0 mean "none"
  PutFloat(h, 6064, 0.0f);
  PutFloat(h, 6068, 10.0f);
  PutFloat(h, 6072, 0.0f);
  PutFloat(h, 6500, options.lowCurrentZero);
  PutFloat(h, 6504, options.highCurrentZero1000);
  PutFloat(h, 6508, options.highCurrentZero100);

  PutInt(h, kBlockA + 0, options.grid);
  PutInt(h, kBlockA + 8, options.highlight);
  PutInt(h, kBlockA + 12, 64);
  PutInt(h, kBlockA + 16, options.triggerLevel);
  PutInt(h, kBlockA + 20, options.selectedType);
  PutInt(h, kBlockA + 24, options.timeBase);
  h[kBlockA + 28] = static_cast<char>(options.clamp1000 ? 1 : 0);
  for (int type = 0; type < kTypes; ++type) {
    const std::size_t at = kBlockA + 29 + type * 24;
    PutInt(h, at + 4, 1);
    PutInt(h, at + 8, 1);
    PutInt(h, at + 20, kUsualRange[type]);
  }
  for (const OscChannel& channel : FileOrder(options.channels)) {
    if (channel.type < 0 || channel.type >= kTypes) continue;
    const std::size_t at = kBlockA + 29 + channel.type * 24;
    PutInt(h, at + 0, 1);
    PutInt(h, at + 4, channel.polarity);
    PutInt(h, at + 8, channel.coupling);
    PutInt(h, at + 12, channel.autoFlag);
    PutInt(h, at + 16, channel.peak);
    PutInt(h, at + 20, RangeOf(channel));
    const std::string title = CutCp949(channel.title, 29);
    std::memcpy(h.data() + kBlockB + 4 + channel.type * 30, title.data(), title.size());
  }

  if (options.versionTail) {
    const std::array<float, 7> zeros = {options.lowCurrentZero,      options.lowCurrentZero,     options.lowCurrentZero,
                                        options.lowCurrentZero,      options.highCurrentZero1000, options.highCurrentZero100,
                                        options.pressureZero};
    for (int i = 0; i < 7; ++i) PutFloat(h, 7512 + i * 4, zeros[i]);
    std::memcpy(h.data() + 7540, "ace89", 5);
    PutFloat(h, 7545, options.version);
    h[7549] = static_cast<char>(static_cast<std::int8_t>(options.pressureUnitFlag));
  }
  return h;
}

std::string OscBytes(const OscOptions& options)
{
  std::string bytes = OscHeader(options);
  SampleSource source(options);
  const std::int64_t data = DataBytes(options, source.StepBytes());
  if (data < 0) {
    bytes.resize(static_cast<std::size_t>(*options.fileBytes));
    return bytes;
  }
  if (source.StepBytes() > 0) {
    const std::int64_t steps = (data + static_cast<std::int64_t>(source.StepBytes()) - 1) / static_cast<std::int64_t>(source.StepBytes());
    source.Append(0, steps, bytes);
  }
  bytes.resize(kHeaderSize + static_cast<std::size_t>(data), '\0');
  return bytes;
}

bool WriteOsc(const std::filesystem::path& path, const OscOptions& options)
{
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  bool ok = true;
  std::string header = OscHeader(options);
  SampleSource source(options);
  const std::int64_t data = DataBytes(options, source.StepBytes());
  if (data < 0) header.resize(static_cast<std::size_t>(*options.fileBytes));
  ok = std::fwrite(header.data(), 1, header.size(), out) == header.size();
  const std::int64_t stepBytes = static_cast<std::int64_t>(source.StepBytes());
  constexpr std::int64_t kChunkSteps = 16384;
  std::string chunk;
  for (std::int64_t written = 0, step = 0; ok && stepBytes > 0 && written < data; step += kChunkSteps) {
    chunk.clear();
    source.Append(step, kChunkSteps, chunk);
    const std::size_t size = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(chunk.size()), data - written));
    ok = std::fwrite(chunk.data(), 1, size, out) == size;
    written += static_cast<std::int64_t>(size);
  }
  if (ok && stepBytes == 0 && data > 0) {
    const std::string zeros(static_cast<std::size_t>(data), '\0');
    ok = std::fwrite(zeros.data(), 1, zeros.size(), out) == zeros.size();
  }
  ok = std::fclose(out) == 0 && ok;
  if (!ok) {
    std::error_code error;
    std::filesystem::remove(path, error);
  }
  return ok;
}

OscOptions DemoOscOptions()
{
  OscOptions options;
  options.timeBase = 5;  // 6 ms/div: a few sparks per screen at idle
  options.steps = OscStepsForWindows(8, 1);
  options.noise = 3;
  OscChannel ignition;
  ignition.type = 0;
  ignition.range = 9;
  ignition.wave = OscWave::ignitionPrimary;
  ignition.frequencyHz = 25;  // 750 rpm on a four-cylinder engine
  ignition.polarity = 0;
  ignition.title = Cp949("1차 점화");
  OscChannel sensor;
  sensor.type = 1;
  sensor.range = 3;
  sensor.wave = OscWave::square;
  sensor.frequencyHz = 120;
  sensor.dutyPercent = 40;
  sensor.low = 2048;
  sensor.high = 2048 + 2047;
  sensor.title = Cp949("크랭크각 센서");
  OscChannel flat;
  flat.type = 2;
  flat.range = 5;
  flat.level = 3460;  // a charging battery: 13.8 V on the 20 V range
  flat.title = Cp949("배터리");
  OscChannel pressure;
  pressure.type = 8;
  pressure.wave = OscWave::pressure;
  pressure.frequencyHz = 6.25;
  options.channels = {ignition, sensor, flat, pressure};
  return options;
}

}  // namespace vetra::samples
