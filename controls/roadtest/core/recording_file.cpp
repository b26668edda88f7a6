#include "controls/roadtest/core/recording_file.h"

#include <optional>
#include <vector>

#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/base/regular_file.h"

namespace morvit {
namespace {

std::optional<std::vector<std::uint8_t>> ReadWhole(std::string_view path) {
  return vetra::ReadRegularFileBytes(vetra::MapPath(path));
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
  const auto bytes = ReadWhole(out.readPath);
  if (!bytes) {
    out.status = LoadStatus::CannotOpen;
    return out;
  }
  out.recording = ParseRecording(*bytes);
  out.status = LoadStatus::Ok;
  return out;
}

bool ReloadMinMaxPairs(std::string_view path, Recording& recording) {
  const auto bytes = ReadWhole(path);
  if (!bytes) return false;
  ReadMinMaxPairs(*bytes, recording);
  return true;
}

}  // namespace morvit
