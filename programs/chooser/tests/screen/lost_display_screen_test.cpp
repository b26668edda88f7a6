// On screen (SDL under an X server of the test's own): when the X server ends under a running
// program (the desktop session ends, the server is killed), every program ends through its own
// shutdown: working copies and unpacked files go, nothing aborts, and the exit status says it did
// not end as asked. A display that is named but cannot be opened is said and ends the program.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <thread>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_private_server.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int RunShell(const std::string& command)
{
  return std::system(("export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1; " + command).c_str());
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::seconds timeout)
{
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(100ms);
  }
  return true;
}

// A grey 32-bit picture of a viewer's size, as a viewer's print button leaves for the print layout.
std::string ViewerCapture()
{
  constexpr std::uint32_t width = 1017, height = 708, pixels = width * height * 4;
  std::string bmp;
  auto put = [&bmp](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  bmp += "BM";
  put(54 + pixels, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(width, 4);
  put(height, 4);
  put(1, 2);
  put(32, 2);
  put(0, 4);
  put(pixels, 4);
  for (int field = 0; field < 4; ++field) put(0, 4);  // resolution and colour counts
  bmp.append(pixels, static_cast<char>(0x80));
  return bmp;
}

struct ProgramCase {
  const char* name;
  const char* program;   // the program whose end is looked at
  const char* argument;  // its argument, empty for none
  const char* title;     // a pattern of the window it shows (the server shows nothing else)
};

class LostDisplay : public ::testing::TestWithParam<ProgramCase> {
protected:
  void SetUp() override
  {
    ASSERT_EQ(RunShell("'" VETRA_SETUP_PROGRAM "' --build '" VETRA_BUILD_FOLDER "' >/dev/null"), 0);
    drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", ViewerCapture());
    // The programs the chooser and the viewers start are run through a wrapper that notes how
    // they ended.
    for (const char* program : {"Viewer", "Tolvex"}) {
      const fs::path link = drive / "Vetra/Fenmark" / (std::string(program) + ".exe");
      const fs::path real = fs::read_symlink(link);
      fs::remove(link);
      drive.WriteFile("Vetra/Fenmark/" + std::string(program) + ".exe",
                      "#!/bin/sh\n'" + real.string() + "' \"$@\"\nstatus=$?\necho $status > '" + Status(program).string() +
                          "'\nexit $status\n");
      fs::permissions(link, fs::perms::owner_all);
    }
  }

  fs::path Status(const std::string& program) const { return drive / (program + ".status"); }

  // The working copies and unpacked recordings left in the drive's exchange folder.
  std::vector<std::string> WorkingCopies() const
  {
    std::vector<std::string> left;
    const std::regex workingCopy(R"(\d+Temp\..*)", std::regex::icase);
    for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
      if (std::regex_match(entry.path().filename().string(), workingCopy)) left.push_back(entry.path().filename());
    }
    return left;
  }

  vetra::testing::TempDrive drive;
};

TEST_P(LostDisplay, TheProgramEndsThroughItsShutdown)
{
  ASSERT_NE(std::getenv("VETRA_TEST_ON_SCREEN"), nullptr) << "runs under scripts/on-screen";
  const ProgramCase& program = GetParam();
  vetra::testing::PrivateXServer server;
  ASSERT_FALSE(server.Name().empty()) << "Xvfb did not start";
  const fs::path output = drive / "output.txt";
  // Lumbrel itself, or through it a viewer; the print layout is started as the viewers start it.
  const bool printLayout = std::string(program.program) == "Tolvex";
  const std::string started = printLayout ? (drive / "Vetra/Fenmark/Tolvex.exe").string() : std::string(LUMBREL_PROGRAM);
  const std::string argument = *program.argument ? " '" + std::string(program.argument) + "'" : "";
  ASSERT_EQ(RunShell("(DISPLAY=" + server.Name() + " '" + started + "'" + argument + " >'" + output.string() +
                     "' 2>&1; echo $? > '" + Status("started").string() + "') &"),
            0);
  const std::string search = "DISPLAY=" + server.Name() + " xdotool search --onlyvisible --name '" + program.title + "' >/dev/null 2>&1";
  ASSERT_TRUE(WaitFor([&] { return std::system(search.c_str()) == 0; }, 90s)) << vetra::testing::ReadWholeFile(output);
  std::this_thread::sleep_for(1500ms);  // the page and its viewer at work

  server.End();
  const fs::path status = Status(std::string(program.program) == "Lumbrel" ? "started" : program.program);
  ASSERT_TRUE(WaitFor([&] { return fs::exists(status) && fs::file_size(status) > 0; }, 60s))
      << "the program went on without its display\n" << vetra::testing::ReadWholeFile(output);
  std::this_thread::sleep_for(200ms);
  const std::string said = vetra::testing::ReadWholeFile(output);
  const int exitStatus = std::stoi(vetra::testing::ReadWholeFile(status));
  EXPECT_NE(exitStatus, 0) << said;
  EXPECT_LT(exitStatus, 128) << "it was ended by a signal\n" << said;
  EXPECT_EQ(said.find("double free"), std::string::npos) << said;
  EXPECT_EQ(said.find("Sanitizer"), std::string::npos) << said;
  EXPECT_TRUE(WorkingCopies().empty()) << WorkingCopies().front() << "\n" << said;
}

// DISPLAY names a server that is not there: each program says so and ends at once, holding
// nothing (the print layout's single-instance lock would otherwise keep every later one out).
TEST_F(LostDisplay, ADisplayThatIsNotThereIsSaidAndEveryProgramEnds)
{
  const std::string missing = vetra::testing::DisplayThatIsNotThere();
  for (const char* program : {"Lumbrel", "Viewer", "Tolvex"}) {
    SCOPED_TRACE(program);
    const fs::path output = drive / "output.txt";
    const std::string started = std::string(program) == "Lumbrel" ? std::string(LUMBREL_PROGRAM)
                                                                  : (drive / "Vetra/Fenmark" / (std::string(program) + ".exe")).string();
    const int status = RunShell("timeout 60 env -u VETRA_HEADLESS -u WAYLAND_DISPLAY DISPLAY=" + missing + " '" + started +
                                "' >'" + output.string() + "' 2>&1");
    const std::string said = vetra::testing::ReadWholeFile(output);
    ASSERT_TRUE(WIFEXITED(status)) << said;
    EXPECT_NE(WEXITSTATUS(status), 0) << said;
    EXPECT_NE(WEXITSTATUS(status), 124) << "it ran on unseen\n" << said;
    EXPECT_NE(said.find("cannot open display " + missing), std::string::npos) << said;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryProgram, LostDisplay,
    ::testing::Values(ProgramCase{"Lumbrel", "Lumbrel", "", "^Lumbrel$"},
                      ProgramCase{"OSC", "Viewer", "c:\\Vetra\\저장데이터\\Sample.OSC", "Sample.OSC - Viewer$"},
                      ProgramCase{"IG1", "Viewer", "c:\\Vetra\\저장데이터\\Sample.IG1", "Sample.IG1 - Viewer$"},
                      ProgramCase{"IG2", "Viewer", "c:\\Vetra\\저장데이터\\Sample.IG2", "Sample.IG2 - Viewer$"},
                      ProgramCase{"SCN", "Viewer", "c:\\Vetra\\저장데이터\\Sample.SCN", "Sample.SCN - Viewer$"},
                      ProgramCase{"RES", "Viewer", "c:\\Vetra\\Morvit\\Record\\Sample.RES", "Sample.RES - Viewer$"},
                      ProgramCase{"DAT", "Viewer", "c:\\Vetra\\Morvit\\Record\\Sample.DAT", "Sample.DAT - Viewer$"},
                      ProgramCase{"Tolvex", "Tolvex", "", "."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumbrel
