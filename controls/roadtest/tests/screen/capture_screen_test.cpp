// On screen, the road-test viewer's capture goes on the desktop's clipboard as a picture: another
// program pastes the whole screen the control captured, during the viewer's life and, through
// the desktop's clipboard manager, after it.
#include <chrono>
#include <optional>
#include <string>

#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "platform/base/testing/x_clipboard_manager.h"
#include "platform/base/testing/x_screen.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/window_system.h"

namespace morvit::testing {
namespace {

class CaptureOnScreen : public ControlTest {
protected:
  void SetUp() override
  {
    // The clipboard manager's process starts while the test has no other threads.
    m_manager.emplace();
    ASSERT_TRUE(m_manager->Running());
    ControlTest::SetUp();
    std::unique_ptr<vetra::ui::Display> sdl = vetra::ui::CreateSdlDisplay();
    ASSERT_TRUE(sdl) << "no X display: run under scripts/on-screen";
    win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
  }

  // Captures the screen; the choice that follows is cancelled, the picture stays on the clipboard.
  void Capture()
  {
    vetra::ui::WhenIdle([] {
      if (win::CWnd* dialog = win::CWnd::GetActiveWindow()) dialog->PostMessage(win::WM_COMMAND, win::IDCANCEL, 0);
    });
    control->OnSaveOrPrint();
  }

  std::optional<vetra::testing::XClipboardManager> m_manager;
};

std::uint32_t BigEndian(const std::string& bytes, std::size_t at)
{
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST_F(CaptureOnScreen, TheCaptureCanBePastedInOtherPrograms)
{
  PutRecording("p.RES");
  Open("p.RES");
  Capture();

  const auto pump = [] {
    win::detail::WindowSystem::Get().WaitForInput();
    vetra::ui::Pump();
  };
  const auto png = vetra::testing::XReadClipboard("image/png", pump);
  ASSERT_TRUE(png && png->size() > 24);
  EXPECT_EQ(png->substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian(*png, 16), 1024u);
  EXPECT_EQ(BigEndian(*png, 20), 768u);
}

TEST_F(CaptureOnScreen, TheCaptureStaysPasteableAfterTheViewerEnds)
{
  PutRecording("p.RES");
  Open("p.RES");
  Capture();
  // The viewer's display ends with the program.
  win::detail::WindowSystem::Get().SetDisplay(vetra::ui::CreateHeadlessDisplay());

  const auto png = m_manager->KeptPicture();
  ASSERT_TRUE(png && png->size() > 24 + 12) << "the clipboard manager was not handed the capture";
  EXPECT_EQ(png->substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian(*png, 16), 1024u);
  EXPECT_EQ(BigEndian(*png, 20), 768u);
  EXPECT_EQ(png->substr(png->size() - 8, 4), "IEND");  // whole, to its last chunk
}

}  // namespace
}  // namespace morvit::testing
