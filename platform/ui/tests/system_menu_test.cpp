// The system menu, with the entries a program adds, opens where the user looks for it: Alt+Space,
// a right click on the caption, and on a window without a caption of its own a right click on its
// top band. It is worked with the arrow keys, Return, Esc, an item's letter or the mouse, and the
// window gets the chosen command.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/idle.h"
#include "platform/ui/input.h"
#include "platform/ui/menu.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/tests/system_commands.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_system.h"

namespace {

using namespace win;

using vetra::ui::testing::kAboutCommand;

// A main window with an "About" entry in its system menu; notes the commands it gets.
class WithAbout : public vetra::ui::testing::NotingSystemCommands<CWnd> {
public:
  BOOL Make(DWORD style)
  {
    if (!CreateEx(0, "WithAbout", "With about", style | WS_VISIBLE, CRect(200, 150, 600, 450), nullptr, 0)) return FALSE;
    return vetra::ui::testing::AddAboutEntry(*this);
  }
};

// The menu window up now, if any.
HWND OpenMenu() { return FindWindowA("#32768", nullptr); }

// Input while the menu runs: taken in by the menu's own loop, not pumped by the test.
void Key(const std::string& name)
{
  if (const auto chord = vetra::ui::ParseKeyChord(name)) vetra::ui::InjectKeyChord(*chord);
}
void ClickAt(POINT screen)
{
  vetra::ui::InjectMouseMove(screen);
  vetra::ui::InjectButton(screen, 0, true);
  vetra::ui::InjectButton(screen, 0, false);
}

class SystemMenu : public ::testing::Test {
protected:
  void SetUp() override { vetra::ui::ResetForTests(); }
  void TearDown() override { vetra::ui::ResetForTests(); }
};

TEST_F(SystemMenu, OpensWhereTheUserLooksForItAndSendsTheChosenCommand)
{
  constexpr DWORD kBorderless = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;  // draws its own face
  constexpr DWORD kCaptioned = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  struct Case {
    const char* name;
    DWORD style;
    std::function<void(WithAbout&)> open;
    std::vector<std::string> keys;  // pressed once the menu is up
    bool opens;
    std::vector<UINT> commands;
  };
  const Case cases[] = {
      {"alt+space, the item's letter", kCaptioned, [](WithAbout&) { vetra::ui::PressKeys("alt+space"); }, {"a"}, true,
       {kAboutCommand}},
      {"right click on the caption, up and return", kCaptioned,
       [&](WithAbout& w) { vetra::ui::Click(w, {100, -caption / 2}, 1); }, {"up", "return"}, true, {kAboutCommand}},
      {"right click on the top band", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 5}, 1); }, {"up", "return"},
       true, {kAboutCommand}},
      {"esc closes it", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 5}, 1); }, {"escape"}, true, {}},
      {"down to the first enabled item", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 5}, 1); },
       {"down", "return"}, true, {SC_MOVE}},
      // Restore, Size and Maximize are greyed on a window of a fixed size.
      {"the arrows pass over greyed entries", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 5}, 1); },
       {"down", "down", "return"}, true, {SC_MINIMIZE}},
      {"a greyed entry's letter chooses nothing", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 5}, 1); },
       {"x", "escape"}, true, {}},
      {"a right click lower in the window", kBorderless, [](WithAbout& w) { vetra::ui::Click(w, {100, 150}, 1); }, {}, false,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vetra::ui::ResetForTests();
    WithAbout window;
    ASSERT_TRUE(window.Make(c.style));
    vetra::ui::Pump();
    bool opened = false;
    vetra::ui::WhenIdle([&] {
      opened = OpenMenu() != nullptr;
      for (const std::string& key : c.keys) Key(key);
    });
    c.open(window);
    vetra::ui::Pump();
    EXPECT_EQ(opened, c.opens);
    EXPECT_EQ(OpenMenu(), nullptr);
    EXPECT_EQ(window.commands, c.commands);
    vetra::ui::ClearIdleActions();
  }
}

// Like any pop-up menu, the system menu takes a queued answer and is recorded; a greyed entry
// cannot be the answer.
TEST_F(SystemMenu, TakesAQueuedAnswer)
{
  WithAbout window;
  ASSERT_TRUE(window.Make(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
  vetra::ui::Pump();
  vetra::ui::QueuePopupMenuAnswer(SC_MINIMIZE);
  vetra::ui::QueuePopupMenuAnswer(SC_MAXIMIZE);
  vetra::ui::PressKeys("alt+space");
  vetra::ui::Pump();
  vetra::ui::PressKeys("alt+space");
  vetra::ui::Pump();
  EXPECT_EQ(window.commands, std::vector<UINT>{SC_MINIMIZE});
  const auto& log = vetra::ui::PopupMenuLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].answer, UINT{SC_MINIMIZE});
  EXPECT_EQ(log[1].answer, 0u);
  EXPECT_EQ(log[1].items.back().id, kAboutCommand);
}

// The mouse chooses an item; a click outside the menu closes it and chooses nothing.
TEST_F(SystemMenu, TheMouseChoosesAnItemAndAClickOutsideClosesIt)
{
  WithAbout window;
  ASSERT_TRUE(window.Make(WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
  vetra::ui::Pump();
  auto clickInMenu = [](int fromBottom) {
    const HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    const CRect r = detail::WindowSystem::Get().ScreenRect(menu);
    ClickAt({r.left + r.Width() / 2, r.bottom - fromBottom});
  };
  vetra::ui::WhenIdle([&] { clickInMenu(8); });  // the last item: the program's own
  vetra::ui::Click(window, {100, 5}, 1);
  vetra::ui::Pump();
  EXPECT_EQ(window.commands, std::vector<UINT>{kAboutCommand});

  window.commands.clear();
  vetra::ui::WhenIdle([&] { ClickAt({200 + 100, 150 + 200}); });
  vetra::ui::Click(window, {100, 5}, 1);
  vetra::ui::Pump();
  EXPECT_EQ(OpenMenu(), nullptr);
  EXPECT_TRUE(window.commands.empty());
}

}  // namespace
