#pragma once
// An open oscilloscope recording: its header, its shown channels and windows of 700 columns
// reduced to a min/max envelope per channel. Opening reads only the header, so its cost does not
// depend on the length of the recording.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/oscilloscope/core/measurement.h"
#include "controls/oscilloscope/core/recording_header.h"
#include "platform/base/cfile.h"

namespace tessial {

enum class RecordingError {
  none,
  cannotOpen,       // missing, unreadable, or not a plain file
  tooShort,         // shorter than its header
  noChannels,       // no channel type enabled
  tooManyChannels,  // more than six channel types enabled
};

enum class WindowRead {
  ok,
  seekError,  // "Offset Seek Error"
  shortRead,  // "ReadHuge Error": fewer bytes arrived than the recording holds
};

// The envelopes of one window, one per shown slot, and how many of its columns hold data (fewer
// than 700 only for a recording shorter than one window, or after a short read).
struct WindowData {
  std::array<Envelope, kMaxSlots> envelopes{};
  int validColumns = 0;
};

class Recording {
public:
  Recording();
  // Opens a recording at a system path ("c:\Vetra\TempE\x.Osc") and reads its header.
  RecordingError Open(std::string_view path);
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }

  const RecordingHeader& Header() const { return m_header; }
  // Enabled channel types in increasing type order: one slot each.
  const std::vector<int>& ShownTypes() const { return m_shown; }
  int ChannelCount() const { return static_cast<int>(m_shown.size()); }
  std::uint64_t FileLength() const { return m_length; }
  // Bytes after the header, as a signed number.
  std::int64_t DataBytes() const { return static_cast<std::int64_t>(m_length) - static_cast<std::int64_t>(osc::kHeaderSize); }
  // Whole steps (every shown channel's two samples) in the recording.
  std::int64_t Steps() const;

  // Reads the window starting at column `position` (columns of `compression` steps each).
  WindowRead ReadWindow(std::int64_t position, int compression, WindowData& out);

private:
  win::CFile m_file;
  RecordingHeader m_header;
  std::vector<int> m_shown;
  std::uint64_t m_length = 0;
  std::vector<std::uint8_t> m_buffer;  // one window at the largest compression and channel count
};

// Builds the envelopes of `columns` columns from the bytes of a window: for each column, each of
// its `compression` steps, each channel in shown order, two 16-bit samples. Columns beyond
// `columns` are set to the zero level.
void BuildEnvelopes(const std::uint8_t* bytes, int channels, int compression, int columns, WindowData& out);

// Columns of a recording at a compression, and the last window start: columns - 700, 0 or below
// when the recording is shorter than one window.
std::int64_t ColumnCount(std::int64_t dataBytes, int channels, int compression);
std::int64_t MaxPosition(std::int64_t dataBytes, int channels, int compression);

}  // namespace tessial
