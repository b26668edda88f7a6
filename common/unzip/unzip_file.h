#pragma once
// Reader of one PKZIP archive on disk: single disk, no encryption, entries stored (method 0) or
// deflated (method 8). It finds the end-of-central-directory record, walks the central directory
// and delivers an entry's bytes, checking the CRC-32 when the last byte has been delivered.
// Failures it detects itself are CZipException; the file layer's pass through as
// win::CFileException. An archive may follow other bytes (a stub): every position in its records
// is corrected by the number of bytes before it.

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "common/unzip/zip_exception.h"
#include "platform/base/cfile.h"
#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

namespace unzip {

// An entry as its central record describes it.
struct ZipEntryInfo {
  win::DWORD versionMadeBy = 0;
  win::DWORD versionNeeded = 0;
  win::DWORD flag = 0;
  win::DWORD compressionMethod = 0;
  win::DWORD dosDateTime = 0;  // time in the low half, date in the high half
  win::DWORD crc = 0;
  win::DWORD compressedSize = 0;
  win::DWORD uncompressedSize = 0;
  win::DWORD fileNameLength = 0;
  win::DWORD extraFieldLength = 0;
  win::DWORD commentLength = 0;
  win::DWORD diskNumberStart = 0;
  win::DWORD internalAttributes = 0;
  win::DWORD externalAttributes = 0;
  win::CTime modificationTime;  // the DOS date and time as local time
};

// The largest entry the reader unpacks. An entry that declares more is refused when it is
// opened, so a forged size cannot make a caller fill the disk.
inline constexpr win::DWORD kMaxEntrySize = 0x40000000;  // 1 GiB

class CUnzipFile {
public:
  // Opens the archive and goes to its first entry.
  explicit CUnzipFile(std::string_view path);
  virtual ~CUnzipFile();
  CUnzipFile(const CUnzipFile&) = delete;
  CUnzipFile& operator=(const CUnzipFile&) = delete;

  // Does nothing when an archive is open already.
  void Open(std::string_view path);
  // Closes an open entry (with its CRC check) and the archive; nothing when closed.
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }

  win::DWORD GetEntryCount() const { return m_entryCount; }
  void GoToFirstEntry();
  // False, staying where it is, at the last entry.
  bool GoToNextEntry();

  // The current entry's record; the name, extra field and comment go into the buffers given
  // (a field as long as its buffer or longer fills it without a terminating zero; a shorter one
  // is terminated).
  void GetEntryInfo(ZipEntryInfo& info, char* name = nullptr, win::DWORD nameSize = 0,
                    void* extra = nullptr, win::DWORD extraSize = 0, char* comment = nullptr,
                    win::DWORD commentSize = 0);

  void OpenEntry();
  // Bytes delivered into `buffer`: fewer than `length` only at the entry's end, 0 after it.
  // The CRC-32 is compared as the last byte is delivered (cause badCrc on a mismatch).
  win::UINT ReadEntry(void* buffer, win::UINT length);
  void CloseEntry();

  // Closes `file` and gives it the entry's modification time. The entry's attributes are not
  // applied: they come from other systems and mean nothing for a working copy.
  static void SetExtractedFileStatus(win::CFile& file, const ZipEntryInfo& info);

private:
  struct CentralRecord;
  struct EntryReader;

  [[noreturn]] void Throw(int code) const;
  [[noreturn]] void ThrowCause(CZipException::Cause cause) const;
  std::uint64_t LocateEndRecord();
  void ReadEndRecord(std::uint64_t position);
  CentralRecord ReadCentralRecord();
  void ReadExactly(std::uint64_t position, void* buffer, win::UINT count);
  void ReadDirectoryBytes(std::uint64_t position, void* buffer, win::UINT count);
  void CheckLocalHeader(std::uint32_t& dataOffset);
  void RefillInput(EntryReader& reader);
  void FinishEntryIfComplete(EntryReader& reader);

  win::CFile m_file;
  win::BYTE m_exceptionFlag = 0;
  win::DWORD m_entryCount = 0;
  win::DWORD m_commentLength = 0;
  std::uint64_t m_bytesBefore = 0;
  win::DWORD m_entryIndex = 0;
  std::uint64_t m_entryPosition = 0;  // of the current central record, from the archive's start
  bool m_entryValid = false;
  std::uint64_t m_endRecordPosition = 0;
  win::DWORD m_directorySize = 0;
  win::DWORD m_directoryOffset = 0;
  ZipEntryInfo m_entry;
  win::DWORD m_localHeaderOffset = 0;
  // The central directory, read once at opening, so walking many entries costs no file reads.
  std::vector<unsigned char> m_directory;
  std::pair<win::DWORD, win::CTime> m_convertedDosTime{0, win::CTime()};
  std::unique_ptr<EntryReader> m_reader;  // set while an entry is open
};

}  // namespace unzip
