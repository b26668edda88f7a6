#include "programs/chooser/lumbrel_app.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/savedata/conversion.h"
#include "common/savedata/viewer_page.h"
#include "platform/base/cfile.h"
#include "platform/base/clock.h"
#include "platform/base/process.h"
#include "platform/base/random.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "programs/chooser/message_reporter.h"
#include "tools/samples/savedata_sample.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using namespace savedata;
using vetra::samples::ArchiveFault;
using vetra::samples::EntryFault;
using vetra::samples::ZipArchiveSample;
using vetra::samples::ZipEntrySample;
using vetra::samples::ZipMethod;

constexpr std::time_t kNow = 1700000000;
const std::string kViewerCommand = "C:\\Vetra\\Fenmark\\Viewer.exe c:\\Vetra\\TempE\\ScriptTemp.html";

// A drive, a pinned clock, and the started programs and shown messages recorded.
class LumbrelTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::PinWallClockForTests(kNow);
    vetra::SetProcessStarterForTests([this](const std::string& commandLine) {
      started.push_back(commandLine);
      return viewerStarts;
    });
    SetMessageReporter([this](const std::string& text) { messages.push_back(text); });
  }

  void TearDown() override
  {
    SetMessageReporter({});
    vetra::SetProcessStarterForTests({});
    vetra::PinWallClockForTests(std::nullopt);
  }

  // The names the n-th draws after seeding with the pinned time give.
  static std::string DrawnName(const char* format, int draws = 1)
  {
    win::srand(static_cast<unsigned int>(kNow));
    int value = 0;
    for (int i = 0; i < draws; ++i) value = win::rand();
    return vetra::Format(format, value);
  }

  std::set<std::string> ExchangeFolder() const
  {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::string Save(const std::string& name, const std::string& bytes) const
  {
    drive.WriteFile("Saves/" + name, bytes);
    return "c:\\Saves\\" + name;
  }

  vetra::testing::TempDrive drive;
  std::vector<std::string> started;
  std::vector<std::string> messages;
  bool viewerStarts = true;
};

TEST_F(LumbrelTest, EachKindBecomesWorkingCopyPageAndViewerStart)
{
  struct Case {
    const char* file;
    int kind;
    const char* format;
    bool packed;
  };
  const std::vector<Case> cases{
      {"Rec.osc", 1, "%dTemp.Osc", true},  {"REC.OSC", 1, "%dTemp.Osc", true},
      {"rec.IG1", 2, "%dTemp.Ig1", true},  {"rec.ig2", 3, "%dTemp.Ig2", true},
      {"rec.scn", 4, "%dTemp.Scn", true},  {"rec.HSN", 4, "%dTemp.Hsn", true},
      {"road.res", 5, "%dTemp.Res", false}, {"road.DAT", 5, "%dTemp.Dat", false},
  };
  const std::string recording = vetra::samples::SampleRecordingBytes(70000, 7);
  const ZipEntrySample entry;  // the default time of the writer's entries
  const std::time_t entryTime = vetra::samples::DosToLocalTime(entry.dosDate, entry.dosTime);
  const std::time_t copiedTime = 1600000000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fs::remove_all(drive / "Vetra");
    fs::remove_all(drive / "Saves");
    started.clear();
    const std::string path =
        Save(c.file, c.packed ? vetra::samples::MakeSaveDataArchive(recording) : recording);
    if (!c.packed) fs::last_write_time(drive / "Saves" / c.file, fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(copiedTime)));

    EXPECT_EQ(RunLumbrel(path), kExitOk);

    const std::string name = DrawnName(c.format);
    EXPECT_EQ(ExchangeFolder(), (std::set<std::string>{name, "ScriptTemp.html"}));
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + name), recording);
    win::CFileStatus status;
    ASSERT_TRUE(win::CFile::GetStatus("c:\\Vetra\\TempE\\" + name, status));
    EXPECT_EQ(status.m_mtime.GetTime(), c.packed ? entryTime : copiedTime);
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(c.kind, path, name));
    EXPECT_EQ(started, std::vector<std::string>{kViewerCommand});
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(LumbrelTest, DataEntryFoundWhereverAndHoweverTheArchiveHoldsIt)
{
  struct Case {
    const char* what;
    const char* name;
    ZipMethod method;
    std::string stub;
    std::string comment;
    bool others;
  };
  const std::vector<Case> cases{
      {"stored", "SAVEDATA.DAT", ZipMethod::stored, "", "", false},
      {"long name", "C:\\VETRA\\TEMP\\SAVEDATA.DAT", ZipMethod::deflated, "", "", false},
      {"long name, lower case", "c:\\vetra\\temp\\savedata.dat", ZipMethod::stored, "", "", false},
      {"short name, mixed case", "SaveData.Dat", ZipMethod::deflated, "", "", false},
      {"stub before the archive", "SAVEDATA.DAT", ZipMethod::deflated, std::string(4096, 'S'), "", false},
      {"archive comment", "SAVEDATA.DAT", ZipMethod::deflated, "", "recorder 2.1", false},
      {"other entries beside it", "SAVEDATA.DAT", ZipMethod::deflated, "", "", true},
  };
  const std::string recording = vetra::samples::SampleRecordingBytes(20000, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(drive / "Vetra");
    ZipArchiveSample archive;
    ZipEntrySample other;
    other.name = "..\\..\\Windows\\evil.txt";  // never used as a path
    other.data = "other";
    if (c.others) archive.entries.push_back(other);
    ZipEntrySample data;
    data.name = c.name;
    data.data = recording;
    data.method = c.method;
    archive.entries.push_back(data);
    if (c.others) archive.entries.push_back(other);
    archive.stub = c.stub;
    archive.comment = c.comment;

    EXPECT_EQ(RunLumbrel(Save("rec.osc", vetra::samples::MakeZipArchive(archive))), kExitOk);
    const std::string name = DrawnName("%dTemp.Osc");
    EXPECT_EQ(ExchangeFolder(), (std::set<std::string>{name, "ScriptTemp.html"}));
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + name), recording);
    EXPECT_FALSE(fs::exists(drive / "Windows/evil.txt"));
  }
}

