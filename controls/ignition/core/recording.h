#pragma once
// An open ignition recording: its header, read once, and its frame records, read on demand by
// index. The file stays open while the recording is shown; no record is cached.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ignition/core/ign_format.h"
#include "platform/base/cfile.h"

namespace sparwen {

// Recording settings, header bytes 5500..5507.
struct RecordingSettings {
  int ignitionKind = 1;  // 1 secondary, any other value primary
  int displayMode = 2;   // 0 Jik, 1 Byun, 2 3D, 3 Gai
  int pairedFlag = 0;    // nonzero: mode-0 steps hold a lower and an upper trace
  int bandPosition = 0;  // signed word the graph reads in mode 0
  int timeBaseCode = 6;
  int scaleByte = 0;
  int rangeIndex = 2;

  bool Secondary() const { return ignitionKind == 1; }
};

struct IgnitionHeader {
  std::int32_t headerValue = 0;
  std::string cylinderLabel;  // the three texts as the recorder wrote them, bounded by their field
  std::string coilText;
  std::string firingText;
  int sweepCount = 1;
  RecordingSettings settings;
  int engineClass = 0;  // as a signed byte, for the message of a bad class
  int firingCode = 0;
  int coilCode = 0;
  std::array<std::uint8_t, 24> engineBytes{};
  std::int32_t frameCount = 0;  // highest position as written; negative counts as 0
  std::array<float, ig::kTableFloats> tables{};
};

// Reads the header fields from the first 8504 bytes of a recording.
IgnitionHeader ParseHeader(std::span<const std::uint8_t, ig::kHeaderSize> bytes);

// What a reader takes from one frame record. `valueFields` floats sit at 756, the engine speed
// after them and the cylinder-identified byte after that.
struct FrameRecord {
  int marker = 0;
  std::array<std::uint16_t, kSamplesPerRecord> samples{};
  std::array<float, kMaxCylinders * 5> values{};
  int valueFields = 0;
  int rpm = 0;
  int cylinderSync = 0;
};

// Largest number of value fields a record can carry: eight cylinders of five values.
inline constexpr int kMaxValueFields = kMaxCylinders * 5;
void ParseFrameRecord(std::span<const std::uint8_t, ig::kRecordSize> bytes, int valueFields, FrameRecord& out);

enum class RecordingError {
  none,
  cannotOpen,  // missing, unreadable or not a plain file
  tooShort,    // shorter than its header
};

class Recording {
public:
  // Opens a recording at a system path ("c:\Vetra\TempE\x.Ig2") and reads its header.
  RecordingError Open(std::string_view path);
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }
  const IgnitionHeader& Header() const { return m_header; }
  // Whole records after the header.
  std::int64_t RecordCount() const { return m_records; }

  // Reads record `index`; false when it lies outside the file or fewer than 1257 bytes arrive.
  bool ReadRecord(std::int64_t index, int valueFields, FrameRecord& out);

  // Reads records first .. first + count - 1 in one piece, for the ReadRecord calls that follow
  // until DropReadAhead: a window of thousands of records costs one read, not one per record.
  // Records the piece does not hold are read singly as before.
  void ReadAhead(std::int64_t first, std::int64_t count);
  void DropReadAhead();

private:
  win::CFile m_file;
  std::vector<std::uint8_t> m_ahead;  // whole records from m_aheadFirst
  std::int64_t m_aheadFirst = 0;
  std::int64_t m_aheadCount = 0;
  IgnitionHeader m_header;
  std::int64_t m_records = 0;
};

}  // namespace sparwen
