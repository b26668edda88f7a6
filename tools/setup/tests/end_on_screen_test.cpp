// Ending the main job on screen: Ctrl+C at the terminal running it (SIGINT to its process group)
// ends the road's programs as closing their windows would, so the viewer's control deletes its
// working copy, and the job ends with the status of an interrupted command.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_input.h"
#include "tools/setup/drive_layout.h"
#include "tools/setup/tests/running_programs.h"

namespace vetra::setup {
namespace {
namespace fs = std::filesystem;
using vetra::testing::ProgramsRunningFrom;

int WorkingCopies(const fs::path& folder)
{
  int found = 0;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) found += entry.path().extension() == ".Osc";
  return found;
}

template <typename Condition>
bool WaitFor(Condition done, std::chrono::seconds timeout = std::chrono::seconds(60))
{
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

TEST(MainJobOnScreen, CtrlCEndsTheViewerAndItsWorkingCopyGoes)
{
  testing::TempDrive drive;
  ASSERT_TRUE(LayOutDrive({VETRA_BUILD_DIR}).ok);
  const fs::path sample = drive / "Vetra/저장데이터/Sample.OSC";

  // The programs' traces tell when the viewer's control has the recording (and so knows its
  // working copy).
  const fs::path traces = drive / "traces.txt";
  const pid_t job = ::fork();
  ASSERT_GE(job, 0);
  if (job == 0) {
    ::setpgid(0, 0);  // the job's own process group, as a terminal's foreground job has
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::setenv("VETRA_TRACE", "1", 1);
    if (std::FILE* out = std::freopen(traces.c_str(), "w", stderr)) (void)out;
    const std::string script = std::string(VETRA_SOURCE_DIR) + "/scripts/run-on-screen";
    ::execl(script.c_str(), script.c_str(), VETRA_BUILD_DIR, sample.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::setpgid(job, job);

  // The viewer is up once its window shows and its control has opened the working copy.
  EXPECT_TRUE(WaitFor([&] {
    return testing::ReadWholeFile(traces).find("Run OCX End") != std::string::npos &&
           vetra::testing::Xdotool({"search", "--onlyvisible", "--name", "."}).has_value();
  }));
  EXPECT_EQ(WorkingCopies(drive / "Vetra/TempE"), 1);
  ::kill(-job, SIGINT);

  int status = 0;
  EXPECT_TRUE(WaitFor([&] { return ::waitpid(job, &status, WNOHANG) == job; }, std::chrono::seconds(30)));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
  EXPECT_EQ(ProgramsRunningFrom(drive.Root()), 0);
  EXPECT_EQ(WorkingCopies(drive / "Vetra/TempE"), 0);
}

}  // namespace
}  // namespace vetra::setup