TEST_F(LumbrelTest, LastOfSeveralDataEntriesIsTheWorkingCopy)
{
  const std::vector<std::vector<const char*>> namings{
      {"SAVEDATA.DAT", "savedata.dat"},
      {"c:\\vetra\\temp\\savedata.dat", "other.txt", "SaveData.Dat", "notes.txt"},
  };
  for (const auto& names : namings) {
    SCOPED_TRACE(names.front());
    fs::remove_all(drive / "Vetra");
    ZipArchiveSample archive;
    std::string last;
    for (std::size_t i = 0; i < names.size(); ++i) {
      ZipEntrySample entry;
      entry.name = names[i];
      entry.data = vetra::samples::SampleRecordingBytes(9000 + 1000 * i, static_cast<std::uint32_t>(i) + 1);
      entry.method = i % 2 ? ZipMethod::stored : ZipMethod::deflated;
      if (vetra::ToUpperAscii(entry.name).ends_with("SAVEDATA.DAT")) last = entry.data;
      archive.entries.push_back(entry);
    }
    EXPECT_EQ(RunLumbrel(Save("rec.osc", vetra::samples::MakeZipArchive(archive))), kExitOk);
    const std::string name = DrawnName("%dTemp.Osc");
    EXPECT_EQ(ExchangeFolder(), (std::set<std::string>{name, "ScriptTemp.html"}));
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + name), last);
  }
}

