// Typing through the desktop's input method (IBus with the Korean engine, started in Latin mode
// as a desktop has it): a window that asks for Hangul input gets Hangul at once, the user's
// Han/Eng switch still works and is read back, a composition the keyboard leaves ends in its
// own window, and a daemon that stops answering (or answers late) holds nothing up.
#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/base/text.h"
#include "platform/ui/edit.h"
#include "platform/ui/ime.h"
#include "platform/ui/styles.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

class Panel : public win::CWnd {
public:
  bool Make()
  {
    return CreateEx(0, "Panel", "hangul", win::WS_POPUP | win::WS_VISIBLE, win::CRect(100, 100, 500, 260), nullptr, 0) != 0;
  }
};

// The daemon of the test's desktop, stopped or ended by a test.
class Daemon {
public:
  Daemon() : m_pid(std::getenv("VETRA_TEST_IBUS_PID") ? std::getenv("VETRA_TEST_IBUS_PID") : "") {}
  ~Daemon() { Signal("CONT"); }
  bool Known() const { return !m_pid.empty(); }
  bool Signal(const std::string& name) const
  {
    return Known() && std::system(("kill -" + name + " " + m_pid + " 2>/dev/null").c_str()) == 0;
  }

private:
  std::string m_pid;
};

class HangulInputOnScreen : public ScreenFixture {
protected:
  void SetUp() override
  {
    ScreenFixture::SetUp();
    ASSERT_TRUE(panel.Make());
    ASSERT_TRUE(first.Create(win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER, win::CRect(10, 10, 390, 40), &panel, 1));
    ASSERT_TRUE(second.Create(win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER, win::CRect(10, 60, 390, 90), &panel, 2));
    panel.SetActiveWindow();
    ASSERT_FALSE(XWindowOf(panel).empty());
    // Keyboard input goes to the window under the pointer when no window manager gives focus.
    ASSERT_TRUE(vetra::testing::Xdotool({"mousemove", "--sync", "300", "230"}));
  }
  void TearDown() override
  {
    panel.DestroyWindow();
    ScreenFixture::TearDown();
  }

  static void SetNative(win::CWnd& edit, bool native)
  {
    const win::HIMC context = win::ImmGetContext(edit.GetSafeHwnd());
    win::ImmSetConversionStatus(context, native ? win::IME_CMODE_NATIVE : win::IME_CMODE_ALPHANUMERIC,
                                win::IME_SMODE_CONVERSATION);
    win::ImmReleaseContext(edit.GetSafeHwnd(), context);
  }

  static bool Native(win::CWnd& edit)
  {
    win::DWORD conversion = 0, sentence = 0;
    win::ImmGetConversionStatus(win::ImmGetContext(edit.GetSafeHwnd()), &conversion, &sentence);
    return (conversion & win::IME_CMODE_NATIVE) != 0;
  }

  // The box gets the keyboard and Hangul input, and the keys typed stand composed in it.
  bool ComposeInHangul(win::CEdit& edit, const std::string& keys, const std::string& utf8)
  {
    edit.SetFocus();
    SetNative(edit, true);
    return vetra::testing::Xdotool({"type", "--delay", "30", keys}) && Composing(utf8);
  }

  static bool Composing(const std::string& utf8)
  {
    return RunUntil([&] { return win::detail::WindowSystem::Get().composition == Cp949(utf8); }, std::chrono::seconds(5));
  }

  bool Type(const std::string& keys, win::CEdit& edit, const std::string& utf8)
  {
    if (!vetra::testing::Xdotool({"type", "--delay", "30", keys})) return false;
    return RunUntil([&] { return edit.GetWindowText() == Cp949(utf8); }, std::chrono::seconds(5));
  }

  Panel panel;
  win::CEdit first;
  win::CEdit second;
};

TEST_F(HangulInputOnScreen, ABoxSetToHangulTypesHangulAtOnceAndTheUsersSwitchGoesBack)
{
  first.SetFocus();
  SetNative(first, true);
  ASSERT_TRUE(Type("rks1", first, "간1")) << Utf8(first.GetWindowText());
  EXPECT_TRUE(Native(first));
  // The user's Han/Eng switch of the Korean engine.
  ASSERT_TRUE(vetra::testing::Xdotool({"key", "shift+space"}));
  ASSERT_TRUE(RunUntil([&] { return !Native(first); }, std::chrono::seconds(5))) << "the switch was not read back";
  ASSERT_TRUE(Type("rks", first, "간1rks")) << Utf8(first.GetWindowText());
}

