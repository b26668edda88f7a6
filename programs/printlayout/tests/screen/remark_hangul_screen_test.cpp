// The print dialog on a desktop whose input method is IBus with the Korean engine (started in
// Latin mode): the remark box types Hangul at once, as the dialog asks for it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_input.h"
#include "platform/base/text.h"
#include "platform/ui/display_factory.h"
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

TEST(RemarkBoxOnScreen, TypesHangulAtOnce)
{
  vetra::ui::ResetForTests();
  vetra::testing::TempDrive drive;
  testing::WritePrintDialogSkins(drive);
  ASSERT_TRUE(vetra::samples::WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp"));
  drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", testing::MakeBmp(101, 70, 32, testing::Pattern));
  SetReportPrinterFactoryForTests([] { return std::make_unique<NoPrinter>(); });
  std::unique_ptr<vetra::ui::Display> sdl = vetra::ui::CreateSdlDisplay();
  ASSERT_TRUE(sdl) << "no X display: run under scripts/on-screen";
  win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
  {
    CCapturePrintDlg dialog;
    ASSERT_TRUE(dialog.Create(CapturePrintTemplate()));
    dialog.ShowWindow(win::SW_SHOW);
    win::CEdit& remark = dialog.RemarkBox();
    win::CRect box;
    remark.GetWindowRect(&box);
    // The user clicks into the box, once it is on the screen, and types.
    ASSERT_TRUE(RunUntil([&] {
      vetra::testing::XClickAt(box.left + 20, box.top + 20);
      return RunUntil([&] { return win::CWnd::GetFocus() == &remark; }, std::chrono::milliseconds(500));
    }, std::chrono::seconds(15)));
    ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", "rks1"}));
    EXPECT_TRUE(RunUntil([&] { return remark.GetWindowText() == vetra::Cp949("간1"); }, std::chrono::seconds(5)))
        << vetra::Utf8(remark.GetWindowText());
    dialog.DestroyWindow();
  }
  SetReportPrinterFactoryForTests(nullptr);
  ReleaseInstanceMutexForTests();
  vetra::ui::ResetForTests();
}

}  // namespace
}  // namespace tolvex