TEST_F(LumbrelTest, FailuresLeaveNothingAndStartNothing)
{
  struct Case {
    const char* what;
    const char* file;        // nullptr: the file is not made; ending in '/': a folder, '|': a pipe
    std::string bytes;
    bool tempEIsAFile;       // the exchange folder cannot hold files
    bool viewerStarts;
    int exitCode;
    const char* messagePart;  // UTF-8
    bool diskFull = false;    // no file grows past 4 KB
  };
  auto damaged = [](EntryFault entryFault, ArchiveFault archiveFault) {
    ZipArchiveSample archive;
    ZipEntrySample entry;
    entry.data = vetra::samples::SampleRecordingBytes(30000);
    entry.fault = entryFault;
    archive.entries.push_back(entry);
    archive.fault = archiveFault;
    return vetra::samples::MakeZipArchive(archive);
  };
  ZipArchiveSample noData;
  noData.entries.push_back(ZipEntrySample{.name = "OTHER.DAT", .data = "x"});
  const std::string good = vetra::samples::MakeSaveDataArchive("recording");
  const std::vector<Case> cases{
      {"missing file", nullptr, "", false, true, kExitFileNotFound, "rec.osc 파일을 찾을 수 없습니다."},
      {"unknown kind", "rec.OSC2", good, false, true, kExitUnknownKind, "rec.OSC2 파일은 열 수 있는 기록 파일이 아닙니다"},
      {"not an archive", "rec.osc", "plain bytes", false, true, kExitBadSavedData, "올바른 압축 파일이 아니거나"},
      {"multi-disk", "rec.osc", damaged(EntryFault::none, ArchiveFault::multiDisk), false, true, kExitBadSavedData, "올바른 압축 파일"},
      {"bad CRC", "rec.osc", damaged(EntryFault::badCrc, ArchiveFault::none), false, true, kExitBadSavedData, "CRC가 맞지 않습니다"},
      {"truncated", "rec.osc", damaged(EntryFault::truncatedData, ArchiveFault::none), false, true, kExitBadSavedData, "잘려 있습니다"},
      {"unknown method", "rec.osc", damaged(EntryFault::unknownMethod, ArchiveFault::none), false, true, kExitBadSavedData, "올바른 압축 파일"},
      {"no data entry", "rec.osc", vetra::samples::MakeZipArchive(noData), false, true, kExitBadSavedData, "SAVEDATA.DAT"},
      {"exchange folder unusable", "rec.osc", good, true, true, kExitCannotWrite, "TempE"},
      {"road test is a folder", "rec.res/", "", false, true, kExitBadSavedData, "rec.res 파일을 읽을 수 없습니다."},
      // What is not a regular file is refused at once: nothing waits on a pipe's writer.
      {"road test is a pipe", "rec.res|", "", false, true, kExitBadSavedData, "rec.res 파일을 읽을 수 없습니다."},
      {"saved data is a folder", "rec.osc/", "", false, true, kExitBadSavedData, "rec.osc"},
      {"saved data is a pipe", "rec.scn|", "", false, true, kExitBadSavedData, "rec.scn"},
      {"road test, exchange folder unusable", "rec.res", "road", true, true, kExitCannotWrite, "TempE"},
      {"viewer does not start", "rec.osc", good, false, false, kExitViewerNotStarted, "Viewer.exe 프로그램을 실행할 수 없습니다."},
      {"disk full while unpacking", "rec.osc", damaged(EntryFault::none, ArchiveFault::none), false, true, kExitCannotWrite, "", true},
      {"road test, disk full", "rec.res", vetra::samples::SampleRecordingBytes(30000), false, true, kExitCannotWrite, "rec.res", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(drive / "Vetra");
    fs::remove_all(drive / "Saves");
    started.clear();
    messages.clear();
    if (c.tempEIsAFile) drive.WriteFile("Vetra/TempE", "in the way");
    viewerStarts = c.viewerStarts;
    std::string path = "c:\\Saves\\none\\rec.osc";
    if (c.file != nullptr && std::string_view(c.file).ends_with('/')) {
      const std::string folder(c.file, std::strlen(c.file) - 1);
      fs::create_directories(drive / "Saves" / folder);
      path = "c:\\Saves\\" + folder;
    } else if (c.file != nullptr && std::string_view(c.file).ends_with('|')) {
      const std::string pipe(c.file, std::strlen(c.file) - 1);
      fs::create_directories(drive / "Saves");
      ASSERT_EQ(::mkfifo((drive / "Saves" / pipe).c_str(), 0644), 0);
      path = "c:\\Saves\\" + pipe;
    } else if (c.file != nullptr) {
      path = Save(c.file, c.bytes);
    }

    if (c.diskFull) {
      const vetra::testing::FullDisk disk(4096);
      ASSERT_TRUE(disk.Active());
      EXPECT_EQ(RunLumbrel(path), c.exitCode);
    } else {
      EXPECT_EQ(RunLumbrel(path), c.exitCode);
    }

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(vetra::Utf8(messages[0]).find(c.messagePart), std::string::npos) << vetra::Utf8(messages[0]);
    if (c.tempEIsAFile) {
      EXPECT_EQ(drive.ReadFile("Vetra/TempE"), "in the way");
    } else {
      EXPECT_TRUE(ExchangeFolder().empty());
    }
    EXPECT_EQ(started.size(), c.viewerStarts ? 0u : 1u);  // only the failed start itself
  }
}

TEST_F(LumbrelTest, ConversionsInTheSameSecondKeepEachOthersWorkingCopy)
{
  const std::string path = Save("rec.ig1", vetra::samples::MakeSaveDataArchive("first"));
  ASSERT_EQ(RunLumbrel(path), kExitOk);
  Save("rec.ig1", vetra::samples::MakeSaveDataArchive("second"));
  ASSERT_EQ(RunLumbrel(path), kExitOk);  // seeded with the same second: the first draw is taken

  const std::string first = DrawnName("%dTemp.Ig1", 1);
  const std::string second = DrawnName("%dTemp.Ig1", 2);
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + first), "first");
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + second), "second");
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(2, path, second));
}

TEST_F(LumbrelTest, StartingWithoutAFileMakesTheFolders)
{
  StartUp("");
  EXPECT_TRUE(fs::is_directory(drive / "Vetra/TempE"));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(started.empty());
}

TEST_F(LumbrelTest, QuotedAndLinuxPathsAreTakenAsMeant)
{
  const std::string archive = vetra::samples::MakeSaveDataArchive("data");
  drive.WriteFile("Saves/My Car.scn", archive);
  const std::string linuxPath = (drive / "Saves/My Car.scn").string();
  for (const std::string& commandLine : std::vector<std::string>{"\"c:\\Saves\\My Car.scn\"", linuxPath}) {
    SCOPED_TRACE(commandLine);
    fs::remove_all(drive / "Vetra");
    EXPECT_EQ(RunLumbrel(commandLine), kExitOk);
    EXPECT_NE(drive.ReadFile("Vetra/TempE/ScriptTemp.html").find("My Car.scn </TITLE>"), std::string::npos);
  }
}

}  // namespace
}  // namespace lumbrel
