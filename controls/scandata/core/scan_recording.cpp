#include "controls/scandata/core/scan_recording.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "controls/scandata/text/scan_text_context.h"
#include "platform/base/regular_file.h"

namespace quarnel {
namespace {

// Little-endian reads that give 0 for every byte past the end of the file.
class FileBytes {
 public:
  explicit FileBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t U8(std::size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
  std::int8_t I8(std::size_t at) const { return static_cast<std::int8_t>(U8(at)); }
  std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U8(at) | (U8(at + 1) << 8)); }
  std::int32_t I32(std::size_t at) const {
    const std::uint32_t v = static_cast<std::uint32_t>(U8(at)) | (static_cast<std::uint32_t>(U8(at + 1)) << 8) |
                            (static_cast<std::uint32_t>(U8(at + 2)) << 16) | (static_cast<std::uint32_t>(U8(at + 3)) << 24);
    return static_cast<std::int32_t>(v);
  }
  // A text field: ends at its terminator or at the field's end.
  std::string Text(std::size_t at, std::size_t size) const {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
      const std::uint8_t c = U8(at + i);
      if (c == 0) break;
      text.push_back(static_cast<char>(c));
    }
    return text;
  }
  std::vector<std::uint8_t> Block(std::size_t at, std::size_t size) const {
    std::vector<std::uint8_t> block(size, 0);
    for (std::size_t i = 0; i < size && at + i < bytes_.size(); ++i) block[i] = bytes_[at + i];
    return block;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// The largest file the layout can describe: 100 items of 32767 four-byte samples, their engine
// speeds and the trigger block. Bytes beyond it are never read.
constexpr std::size_t kLargestFile = kSamplesAt + std::size_t{kMaxItems} * 32767 * 4 + 2 * 32767 + 2 + 60;

}  // namespace

std::int32_t ScanRecording::Sample(int id, int s) const {
  if (!HasItem(id) || s < 0 || s >= sampleCount) return 0;
  const auto index = static_cast<std::size_t>(indexOfId[static_cast<std::size_t>(id)]);
  return samples[index * static_cast<std::size_t>(sampleCount) + static_cast<std::size_t>(s)];
}

std::int16_t ScanRecording::EngineSpeed(int s) const {
  return s >= 0 && s < sampleCount ? engineSpeeds[static_cast<std::size_t>(s)] : std::int16_t{0};
}

ScanRecording ParseScanRecording(std::span<const std::uint8_t> file) {
  const FileBytes in(file);
  ScanRecording r;
  r.headerBlock = in.Block(kHeaderBlockFileOffset, kHeaderBlockSize);
  r.ecuText = in.Text(kEcuTextAt, kEcuTextSize);
  r.systemText = in.Text(kSystemTextAt, kSystemTextSize);
  r.descriptorCount = in.U8(kDescriptorCountAt);
  r.startTime = in.I32(kStartTimeAt);
  r.endTime = in.I32(kEndTimeAt);
  r.fourByteSamples = in.U8(kSampleWidthAt) == kFourByteWidthCode;

  // The file lays its samples out with its own counts; the viewer keeps what fits its limits.
  const int fileItems = std::clamp<int>(in.I8(kItemCountAt), 0, kMaxItems);
  const int fileSamples = std::max<int>(in.I16(kSampleCountAt), 0);
  r.sampleCount = std::min(fileSamples, kMaxSamples);
  const std::size_t width = r.fourByteSamples ? 4 : 2;
  const std::size_t itemBytes = static_cast<std::size_t>(fileSamples) * width;

  for (int k = 0; k < fileItems; ++k) {
    const int id = in.I8(kItemIdsAt + static_cast<std::size_t>(k));
    if (id < 0 || id >= kMaxItems || r.HasItem(id)) continue;  // an id out of range or twice: skipped
    r.indexOfId[static_cast<std::size_t>(id)] = r.ItemCount();
    r.itemIds.push_back(id);
    const std::size_t base = kSamplesAt + static_cast<std::size_t>(k) * itemBytes;
    for (int s = 0; s < r.sampleCount; ++s) {
      const std::size_t at = base + static_cast<std::size_t>(s) * width;
      r.samples.push_back(width == 4 ? in.I32(at) : in.I16(at));
    }
  }

  const std::size_t speedsAt = kSamplesAt + static_cast<std::size_t>(fileItems) * itemBytes;
  r.engineSpeeds.resize(static_cast<std::size_t>(r.sampleCount));
  for (int s = 0; s < r.sampleCount; ++s) r.engineSpeeds[static_cast<std::size_t>(s)] = in.I16(speedsAt + 2 * static_cast<std::size_t>(s));

  const std::size_t triggersAt = speedsAt + 2 * static_cast<std::size_t>(fileSamples);
  const int triggerCount = std::clamp<int>(in.I16(triggersAt), 0, kMaxTriggers);
  for (int t = 0; t < triggerCount; ++t) r.triggers.push_back(in.I16(triggersAt + 2 + 2 * static_cast<std::size_t>(t)));

  // A mark outside the samples marks nothing.
  const int marked = in.I16(kMarkedSampleAt);
  r.markedSample = marked > 0 && marked < r.sampleCount ? marked : 0;
  return r;
}

std::optional<ScanRecording> ReadScanRecording(const std::filesystem::path& path) {
  const int fd = vetra::OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  // Only the first kLargestFile bytes can belong to a recording; the rest is never read.
  std::vector<std::uint8_t> bytes(kLargestFile);
  const std::size_t got = vetra::ReadUpTo(fd, bytes.data(), bytes.size());
  ::close(fd);
  bytes.resize(got);
  return ParseScanRecording(bytes);
}

}  // namespace quarnel
