#pragma once
// Saved-data archives: PKZIP archives on one disk whose data entry "SAVEDATA.DAT" holds a
// recording, stored or deflated. Besides sound archives the writer makes damaged ones on purpose
// (each fault below), so the reader's and the chooser's handling of them can be tried.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::samples {

enum class ZipMethod : std::uint16_t { stored = 0, deflated = 8 };

// Damage to one entry.
enum class EntryFault {
  none,
  badLocalSignature,       // local header signature is not 50 4B 03 04
  localMethodMismatch,     // local header names the other method
  localCrcMismatch,        // local CRC differs from the central one
  localSizeMismatch,       // local sizes differ from the central ones
  localNameLengthMismatch, // local header carries a longer name
  unknownMethod,           // method 12 in both headers (the data is stored)
  badCrc,                  // both headers carry a CRC that does not match the data
  truncatedData,           // the last bytes of the data are missing and the compressed size says so
  declaredLarger,          // both headers declare 10 bytes more than the data gives
};

// Damage to the archive as a whole.
enum class ArchiveFault {
  none,
  multiDisk,               // the end record says this is disk 1
  directoryOnOtherDisk,    // the central directory starts on disk 1
  unequalCounts,           // total entries differ from the entries on this disk
  badCentralSignature,     // the first central record's signature is broken
  directoryPastEnd,        // the directory's offset and size reach past the end record
  noEndRecord,             // the end record is left out
};

struct ZipEntrySample {
  std::string name = "SAVEDATA.DAT";
  std::string data;
  ZipMethod method = ZipMethod::deflated;
  // Modification time in DOS form (default 2023-11-05 14:37:42).
  std::uint16_t dosDate = (43 << 9) | (11 << 5) | 5;
  std::uint16_t dosTime = (14 << 11) | (37 << 5) | 21;
  std::uint32_t externalAttributes = 0x20;
  // Flag bit 3: the local header carries zero CRC and sizes and a data descriptor follows the data.
  bool dataDescriptor = false;
  EntryFault fault = EntryFault::none;
};

struct ZipArchiveSample {
  std::vector<ZipEntrySample> entries{};
  std::string stub{};     // bytes before the archive (a self-extractor's program, say)
  std::string comment{};  // archive comment
  ArchiveFault fault = ArchiveFault::none;
};

// The archive's bytes.
std::string MakeZipArchive(const ZipArchiveSample& archive);

// A sound saved-data archive whose only entry is SAVEDATA.DAT holding `data`.
std::string MakeSaveDataArchive(std::string_view data, ZipMethod method = ZipMethod::deflated);

// Recording-like bytes: a slowly wandering signal with noise, so deflate finds something to do
// without making the data trivial. The same seed gives the same bytes.
std::string SampleRecordingBytes(std::size_t size, std::uint32_t seed = 1);

// The DOS date and time as the local time they stand for (seconds since 1970).
std::int64_t DosToLocalTime(std::uint16_t dosDate, std::uint16_t dosTime);

// Writes bytes to a Linux path, making its folders; throws std::runtime_error on failure.
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vetra::samples