TEST_F(HangulInputOnScreen, ABoxThatAsksNothingKeepsTheInputMethodAsItIs)
{
  second.SetFocus();
  ASSERT_TRUE(Type("rks1", second, "rks1")) << Utf8(second.GetWindowText());
  // Coming to a box set to Hangul switches; leaving it for one that asks nothing does not.
  SetNative(first, true);
  first.SetFocus();
  ASSERT_TRUE(Type("dkf1", first, "알1")) << Utf8(first.GetWindowText());
  second.SetFocus();
  ASSERT_TRUE(Type("gks1", second, "rks1한1")) << Utf8(second.GetWindowText());
  // A box set back to Latin gets Latin.
  SetNative(second, false);
  ASSERT_TRUE(Type("rk", second, "rks1한1rk")) << Utf8(second.GetWindowText());
}

TEST_F(HangulInputOnScreen, ACompositionTheKeyboardLeavesEndsInItsOwnBox)
{
  ASSERT_TRUE(ComposeInHangul(first, "rk", "가"));
  EXPECT_EQ(first.GetWindowText(), "");
  second.SetFocus();
  ASSERT_TRUE(RunUntil([&] { return first.GetWindowText() == Cp949("가"); }, std::chrono::seconds(5)))
      << Utf8(first.GetWindowText());
  // The keyboard is still in Hangul mode there: the next syllable starts afresh.
  ASSERT_TRUE(Type("dkf1", second, "알1")) << Utf8(second.GetWindowText());
  EXPECT_EQ(first.GetWindowText(), Cp949("가"));
}

TEST_F(HangulInputOnScreen, AClickWhileComposingEndsTheCompositionWhereItWasMade)
{
  first.SetWindowText("ab");
  first.SetSel(2, 2);
  ASSERT_TRUE(ComposeInHangul(first, "rks", "간"));
  // A click at the start of the same box: the syllable stays at the end, the caret goes to the start.
  win::CRect box;
  first.GetWindowRect(&box);
  ASSERT_TRUE(vetra::testing::Xdotool({"mousemove", "--sync", std::to_string(box.left + 2), std::to_string(box.top + 10),
                                       "click", "1"}));
  ASSERT_TRUE(Type("dkf1", first, "알1ab간")) << Utf8(first.GetWindowText());
}

TEST_F(HangulInputOnScreen, ACompositionEndsWithTheBoxItWasMadeIn)
{
  ASSERT_TRUE(ComposeInHangul(first, "rk", "가"));
  // The box goes (its dialog closed) with the keyboard in it: what it composed goes with it.
  first.DestroyWindow();
  second.SetFocus();
  ASSERT_TRUE(Type("dkf1", second, "알1")) << Utf8(second.GetWindowText());
}

// A window that draws no composition (no edit box) and notes the characters it gets.
class CharWindow : public win::CWnd {
public:
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (message == win::WM_CHAR) typed.push_back(static_cast<char>(wParam));
    return win::CWnd::WindowProc(message, wParam, lParam);
  }
  std::string typed;
};

TEST_F(HangulInputOnScreen, AWindowThatDrawsNoCompositionLeavesItToTheDesktopAndGetsTheText)
{
  CharWindow list;
  ASSERT_TRUE(list.Create(nullptr, "", win::WS_CHILD | win::WS_VISIBLE, win::CRect(10, 100, 390, 150), &panel, 3));
  list.SetFocus();
  SetNative(list, true);
  ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", "rk"}));
  RunUntil([] { return false; }, std::chrono::milliseconds(500));
  EXPECT_EQ(win::detail::WindowSystem::Get().composition, "");
  ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", "1"}));
  EXPECT_TRUE(RunUntil([&] { return list.typed == Cp949("가") + "1"; }, std::chrono::seconds(5))) << Utf8(list.typed);
  // A syllable left open there ends there as the keyboard goes to an edit box, which draws the
  // composition again.
  ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", "gk"}));
  RunUntil([] { return false; }, std::chrono::milliseconds(300));
  first.SetFocus();
  EXPECT_TRUE(RunUntil([&] { return list.typed == Cp949("가") + "1" + Cp949("하"); }, std::chrono::seconds(5)))
      << Utf8(list.typed);
  ASSERT_TRUE(vetra::testing::Xdotool({"type", "--delay", "30", "rk"}));
  EXPECT_TRUE(Composing("가"));
  EXPECT_EQ(first.GetWindowText(), "");
}

