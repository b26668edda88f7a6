#pragma once
// Fixtures of the road-test tests: recordings from the project's sample writer, written into the
// exchange folder of a temporary drive, and small recordings made by hand in memory.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "controls/roadtest/core/recording.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/samples/sample_lzss_packer.h"

namespace morvit::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes SampleBytes(const vetra::samples::RoadTestOptions& options) {
  Bytes bytes;
  std::string error;
  if (!vetra::samples::BuildRoadTestRecording(options, bytes, &error)) throw std::runtime_error(error);
  return bytes;
}

inline void WriteExchangeFile(const vetra::testing::TempDrive& drive, const std::string& name, const Bytes& bytes) {
  drive.WriteFile("Vetra/TempE/" + name, std::string(bytes.begin(), bytes.end()));
}

// Byte patching of a recording image.
inline void PutU8(Bytes& b, std::size_t at, int v) {
  if (b.size() <= at) b.resize(at + 1);
  b[at] = static_cast<std::uint8_t>(v);
}
inline std::size_t RecordField(int channel, std::size_t field) {
  return kHeaderSize + kRecordStride * static_cast<std::size_t>(channel) + field;
}

// A recording with one recorded channel 0 of `samples` (rate 50, record length code 5) and one
// derived item 80 of the given type on it.
inline Recording HandMade(const Bytes& samples, int derivedType, bool oldLayout = false) {
  Recording r;
  r.oldLayout = oldLayout;
  r.recordLengthCode = 5;
  r.channels[0].rate = 50;
  r.channels[0].coding = 0;  // one value per step, centred on 127
  r.channels[0].name = "src";
  r.data[0] = samples;
  ChannelRecord& d = r.channels[80];
  d.rate = 50;
  d.itemType = derivedType;
  d.source = 1;
  d.name = "derived";
  d.rangeLow = 0;
  d.rangeHigh = 100;
  r.data[80].assign(samples.size(), 0);
  return r;
}

// Raw bytes of a square wave: `high` samples at hi, `low` at lo, repeated to `count`.
inline Bytes Square(int count, int high, int low, int hi = 227, int lo = 127) {
  Bytes out;
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(i % (high + low) < high ? hi : lo));
  return out;
}

}  // namespace morvit::testing
