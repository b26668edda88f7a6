// Keys pressed on the real keyboard (X key events through the SDL back end) reach the focused
// window as key messages: keypad keys with and without Num Lock, punctuation keys.
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

// A top-level window that notes its key-down and character messages.
class KeyWindow : public win::CWnd {
public:
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (message == win::WM_KEYDOWN && wParam != win::VK_NUMLOCK) log.push_back(Format("down %02X", static_cast<unsigned>(wParam)));
    if (message == win::WM_CHAR) log.push_back(Format("char %c", static_cast<char>(wParam)));
    return win::CWnd::WindowProc(message, wParam, lParam);
  }
  std::vector<std::string> log;
};

using KeysOnScreen = ScreenFixture;

TEST_F(KeysOnScreen, KeypadAndPunctuationKeysGiveTheirKeyMessages)
{
  KeyWindow window;
  ASSERT_TRUE(window.CreateEx(0, "KeyWindow", "keys", win::WS_POPUP | win::WS_VISIBLE, win::CRect(100, 100, 300, 200), nullptr, 0));
  window.SetActiveWindow();
  window.SetFocus();
  ASSERT_FALSE(XWindowOf(window).empty());
  // Keyboard input goes to the window under the pointer when no window manager gives focus.
  ASSERT_TRUE(vetra::testing::Xdotool({"mousemove", "--sync", "200", "150"}));
  // The keyboard is ours once a first key arrives.
  ASSERT_TRUE(RunUntil([&] {
    vetra::testing::Xdotool({"key", "Shift_L"});
    return RunUntil([&] { return !window.log.empty(); }, std::chrono::milliseconds(500));
  }));

  struct Case {
    std::vector<std::string> keys;  // xdotool key names, pressed in turn
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"KP_Left"}, {"down 25"}},
      {{"KP_Home"}, {"down 24"}},
      {{"KP_Add"}, {"down 6B", "char +"}},
      {{"semicolon"}, {"down BA", "char ;"}},
      {{"comma"}, {"down BC", "char ,"}},
      {{"period"}, {"down BE", "char ."}},
      {{"slash"}, {"down BF", "char /"}},
      {{"minus"}, {"down BD", "char -"}},
      {{"bracketleft"}, {"down DB", "char ["}},
      {{"apostrophe"}, {"down DE", "char '"}},
      // xdotool turns Num Lock on for a keypad digit (the Num Lock key itself is left out of the
      // log); last, as it leaves the lock state of the display and of SDL apart.
      {{"KP_4"}, {"down 64", "char 4"}},
  };
  for (const Case& c : cases) {
    window.log.clear();
    std::vector<std::string> arguments{"key", "--clearmodifiers"};
    arguments.insert(arguments.end(), c.keys.begin(), c.keys.end());
    ASSERT_TRUE(vetra::testing::Xdotool(arguments));
    RunUntil([&] { return window.log.size() >= c.expected.size(); }, std::chrono::seconds(5));
    EXPECT_EQ(window.log, c.expected) << c.keys.back();
  }
  window.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
