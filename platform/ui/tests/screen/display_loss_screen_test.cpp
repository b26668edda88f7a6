// A program on screen whose X server ends (the desktop session ends, the server is killed) ends
// as well, holding a picture on the desktop clipboard or not, instead of living on without a
// screen: through its own shutdown, with a status that says it did not end as asked. An X error
// (a request about a window that has just gone) is said and the program goes on.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_late_request.h"
#include "platform/base/testing/x_private_server.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/app.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

class Panel : public win::CWnd {
public:
  bool Make()
  {
    return CreateEx(0, "Panel", "on a server that ends", win::WS_POPUP | win::WS_VISIBLE, win::CRect(10, 10, 200, 100),
                    nullptr, 0) != 0;
  }
};

// Shows a window, puts a picture on the clipboard where asked, tells the test it is up ('U'), and
// runs until it ends; its shutdown tells the test it ran ('E').
class ShowingProgram : public win::CWinApp {
public:
  ShowingProgram(bool offerPicture, int up) : m_offerPicture(offerPicture), m_up(up) {}

  win::BOOL InitInstance() override
  {
    if (!m_panel.Make()) return win::FALSE;
    m_pMainWnd = &m_panel;
    if (m_offerPicture) {
      win::CDC screen;
      win::CDC memory;
      win::CBitmap picture;
      if (!screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr) || !memory.CreateCompatibleDC(&screen) ||
          !picture.CreateCompatibleBitmap(&screen, 16, 16) || !win::OpenClipboard(m_panel.m_hWnd)) {
        return win::FALSE;
      }
      win::EmptyClipboard();
      win::SetClipboardData(win::CF_BITMAP, static_cast<win::HBITMAP>(picture.Detach()));
      win::CloseClipboard();
    }
    const char byte = 'U';
    (void)!::write(m_up, &byte, 1);
    return win::TRUE;
  }

  int ExitInstance() override
  {
    const char byte = 'E';
    (void)!::write(m_up, &byte, 1);
    return win::CWinApp::ExitInstance();
  }

private:
  bool m_offerPicture;
  int m_up;
  Panel m_panel;
};

// How a program ended whose X server was ended under it.
struct Ending {
  bool shown = false;     // it came up
  bool ended = false;     // it ended by itself
  bool shutDown = false;  // through its own shutdown
  int status = 0;
};

// Runs the program on a server of its own, does `beforeEnd` with the program's process and the
// server's display name, ends the server, and waits for the program to end.
Ending EndTheServerUnder(bool offerPicture, const std::function<void(pid_t, const std::string&)>& beforeEnd)
{
  Ending ending;
  vetra::testing::PrivateXServer server;
  if (server.Name().empty()) return ending;
  int up[2];
  if (::pipe(up) != 0) return ending;
  const pid_t program = ::fork();
  if (program == 0) {
    ::close(up[0]);
    ::setenv("DISPLAY", server.Name().c_str(), 1);
    ResetForTests();
    std::unique_ptr<Display> sdl = CreateSdlDisplay();
    if (!sdl) std::_Exit(3);
    win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
    char name[] = "showing-program";
    char* argv[] = {name, nullptr};
    ShowingProgram app(offerPicture, up[1]);
    std::exit(win::AfxWinMain(1, argv));
  }
  if (program <= 0) return ending;
  ::close(up[1]);
  char byte = 0;
  ending.shown = ::read(up[0], &byte, 1) == 1 && byte == 'U';
  if (ending.shown) beforeEnd(program, server.Name());
  server.End();
  ::kill(program, SIGCONT);

  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!(ending.ended = ::waitpid(program, &ending.status, WNOHANG) == program) && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!ending.ended) {
    ::kill(program, SIGKILL);
    ::waitpid(program, &ending.status, 0);
  }
  ending.shutDown = ::read(up[0], &byte, 1) == 1 && byte == 'E';
  ::close(up[0]);
  return ending;
}

void ExpectEndedThroughItsShutdown(const Ending& ending)
{
  ASSERT_TRUE(ending.shown) << "the program did not come up";
  EXPECT_TRUE(ending.ended) << "the program went on after its X server ended";
  EXPECT_TRUE(ending.shutDown) << "the program ended without its own shutdown: " << ending.status;
  ASSERT_TRUE(WIFEXITED(ending.status)) << ending.status;
  EXPECT_NE(WEXITSTATUS(ending.status), 0);
}

class ServerEnd : public ::testing::TestWithParam<bool> {};

TEST_P(ServerEnd, TheProgramEnds)
{
  ExpectEndedThroughItsShutdown(EndTheServerUnder(GetParam(), [](pid_t, const std::string&) {}));
}

// The desktop changed something of its own (a property of the screen's root window) just before
// the server ended, and the program reads of it only then: it ends all the same.
TEST(ServerEndWithADesktopChangeQueued, TheProgramEnds)
{
  ExpectEndedThroughItsShutdown(EndTheServerUnder(false, [](pid_t program, const std::string& display) {
    ::kill(program, SIGSTOP);
    const std::string command = "xprop -display " + display + " -root -f _VETRA_DESKTOP_CHANGE 8s -set _VETRA_DESKTOP_CHANGE x";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }));
}

INSTANTIATE_TEST_SUITE_P(Clipboard, ServerEnd, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "HoldingAPicture" : "WithoutAPicture"; });

// A late request about a window that is already gone (a prompt that has just closed) gets an X
// error: it is said on stderr and the program goes on.
TEST(XErrors, ARequestOnAWindowThatIsGoneIsSaidAndTheProgramGoesOn)
{
  vetra::testing::TempDrive drive;
  const std::filesystem::path errors = drive / "stderr.txt";
  constexpr int kWentOn = 7;
  const pid_t program = ::fork();
  if (program == 0) {
    if (!std::freopen(errors.c_str(), "w", stderr)) std::_Exit(2);
    ResetForTests();
    std::unique_ptr<Display> sdl = CreateSdlDisplay();
    if (!sdl) std::_Exit(3);
    win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
    if (!vetra::testing::SendToAWindowThatIsGone()) std::_Exit(4);
    ResetForTests();
    std::_Exit(kWentOn);
  }
  ASSERT_GT(program, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(program, &status, 0), program);
  const std::string said = vetra::testing::ReadWholeFile(errors);
  ASSERT_TRUE(WIFEXITED(status)) << status << said;
  EXPECT_EQ(WEXITSTATUS(status), kWentOn) << said;
  EXPECT_NE(said.find("BadWindow"), std::string::npos) << "[" << said << "]";
}

}  // namespace
}  // namespace vetra::ui::testing
