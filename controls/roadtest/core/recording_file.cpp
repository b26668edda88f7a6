#include "controls/roadtest/core/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "controls/roadtest/core/sample_file.h"
#include "platform/base/drive.h"
#include "platform/base/regular_file.h"
#include "platform/base/text.h"
#include "platform/base/unique_fd.h"

namespace morvit {
namespace {

// The bytes before the samples, as many as the file has; nothing when the file cannot be read.
std::optional<std::vector<std::uint8_t>> ReadHead(int fd) {
  std::vector<std::uint8_t> head(kHeadSize);
  int error = 0;
  head.resize(vetra::ReadUpToAt(fd, head.data(), head.size(), 0, &error));
  if (error != 0) return std::nullopt;
  return head;
}

// The progress hears the number of each recorded channel with samples as it is laid out, then of
// each derived channel.
void ReportChannel(const Recording& r, int channel, const UnpackProgress& progress) {
  if (progress && r.channels[static_cast<std::size_t>(channel)].rate != 0) progress(channel);
}
void ReportDerived(const UnpackProgress& progress) {
  if (progress) {
    for (int i = kFirstDerived; i < kItemCount; ++i) progress(i);
  }
}

// Reads the head of a recording and lays out where each channel's samples lie in the file. The
// file stays open for the samples, which are read into the recording's own memory channel by
// channel as they are first looked at; channels the file holds no bytes of are zeros from the
// start. Nothing when the file cannot be opened or read, or no memory can be had for its samples.
std::optional<Recording> ReadRecording(std::string_view path, const UnpackProgress& progress) {
  vetra::UniqueFd file(vetra::OpenRegularFile(vetra::MapPath(path), O_RDONLY));
  if (!file.IsOpen()) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return std::nullopt;
  const auto fileSize = static_cast<std::uint64_t>(info.st_size);
  const auto head = ReadHead(file.Get());
  if (!head) return std::nullopt;
  Recording r = ParseRecordingHead(*head);

  std::vector<SamplePiece> pieces;
  std::uint64_t offset = r.SampleStart();
  for (int i = 0; i < kRecordedCount; ++i) {
    ReportChannel(r, i, progress);
    const std::size_t count = r.data[static_cast<std::size_t>(i)].size();
    if (count != 0 && offset < fileSize) {
      pieces.push_back({i, offset, count, static_cast<std::size_t>(std::min<std::uint64_t>(count, fileSize - offset))});
    }
    offset += count;
  }
  if (!pieces.empty()) {
    const auto samples = SampleFile::Open(std::move(file), pieces);
    if (!samples) return std::nullopt;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      r.data[static_cast<std::size_t>(pieces[k].channel)] = ChannelSamples::FromFile(samples, k);
    }
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
  auto recording = ReadRecording(out.readPath, progress);
  if (!recording) {
    out.status = LoadStatus::CannotOpen;
    return out;
  }
  out.recording = std::move(*recording);
  out.status = LoadStatus::Ok;
  return out;
}

}  // namespace morvit