TEST_F(HangulInputOnScreen, TypingGoesOnWhenTheDaemonStopsAnswering)
{
  Daemon daemon;
  ASSERT_TRUE(daemon.Known()) << "run under scripts/on-screen --ibus-hangul";
  ASSERT_TRUE(ComposeInHangul(first, "rks1rk", "가"));
  EXPECT_EQ(first.GetWindowText(), Cp949("간1"));
  // Stopped, the daemon holds the first key a moment; the keys are then the program's own, in
  // order and none lost, and the syllable on the screen stays typed.
  ASSERT_TRUE(daemon.Signal("STOP"));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Type("abc", first, "간1가abc")) << Utf8(first.GetWindowText());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  // Answering again, the daemon is taken up again, with the mode the box asked for; what it
  // still had to say about the keys it held reaches nobody.
  ASSERT_TRUE(daemon.Signal("CONT"));
  RunUntil([] { return false; }, std::chrono::milliseconds(4000));
  ASSERT_TRUE(Type("dkf1", first, "간1가abc알1")) << Utf8(first.GetWindowText());
  RunUntil([] { return false; }, std::chrono::milliseconds(500));
  EXPECT_EQ(first.GetWindowText(), Cp949("간1가abc알1"));
  EXPECT_EQ(win::detail::WindowSystem::Get().composition, "");
}

TEST_F(HangulInputOnScreen, TypingGoesOnWhenTheDaemonEnds)
{
  Daemon daemon;
  ASSERT_TRUE(daemon.Known()) << "run under scripts/on-screen --ibus-hangul";
  ASSERT_TRUE(ComposeInHangul(first, "rk", "가"));
  ASSERT_TRUE(daemon.Signal("TERM"));
  // The syllable on the screen stays typed; what is typed next arrives as typed.
  ASSERT_TRUE(Type("abc", first, "가abc")) << Utf8(first.GetWindowText());
  EXPECT_EQ(win::detail::WindowSystem::Get().composition, "");
  // The desktop starts its daemon again: the box asked for Hangul, and gets it again.
  ASSERT_EQ(std::system("ibus-daemon --daemonize --panel=disable --emoji-extension=disable --config=/usr/libexec/ibus-memconf "
                        "--cache=none >/dev/null 2>&1"),
            0);
  ASSERT_EQ(std::system("for i in $(seq 100); do ibus engine hangul >/dev/null 2>&1 && exit 0; sleep 0.1; done; exit 1"), 0);
  RunUntil([] { return false; }, std::chrono::milliseconds(1500));
  ASSERT_TRUE(Type("rks1", first, "가abc간1")) << Utf8(first.GetWindowText());
}

// The daemon frozen (it accepts connections and never answers) as the program starts.
class HangulInputAfterASilentStart : public HangulInputOnScreen {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(daemon.Known()) << "run under scripts/on-screen --ibus-hangul";
    ASSERT_TRUE(daemon.Signal("STOP"));
    const auto start = std::chrono::steady_clock::now();
    HangulInputOnScreen::SetUp();
    startTook = std::chrono::steady_clock::now() - start;
  }

  Daemon daemon;
  std::chrono::steady_clock::duration startTook{};
};

TEST_F(HangulInputAfterASilentStart, TheWindowsShowTheKeysTypeLatinAndTheDaemonIsTakenUpOnceItAnswers)
{
  // The client waits a second for the daemon; the rest is room for a slow machine. Without the
  // limit the start was held for ever.
  EXPECT_LT(startTook, std::chrono::seconds(4));
  first.SetFocus();
  SetNative(first, true);
  ASSERT_TRUE(Type("rks1", first, "rks1")) << Utf8(first.GetWindowText());
  // Answering, the daemon takes the program on, with the mode the box asked for.
  ASSERT_TRUE(daemon.Signal("CONT"));
  RunUntil([] { return false; }, std::chrono::milliseconds(3000));
  ASSERT_TRUE(Type("rks1", first, "rks1간1")) << Utf8(first.GetWindowText());
  EXPECT_TRUE(Native(first));
}

}  // namespace
}  // namespace vetra::ui::testing
