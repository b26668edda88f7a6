#include "controls/roadtest/core/recording.h"

#include <algorithm>
#include <cstring>

namespace morvit {
namespace {

// A zero-filled view: reads beyond the available bytes give zeros.
class Bytes {
public:
  explicit Bytes(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  std::uint8_t U8(std::size_t at) const { return at < m_bytes.size() ? m_bytes[at] : 0; }
  int I8(std::size_t at) const { return static_cast<std::int8_t>(U8(at)); }
  int I16(std::size_t at) const { return static_cast<std::int16_t>(U8(at) | (U8(at + 1) << 8)); }
  std::uint32_t U32(std::size_t at) const {
    return U8(at) | (U8(at + 1) << 8) | (U8(at + 2) << 16) | (static_cast<std::uint32_t>(U8(at + 3)) << 24);
  }
  float F32(std::size_t at) const {
    const std::uint32_t bits = U32(at);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  double F64(std::size_t at) const {
    const std::uint64_t bits = U32(at) | (static_cast<std::uint64_t>(U32(at + 4)) << 32);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // A zero-terminated text inside its field; a field without terminator ends at its end.
  std::string Text(std::size_t at, std::size_t size) const {
    std::string out;
    for (std::size_t k = 0; k < size; ++k) {
      const std::uint8_t c = U8(at + k);
      if (c == 0) break;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  std::size_t Size() const { return m_bytes.size(); }
  std::span<const std::uint8_t> Span() const { return m_bytes; }

private:
  std::span<const std::uint8_t> m_bytes;
};

bool ValidRate(int rate) { return rate >= 0 && rate <= kFullRate; }

}  // namespace

std::int64_t RecordLengthOf(int code) {
  switch (code) {
    case 2: return 750000;
    case 3: return 500000;
    case 4: return 250000;
    case 5: return 50000;
    default: return 1000000;
  }
}

std::int64_t PostTriggerLengthOf(int code) {
  switch (code) {
    case 2: return 150000;
    case 3: return 100000;
    case 4: return 50000;
    case 5: return 0;
    default: return 250000;
  }
}

int Recording::SourceIndex(int item) const {
  if (item < kFirstDerived || item >= kItemCount) return -1;
  const int s = channels[static_cast<std::size_t>(item)].source - 1;
  return s >= 0 && s < RecordedChannels() ? s : -1;
}

int Recording::SampleRate(int item) const {
  if (item < 0 || item >= kItemCount) return 0;
  if (item < kFirstDerived) return channels[static_cast<std::size_t>(item)].rate;
  const int s = SourceIndex(item);
  return s < 0 ? 0 : channels[static_cast<std::size_t>(s)].rate;
}

std::int64_t Recording::ChannelSampleCount(int rate) const {
  return rate > 0 && rate <= kFullRate ? RecordLength() * rate / kFullRate : 0;
}

namespace {

// The 160 bytes of min/max pairs, as the recording's pairs and as those it was loaded with.
void ReadMinMaxPairs(std::span<const std::uint8_t> bytes, Recording& recording) {
  const Bytes in(bytes);
  const std::size_t at = kHeaderSize + recording.BlockSize();
  for (int i = 0; i < kRecordedCount; ++i) {
    recording.minMax[static_cast<std::size_t>(i)] = {in.U8(at + 2 * static_cast<std::size_t>(i)),
                                                     in.U8(at + 2 * static_cast<std::size_t>(i) + 1)};
    recording.loadedMinMax[static_cast<std::size_t>(i)] = recording.minMax[static_cast<std::size_t>(i)];
  }
}

}  // namespace

Recording ParseRecordingHead(std::span<const std::uint8_t> bytes) {
  const Bytes in(bytes);
  Recording r;
  r.header = {in.Text(0, 50), in.Text(50, 50), in.Text(100, 50), in.Text(150, 50), in.Text(200, 1500)};

  constexpr std::size_t block = kHeaderSize;
  static constexpr char kTag[8] = {'N', 'e', 'w', '1', '.', '0', '0', '\0'};
  r.oldLayout = false;
  for (std::size_t k = 0; k < sizeof kTag; ++k) {
    if (in.U8(block + kLayoutTagOffset + k) != static_cast<std::uint8_t>(kTag[k])) r.oldLayout = true;
  }
  // The old layout's block ends where the tag would stand: nothing beyond it belongs to it.
  const std::size_t blockEnd = block + r.BlockSize();
  const Bytes blockBytes(bytes.subspan(0, std::min(bytes.size(), blockEnd)));

  const int code = blockBytes.I8(block + 90);
  r.recordLengthCode = code >= 1 && code <= 5 ? code : 1;
  r.eightyChannels = blockBytes.U8(block + 91) != 0;

  for (int i = 0; i < kItemCount; ++i) {
    ChannelRecord& c = r.channels[static_cast<std::size_t>(i)];
    const std::size_t rec = block + kRecordStride * static_cast<std::size_t>(i);
    const std::size_t extra = block + 35420 + 75 * static_cast<std::size_t>(i);
    c.code = r.oldLayout ? blockBytes.Text(rec + 111, 6) : blockBytes.Text(extra, 11);
    c.name = blockBytes.Text(rec + 117, 40);
    c.rate = blockBytes.I8(rec + 157);
    c.itemType = blockBytes.I16(rec + 158);
    c.source = blockBytes.U8(rec + 160);
    c.secondSource = blockBytes.U8(rec + 161);
    c.lutNumber = c.secondSource;
    c.threshold = blockBytes.F32(rec + 168);
    c.factorA = blockBytes.F32(rec + 184);
    c.factorB = blockBytes.F32(rec + 188);
    c.unitCode = blockBytes.U8(rec + 200);
    c.shownAtStart = blockBytes.U8(rec + 202) != 0;
    c.coding = blockBytes.U8(rec + 204);
    c.rangeCode = blockBytes.I8(rec + 205);
    for (std::size_t k = 0; k < 3; ++k) {
      c.tyreText[k] = blockBytes.Text(block + 10810 + 180 * static_cast<std::size_t>(i) + 20 * k, 20);
    }
    c.rangeLow = blockBytes.F64(block + 33810 + 16 * static_cast<std::size_t>(i));
    c.rangeHigh = blockBytes.F64(block + 33810 + 16 * static_cast<std::size_t>(i) + 8);
    if (!r.oldLayout) {
      for (std::size_t k = 0; k < c.params.size(); ++k) c.params[k] = blockBytes.F32(extra + 11 + 4 * k);
    }
    if (!ValidRate(c.rate)) c.rate = 0;
    if (i < kRecordedCount && i >= r.RecordedChannels()) c.rate = 0;
  }
  // A derived item without a recorded source is absent.
  for (int i = kFirstDerived; i < kItemCount; ++i) {
    if (r.SourceIndex(i) < 0) r.channels[static_cast<std::size_t>(i)].rate = 0;
  }

  ReadMinMaxPairs(bytes, r);

  for (int i = 0; i < kRecordedCount; ++i) {
    const int rate = r.channels[static_cast<std::size_t>(i)].rate;
    if (rate != 0) r.data[static_cast<std::size_t>(i)] = ChannelSamples::Zeros(static_cast<std::size_t>(r.ChannelSampleCount(rate)));
  }
  for (int i = kFirstDerived; i < kItemCount; ++i) {
    const int s = r.SourceIndex(i);
    if (s >= 0) r.data[static_cast<std::size_t>(i)] = ChannelSamples::Zeros(r.data[static_cast<std::size_t>(s)].size());
  }
  return r;
}

Recording ParseRecording(std::span<const std::uint8_t> bytes) {
  Recording r = ParseRecordingHead(bytes);
  // Samples, channel after channel; an absent channel occupies nothing. Short reads give zeros.
  std::size_t offset = r.SampleStart();
  for (int i = 0; i < kRecordedCount; ++i) {
    auto& samples = r.data[static_cast<std::size_t>(i)];
    const std::size_t count = samples.size();
    if (offset < bytes.size()) {
      const std::size_t available = std::min(count, bytes.size() - offset);
      std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), available, samples.Own().begin());
    }
    offset += count;
  }
  return r;
}

}  // namespace morvit
