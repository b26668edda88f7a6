#include "common/unzip/unzip_file.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "common/unzip/zip_format.h"

namespace unzip {
namespace {

constexpr std::uint64_t kEndSearchReach = 0xFFFF;
constexpr std::uint64_t kSearchStep = 1024;
constexpr win::UINT kSearchBlock = 1028;  // blocks overlap by 4 bytes: a signature on a border is found
constexpr win::UINT kReadBlock = 0x4000;
constexpr win::DWORD kMethodStored = 0;
constexpr win::DWORD kMethodDeflated = 8;
constexpr win::DWORD kFlagDataDescriptor = 0x0008;
// Larger directories are read record by record from the file.
constexpr win::DWORD kMaxHeldDirectory = 16u << 20;

std::uint32_t Get16(const unsigned char* at)
{
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8;
}

std::uint32_t Get32(const unsigned char* at)
{
  return Get16(at) | Get16(at + 2) << 16;
}

win::CTime TimeFromDos(std::uint32_t dosDateTime)
{
  if (dosDateTime == 0) return win::CTime();
  const std::uint32_t time = dosDateTime & 0xFFFF;
  const std::uint32_t date = dosDateTime >> 16;
  return win::CTime(static_cast<int>(1980 + (date >> 9)), static_cast<int>((date >> 5) & 0x0F),
                    static_cast<int>(date & 0x1F), static_cast<int>(time >> 11),
                    static_cast<int>((time >> 5) & 0x3F), static_cast<int>((time & 0x1F) * 2));
}

// Copies a field into a caller's buffer: a field at least as long as the buffer fills it without a
// terminator, a shorter one is terminated.
void CopyField(const unsigned char* field, win::DWORD length, void* buffer, win::DWORD size)
{
  if (buffer == nullptr || size == 0) return;
  auto* out = static_cast<char*>(buffer);
  if (length >= size) {
    std::memcpy(out, field, size);
  } else {
    if (length > 0) std::memcpy(out, field, length);
    out[length] = '\0';
  }
}

}  // namespace

struct CUnzipFile::CentralRecord {
  ZipEntryInfo info;
  win::DWORD localHeaderOffset = 0;
};

// Read state of the open entry.
struct CUnzipFile::EntryReader {
  ~EntryReader()
  {
    if (streamInitialised) inflateEnd(&stream);
  }

  std::array<unsigned char, kReadBlock> buffer{};
  z_stream stream{};
  bool streamInitialised = false;
  std::uint64_t nextCompressed = 0;  // from the archive's start
  win::DWORD localExtraOffset = 0;
  win::DWORD localExtraSize = 0;
  win::DWORD crc = 0;
  win::DWORD expectedCrc = 0;
  win::DWORD compressedLeft = 0;
  win::DWORD uncompressedLeft = 0;
  win::DWORD method = 0;
  bool crcChecked = false;
};

CUnzipFile::CUnzipFile(std::string_view path)
{
  Open(path);
}

CUnzipFile::~CUnzipFile() = default;

void CUnzipFile::Throw(int code) const
{
  ThrowCause(CZipException::CauseFromCode(code));
}

void CUnzipFile::ThrowCause(CZipException::Cause cause) const
{
  throw CZipException(cause, m_file.IsOpen() ? m_file.GetFilePath() : std::string(), m_exceptionFlag);
}

void CUnzipFile::Open(std::string_view path)
{
  if (IsOpen()) return;
  win::CFileException error;
  if (!m_file.Open(path, win::CFile::modeRead | win::CFile::shareDenyWrite, &error)) throw error;
  try {
    ReadEndRecord(LocateEndRecord());
    GoToFirstEntry();
  } catch (...) {
    // A refused archive leaves the reader closed.
    m_file.Abort();
    m_entryValid = false;
    throw;
  }
}

void CUnzipFile::Close()
{
  if (!IsOpen()) return;
  CloseEntry();
  m_file.Close();
  m_entryValid = false;
}

std::uint64_t CUnzipFile::LocateEndRecord()
{
  const std::uint64_t size = m_file.GetLength();
  const std::uint64_t back = std::min(size, kEndSearchReach);
  std::array<unsigned char, kSearchBlock> block{};
  std::uint64_t offset = 4;
  while (offset < back) {
    offset = std::min(offset + kSearchStep, back);
    const std::uint64_t blockStart = size - offset;
    const auto count = static_cast<win::UINT>(std::min<std::uint64_t>(offset, kSearchBlock));
    m_file.Seek(static_cast<win::LONGLONG>(blockStart), win::CFile::begin);
    if (m_file.Read(block.data(), count) != count) ThrowCause(CZipException::badZipFile);
    for (win::UINT i = count - 4 + 1; i-- > 0;) {
      if (Get32(&block[i]) == kEndSignature) {
        // A match at the very start counts as none: an archive this reader takes holds at least
        // one entry before its end record.
        if (blockStart + i == 0) ThrowCause(CZipException::badZipFile);
        return blockStart + i;
      }
    }
  }
  ThrowCause(CZipException::badZipFile);
}

void CUnzipFile::ReadEndRecord(std::uint64_t position)
{
  std::array<unsigned char, kEndRecordSize> record{};
  m_file.Seek(static_cast<win::LONGLONG>(position), win::CFile::begin);
  if (m_file.Read(record.data(), kEndRecordSize) != kEndRecordSize) ThrowCause(CZipException::badZipFile);
  const std::uint32_t thisDisk = Get16(&record[4]);
  const std::uint32_t directoryDisk = Get16(&record[6]);
  const std::uint32_t entriesHere = Get16(&record[8]);
  const std::uint32_t entriesTotal = Get16(&record[10]);
  if (thisDisk != 0 || directoryDisk != 0 || entriesHere != entriesTotal) {
    ThrowCause(CZipException::badZipFile);
  }
  m_entryCount = entriesHere;
  m_directorySize = Get32(&record[12]);
  m_directoryOffset = Get32(&record[16]);
  m_commentLength = Get16(&record[20]);
  const std::uint64_t directoryEnd = std::uint64_t{m_directoryOffset} + m_directorySize;
  if (position < directoryEnd) ThrowCause(CZipException::badZipFile);
  m_endRecordPosition = position;
  m_bytesBefore = position - directoryEnd;
  m_directory.clear();
  if (m_directorySize <= kMaxHeldDirectory) {
    std::vector<unsigned char> directory(m_directorySize);
    if (m_directorySize > 0) ReadExactly(m_directoryOffset, directory.data(), m_directorySize);
    m_directory = std::move(directory);
  }
}

// Bytes of the central directory from the copy held, or from the file where a record claims to
// lie outside it.
void CUnzipFile::ReadDirectoryBytes(std::uint64_t position, void* buffer, win::UINT count)
{
  if (position >= m_directoryOffset && position + count <= m_directoryOffset + m_directory.size()) {
    std::memcpy(buffer, m_directory.data() + (position - m_directoryOffset), count);
    return;
  }
  ReadExactly(position, buffer, count);
}

void CUnzipFile::ReadExactly(std::uint64_t position, void* buffer, win::UINT count)
{
  m_file.Seek(static_cast<win::LONGLONG>(m_bytesBefore + position), win::CFile::begin);
  if (m_file.Read(buffer, count) != count) ThrowCause(CZipException::badZipFile);
}

CUnzipFile::CentralRecord CUnzipFile::ReadCentralRecord()
{
  std::array<unsigned char, kCentralRecordSize> raw{};
  ReadDirectoryBytes(m_entryPosition, raw.data(), kCentralRecordSize);
  if (Get32(&raw[0]) != kCentralSignature) ThrowCause(CZipException::badZipFile);
  CentralRecord record;
  ZipEntryInfo& info = record.info;
  info.versionMadeBy = Get16(&raw[4]);
  info.versionNeeded = Get16(&raw[6]);
  info.flag = Get16(&raw[8]);
  info.compressionMethod = Get16(&raw[10]);
  info.dosDateTime = Get32(&raw[12]);
  info.crc = Get32(&raw[16]);
  info.compressedSize = Get32(&raw[20]);
  info.uncompressedSize = Get32(&raw[24]);
  info.fileNameLength = Get16(&raw[28]);
  info.extraFieldLength = Get16(&raw[30]);
  info.commentLength = Get16(&raw[32]);
  info.diskNumberStart = Get16(&raw[34]);
  info.internalAttributes = Get16(&raw[36]);
  info.externalAttributes = Get32(&raw[38]);
  // Converting local time is costly; neighbouring records mostly carry the same time.
  if (info.dosDateTime != m_convertedDosTime.first) {
    m_convertedDosTime = {info.dosDateTime, TimeFromDos(info.dosDateTime)};
  }
  info.modificationTime = m_convertedDosTime.second;
  record.localHeaderOffset = Get32(&raw[42]);
  return record;
}

void CUnzipFile::GoToFirstEntry()
{
  m_entryPosition = m_directoryOffset;
  m_entryIndex = 0;
  CentralRecord record = ReadCentralRecord();
  m_entry = record.info;
  m_localHeaderOffset = record.localHeaderOffset;
  m_entryValid = true;
}

bool CUnzipFile::GoToNextEntry()
{
  if (!m_entryValid || m_entryIndex + 1 >= m_entryCount) return false;
  m_entryPosition += kCentralRecordSize + m_entry.fileNameLength + m_entry.extraFieldLength +
                     m_entry.commentLength;
  ++m_entryIndex;
  CentralRecord record = ReadCentralRecord();
  m_entry = record.info;
  m_localHeaderOffset = record.localHeaderOffset;
  return true;
}

void CUnzipFile::GetEntryInfo(ZipEntryInfo& info, char* name, win::DWORD nameSize, void* extra,
                              win::DWORD extraSize, char* comment, win::DWORD commentSize)
{
  if (!m_entryValid || !IsOpen()) ThrowCause(CZipException::badFuncParam);
  CentralRecord record = ReadCentralRecord();
  info = record.info;
  const bool wantsFields = (name != nullptr && nameSize > 0) || (extra != nullptr && extraSize > 0) ||
                           (comment != nullptr && commentSize > 0);
  if (!wantsFields) return;
  const win::DWORD length = info.fileNameLength + info.extraFieldLength + info.commentLength;
  std::vector<unsigned char> fields(length);
  if (length > 0) ReadDirectoryBytes(m_entryPosition + kCentralRecordSize, fields.data(), length);
  CopyField(fields.data(), info.fileNameLength, name, nameSize);
  CopyField(fields.data() + info.fileNameLength, info.extraFieldLength, extra, extraSize);
  CopyField(fields.data() + info.fileNameLength + info.extraFieldLength, info.commentLength, comment,
            commentSize);
}

// Compares the local header with the central record and gives where the entry's data starts.
void CUnzipFile::CheckLocalHeader(std::uint32_t& dataOffset)
{
  std::array<unsigned char, kLocalHeaderSize> raw{};
  ReadExactly(m_localHeaderOffset, raw.data(), kLocalHeaderSize);
  const std::uint32_t flag = Get16(&raw[6]);
  const std::uint32_t method = Get16(&raw[8]);
  const bool sizesLater = (flag & kFlagDataDescriptor) != 0;
  const bool consistent =
      Get32(&raw[0]) == kLocalSignature && method == m_entry.compressionMethod &&
      (method == kMethodStored || method == kMethodDeflated) &&
      (sizesLater || Get32(&raw[14]) == m_entry.crc) &&
      (sizesLater || Get32(&raw[18]) == m_entry.compressedSize) &&
      (sizesLater || Get32(&raw[22]) == m_entry.uncompressedSize) &&
      Get16(&raw[26]) == m_entry.fileNameLength;
  if (!consistent) ThrowCause(CZipException::badZipFile);
  const std::uint64_t offset =
      std::uint64_t{m_localHeaderOffset} + kLocalHeaderSize + Get16(&raw[26]) + Get16(&raw[28]);
  // The data has to end before the central directory starts.
  if (offset + m_entry.compressedSize > m_directoryOffset) ThrowCause(CZipException::badZipFile);
  dataOffset = static_cast<std::uint32_t>(offset);
}

void CUnzipFile::OpenEntry()
{
  if (!m_entryValid || !IsOpen()) ThrowCause(CZipException::badFuncParam);
  if (m_reader) CloseEntry();

  std::uint32_t dataOffset = 0;
  CheckLocalHeader(dataOffset);
  if (m_entry.uncompressedSize > kMaxEntrySize) ThrowCause(CZipException::badZipFile);

  auto reader = std::make_unique<EntryReader>();
  reader->localExtraOffset = m_localHeaderOffset + kLocalHeaderSize + m_entry.fileNameLength;
  reader->localExtraSize = dataOffset - reader->localExtraOffset;
  reader->expectedCrc = m_entry.crc;
  reader->method = m_entry.compressionMethod;
  if (reader->method == kMethodDeflated) {
    // Raw deflate: PKZIP data carries no zlib header.
    const int rc = inflateInit2(&reader->stream, -MAX_WBITS);
    if (rc != Z_OK) Throw(rc);
    reader->streamInitialised = true;
  }
  reader->compressedLeft = m_entry.compressedSize;
  reader->uncompressedLeft = m_entry.uncompressedSize;
  reader->nextCompressed = dataOffset;
  m_reader = std::move(reader);
}

void CUnzipFile::RefillInput(EntryReader& reader)
{
  const win::UINT count = std::min<win::UINT>(reader.compressedLeft, kReadBlock);
  ReadExactly(reader.nextCompressed, reader.buffer.data(), count);
  reader.nextCompressed += count;
  reader.compressedLeft -= count;
  reader.stream.next_in = reader.buffer.data();
  reader.stream.avail_in = count;
}

win::UINT CUnzipFile::ReadEntry(void* buffer, win::UINT length)
{
  if (!m_reader) ThrowCause(CZipException::badFuncParam);
  if (length == 0 || buffer == nullptr) return 0;
  EntryReader& reader = *m_reader;
  auto* out = static_cast<unsigned char*>(buffer);
  win::UINT wanted = std::min<win::UINT>(length, reader.uncompressedLeft);
  win::UINT delivered = 0;

  while (wanted > 0) {
    if (reader.stream.avail_in == 0 && reader.compressedLeft > 0) RefillInput(reader);

    if (reader.method == kMethodStored) {
      // The data ran out before the declared size: the entry is cut short.
      if (reader.stream.avail_in == 0) ThrowCause(CZipException::badZipFile);
      const win::UINT n = std::min<win::UINT>(wanted, reader.stream.avail_in);
      std::memcpy(out, reader.stream.next_in, n);
      reader.stream.next_in += n;
      reader.stream.avail_in -= n;
      reader.crc = static_cast<win::DWORD>(crc32(reader.crc, out, n));
      out += n;
      wanted -= n;
      delivered += n;
      reader.uncompressedLeft -= n;
      continue;
    }

    reader.stream.next_out = out;
    reader.stream.avail_out = wanted;
    const int rc = inflate(&reader.stream, Z_SYNC_FLUSH);
    const win::UINT produced = wanted - reader.stream.avail_out;
    reader.crc = static_cast<win::DWORD>(crc32(reader.crc, out, produced));
    out += produced;
    wanted -= produced;
    delivered += produced;
    reader.uncompressedLeft -= produced;
    if (rc == Z_STREAM_END) {
      // The stream ended short of the declared size: what was delivered is not the entry.
      if (reader.uncompressedLeft > 0) Throw(Z_STREAM_END);
      break;
    }
    if (rc != Z_OK) Throw(rc);
  }

  FinishEntryIfComplete(reader);
  return delivered;
}

// The CRC is compared as soon as the last byte is out, so a caller never takes a damaged entry
// for a whole one, whatever it does next.
void CUnzipFile::FinishEntryIfComplete(EntryReader& reader)
{
  if (reader.uncompressedLeft != 0 || reader.crcChecked) return;
  reader.crcChecked = true;
  if (reader.crc != reader.expectedCrc) ThrowCause(CZipException::badCrc);
}

void CUnzipFile::CloseEntry()
{
  if (!m_reader) return;
  // An entry read to its end but not yet checked (size 0, or ended without a further read).
  FinishEntryIfComplete(*m_reader);
  m_reader.reset();
}

void CUnzipFile::SetExtractedFileStatus(win::CFile& file, const ZipEntryInfo& info)
{
  const std::string path = file.GetFilePath();
  file.Close();
  win::CFileStatus status;
  status.m_ctime = win::CTime::GetCurrentTime();
  status.m_atime = status.m_ctime;
  status.m_mtime = info.modificationTime;
  win::CFile::SetStatus(path, status);
}

}  // namespace unzip
