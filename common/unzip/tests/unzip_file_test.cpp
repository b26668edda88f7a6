#include "common/unzip/unzip_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "tools/samples/savedata_sample.h"

namespace unzip {
namespace {

namespace fs = std::filesystem;
using vetra::samples::ArchiveFault;
using vetra::samples::EntryFault;
using vetra::samples::ZipArchiveSample;
using vetra::samples::ZipEntrySample;
using vetra::samples::ZipMethod;
using vetra::testing::TempDrive;

constexpr const char* kArchivePath = "c:\\Vetra\\Save\\rec.osc";

void WriteArchive(const TempDrive& drive, const std::string& bytes)
{
  drive.WriteFile("Vetra/Save/rec.osc", bytes);
}

ZipEntrySample Entry(std::string name, std::string data, ZipMethod method = ZipMethod::deflated)
{
  ZipEntrySample entry;
  entry.name = std::move(name);
  entry.data = std::move(data);
  entry.method = method;
  return entry;
}

std::string CurrentName(CUnzipFile& zip)
{
  ZipEntryInfo info;
  zip.GetEntryInfo(info);
  std::string name(info.fileNameLength + 1, '\0');
  zip.GetEntryInfo(info, name.data(), static_cast<win::DWORD>(name.size()));
  name.resize(info.fileNameLength);
  return name;
}

// Reads the open entry as both callers do: full blocks until a short one.
std::string ReadAll(CUnzipFile& zip)
{
  std::string out;
  std::vector<char> block(16384);
  win::UINT n = 0;
  do {
    n = zip.ReadEntry(block.data(), static_cast<win::UINT>(block.size()));
    out.append(block.data(), n);
  } while (n == block.size());
  return out;
}

enum class Stage { open, openEntry, read, close, none };

struct Outcome {
  Stage stage = Stage::none;
  CZipException::Cause cause = CZipException::none;
  std::string data;
};

// Opens the archive, reads every entry to its end and closes it, noting where it fails.
Outcome Extract(const TempDrive& drive, const std::string& bytes)
{
  WriteArchive(drive, bytes);
  Outcome outcome;
  Stage stage = Stage::open;
  try {
    CUnzipFile zip(kArchivePath);
    do {
      stage = Stage::openEntry;
      zip.OpenEntry();
      stage = Stage::read;
      outcome.data += ReadAll(zip);
    } while (zip.GoToNextEntry());
    stage = Stage::close;
    zip.Close();
  } catch (const CZipException& error) {
    outcome.stage = stage;
    outcome.cause = error.m_cause;
  }
  return outcome;
}

TEST(UnzipFile, DeliversStoredAndDeflatedEntriesWhole)
{
  struct Case {
    const char* what;
    ZipMethod method;
    std::size_t size;
    std::string stub;
    std::string comment;
    bool descriptor;
  };
  const std::vector<Case> cases{
      {"deflated", ZipMethod::deflated, 100000, "", "", false},
      {"stored", ZipMethod::stored, 100000, "", "", false},
      {"empty entry", ZipMethod::stored, 0, "", "", false},
      {"exactly two blocks", ZipMethod::stored, 32768, "", "", false},
      {"exactly one deflated block", ZipMethod::deflated, 16384, "", "", false},
      {"stub before the archive", ZipMethod::deflated, 5000, std::string(3000, 'S'), "", false},
      {"archive comment", ZipMethod::stored, 5000, "", "made by the recorder", false},
      {"data descriptor", ZipMethod::deflated, 5000, "", "", true},
      // The end record lies in the second search block, and its signature in the comment's
      // neighbourhood straddles the border of the first.
      {"long comment", ZipMethod::deflated, 5000, "", std::string(1030, 'c'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDrive drive;
    ZipArchiveSample archive;
    archive.entries.push_back(Entry("SAVEDATA.DAT", vetra::samples::SampleRecordingBytes(c.size), c.method));
    archive.entries.back().dataDescriptor = c.descriptor;
    archive.stub = c.stub;
    archive.comment = c.comment;
    const Outcome outcome = Extract(drive, vetra::samples::MakeZipArchive(archive));
    EXPECT_EQ(outcome.stage, Stage::none);
    EXPECT_EQ(outcome.data, archive.entries.front().data);
  }
}

TEST(UnzipFile, EndRecordFoundAcrossEverySearchBlockBorder)
{
  // Comment lengths that put the signature on and around the 4-byte overlap of two blocks.
  for (std::size_t comment : {1000u, 1001u, 1002u, 1003u, 1004u, 1005u, 2026u, 2027u, 2028u}) {
    SCOPED_TRACE(comment);
    TempDrive drive;
    ZipArchiveSample archive;
    archive.entries.push_back(Entry("SAVEDATA.DAT", "abc"));
    archive.comment = std::string(comment, 'c');
    EXPECT_EQ(Extract(drive, vetra::samples::MakeZipArchive(archive)).data, "abc");
  }
}

TEST(UnzipFile, WalksEntriesAndReportsTheirRecords)
{
  TempDrive drive;
  ZipArchiveSample archive;
  archive.entries.push_back(Entry("CAR.TXT", "car", ZipMethod::stored));
  archive.entries.push_back(Entry("C:\\VETRA\\TEMP\\SAVEDATA.DAT", "recording"));
  archive.entries.push_back(Entry("notes.txt", ""));
  archive.entries[1].externalAttributes = 0x21;
  WriteArchive(drive, vetra::samples::MakeZipArchive(archive));

  CUnzipFile zip(kArchivePath);
  EXPECT_EQ(zip.GetEntryCount(), 3u);
  std::vector<std::string> names{CurrentName(zip)};
  while (zip.GoToNextEntry()) names.push_back(CurrentName(zip));
  EXPECT_EQ(names, (std::vector<std::string>{"CAR.TXT", "C:\\VETRA\\TEMP\\SAVEDATA.DAT", "notes.txt"}));
  EXPECT_FALSE(zip.GoToNextEntry());
  EXPECT_EQ(CurrentName(zip), "notes.txt");  // stays on the last entry

  zip.GoToFirstEntry();
  ASSERT_TRUE(zip.GoToNextEntry());
  ZipEntryInfo info;
  zip.GetEntryInfo(info);
  const ZipEntrySample& sample = archive.entries[1];
  EXPECT_EQ(info.compressionMethod, 8u);
  EXPECT_EQ(info.uncompressedSize, 9u);
  EXPECT_EQ(info.externalAttributes, 0x21u);
  EXPECT_EQ(info.dosDateTime, (std::uint32_t{sample.dosDate} << 16) | sample.dosTime);
  EXPECT_EQ(info.modificationTime.GetTime(), vetra::samples::DosToLocalTime(sample.dosDate, sample.dosTime));

  // A name as long as its buffer fills it without a terminator.
  char small[4] = {'x', 'x', 'x', 'x'};
  zip.GetEntryInfo(info, small, sizeof small);
  EXPECT_EQ(std::string(small, 4), "C:\\V");

  zip.OpenEntry();
  EXPECT_EQ(ReadAll(zip), "recording");
}

TEST(UnzipFile, RefusesDamagedArchivesWithTheirCause)
{
  struct Case {
    const char* what;
    EntryFault entryFault;
    ArchiveFault archiveFault;
    ZipMethod method;
    bool descriptor;
    Stage stage;
    CZipException::Cause cause;
  };
  using enum Stage;
  const auto badZip = CZipException::badZipFile;
  const auto stored = ZipMethod::stored;
  const auto deflated = ZipMethod::deflated;
  const std::vector<Case> cases{
      {"multi-disk", EntryFault::none, ArchiveFault::multiDisk, deflated, false, open, badZip},
      {"directory on disk 1", EntryFault::none, ArchiveFault::directoryOnOtherDisk, deflated, false, open, badZip},
      {"unequal counts", EntryFault::none, ArchiveFault::unequalCounts, deflated, false, open, badZip},
      {"central signature", EntryFault::none, ArchiveFault::badCentralSignature, deflated, false, open, badZip},
      {"directory past end", EntryFault::none, ArchiveFault::directoryPastEnd, deflated, false, open, badZip},
      {"no end record", EntryFault::none, ArchiveFault::noEndRecord, deflated, false, open, badZip},
      {"local signature", EntryFault::badLocalSignature, ArchiveFault::none, deflated, false, openEntry, badZip},
      {"local method", EntryFault::localMethodMismatch, ArchiveFault::none, deflated, false, openEntry, badZip},
      {"local CRC", EntryFault::localCrcMismatch, ArchiveFault::none, deflated, false, openEntry, badZip},
      {"local sizes", EntryFault::localSizeMismatch, ArchiveFault::none, stored, false, openEntry, badZip},
      {"local CRC, bit 3", EntryFault::localCrcMismatch, ArchiveFault::none, deflated, true, none, CZipException::none},
      {"local sizes, bit 3", EntryFault::localSizeMismatch, ArchiveFault::none, stored, true, none, CZipException::none},
      {"local name length", EntryFault::localNameLengthMismatch, ArchiveFault::none, deflated, false, openEntry, badZip},
      {"local name length, bit 3", EntryFault::localNameLengthMismatch, ArchiveFault::none, deflated, true, openEntry, badZip},
      {"unknown method", EntryFault::unknownMethod, ArchiveFault::none, stored, false, openEntry, badZip},
      {"bad CRC, deflated", EntryFault::badCrc, ArchiveFault::none, deflated, false, read, CZipException::badCrc},
      {"bad CRC, stored", EntryFault::badCrc, ArchiveFault::none, stored, false, read, CZipException::badCrc},
      {"truncated, deflated", EntryFault::truncatedData, ArchiveFault::none, deflated, false, read, CZipException::bufError},
      {"truncated, stored", EntryFault::truncatedData, ArchiveFault::none, stored, false, read, badZip},
      {"stream ends early", EntryFault::declaredLarger, ArchiveFault::none, deflated, false, read, CZipException::streamEnd},
      {"stored data ends early", EntryFault::declaredLarger, ArchiveFault::none, stored, false, read, badZip},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDrive drive;
    ZipArchiveSample archive;
    archive.entries.push_back(Entry("SAVEDATA.DAT", vetra::samples::SampleRecordingBytes(40000), c.method));
    archive.entries.back().fault = c.entryFault;
    archive.entries.back().dataDescriptor = c.descriptor;
    archive.fault = c.archiveFault;
    const Outcome outcome = Extract(drive, vetra::samples::MakeZipArchive(archive));
    EXPECT_EQ(outcome.stage, c.stage);
    EXPECT_EQ(outcome.cause, c.cause);
  }
}

TEST(UnzipFile, RefusesFilesThatAreNoArchive)
{
  ZipArchiveSample empty;  // no entries: the first central record is the end record
  empty.stub = "MZ";
  ZipArchiveSample farEnd;
  farEnd.entries.push_back(Entry("SAVEDATA.DAT", "x"));
  std::string farBytes = vetra::samples::MakeZipArchive(farEnd) + std::string(70000, '\0');
  const std::vector<std::pair<const char*, std::string>> cases{
      {"text", "this is no archive at all, only words"},
      {"tiny", "PK"},
      {"empty file", ""},
      {"end record alone at byte 0", vetra::samples::MakeZipArchive(ZipArchiveSample{})},
      {"no entries", vetra::samples::MakeZipArchive(empty)},
      {"end record out of reach", farBytes},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    TempDrive drive;
    const Outcome outcome = Extract(drive, bytes);
    EXPECT_EQ(outcome.stage, Stage::open);
    EXPECT_EQ(outcome.cause, CZipException::badZipFile);
  }
}

TEST(UnzipFile, MissingArchiveThrowsTheFileException)
{
  TempDrive drive;
  EXPECT_THROW(CUnzipFile zip("c:\\Vetra\\none.osc"), win::CFileException);
}

TEST(UnzipFile, CallsOutOfOrder)
{
  TempDrive drive;
  WriteArchive(drive, vetra::samples::MakeSaveDataArchive("0123456789", ZipMethod::stored));
  CUnzipFile zip(kArchivePath);
  char buffer[4];
  try {
    zip.ReadEntry(buffer, sizeof buffer);
    FAIL() << "read without an open entry";
  } catch (const CZipException& error) {
    EXPECT_EQ(error.m_cause, CZipException::badFuncParam);
    EXPECT_EQ(error.m_fileName, kArchivePath);
  }
  zip.OpenEntry();
  EXPECT_EQ(zip.ReadEntry(buffer, 0), 0u);
  EXPECT_EQ(zip.ReadEntry(nullptr, 4), 0u);
  EXPECT_EQ(zip.ReadEntry(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  // Reopening starts the entry again; a partly read entry closes without a CRC check.
  zip.OpenEntry();
  EXPECT_EQ(ReadAll(zip), "0123456789");
  EXPECT_EQ(zip.ReadEntry(buffer, 4), 0u);
  zip.Close();
  zip.Close();
  EXPECT_FALSE(zip.IsOpen());
}

TEST(UnzipFile, CrcMismatchIsReportedOnceAndTheArchiveStillCloses)
{
  TempDrive drive;
  ZipArchiveSample archive;
  archive.entries.push_back(Entry("SAVEDATA.DAT", "whole data", ZipMethod::stored));
  archive.entries.back().fault = EntryFault::badCrc;
  WriteArchive(drive, vetra::samples::MakeZipArchive(archive));
  CUnzipFile zip(kArchivePath);
  zip.OpenEntry();
  char buffer[64];
  EXPECT_THROW(zip.ReadEntry(buffer, sizeof buffer), CZipException);
  EXPECT_NO_THROW(zip.Close());
}

TEST(UnzipFile, RefusesAnEntryDeclaringMoreThanTheCap)
{
  TempDrive drive;
  ZipArchiveSample archive;
  archive.entries.push_back(Entry("SAVEDATA.DAT", "small", ZipMethod::deflated));
  archive.entries.back().dataDescriptor = true;  // the local header leaves the sizes to the directory
  std::string bytes = vetra::samples::MakeZipArchive(archive);
  // Uncompressed size in the central record, which starts right after the local part.
  const std::size_t central = bytes.size() - 22 - 46 - archive.entries[0].name.size();
  const std::uint32_t huge = kMaxEntrySize + 1;
  for (int i = 0; i < 4; ++i) bytes[central + 24 + i] = static_cast<char>((huge >> (8 * i)) & 0xFF);
  const Outcome outcome = Extract(drive, bytes);
  EXPECT_EQ(outcome.stage, Stage::openEntry);
  EXPECT_EQ(outcome.cause, CZipException::badZipFile);
}

TEST(UnzipFile, ExtractedFileGetsTheEntryTime)
{
  TempDrive drive;
  WriteArchive(drive, vetra::samples::MakeSaveDataArchive("data"));
  CUnzipFile zip(kArchivePath);
  ZipEntryInfo info;
  zip.GetEntryInfo(info);
  fs::create_directories(drive / "Vetra/TempE");
  win::CFile out("c:\\Vetra\\TempE\\out.dat", win::CFile::modeCreate | win::CFile::modeWrite);
  out.Write("data", 4);
  CUnzipFile::SetExtractedFileStatus(out, info);
  EXPECT_FALSE(out.IsOpen());
  win::CFileStatus status;
  ASSERT_TRUE(win::CFile::GetStatus("c:\\Vetra\\TempE\\out.dat", status));
  EXPECT_EQ(status.m_mtime, info.modificationTime);
}

}  // namespace
}  // namespace unzip
