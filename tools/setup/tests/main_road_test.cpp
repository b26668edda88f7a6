// The whole road of a saved recording, with the built programs as separate processes: the
// chooser converts the sample oscilloscope recording and starts the page viewer, whose control
// shows it; its print button captures the screen and starts the print layout, which prints the
// report page to a PDF file. Each program is driven by its own session script.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "tools/setup/drive_layout.h"
#include "tools/setup/tests/running_programs.h"

namespace vetra::setup {
namespace {
namespace fs = std::filesystem;
using vetra::testing::ProgramsRunningFrom;

void WriteText(const fs::path& path, const std::string& text)
{
  std::ofstream(path, std::ios::binary) << text;
}

// Waits (bounded) until `done` holds; whether it did.
template <typename Condition>
bool WaitFor(Condition done)
{
  for (int i = 0; i < 600; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return done();
}

std::vector<fs::path> Pdfs(const fs::path& folder)
{
  std::vector<fs::path> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.path().extension() == ".pdf") found.push_back(entry.path());
  }
  return found;
}

std::string PdfPages(const fs::path& pdf)
{
  std::string command = "pdfinfo '" + pdf.string() + "' 2>/dev/null";
  std::string output;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    ::pclose(pipe);
  }
  auto at = output.find("Pages:");
  if (at == std::string::npos) return {};
  auto digits = output.find_first_of("0123456789", at);
  return output.substr(digits, output.find('\n', digits) - digits);
}

TEST(MainRoad, SavedRecordingBecomesAPrintedReport)
{
  testing::TempDrive drive;
  ASSERT_TRUE(LayOutDrive({VETRA_BUILD_DIR}).ok);

  const fs::path scripts = drive / "scripts";
  const fs::path prints = drive / "prints";
  fs::create_directories(scripts);
  fs::create_directories(prints);
  const fs::path viewerShot = drive / "viewer.png";
  WriteText(scripts / "Viewer.script",
            "wait 2500\nscreenshot " + viewerShot.string() + "\nclick 54 87\nwait 3000\nquit\n");
  WriteText(scripts / "Tolvex.script", "wait 1500\nclick 223 315\nwait 3000\nquit\n");

  const fs::path sample = drive / "Vetra/저장데이터/Sample.OSC";
  pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("VETRA_SCRIPT", scripts.c_str(), 1);
    ::setenv("VETRA_PRINT_DIR", prints.c_str(), 1);
    ::setenv("VETRA_HEADLESS", "1", 1);
    const std::string program = std::string(VETRA_BUILD_DIR) + "/programs/chooser/Lumbrel";
    ::execl(program.c_str(), program.c_str(), sample.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);

  EXPECT_TRUE(WaitFor([&] { return !Pdfs(prints).empty() && ProgramsRunningFrom(drive.Root()) == 0; }));
  ASSERT_EQ(Pdfs(prints).size(), 1u);
  EXPECT_EQ(PdfPages(Pdfs(prints).front()), "1");
  EXPECT_GT(fs::file_size(viewerShot), 0u);
  EXPECT_EQ(fs::file_size(drive / "Vetra/Fenmark/Temp/print.bmp"), 2880198u);
  // The viewer's control deleted its working copy when the page went.
  for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
    EXPECT_NE(entry.path().extension(), ".Osc") << entry.path();
  }
}

}  // namespace
}  // namespace vetra::setup
