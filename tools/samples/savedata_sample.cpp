#include "tools/samples/savedata_sample.h"

#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <stdexcept>

#include "common/unzip/zip_format.h"

namespace vetra::samples {
namespace {

using unzip::kCentralSignature;
using unzip::kDescriptorSignature;
using unzip::kEndSignature;
using unzip::kLocalSignature;
constexpr std::uint16_t kVersion = 20;
constexpr std::uint16_t kUnknownMethod = 12;
constexpr std::uint16_t kDescriptorFlag = 0x0008;

void Put16(std::string& out, std::uint32_t value)
{
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value)
{
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::uint32_t Crc32(std::string_view data)
{
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes its lengths as uInt; feed large data in slices.
  constexpr std::size_t kSlice = 1u << 30;
  for (std::size_t at = 0; at < data.size(); at += kSlice) {
    std::size_t n = std::min(kSlice, data.size() - at);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data() + at), static_cast<uInt>(n));
  }
  return static_cast<std::uint32_t>(crc);
}

// Raw deflate (no zlib header), as PKZIP stores it.
std::string Deflate(std::string_view data)
{
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("deflateInit2 failed");
  }
  std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

// What the two headers of one entry say, before any fault of the local header is applied.
struct EntryRecord {
  std::uint16_t flag = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t uncompressedSize = 0;
  std::uint32_t localOffset = 0;
};

std::string LocalHeader(const ZipEntrySample& entry, const EntryRecord& record)
{
  const bool descriptor = entry.dataDescriptor;
  std::uint16_t method = record.method;
  std::uint32_t crc = descriptor ? 0 : record.crc;
  std::uint32_t compressed = descriptor ? 0 : record.compressedSize;
  std::uint32_t uncompressed = descriptor ? 0 : record.uncompressedSize;
  std::string name = entry.name;
  switch (entry.fault) {
    case EntryFault::localMethodMismatch:
      method = method == 0 ? 8 : 0;
      break;
    case EntryFault::localCrcMismatch: crc = record.crc ^ 0x55AA55AA; break;
    case EntryFault::localSizeMismatch:
      compressed = record.compressedSize + 1;
      uncompressed = record.uncompressedSize + 1;
      break;
    case EntryFault::localNameLengthMismatch: name += "_"; break;
    default: break;
  }
  std::string out;
  Put32(out, entry.fault == EntryFault::badLocalSignature ? kLocalSignature + 1 : kLocalSignature);
  Put16(out, kVersion);
  Put16(out, record.flag);
  Put16(out, method);
  Put16(out, entry.dosTime);
  Put16(out, entry.dosDate);
  Put32(out, crc);
  Put32(out, compressed);
  Put32(out, uncompressed);
  Put16(out, static_cast<std::uint32_t>(name.size()));
  Put16(out, 0);
  out += name;
  return out;
}

std::string CentralRecord(const ZipEntrySample& entry, const EntryRecord& record, bool breakSignature)
{
  std::string out;
  Put32(out, breakSignature ? kCentralSignature + 1 : kCentralSignature);
  Put16(out, kVersion);
  Put16(out, kVersion);
  Put16(out, record.flag);
  Put16(out, record.method);
  Put16(out, entry.dosTime);
  Put16(out, entry.dosDate);
  Put32(out, record.crc);
  Put32(out, record.compressedSize);
  Put32(out, record.uncompressedSize);
  Put16(out, static_cast<std::uint32_t>(entry.name.size()));
  Put16(out, 0);  // extra field
  Put16(out, 0);  // comment
  Put16(out, 0);  // disk number start
  Put16(out, 0);  // internal attributes
  Put32(out, entry.externalAttributes);
  Put32(out, record.localOffset);
  out += entry.name;
  return out;
}

}  // namespace

std::string MakeZipArchive(const ZipArchiveSample& archive)
{
  // Offsets in the records count from the archive's start, not from the stub's.
  std::string body;
  std::vector<EntryRecord> records;
  for (const ZipEntrySample& entry : archive.entries) {
    EntryRecord record;
    const bool stored = entry.method == ZipMethod::stored || entry.fault == EntryFault::unknownMethod;
    std::string data = stored ? entry.data : Deflate(entry.data);
    record.flag = entry.dataDescriptor ? kDescriptorFlag : 0;
    record.method = entry.fault == EntryFault::unknownMethod ? kUnknownMethod
                                                              : static_cast<std::uint16_t>(entry.method);
    record.crc = Crc32(entry.data);
    record.uncompressedSize = static_cast<std::uint32_t>(entry.data.size());
    switch (entry.fault) {
      case EntryFault::badCrc: record.crc ^= 0x00000001; break;
      case EntryFault::truncatedData: data.resize(data.size() - std::min<std::size_t>(16, data.size())); break;
      case EntryFault::declaredLarger: record.uncompressedSize += 10; break;
      default: break;
    }
    record.compressedSize = static_cast<std::uint32_t>(data.size());
    record.localOffset = static_cast<std::uint32_t>(body.size());
    body += LocalHeader(entry, record);
    body += data;
    if (entry.dataDescriptor) {
      Put32(body, kDescriptorSignature);
      Put32(body, record.crc);
      Put32(body, record.compressedSize);
      Put32(body, record.uncompressedSize);
    }
    records.push_back(record);
  }

  const auto directoryOffset = static_cast<std::uint32_t>(body.size());
  for (std::size_t i = 0; i < archive.entries.size(); ++i) {
    bool breakSignature = i == 0 && archive.fault == ArchiveFault::badCentralSignature;
    body += CentralRecord(archive.entries[i], records[i], breakSignature);
  }
  const auto directorySize = static_cast<std::uint32_t>(body.size() - directoryOffset);

  if (archive.fault != ArchiveFault::noEndRecord) {
    const auto count = static_cast<std::uint32_t>(archive.entries.size());
    Put32(body, kEndSignature);
    Put16(body, archive.fault == ArchiveFault::multiDisk ? 1 : 0);
    Put16(body, archive.fault == ArchiveFault::directoryOnOtherDisk ? 1 : 0);
    Put16(body, count);
    Put16(body, archive.fault == ArchiveFault::unequalCounts ? count + 1 : count);
    Put32(body, directorySize);
    Put32(body, archive.fault == ArchiveFault::directoryPastEnd ? directoryOffset + 100 : directoryOffset);
    Put16(body, static_cast<std::uint32_t>(archive.comment.size()));
    body += archive.comment;
  }
  return archive.stub + body;
}

std::string MakeSaveDataArchive(std::string_view data, ZipMethod method)
{
  ZipArchiveSample archive;
  ZipEntrySample entry;
  entry.data = std::string(data);
  entry.method = method;
  archive.entries.push_back(std::move(entry));
  return MakeZipArchive(archive);
}

std::string SampleRecordingBytes(std::size_t size, std::uint32_t seed)
{
  std::string out(size, '\0');
  std::uint32_t state = seed;
  int level = 128;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    int step = static_cast<int>((state >> 16) % 7) - 3;
    level = std::clamp(level + step, 0, 255);
    out[i] = static_cast<char>(level);
  }
  return out;
}

std::int64_t DosToLocalTime(std::uint16_t dosDate, std::uint16_t dosTime)
{
  std::tm parts{};
  parts.tm_year = 80 + (dosDate >> 9);
  parts.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
  parts.tm_mday = dosDate & 0x1F;
  parts.tm_hour = dosTime >> 11;
  parts.tm_min = (dosTime >> 5) & 0x3F;
  parts.tm_sec = (dosTime & 0x1F) * 2;
  parts.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&parts));
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace vetra::samples
