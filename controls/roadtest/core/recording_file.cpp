#include "controls/roadtest/core/recording_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/base/drive.h"
#include "platform/base/read_only_mapping.h"
#include "platform/base/regular_file.h"
#include "platform/base/text.h"

namespace morvit {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// A recording file read once from front to back, every piece straight into the memory that keeps
// it: no copy of the whole file is ever held.
class RecordingReader {
public:
  explicit RecordingReader(std::string_view path) : m_file(vetra::FopenRegularFile(vetra::MapPath(path), "rb")) {
    // The pieces are large; the stream's own buffer would only add a copy.
    if (m_file) std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
  }
  bool IsOpen() const { return m_file != nullptr; }
  // Reads up to `size` bytes; fewer only at the end of the file. False when reading failed.
  bool Read(std::uint8_t* out, std::size_t size, std::size_t& got) {
    got = size == 0 ? 0 : std::fread(out, 1, size, m_file.get());
    return !std::ferror(m_file.get());
  }

private:
  std::unique_ptr<std::FILE, FileCloser> m_file;
};

// The bytes before the samples, as many as the file has; nothing when the file cannot be read.
std::optional<std::vector<std::uint8_t>> ReadHead(RecordingReader& reader) {
  std::vector<std::uint8_t> head(kHeadSize);
  std::size_t got = 0;
  if (!reader.Read(head.data(), head.size(), got)) return std::nullopt;
  head.resize(got);
  return head;
}

// The progress hears the number of each recorded channel with samples as it is read, then of each
// derived channel.
void ReportChannel(const Recording& r, int channel, const UnpackProgress& progress) {
  if (progress && r.channels[static_cast<std::size_t>(channel)].rate != 0) progress(channel);
}
void ReportDerived(const UnpackProgress& progress) {
  if (progress) {
    for (int i = kFirstDerived; i < kItemCount; ++i) progress(i);
  }
}

// Reads a recording the ordinary way, where it cannot be mapped: the head, then each channel's
// samples in one piece into its own vector. Bytes the file does not have stay zero.
std::optional<Recording> ReadRecording(std::string_view path, const UnpackProgress& progress) {
  RecordingReader reader(path);
  if (!reader.IsOpen()) return std::nullopt;
  const auto head = ReadHead(reader);
  if (!head) return std::nullopt;
  Recording r = ParseRecordingHead(*head);
  // The old layout's samples begin inside the head already read.
  std::size_t offset = r.SampleStart();
  bool atEnd = head->size() < kHeadSize;
  for (int i = 0; i < kRecordedCount; ++i) {
    auto& samples = r.data[static_cast<std::size_t>(i)].Own();
    ReportChannel(r, i, progress);
    std::size_t filled = 0;
    if (offset < head->size()) {
      filled = std::min(samples.size(), head->size() - offset);
      std::copy_n(head->begin() + static_cast<std::ptrdiff_t>(offset), filled, samples.begin());
    }
    offset += samples.size();
    if (atEnd || filled == samples.size()) continue;
    std::size_t got = 0;
    if (!reader.Read(samples.data() + filled, samples.size() - filled, got)) return std::nullopt;
    atEnd = got < samples.size() - filled;
  }
  ReportDerived(progress);
  return r;
}

// Reads a recording through a read-only mapping of the file: every channel the file holds whole
// views its bytes in the mapping, so nothing is copied or zero-filled; a channel the file ends in
// gets its own bytes, zero past the end, and channels beyond the end read as zeros.
std::optional<Recording> MapRecording(std::string_view path, const UnpackProgress& progress) {
  const auto mapping = vetra::ReadOnlyMapping::Open(vetra::MapPath(path));
  if (!mapping) return ReadRecording(path, progress);
  const std::span<const std::uint8_t> bytes = mapping->Bytes();
  Recording r = ParseRecordingHead(bytes.first(std::min(bytes.size(), kHeadSize)));
  std::size_t offset = r.SampleStart();
  for (int i = 0; i < kRecordedCount; ++i) {
    ChannelSamples& samples = r.data[static_cast<std::size_t>(i)];
    ReportChannel(r, i, progress);
    const std::size_t count = samples.size();
    if (offset + count <= bytes.size()) {
      if (count != 0) samples = ChannelSamples::View(bytes.subspan(offset, count), mapping);
    } else if (offset < bytes.size()) {
      const auto available = bytes.subspan(offset);
      std::copy(available.begin(), available.end(), samples.Own().begin());
    }
    offset += count;
  }
  ReportDerived(progress);
  return r;
}

}  // namespace

bool IsUnpackedName(std::string_view path) {
  return path.size() >= 3 && vetra::EqualsNoCase(path.substr(path.size() - 3), "dat");
}

std::string UnpackedPathOf(std::string_view packedPath) {
  const std::size_t keep = packedPath.size() >= 3 ? packedPath.size() - 3 : 0;
  return std::string(packedPath.substr(0, keep)) + "Dat";
}

LoadedFile LoadRecordingFile(std::string_view path, const UnpackProgress& progress) {
  LoadedFile out;
  out.readPath = std::string(path);
  if (!IsUnpackedName(path)) {
    const std::string unpacked = UnpackedPathOf(path);
    if (UnpackLzss(path, unpacked, progress, &out.unpack) != 1) {
      out.status = out.unpack == UnpackStatus::InputUnreadable ? LoadStatus::CannotOpen : LoadStatus::UnpackFailed;
      return out;
    }
    out.readPath = unpacked;
    out.unpackedPath = unpacked;
  }
  auto recording = MapRecording(out.readPath, progress);
  if (!recording) {
    out.status = LoadStatus::CannotOpen;
    return out;
  }
  out.recording = std::move(*recording);
  out.status = LoadStatus::Ok;
  return out;
}

bool ReloadMinMaxPairs(std::string_view path, Recording& recording) {
  RecordingReader reader(path);
  if (!reader.IsOpen()) return false;
  const auto head = ReadHead(reader);
  if (!head) return false;
  ReadMinMaxPairs(*head, recording);
  return true;
}

}  // namespace morvit
