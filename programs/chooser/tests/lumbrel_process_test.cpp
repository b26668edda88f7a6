// The Lumbrel program run as its own process against a drive, with a stand-in page viewer that
// records the command line it was started with.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "common/savedata/viewer_page.h"
#include "platform/base/file_names.h"
#include "platform/base/random.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/savedata_sample.h"
#include "tools/skins/skin_set.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using savedata::ViewerPage;

struct ProcessRun {
  int exitCode;
  std::string errors;  // what the program wrote to stderr
};

class LumbrelProcessTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    // The stand-in viewer writes its argument to a file and renames it into place, so the test
    // never reads it half-written.
    drive.WriteFile("Vetra/Fenmark/Viewer.exe",
                    "#!/bin/sh\nprintf '%s' \"$1\" > \"$VETRA_ROOT/viewer-args.part\"\n"
                    "mv \"$VETRA_ROOT/viewer-args.part\" \"$VETRA_ROOT/viewer-args.txt\"\n");
    fs::permissions(drive / "Vetra/Fenmark/Viewer.exe", fs::perms::owner_all | fs::perms::group_read |
                                                            fs::perms::group_exec);
  }

  // Runs the program with one argument (none when empty) and extra environment settings.
  ProcessRun Lumbrel(const std::string& argument, const std::string& environment = "") const
  {
    const fs::path errors = drive / "stderr.txt";
    const std::string command = environment + " '" + LUMBREL_PROGRAM + "'" +
                                (argument.empty() ? "" : " '" + argument + "'") + " 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, vetra::testing::ReadWholeFile(errors)};
  }

  // The viewer is started and not waited for: give it a moment to record its start.
  std::string ViewerArguments() const
  {
    const fs::path record = drive / "viewer-args.txt";
    for (int i = 0; i < 200 && !fs::exists(record); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return vetra::testing::ReadWholeFile(record);
  }

  vetra::testing::TempDrive drive;
};

TEST_F(LumbrelProcessTest, ConvertsAndStartsTheViewer)
{
  const std::string recording = vetra::samples::SampleRecordingBytes(50000);
  drive.WriteFile("Saves/rec.scn", vetra::samples::MakeSaveDataArchive(recording));

  const std::time_t before = std::time(nullptr);
  const ProcessRun run = Lumbrel("c:\\Saves\\rec.scn");
  const std::time_t after = std::time(nullptr);

  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ViewerArguments(), "c:\\Vetra\\TempE\\ScriptTemp.html");
  std::string workingCopy;
  for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
    if (entry.path().filename() != "ScriptTemp.html") workingCopy = entry.path().filename().string();
  }
  ASSERT_TRUE(workingCopy.ends_with("Temp.Scn")) << workingCopy;
  // The name's number is the first draw after seeding with the start time.
  bool drawnAtStart = false;
  for (std::time_t t = before; t <= after; ++t) {
    win::srand(static_cast<unsigned int>(t));
    drawnAtStart = drawnAtStart || workingCopy == vetra::Format("%dTemp.Scn", win::rand());
  }
  EXPECT_TRUE(drawnAtStart) << workingCopy;
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + workingCopy), recording);
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(4, "c:\\Saves\\rec.scn", workingCopy));
}

TEST_F(LumbrelProcessTest, OpensLinuxFilesWhoseNamesCodePage949CannotSpell)
{
  const std::string recording = vetra::samples::SampleRecordingBytes(1000);
  for (const std::string name : {"café.SCN", "\xC0\xFA\xC0\xE5.SCN"}) {  // the second in code page 949 bytes
    SCOPED_TRACE(name);
    fs::remove_all(drive / "Vetra/TempE");
    fs::remove(drive / "viewer-args.txt");
    drive.WriteFile("Saves/" + name, vetra::samples::MakeSaveDataArchive(recording));
    const ProcessRun run = Lumbrel((drive / "Saves" / name).string());
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(ViewerArguments(), "c:\\Vetra\\TempE\\ScriptTemp.html");
    // The page's title shows the name as it reads.
    const std::string page = drive.ReadFile("Vetra/TempE/ScriptTemp.html");
    EXPECT_NE(vetra::Utf8(page).find(name == "café.SCN" ? "café.SCN" : "저장.SCN"), std::string::npos) << page;
  }
}

