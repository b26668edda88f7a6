#pragma once
// Recording kinds and the names of their working copies. The kind numbers are shared with the
// download control and the viewer pages: 1 oscilloscope, 2 primary ignition, 3 secondary
// ignition, 4 scan data, 5 road test.

#include <optional>
#include <string>
#include <string_view>

namespace savedata {

struct RecordingKind {
  int number;                   // 1..5
  const char* extension;        // the saved-data file's last three letters, upper case
  const char* workingCopyFormat;  // "%dTemp.Osc": %d is a random number
  bool packed;                  // unpacked from a saved-data archive, else copied unchanged
};

// The kind of a saved-data file, from the last three letters of its path in any case; nothing
// for any other ending.
std::optional<RecordingKind> KindOfPath(std::string_view path);

// The kind of a recording-kind number (1..5) with its first working-copy name ("%dTemp.Scn"
// for 4, "%dTemp.Res" for 5); nothing for any other number.
std::optional<RecordingKind> KindOfNumber(int number);

// The working copy's bare name for a random number ("12345Temp.Osc").
std::string WorkingCopyName(const RecordingKind& kind, int number);

}  // namespace savedata
