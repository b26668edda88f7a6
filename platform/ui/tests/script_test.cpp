#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/base/clock.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_private_server.h"
#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/script.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

// Width and height from a PNG file's header.
std::pair<int, int> PngSize(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  unsigned char header[24] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
  auto be32 = [&](int at) { return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
  return {be32(16), be32(20)};
}

class Scripts : public ::testing::Test {
protected:
  void SetUp() override { vetra::ui::ResetForTests(); }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    detail::MainWindowSlot() = nullptr;
  }
  vetra::testing::TempDrive drive;
};

// Answers a click with a question and remembers the answer.
class Asker : public Probe {
public:
  using Probe::Probe;
  void OnLButtonUp(UINT, CPoint) override { answer = MessageBox("Go on?", "Asker", MB_YESNO); }
  void OnChar(UINT ch, UINT, UINT) override { typed += static_cast<char>(ch); }
  int answer = 0;
  std::string typed;
};

TEST_F(Scripts, ScriptDrivesAWindowAndWritesAScreenshot)
{
  MessageLog log;
  Asker window("asker", log);
  ASSERT_TRUE(window.CreateEx(0, "Probe", "Script target", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                              CRect(100, 100, 300, 220), nullptr, 0));
  window.SetFocus();
  detail::MainWindowSlot() = &window;
  const std::filesystem::path shot = drive.Root() / "shot.png";
  vetra::ui::StartSessionScript(vetra::ui::SessionScript(
      "# comments and blank lines are skipped\n\n"
      "answer IDNO\n"
      "click 20 30\n"
      "type 가a\n"
      "wait 250\n"
      "screenshot " + shot.string() + "\n"
      "caption\n"
      "quit\n",
      "test.script"));
  const std::uint64_t start = vetra::MonotonicMs();
  ::testing::internal::CaptureStdout();
  while (AfxPumpMessage()) {
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Script target\n");
  EXPECT_EQ(window.answer, IDNO);
  EXPECT_EQ(window.typed, vetra::Cp949("가a"));
  EXPECT_GE(vetra::MonotonicMs() - start, 250u);
  EXPECT_NE(std::find(log.begin(), log.end(), "asker down 20,30"), log.end());  // client coordinates
  EXPECT_EQ(PngSize(shot), (std::pair<int, int>{200, 120}));
}

TEST_F(Scripts, ScriptFolderHoldsOneScriptPerProgram)
{
  std::filesystem::create_directories(drive.Root() / "road");
  std::ofstream(drive.Root() / "road" / "Lumbrel.script") << "quit\n";
  setenv("VETRA_SCRIPT", (drive.Root() / "road").c_str(), 1);
  const struct {
    const char* program;
    bool runsScript;
  } cases[] = {{"Lumbrel", true}, {"Viewer", false}};
  for (const auto& c : cases) {
    vetra::ui::StopSessionScript();
    vetra::ui::StartSessionScriptFromEnvironment(c.program);
    EXPECT_EQ(vetra::ui::ActiveSessionScript() != nullptr, c.runsScript) << c.program;
  }
  unsetenv("VETRA_SCRIPT");
}

TEST_F(Scripts, HeadlessProgramWithoutScriptEndsAtTheLimit)
{
  MessageLog log;
  Probe window("idle", log);
  ASSERT_TRUE(window.CreateTop(CRect(0, 0, 50, 50)));
  window.SetTimer(1, 1000);
  vetra::ui::SetHeadlessLimitMs(3000);
  vetra::ui::RestartHeadlessLimit();
  const std::uint64_t start = vetra::MonotonicMs();
  while (AfxPumpMessage()) {
  }
  EXPECT_EQ(vetra::MonotonicMs() - start, 3000u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "idle timer 1"), 3);
  vetra::ui::SetHeadlessLimitMs(5000);
}

TEST_F(Scripts, DemoProgramRunsAScriptEndToEnd)
{
  const std::filesystem::path demo = VETRA_UI_DEMO_PATH;
  const std::filesystem::path shot = drive.Root() / "demo.png";
  const std::filesystem::path script = drive.Root() / "demo.script";
  std::ofstream(script) << "answer IDNO\nclick 60 34\nclick 100 100\ntype 안녕\nscreenshot " << shot.string()
                        << "\ncaption\nquit\n";
  const std::filesystem::path out = drive.Root() / "out.txt";
  const std::string command = "VETRA_HEADLESS=1 VETRA_SCRIPT='" + script.string() + "' '" + demo.string() +
                              "' > '" + out.string() + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(out);
  const std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(output.find("[UI demo] 안녕하세요?"), std::string::npos) << output;  // the message box, in UTF-8
  EXPECT_NE(output.find("UI demo\n"), std::string::npos) << output;
  const auto [width, height] = PngSize(shot);
  EXPECT_EQ(width, 400 + 2 * 3);
  EXPECT_EQ(height, 240 + 2 * 3 + 19);
}

// A display that is named but cannot be opened is said, and the program ends: it never runs
// unseen (a hidden window would keep what it holds, and the user would never see it).
TEST_F(Scripts, ANamedDisplayThatCannotBeOpenedIsSaidAndTheProgramEnds)
{
  const std::string display = vetra::testing::DisplayThatIsNotThere();
  const std::filesystem::path script = drive.Root() / "demo.script";
  std::ofstream(script) << "wait 100\ncaption\nquit\n";
  const std::filesystem::path out = drive.Root() / "out.txt";
  const std::string command = "env -u VETRA_HEADLESS -u WAYLAND_DISPLAY DISPLAY=" + display + " VETRA_SCRIPT='" +
                              script.string() + "' '" VETRA_UI_DEMO_PATH "' > '" + out.string() + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream in(out);
  const std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(WIFEXITED(status)) << output;
  EXPECT_NE(WEXITSTATUS(status), 0) << output;
  EXPECT_NE(output.find("cannot open display " + display), std::string::npos) << output;
  EXPECT_EQ(output.find("UI demo\n"), std::string::npos) << "it ran unseen\n" << output;
}

}  // namespace
