// On screen (SDL under Xvfb): a desktop whose input-method daemon accepts connections and never
// answers (a frozen daemon does exactly this) holds no program at its start. Each program shows
// its window within two seconds and ends when asked.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "programs/chooser/tests/screen/program_runs.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using program_runs::RunShell;
using program_runs::WaitFor;

// A socket that takes every connection and never says a word on it.
class SilentDaemon {
public:
  explicit SilentDaemon(const fs::path& path)
  {
    m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    if (m_listener < 0 || name.size() >= sizeof(address.sun_path)) return;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || listen(m_listener, 16) != 0) return;
    m_address = "unix:path=" + name;
    m_accepting = std::thread([this] {
      for (;;) {
        const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0 || m_ending) {
          if (connection >= 0) close(connection);
          return;
        }
        m_held.push_back(connection);
      }
    });
  }
  ~SilentDaemon()
  {
    m_ending = true;
    if (m_listener >= 0) shutdown(m_listener, SHUT_RDWR);
    if (m_accepting.joinable()) m_accepting.join();
    for (int connection : m_held) close(connection);
    if (m_listener >= 0) close(m_listener);
  }
  SilentDaemon(const SilentDaemon&) = delete;
  SilentDaemon& operator=(const SilentDaemon&) = delete;

  // The address a client is given (IBUS_ADDRESS); empty when the socket could not be made.
  const std::string& Address() const { return m_address; }

private:
  int m_listener = -1;
  std::string m_address;
  std::atomic<bool> m_ending = false;
  std::thread m_accepting;
  std::vector<int> m_held;  // the accepting thread's until it is joined
};

// A grey 16 by 16 picture in 32 bits, as a viewer's print button leaves for the print layout.
std::string SmallCapture()
{
  constexpr std::uint32_t side = 16, pixels = side * side * 4;
  std::string bmp = "BM";
  auto put = [&bmp](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  for (const auto& [value, bytes] : {std::pair{54 + pixels, 4}, {0, 4}, {54, 4}, {40, 4}, {side, 4}, {side, 4}, {1, 2}, {32, 2},
                                    {0, 4}, {pixels, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}}) {
    put(value, bytes);
  }
  bmp.append(pixels, static_cast<char>(0x80));
  return bmp;
}

struct ProgramCase {
  const char* name;
  const char* program;   // below the drive's report folder; Lumbrel is the build's
  const char* argument;  // empty for none
  const char* title;     // a pattern of the window it shows (the display shows nothing else)
};

class SilentInputMethod : public ::testing::TestWithParam<ProgramCase> {
protected:
  void SetUp() override
  {
    ASSERT_NE(std::getenv("VETRA_TEST_ON_SCREEN"), nullptr) << "runs under scripts/on-screen";
    ASSERT_EQ(RunShell("'" VETRA_SETUP_PROGRAM "' --build '" VETRA_BUILD_FOLDER "' >/dev/null"), 0);
    drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", SmallCapture());
    drive.WriteFile("Vetra/TempE/Blank.html", "<html><head><title>Blank</title></head><body></body></html>");
  }

  // Starts the program with the daemon's address and returns how long its window took to show,
  // or nothing when it did not show within ten seconds. The program is asked to end afterwards.
  std::optional<std::chrono::steady_clock::duration> StartAndTimeWindow(const ProgramCase& program, const std::string& address)
  {
    const std::string name = program.program;
    const std::string started = name == "Lumbrel" ? std::string(LUMBREL_PROGRAM) : (drive / ("Vetra/Fenmark/" + name)).string();
    const std::string argument = *program.argument ? " '" + std::string(program.argument) + "'" : "";
    const fs::path pid = drive / "pid", status = drive / "status";
    fs::remove(pid);
    fs::remove(status);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunShell("(IBUS_ADDRESS='" + address + "' '" + started + "'" + argument + " >'" + output.string() +
                       "' 2>&1 & echo $! > '" + pid.string() + "'; wait $!; echo $? > '" + status.string() + "') &"),
              0);
    const std::string search = "xdotool search --onlyvisible --name '" + std::string(program.title) + "' >/dev/null 2>&1";
    const bool shown = WaitFor([&] { return std::system(search.c_str()) == 0; }, 10s);
    const auto took = std::chrono::steady_clock::now() - start;
    WaitFor([&] { return fs::exists(pid) && fs::file_size(pid) > 0; }, 5s);
    RunShell("kill -TERM " + vetra::testing::ReadWholeFile(pid) + " 2>/dev/null");
    ended = WaitFor([&] { return fs::exists(status) && fs::file_size(status) > 0; }, 20s);
    if (!ended) RunShell("kill -KILL " + vetra::testing::ReadWholeFile(pid) + " 2>/dev/null");
    if (!shown) return std::nullopt;
    return took;
  }

  vetra::testing::TempDrive drive;
  fs::path output = drive / "output.txt";
  bool ended = false;
};

TEST_P(SilentInputMethod, TheProgramShowsItsWindowWithinTwoSecondsAndEndsWhenAsked)
{
  const ProgramCase& program = GetParam();
  SilentDaemon daemon(drive / "ibus");
  ASSERT_FALSE(daemon.Address().empty());
  const auto took = StartAndTimeWindow(program, daemon.Address());
  ASSERT_TRUE(took) << "no window within ten seconds\n" << vetra::testing::ReadWholeFile(output);
  EXPECT_LT(*took, 2s) << vetra::testing::ReadWholeFile(output);
  EXPECT_TRUE(ended) << "the program did not end when asked\n" << vetra::testing::ReadWholeFile(output);
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, SilentInputMethod,
                         ::testing::Values(ProgramCase{"Lumbrel", "Lumbrel", "", "^Lumbrel$"},
                                           ProgramCase{"Viewer", "Viewer.exe", "c:\\Vetra\\TempE\\Blank.html", "Viewer$"},
                                           ProgramCase{"Tolvex", "Tolvex.exe", "", "."}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumbrel
