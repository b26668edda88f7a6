// A dialog driven from the real keyboard (X key events through the SDL back end): Tab reaches
// a radio group, an arrow moves its check, and the push button Tab reaches takes the thick
// frame from the default button, as the screen shows it.
#include <string>

#include "platform/base/testing/x_screen.h"
#include "platform/ui/dialog.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

std::uint32_t Rgb(win::COLORREF colour)
{
  return (static_cast<std::uint32_t>(win::GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(win::GetGValue(colour)) << 8) | win::GetBValue(colour);
}

class DialogKeysOnScreen : public ScreenFixture {
protected:
  // Keyboard input goes to the window under the pointer: a click in a control gives it the keys.
  static bool ClickInto(win::CWnd& control)
  {
    win::CRect r;
    control.GetWindowRect(&r);
    if (!vetra::testing::Xdotool({"mousemove", "--sync", std::to_string(r.left + 5), std::to_string(r.top + 5)})) {
      return false;
    }
    return RunUntil([&] {
      vetra::testing::Xdotool({"click", "1"});
      return RunUntil([&] { return win::CWnd::GetFocus() == &control; }, std::chrono::seconds(1));
    });
  }
};

TEST_F(DialogKeysOnScreen, TabAndArrowsChooseTheOrientationAndTheFrameFollowsTheKeyboard)
{
  const win::DWORD shown = win::WS_VISIBLE;
  win::CDialog dialog;
  ASSERT_TRUE(dialog.Create(
      win::DialogTemplate{"orientation", win::WS_POPUP | win::WS_VISIBLE | win::WS_CAPTION, 100, 100, 160, 70, "", 9,
                          {{"EDIT", "", 100, shown | win::WS_BORDER | win::WS_TABSTOP | win::WS_GROUP, 8, 8, 60, 12},
                           {"BUTTON", "Portrait", 201, shown | win::BS_AUTORADIOBUTTON | win::WS_TABSTOP | win::WS_GROUP, 8, 26, 60, 12},
                           {"BUTTON", "Landscape", 202, shown | win::BS_AUTORADIOBUTTON, 80, 26, 70, 12},
                           {"BUTTON", "Open", win::IDOK, shown | win::WS_TABSTOP | win::WS_GROUP | win::BS_DEFPUSHBUTTON, 8, 48, 50, 14},
                           {"BUTTON", "Cancel", win::IDCANCEL, shown | win::WS_TABSTOP, 64, 48, 50, 14}}},
      nullptr));
  dialog.CheckDlgButton(201, win::BST_CHECKED);
  ASSERT_FALSE(XWindowOf(dialog).empty());
  win::CWnd* edit = dialog.GetDlgItem(100);
  ASSERT_TRUE(ClickInto(*edit));
  const auto key = [&](const char* name, int focusId) {
    EXPECT_TRUE(vetra::testing::Xdotool({"key", "--clearmodifiers", name}));
    EXPECT_TRUE(RunUntil([&] { return win::CWnd::GetFocus() && win::CWnd::GetFocus()->GetDlgCtrlID() == focusId; },
                         std::chrono::seconds(5)))
        << name;
  };
  key("Tab", 201);
  key("Right", 202);
  EXPECT_TRUE(dialog.IsDlgButtonChecked(202));
  EXPECT_FALSE(dialog.IsDlgButtonChecked(201));
  key("Tab", win::IDOK);
  key("Tab", win::IDCANCEL);
  // The left edge of a push button is the frame colour where it has the thick frame.
  const std::uint32_t frame = Rgb(win::GetSysColor(win::COLOR_WINDOWFRAME));
  const auto leftEdge = [&](int id) {
    win::CRect b;
    dialog.GetDlgItem(id)->GetWindowRect(&b);
    return vetra::testing::XScreenPixel(b.left, b.top + b.Height() / 2);
  };
  EXPECT_TRUE(RunUntil([&] { return leftEdge(win::IDCANCEL) == frame && leftEdge(win::IDOK) != frame; }, std::chrono::seconds(5)));
  key("shift+Tab", win::IDOK);
  EXPECT_TRUE(RunUntil([&] { return leftEdge(win::IDOK) == frame && leftEdge(win::IDCANCEL) != frame; }, std::chrono::seconds(5)));
  dialog.DestroyWindow();
}

// Alt with a letter is a menu key: it takes the keyboard to the control the letter names and
// types nothing there, though the desktop gives the key a character.
TEST_F(DialogKeysOnScreen, AltWithALetterChoosesItsControlAndTypesNothing)
{
  const win::DWORD shown = win::WS_VISIBLE;
  win::CDialog dialog;
  ASSERT_TRUE(dialog.Create(
      win::DialogTemplate{"names", win::WS_POPUP | win::WS_VISIBLE | win::WS_CAPTION, 100, 100, 160, 50, "", 9,
                          {{"STATIC", "&Name:", -1, shown, 8, 8, 30, 12},
                           {"EDIT", "kim", 100, shown | win::WS_BORDER | win::WS_TABSTOP, 40, 8, 100, 12},
                           {"EDIT", "", 101, shown | win::WS_BORDER | win::WS_TABSTOP, 40, 26, 100, 12}}},
      nullptr));
  ASSERT_FALSE(XWindowOf(dialog).empty());
  win::CWnd* name = dialog.GetDlgItem(100);
  win::CWnd* other = dialog.GetDlgItem(101);
  ASSERT_TRUE(ClickInto(*other));
  ASSERT_TRUE(vetra::testing::Xdotool({"key", "alt+n", "End", "z"}));
  EXPECT_TRUE(RunUntil([&] { return name->GetWindowText() == "kimz"; }, std::chrono::seconds(5))) << name->GetWindowText();
  EXPECT_EQ(other->GetWindowText(), "");
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