TEST_F(LumbrelProcessTest, FailureSaysWhyOnStderrAndStartsNothing)
{
  vetra::samples::ZipArchiveSample archive;
  vetra::samples::ZipEntrySample entry;
  entry.data = "recording";
  entry.fault = vetra::samples::EntryFault::badCrc;
  archive.entries.push_back(entry);
  drive.WriteFile("Saves/rec.osc", vetra::samples::MakeZipArchive(archive));

  const ProcessRun crc = Lumbrel("c:\\Saves\\rec.osc");
  EXPECT_EQ(crc.exitCode, 4);
  EXPECT_NE(crc.errors.find("CRC가 맞지 않습니다"), std::string::npos) << crc.errors;

  const ProcessRun missing = Lumbrel("c:\\Saves\\none.osc");
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.errors, "c:\\Saves\\none.osc 파일을 찾을 수 없습니다.\n");

  EXPECT_TRUE(fs::is_empty(drive / "Vetra/TempE"));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(drive / "viewer-args.txt"));
}

TEST_F(LumbrelProcessTest, ChooserWindowRunsASessionScript)
{
  ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
  drive.WriteFile("Vetra/저장데이터/engine.OSC", vetra::samples::MakeSaveDataArchive("recording"));
  const fs::path shot = drive / "chooser.png";
  drive.WriteFile("Lumbrel.script", "wait 200\nfile c:\\Vetra\\저장데이터\\engine.OSC\nclick 300 148\n"
                                    "wait 100\nmove 300 208\nscreenshot " + shot.string() + "\nquit\n");

  const ProcessRun run = Lumbrel("", "VETRA_HEADLESS=1 VETRA_SCRIPT='" + (drive / "Lumbrel.script").string() + "'");

  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.errors, "");  // every picture loaded, every command carried out
  EXPECT_EQ(ViewerArguments(), "c:\\Vetra\\TempE\\ScriptTemp.html");
  // The screenshot shows the window at its background's size.
  const std::string png = vetra::testing::ReadWholeFile(shot);
  ASSERT_GE(png.size(), 24u);
  auto bigEndian = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(bigEndian(16), 480);
  EXPECT_EQ(bigEndian(20), 480);
}

TEST_F(LumbrelProcessTest, ChoosersStartedTogetherEachShowTheirOwnRecording)
{
  // A slow viewer: it reads the page a while after it started, as a loaded machine may.
  drive.WriteFile("Vetra/Fenmark/Viewer.exe",
                  "#!/bin/sh\nsleep 0.3\ncp \"$VETRA_ROOT/Vetra/TempE/ScriptTemp.html\" \"$VETRA_ROOT/seen-$$.part\"\n"
                  "mv \"$VETRA_ROOT/seen-$$.part\" \"$VETRA_ROOT/seen-$$.html\"\n");
  drive.WriteFile("Saves/one.scn", vetra::samples::MakeSaveDataArchive("first"));
  drive.WriteFile("Saves/two.scn", vetra::samples::MakeSaveDataArchive("second"));
  const std::string both = "'" + std::string(LUMBREL_PROGRAM) + "' 'c:\\Saves\\one.scn' 2>'" +
                           (drive / "one.err").string() + "' & '" + LUMBREL_PROGRAM + "' 'c:\\Saves\\two.scn' 2>'" +
                           (drive / "two.err").string() + "' & wait";
  ASSERT_EQ(std::system(both.c_str()), 0);

  std::vector<std::string> seen;
  for (int i = 0; i < 1000 && seen.size() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    seen.clear();
    for (const auto& entry : fs::directory_iterator(drive.Root()))
      if (entry.path().extension() == ".html") seen.push_back(vetra::testing::ReadWholeFile(entry.path()));
  }
  EXPECT_EQ(vetra::testing::ReadWholeFile(drive / "one.err"), "");
  EXPECT_EQ(vetra::testing::ReadWholeFile(drive / "two.err"), "");
  // Each run's working copy, and each viewer on the page that names its own.
  std::map<std::string, std::string> workingCopyOf;
  for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
    const std::string name = entry.path().filename().string();
    if (name != "ScriptTemp.html") workingCopyOf[vetra::testing::ReadWholeFile(entry.path())] = name;
  }
  ASSERT_EQ(workingCopyOf.size(), 2u);
  std::sort(seen.begin(), seen.end());
  std::vector<std::string> expected{ViewerPage(4, "c:\\Saves\\one.scn", workingCopyOf["first"]),
                                    ViewerPage(4, "c:\\Saves\\two.scn", workingCopyOf["second"])};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace lumbrel
