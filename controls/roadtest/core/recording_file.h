#pragma once
// Loading a road-test working copy from disk: a name ending in "Dat" is read as it is, any other
// is unpacked first into the file beside it whose name ends in "Dat".
#include <string>
#include <string_view>

#include "controls/roadtest/core/lzss_unpacker.h"
#include "controls/roadtest/core/recording.h"

namespace morvit {

enum class LoadStatus {
  Ok,
  CannotOpen,     // the recording (or the packed working copy) cannot be read
  UnpackFailed,   // unpacking failed; no unpacked file is left behind
};

struct LoadedFile {
  LoadStatus status = LoadStatus::CannotOpen;
  UnpackStatus unpack = UnpackStatus::Ok;
  std::string readPath;      // the file actually read (system path)
  std::string unpackedPath;  // the file this load made by unpacking; empty when none
  Recording recording;
  bool Ok() const { return status == LoadStatus::Ok; }
};

// True when the name is read as unpacked: it ends in "dat" in any letter case, so a working copy
// is never unpacked onto itself.
bool IsUnpackedName(std::string_view path);
// The unpacked file beside a packed one: the last three characters replaced by "Dat".
std::string UnpackedPathOf(std::string_view packedPath);

// Unpacks when needed and reads the recording (system paths, "C:\Vetra\TempE\x.RES").
LoadedFile LoadRecordingFile(std::string_view path, const UnpackProgress& progress = {});

}  // namespace morvit
