// A picture put on the clipboard stays pasteable after the program ends: the desktop's clipboard
// manager is handed it when the display ends, and the end does not hang without a manager or
// when the manager ends mid-way.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/base/testing/x_clipboard_manager.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/app.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using vetra::testing::XClipboardManager;

class Panel : public win::CWnd {
public:
  bool Make(const char* title)
  {
    return CreateEx(0, "Panel", title, win::WS_POPUP | win::WS_VISIBLE, win::CRect(100, 100, 300, 200), nullptr, 0) != 0;
  }
};

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Puts a kWidth x kHeight picture on the clipboard, as the road-test capture does.
bool OfferPicture(win::CWnd& owner)
{
  win::CDC screen;
  win::CDC memory;
  win::CBitmap picture;
  if (!screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr) || !memory.CreateCompatibleDC(&screen) ||
      !picture.CreateCompatibleBitmap(&screen, kWidth, kHeight)) {
    return false;
  }
  win::CBitmap* old = memory.SelectObject(&picture);
  memory.FillSolidRect(0, 0, kWidth, kHeight, win::RGB(0, 120, 200));
  memory.FillSolidRect(5, 5, 20, 10, win::RGB(250, 250, 0));
  memory.SelectObject(old);
  if (!win::OpenClipboard(owner.m_hWnd)) return false;
  win::EmptyClipboard();
  win::SetClipboardData(win::CF_BITMAP, static_cast<win::HBITMAP>(picture.Detach()));
  win::CloseClipboard();
  return true;
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at)
{
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A whole PNG file of the offered picture: signature, header of its size, and the end chunk.
void ExpectWholePicture(const std::optional<std::string>& png)
{
  ASSERT_TRUE(png) << "the clipboard manager was not handed the picture";
  ASSERT_GT(png->size(), 8u + 25u + 12u);
  EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(BigEndian32(*png, 16), static_cast<std::uint32_t>(kWidth));
  EXPECT_EQ(BigEndian32(*png, 20), static_cast<std::uint32_t>(kHeight));
  EXPECT_EQ(png->substr(png->size() - 12), std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12));
}

enum class Manager { None, Keeps, EndsMidway };

struct EndCase {
  const char* name;
  Manager manager;
};

// The manager process starts before the display, while the test has no other threads.
class DisplayEnd : public ScreenFixture, public ::testing::WithParamInterface<EndCase> {
protected:
  void SetUp() override
  {
    if (GetParam().manager != Manager::None) {
      m_manager.emplace(GetParam().manager == Manager::Keeps ? XClipboardManager::Conduct::Keeps
                                                             : XClipboardManager::Conduct::EndsMidway);
      ASSERT_TRUE(m_manager->Running());
    }
    ScreenFixture::SetUp();
  }

  std::optional<XClipboardManager> m_manager;
};

TEST_P(DisplayEnd, HandsThePictureToTheClipboardManagerAndReturns)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("clipboard at the end"));
  ASSERT_TRUE(OfferPicture(panel));

  // What the end of a program does to its display; it returns whatever the manager does.
  win::detail::WindowSystem::Get().SetDisplay(CreateHeadlessDisplay());

  switch (GetParam().manager) {
  case Manager::Keeps:
    ExpectWholePicture(m_manager->KeptPicture());
    break;
  case Manager::EndsMidway:
    EXPECT_TRUE(m_manager->Ended());
    break;
  case Manager::None:
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(Managers, DisplayEnd,
                         ::testing::Values(EndCase{"Keeps", Manager::Keeps}, EndCase{"None", Manager::None},
                                           EndCase{"EndsMidway", Manager::EndsMidway}),
                         [](const auto& info) { return std::string(info.param.name); });

// A program that offers a picture and is then closed by its user or ended by a signal.
class PictureProgram : public win::CWinApp {
public:
  explicit PictureProgram(int endSignal) : m_endSignal(endSignal) {}

  win::BOOL InitInstance() override
  {
    if (!m_panel.Make("picture program") || !OfferPicture(m_panel)) return win::FALSE;
    m_pMainWnd = &m_panel;
    if (m_endSignal != 0) {
      ::raise(m_endSignal);
    } else {
      m_panel.PostMessage(win::WM_CLOSE);
    }
    return win::TRUE;
  }

private:
  int m_endSignal;  // 0: closed by the user
  Panel m_panel;
};

struct ProgramEnd {
  const char* name;
  int endSignal;
  int status;
};

class ProgramEndHandsOver : public ::testing::TestWithParam<ProgramEnd> {};

TEST_P(ProgramEndHandsOver, ThePictureStaysPasteable)
{
  XClipboardManager manager;
  ASSERT_TRUE(manager.Running());
  const pid_t program = ::fork();
  if (program == 0) {
    // The program's whole life, up to the end of its statics, as after main returns; on screen
    // whatever display earlier tests of this process left.
    ResetForTests();
    win::detail::WindowSystem::Get().SetDisplay(CreateSdlDisplay());
    char name[] = "picture-program";
    char* argv[] = {name, nullptr};
    PictureProgram app(GetParam().endSignal);
    std::exit(win::AfxWinMain(1, argv));
  }
  ASSERT_GT(program, 0);
  ExpectWholePicture(manager.KeptPicture());
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (::waitpid(program, &status, WNOHANG) != program) {
    if (std::chrono::steady_clock::now() >= end) {
      ::kill(program, SIGKILL);
      ::waitpid(program, &status, 0);
      FAIL() << "the program did not end";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Ends, ProgramEndHandsOver,
                         ::testing::Values(ProgramEnd{"ClosedByTheUser", 0, 0},
                                           ProgramEnd{"EndedBySigterm", SIGTERM, 128 + SIGTERM},
                                           ProgramEnd{"EndedBySigint", SIGINT, 128 + SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vetra::ui::testing
