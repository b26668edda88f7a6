// A program on screen whose X server ends (the desktop session ends, the server is killed) ends
// as well, holding a picture on the desktop clipboard or not, instead of living on without a
// screen.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

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

// Shows a window, puts a picture on the clipboard where asked, tells the test it is up, and
// runs until it ends.
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
    const char byte = 1;
    (void)!::write(m_up, &byte, 1);
    return win::TRUE;
  }

private:
  bool m_offerPicture;
  int m_up;
  Panel m_panel;
};

class ServerEnd : public ::testing::TestWithParam<bool> {};

TEST_P(ServerEnd, TheProgramEnds)
{
  vetra::testing::PrivateXServer server;
  ASSERT_FALSE(server.Name().empty()) << "Xvfb did not start";
  int up[2];
  ASSERT_EQ(::pipe(up), 0);
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
    ShowingProgram app(GetParam(), up[1]);
    std::exit(win::AfxWinMain(1, argv));
  }
  ASSERT_GT(program, 0);
  ::close(up[1]);
  char byte = 0;
  const bool shown = ::read(up[0], &byte, 1) == 1;
  ::close(up[0]);
  server.End();

  int status = 0;
  bool ended = false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!(ended = ::waitpid(program, &status, WNOHANG) == program) && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!ended) {
    ::kill(program, SIGKILL);
    ::waitpid(program, &status, 0);
  }
  ASSERT_TRUE(shown) << "the program did not come up";
  EXPECT_TRUE(ended) << "the program went on after its X server ended";
  EXPECT_TRUE(WIFEXITED(status)) << status;
}

INSTANTIATE_TEST_SUITE_P(Clipboard, ServerEnd, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "HoldingAPicture" : "WithoutAPicture"; });

}  // namespace
}  // namespace vetra::ui::testing
