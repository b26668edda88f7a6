// The print dialog on a desktop whose input method is IBus with the Korean engine (started in
// Latin mode): the remark box types Hangul at once, as the dialog asks for it, and its right-click
// menu takes its letters in Hangul mode too.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_input.h"
#include "platform/base/text.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/edit.h"
#include "platform/ui/idle.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_system.h"
#include "programs/printlayout/capture_print_dlg.h"
#include "programs/printlayout/report_printer.h"
#include "programs/printlayout/tests/test_pictures.h"
#include "tools/samples/printlayout_sample.h"

namespace tolvex {
namespace {

// No printer: the remark box is all this test looks at.
class NoPrinter : public ReportPrinter {
public:
  bool LoadDefaults() override { return false; }
  Portrait ApplyPortraitDefault() override { return Portrait::NoDefaultPrinter; }
  void ShowSetup(win::CWnd*) override {}
  win::CDC* StartDocument(const char*) override { return nullptr; }
  bool StartPage() override { return false; }
  bool EndPage() override { return false; }
  bool EndDocument() override { return false; }
};

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    vetra::ui::Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    win::detail::WindowSystem::Get().WaitForInput();
  }
}

class RemarkBoxOnScreen : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    testing::WritePrintDialogSkins(drive);
    ASSERT_TRUE(vetra::samples::WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp"));
    drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", testing::MakeBmp(101, 70, 32, testing::Pattern));
    SetReportPrinterFactoryForTests([] { return std::make_unique<NoPrinter>(); });
    std::unique_ptr<vetra::ui::Display> sdl = vetra::ui::CreateSdlDisplay();
    ASSERT_TRUE(sdl) << "no X display: run under scripts/on-screen";
    win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
    ASSERT_TRUE(dialog.Create(CapturePrintTemplate()));
    dialog.ShowWindow(win::SW_SHOW);
    win::CEdit& remark = dialog.RemarkBox();
    remark.GetWindowRect(&box);
    // The user clicks into the box, once it is on the screen.
    ASSERT_TRUE(RunUntil([&] {
      vetra::testing::XClickAt(box.left + 20, box.top + 20);
      return RunUntil([&] { return win::CWnd::GetFocus() == &remark; }, std::chrono::milliseconds(500));
    }, std::chrono::seconds(15)));
  }
  void TearDown() override
  {
    if (dialog.GetSafeHwnd()) dialog.DestroyWindow();
    SetReportPrinterFactoryForTests(nullptr);
    ReleaseInstanceMutexForTests();
    vetra::ui::ResetForTests();
  }

  bool TypeUntil(const std::string& keys, const std::string& utf8)
  {
    if (!vetra::testing::Xdotool({"type", "--delay", "30", keys})) return false;
    return RunUntil([&] { return dialog.RemarkBox().GetWindowText() == vetra::Cp949(utf8); }, std::chrono::seconds(5));
  }

  // Whether a pop-up menu shows now.
  static bool MenuShows()
  {
    auto& system = win::detail::WindowSystem::Get();
    for (win::HWND top : system.TopLevels()) {
      if (system.State(top)->className == "#32768" && system.IsVisible(top)) return true;
    }
    return false;
  }

  // Once a pop-up menu shows (inside the menu's own loop), `key` is pressed; a menu still showing
  // three seconds later is closed with Esc and noted as having stayed open.
  void PressWhenMenuShows(const std::string& key)
  {
    menuShown = stayedOpen = false;
    m_watch = [this, key] {
      if (!MenuShows()) {
        vetra::ui::WhenIdle(m_watch);
        return;
      }
      menuShown = true;
      vetra::testing::Xdotool({"key", key});
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
      m_watch = [this, deadline] {
        if (!MenuShows()) return;
        if (std::chrono::steady_clock::now() < deadline) {
          vetra::ui::WhenIdle(m_watch);
          return;
        }
        stayedOpen = true;
        vetra::testing::Xdotool({"key", "Escape"});
      };
      vetra::ui::WhenIdle(m_watch);
    };
    vetra::ui::WhenIdle(m_watch);
  }

  bool menuShown = false;
  bool stayedOpen = false;
  vetra::testing::TempDrive drive;
  CCapturePrintDlg dialog;
  win::CRect box;

private:
  std::function<void()> m_watch;  // the idle action that waits for the menu (runs as a copy)
};

TEST_F(RemarkBoxOnScreen, TypesHangulAtOnce)
{
  EXPECT_TRUE(TypeUntil("rks1", "간1")) << vetra::Utf8(dialog.RemarkBox().GetWindowText());
}

// The box's right-click menu in Hangul mode, opened by the mouse and (while a syllable is being
// composed) by the keyboard: its letter chooses, the syllable is typed first, and Hangul input
// goes on afterwards.
TEST_F(RemarkBoxOnScreen, AMenuLetterChoosesInHangulMode)
{
  win::CEdit& remark = dialog.RemarkBox();
  ASSERT_TRUE(TypeUntil("rks1", "간1")) << vetra::Utf8(remark.GetWindowText());
  const struct {
    const char* name;
    std::function<bool()> open;
    const char* composed;  // typed before the menu opens
    const char* text;      // the box's text once the menu has chosen
  } cases[] = {
      {"right click", [&] { return vetra::testing::XClickAt(box.left + 40, box.top + 40, 3); }, "", "간1"},
      {"shift+F10 while composing", [] { return vetra::testing::Xdotool({"key", "shift+F10"}).has_value(); }, "rk", "간1가"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int size = static_cast<int>(remark.GetWindowText().size());
    remark.SetSel(size, size);
    if (*c.composed) {
      ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", c.composed}));
      ASSERT_TRUE(RunUntil([] { return !win::detail::WindowSystem::Get().composition.empty(); }, std::chrono::seconds(5)));
    }
    PressWhenMenuShows("a");
    ASSERT_TRUE(c.open());
    ASSERT_TRUE(RunUntil([&] { return menuShown && !MenuShows(); }, std::chrono::seconds(15)));
    vetra::ui::ClearIdleActions();
    EXPECT_FALSE(stayedOpen) << "the menu stayed open";
    ASSERT_FALSE(vetra::ui::PopupMenuLog().empty());
    EXPECT_EQ(vetra::ui::PopupMenuLog().back().answer, win::UINT{win::EM_SETSEL});
    EXPECT_EQ(win::detail::WindowSystem::Get().composition, "");
    int start = 0, end = 0;
    remark.GetSel(start, end);
    const std::string text = remark.GetWindowText();
    EXPECT_EQ(text, vetra::Cp949(c.text)) << vetra::Utf8(text);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, static_cast<int>(text.size()));
  }
  // The keys are the input method's again, still in Hangul mode.
  const int size = static_cast<int>(remark.GetWindowText().size());
  remark.SetSel(size, size);
  EXPECT_TRUE(TypeUntil("dkf1", "간1가알1")) << vetra::Utf8(remark.GetWindowText());
}

}  // namespace
}  // namespace tolvex
