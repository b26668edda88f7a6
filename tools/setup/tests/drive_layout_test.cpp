#include "tools/setup/drive_layout.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_registry.h"
#include "tools/setup/control_registration.h"

namespace vetra::setup {
namespace {
namespace fs = std::filesystem;

const char* const kFolders[] = {
    "Vetra/Fenmark", "Vetra/Fenmark/Img", "Vetra/Fenmark/Temp", "Vetra/Fenmark/Data/LUT",
    "Vetra/TempE",   "Vetra/Temp",        "Windows",
};

// A build tree holding the given programs (relative paths), each a small executable file.
fs::path FakeBuild(const testing::TempDrive& drive, const std::vector<std::string>& programs)
{
  fs::path build = drive / "build";
  fs::create_directories(build);
  for (const auto& program : programs) {
    drive.WriteFile("build/" + program, "#!/bin/sh\n");
    fs::permissions(build / program, fs::perms::owner_exec, fs::perm_options::add);
  }
  return build;
}

bool AnyLineHas(const SetupResult& result, std::string_view text)
{
  return std::any_of(result.lines.begin(), result.lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST(DriveLayout, MakesTheFoldersAndLinksWhatIsBuilt)
{
  testing::TempDrive drive;
  fs::path build = FakeBuild(drive, {"programs/viewer/Viewer"});
  SetupResult result = LayOutDrive({build, false});
  EXPECT_TRUE(result.ok);
  for (const char* folder : kFolders) EXPECT_TRUE(fs::is_directory(drive / folder)) << folder;
  EXPECT_EQ(fs::read_symlink(drive / "Vetra/Fenmark/Viewer.exe"), build / "programs/viewer/Viewer");
  EXPECT_FALSE(fs::exists(fs::symlink_status(drive / "Vetra/Fenmark/Tolvex.exe")));
  EXPECT_TRUE(AnyLineHas(result, "Tolvex.exe"));
}

TEST(DriveLayout, RunningAgainOnlyCatchesUp)
{
  testing::TempDrive drive;
  fs::create_directories(drive / "vetra/fenmark");  // made before, spelt otherwise
  fs::path build = FakeBuild(drive, {"programs/viewer/Viewer"});
  ASSERT_TRUE(LayOutDrive({build, false}).ok);

  SetupResult again = LayOutDrive({build, false});
  EXPECT_TRUE(again.ok);
  EXPECT_FALSE(AnyLineHas(again, "made folder"));
  EXPECT_FALSE(AnyLineHas(again, "linked"));
  EXPECT_FALSE(fs::exists(drive / "Vetra"));  // the existing spelling is used

  // A program built since, and a link left pointing at another build.
  FakeBuild(drive, {"programs/printlayout/Tolvex"});
  fs::remove(drive / "vetra/fenmark/Viewer.exe");
  fs::create_symlink("/elsewhere/Viewer", drive / "vetra/fenmark/Viewer.exe");
  SetupResult caughtUp = LayOutDrive({build, false});
  EXPECT_TRUE(caughtUp.ok);
  EXPECT_EQ(fs::read_symlink(drive / "vetra/fenmark/Tolvex.exe"), build / "programs/printlayout/Tolvex");
  EXPECT_EQ(fs::read_symlink(drive / "vetra/fenmark/Viewer.exe"), build / "programs/viewer/Viewer");
}

TEST(DriveLayout, FolderInTheWayOfAProgramIsAnError)
{
  testing::TempDrive drive;
  fs::path build = FakeBuild(drive, {"programs/viewer/Viewer"});
  fs::create_directories(drive / "Vetra/Fenmark/Viewer.exe");
  SetupResult result = LayOutDrive({build, false});
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(fs::is_directory(drive / "Vetra/Fenmark/Viewer.exe"));
}

TEST(DriveLayout, FirstRunFilesAreWrittenOnceAndLeftAlone)
{
  testing::TempDrive drive;
  fs::path build = FakeBuild(drive, {});
  SetupResult first = LayOutDrive({build});
  ASSERT_TRUE(first.ok);
  const char* const kFiles[] = {
      "Vetra/저장데이터/Sample.OSC", "Vetra/저장데이터/Sample.IG1", "Vetra/저장데이터/Sample.IG2",
      "Vetra/저장데이터/Sample.SCN", "Vetra/저장데이터/Sample.HSN", "Vetra/Morvit/Record/Sample.RES",
      "Vetra/Morvit/Record/Sample.DAT", "Vetra/Fenmark/Data/LUT/Lut07.DAT", "Vetra/Fenmark/Temp/car.dat",
  };
  for (const char* file : kFiles) EXPECT_GT(fs::file_size(drive / file), 0u) << file;
  // Saved recordings of kinds 1 to 4 are archives holding the data entry.
  std::string archive = drive.ReadFile("Vetra/저장데이터/Sample.OSC");
  EXPECT_EQ(archive.substr(0, 4), std::string("PK\x03\x04"));
  EXPECT_NE(archive.find("SAVEDATA.DAT"), std::string::npos);

  // A user's own file of the same name is never replaced.
  drive.WriteFile("Vetra/저장데이터/Sample.OSC", "mine");
  SetupResult again = LayOutDrive({build});
  EXPECT_TRUE(again.ok);
  EXPECT_FALSE(AnyLineHas(again, "wrote"));
  EXPECT_EQ(drive.ReadFile("Vetra/저장데이터/Sample.OSC"), "mine");
}

TEST(ControlRegistration, BuiltControlModulesAreRegisteredByClassIdentifier)
{
  testing::TempDrive drive;
  fs::path build = FakeBuild(drive, {"controls/oscilloscope/Tessial.so", "controls/roadtest/libMorvit.so"});
  SetupResult result;
  RegisterBuiltControls({build}, result);
  ASSERT_TRUE(result.ok);
  const struct {
    const char* clsid;
    const char* progId;
    const char* module;  // in the build, or nullptr when not built
  } cases[] = {
      {"clsid:5dbcf725-08dd-4b2d-b8c4-714df8e6956c", "TESSIAL.TessialCtrl.1", "controls/oscilloscope/Tessial.so"},
      {"{445A50CA-88A0-445F-BD35-9DA86AAC0075}", "MORVIT.MorvitCtrl.1", "controls/roadtest/libMorvit.so"},
      {"{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const auto entry = win::ControlRegistry::Find(c.clsid);
    ASSERT_EQ(entry.has_value(), c.module != nullptr) << c.clsid;
    if (!entry) continue;
    EXPECT_EQ(entry->progId, c.progId);
    EXPECT_EQ(fs::path(entry->modulePath), build / c.module);
  }
  EXPECT_TRUE(AnyLineHas(result, "left out control Sparwen"));
  SetupResult again;
  RegisterBuiltControls({build}, again);
  EXPECT_TRUE(again.ok);
  EXPECT_FALSE(AnyLineHas(again, "registered control"));
}

// Runs the vetra-setup program with its output discarded; its exit status.
int RunSetup(const std::vector<std::string>& args)
{
  std::vector<std::string> storage{VETRA_SETUP_PROGRAM};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SetupProgram, LaysOutTheDriveOfVetraRoot)
{
  testing::TempDrive drive;
  fs::path build = FakeBuild(drive, {"programs/viewer/Viewer", "programs/printlayout/Tolvex"});
  EXPECT_EQ(RunSetup({"--build", build.string()}), 0);
  for (const char* folder : kFolders) EXPECT_TRUE(fs::is_directory(drive / folder)) << folder;
  EXPECT_TRUE(fs::is_symlink(drive / "Vetra/Fenmark/Tolvex.exe"));
  EXPECT_EQ(RunSetup({"--build=" + build.string()}), 0);
  EXPECT_EQ(RunSetup({"--bogus"}), 2);
}

}  // namespace
}  // namespace vetra::setup
