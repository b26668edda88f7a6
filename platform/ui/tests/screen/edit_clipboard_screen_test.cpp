// An edit box on the desktop: text copied in another program pastes into it with Ctrl+V, the
// right-click menu opens at the pointer and its entries are chosen with the mouse, and what is
// copied from the box pastes in other programs as UTF-8; the menu key and the entries' letters
// work the menu from the keyboard.
#include <cstdio>
#include <functional>
#include <string>

#include "platform/base/testing/x_screen.h"
#include "platform/base/text.h"
#include "platform/ui/edit.h"
#include "platform/ui/paint.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

class Panel : public win::CWnd {
public:
  bool Make(const char* title)
  {
    return CreateEx(0, "Panel", title, win::WS_POPUP | win::WS_VISIBLE, win::CRect(100, 100, 400, 260), nullptr, 0) != 0;
  }
};

// Another program puts UTF-8 text on the desktop's clipboard (xclip keeps offering it until a
// program takes the clipboard).
bool OfferFromAnotherProgram(const std::string& utf8)
{
  FILE* xclip = ::popen("xclip -selection clipboard -i", "w");
  if (!xclip) return false;
  std::fwrite(utf8.data(), 1, utf8.size(), xclip);
  return ::pclose(xclip) == 0;
}

// A pop-up window of this program that shows (the right-click menu).
win::HWND ShownPopup(win::HWND except)
{
  auto& system = win::detail::WindowSystem::Get();
  for (win::HWND top : system.TopLevels()) {
    const auto* s = system.State(top);
    if (top != except && s && (s->exStyle & win::WS_EX_NOACTIVATE) && system.IsVisible(top)) return top;
  }
  return nullptr;
}

// Runs from a timer, so inside the menu's own loop.
std::function<bool()>& MenuStep()
{
  static std::function<bool()> step;
  return step;
}
void RunMenuStep(win::HWND, win::UINT, win::UINT_PTR id, win::DWORD)
{
  if (MenuStep() && MenuStep()()) {
    MenuStep() = nullptr;
    win::KillTimer(nullptr, id);
  }
}

using EditOnScreen = ScreenFixture;

TEST_F(EditOnScreen, TextCrossesTheDesktopClipboardAndTheRightClickMenuWorksWithTheMouse)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("edit clipboard"));
  win::CEdit edit;
  ASSERT_TRUE(edit.Create(win::WS_VISIBLE | win::WS_BORDER | win::ES_MULTILINE | win::ES_WANTRETURN,
                          win::CRect(10, 10, 280, 140), &panel, 1));
  panel.SetActiveWindow();
  edit.SetFocus();
  ASSERT_FALSE(XWindowOf(panel).empty());
  win::CPoint inside(60, 60);
  edit.ClientToScreen(&inside);
  ASSERT_TRUE(vetra::testing::XClickAt(inside.x, inside.y));

  // Pasted from another program: UTF-8 becomes code page 949, é has no form there.
  ASSERT_TRUE(OfferFromAnotherProgram("붙임 café\n둘"));
  ASSERT_TRUE(RunUntil([&] {
    vetra::testing::Xdotool({"key", "--clearmodifiers", "ctrl+v"});
    return RunUntil([&] { return !edit.GetWindowText().empty(); }, std::chrono::milliseconds(1000));
  }));
  EXPECT_EQ(edit.GetWindowText(), Cp949("붙임 caf\r\n둘"));

  // The right-click menu opens at the pointer; its last entry selects everything.
  MenuStep() = [&] {
    const win::HWND menu = ShownPopup(panel.m_hWnd);
    if (!menu) return false;
    const win::CRect r = win::detail::WindowSystem::Get().ScreenRect(menu);
    EXPECT_EQ(r.TopLeft(), inside);
    const int border = win::GetSystemMetrics(win::SM_CXBORDER);
    const int rowHeight = (r.Height() - 2 * border - 2 * 8) / 6;  // six entries, two separators
    return vetra::testing::XClickAt(inside.x + 30, r.bottom - border - rowHeight / 2);
  };
  win::SetTimer(nullptr, 0x3E, 50, &RunMenuStep);
  ASSERT_TRUE(vetra::testing::XClickAt(inside.x, inside.y, 3));
  ASSERT_TRUE(RunUntil([&] {
    int start = 0, end = 0;
    edit.GetSel(start, end);
    return start == 0 && end == static_cast<int>(edit.GetWindowText().size()) && !ShownPopup(panel.m_hWnd);
  }));
  ASSERT_FALSE(vetra::ui::PopupMenuLog().empty());
  EXPECT_EQ(vetra::ui::PopupMenuLog().back().answer, win::UINT{win::EM_SETSEL});

  // The menu key opens the menu at the caret, and an entry's letter chooses it: 복사(&C).
  // Copied from the box, the text pastes in another program as UTF-8 with the desktop's line ends.
  const std::size_t menusBefore = vetra::ui::PopupMenuLog().size();
  MenuStep() = [&] {
    return ShownPopup(panel.m_hWnd) && vetra::testing::Xdotool({"key", "--clearmodifiers", "c"}).has_value();
  };
  win::SetTimer(nullptr, 0x3E, 50, &RunMenuStep);
  ASSERT_TRUE(vetra::testing::Xdotool({"key", "--clearmodifiers", "shift+F10"}));
  ASSERT_TRUE(RunUntil([&] { return vetra::ui::PopupMenuLog().size() > menusBefore; }));
  EXPECT_EQ(vetra::ui::PopupMenuLog().back().answer, win::UINT{win::WM_COPY});
  EXPECT_EQ(edit.GetWindowText(), Cp949("붙임 caf\r\n둘"));  // the letter was the menu's, not typed
  const auto pump = [] { RunUntil([] { return false; }, std::chrono::milliseconds(20)); };
  std::optional<std::string> pasted;
  RunUntil([&] {
    pasted = vetra::testing::XReadClipboard("UTF8_STRING", pump);
    return pasted == "붙임 caf\n둘";
  });
  EXPECT_EQ(pasted.value_or("(nothing)"), "붙임 caf\n둘");
}

// An entry's key letter shows underlined, as a control's does: "복사(&C)" is drawn otherwise than
// "복사(C)".
TEST_F(EditOnScreen, AMenuEntrysLetterShowsUnderlined)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("menu letters"));
  const auto picture = [&](const char* text) {
    win::CMenu menu;
    menu.AppendMenu(win::MF_STRING, 1, Cp949(text).c_str());
    std::vector<vetra::gdi::Pixel> pixels;
    MenuStep() = [&] {
      const win::HWND shown = ShownPopup(panel.m_hWnd);
      if (!shown) return false;
      win::detail::PaintAll();
      const auto surface = win::detail::TopLevelSurface(shown);
      for (int y = 0; surface && y < surface->Height(); ++y) {
        for (int x = 0; x < surface->Width(); ++x) pixels.push_back(surface->Get(x, y));
      }
      return vetra::testing::Xdotool({"key", "--clearmodifiers", "Escape"}).has_value();
    };
    win::SetTimer(nullptr, 0x3E, 50, &RunMenuStep);
    win::TrackPopupMenu(menu, win::TPM_RETURNCMD, 150, 150, &panel);
    return pixels;
  };
  const auto marked = picture("복사(&C)");
  const auto plain = picture("복사(C)");
  ASSERT_FALSE(plain.empty());
  ASSERT_EQ(marked.size(), plain.size());
  EXPECT_NE(marked, plain);
}

}  // namespace
}  // namespace vetra::ui::testing
