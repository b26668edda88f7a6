// What the window manager is told about our windows holds once they show their pictures: the
// native window it was told about is the one that shows them.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/base/testing/x_window_manager.h"
#include "platform/ui/idle.h"
#include "platform/ui/menu.h"
#include "platform/ui/tests/screen_fixture.h"
#include "platform/ui/tests/system_commands.h"
#include "platform/ui/window_system.h"

namespace vetra::ui::testing {
namespace {

using namespace win;

using WindowManagerHints = ScreenFixture;

// A property of an X window, as xprop prints it.
std::string XProperty(const std::string& xWindow, const std::string& name)
{
  const std::string command = "xprop -id " + xWindow + " " + name + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

// The window manager learns whose an owned window is, so it keeps it above its owner, also after
// both have shown their first pictures.
TEST_F(WindowManagerHints, AnOwnedWindowIsTheOwnersTransient)
{
  CountingWindow owner, owned;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(100, 100, 500, 400)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  ASSERT_TRUE(owned.CreateTop("Owned", CRect(150, 150, 350, 300),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, &owner));
  std::optional<std::string> ownerId, ownedId;
  ASSERT_TRUE(PumpUntil([&] {
    if (!ownerId) ownerId = vetra::testing::WaitForXWindow("Owner", 0ms);
    if (!ownedId) ownedId = vetra::testing::WaitForXWindow("Owned", 0ms);
    return ownerId && ownedId && owned.paints > 0;
  }, 30s));
  char hex[32];
  std::snprintf(hex, sizeof hex, "0x%lx", std::stoul(*ownerId));
  const std::string expected = std::string("window id # ") + hex;
  std::string transientFor;
  EXPECT_TRUE(PumpUntil([&] {
    transientFor = XProperty(*ownedId, "WM_TRANSIENT_FOR");
    return transientFor.find(expected) != std::string::npos;
  }, 5s)) << transientFor << " (owner " << hex << ")";
  owned.DestroyWindow();
  owner.DestroyWindow();
}

// The functions of a window's _MOTIF_WM_HINTS (its second number), or -1 when it has none.
long MotifFunctions(const std::string& xWindow)
{
  const std::string text = XProperty(xWindow, "_MOTIF_WM_HINTS");
  const auto equals = text.find(" = ");
  if (equals == std::string::npos) return -1;
  std::istringstream numbers(text.substr(equals + 3));
  std::string flags, functions;
  if (!std::getline(numbers, flags, ',') || !std::getline(numbers, functions, ',')) return -1;
  return std::stol(functions, nullptr, 0);
}

// The frame offers what the window's style gives (close with a system menu, minimise and
// maximise with their boxes besides), and what a window manager does anyway (openbox keeps every
// close and minimise button whatever it is told) is undone where the style does not give it.
TEST_F(WindowManagerHints, TheFrameOffersWhatTheStyleGivesAndNothingElseWorks)
{
  constexpr long kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;
  struct Case {
    const char* title;
    DWORD style;
    long functions;
  };
  const Case cases[] = {
      {"Caption only", WS_POPUP | WS_CAPTION | WS_VISIBLE, kMove},
      {"Minimize box", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, kMove | kMinimize | kClose},
      {"Both boxes", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE,
       kMove | kMinimize | kMaximize | kClose},
      {"A dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, kMove | kClose},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    CountingWindow window;
    ASSERT_TRUE(window.CreateTop(c.title, CRect(100, 100, 400, 300), c.style));
    const std::optional<std::string> xId = vetra::testing::WaitForXWindow(c.title, 20s, vetra::testing::XWindowsOf::ThisProcess);
    ASSERT_TRUE(xId);
    ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
    long functions = -1;
    EXPECT_TRUE(PumpUntil([&] { return (functions = MotifFunctions(*xId)) == c.functions; }, 5s)) << functions;
    // A window of a fixed size is never maximized.
    EXPECT_EQ(XProperty(*xId, "_NET_WM_ALLOWED_ACTIONS").find("MAXIMIZE"), std::string::npos);

    ASSERT_TRUE(vetra::testing::XPressCloseBox(*xId));
    ASSERT_TRUE(vetra::testing::Xdotool({"windowminimize", *xId}));
    PumpFor(1s);
    EXPECT_EQ(window.closes, (c.functions & kClose) ? 1 : 0);
    EXPECT_EQ(vetra::testing::XIsMinimized(*xId), (c.functions & kMinimize) != 0);
    window.DestroyWindow();
  }
}

// A window that draws its own face (no caption) and adds an entry to its system menu, as the
// chooser does: under a window manager, which takes Alt+Space for its own menu, a right click on
// its top band opens ours, and the entry reaches the program.
using WithAbout = NotingSystemCommands<CountingWindow>;

TEST_F(WindowManagerHints, ARightClickOnTheTopBandOpensTheSystemMenuWithTheProgramsEntry)
{
  WithAbout window;
  ASSERT_TRUE(window.CreateTop("Own face", CRect(200, 150, 600, 450), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
  ASSERT_TRUE(AddAboutEntry(window));
  ASSERT_TRUE(vetra::testing::WaitForXWindow("Own face", 20s, vetra::testing::XWindowsOf::ThisProcess));
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
  bool menuShown = false;
  // While the menu runs: once it shows, a click on its last item (the program's own).
  std::function<void()> clickLastItem = [&] {
    const HWND menu = FindWindowA("#32768", nullptr);
    if (!menu) {
      vetra::ui::WhenIdle(clickLastItem);
      return;
    }
    menuShown = true;
    std::this_thread::sleep_for(300ms);  // on the screen
    const CRect r = detail::WindowSystem::Get().ScreenRect(menu);
    vetra::testing::XClickAt(r.left + r.Width() / 2, r.bottom - 10);
  };
  vetra::ui::WhenIdle(clickLastItem);
  ASSERT_TRUE(vetra::testing::XClickAt(300, 155, 3));
  EXPECT_TRUE(PumpUntil([&] { return !window.commands.empty(); }, 20s));
  EXPECT_TRUE(menuShown);
  EXPECT_EQ(window.commands, std::vector<UINT>{kAboutCommand});
  vetra::ui::ClearIdleActions();
  window.DestroyWindow();
}

// A window its program minimizes (its system menu's minimise, its own button) goes to the
// desktop's task list, not out of sight for good, and the user brings it back from there.
TEST_F(WindowManagerHints, AWindowMinimizedByItsProgramCanBeBroughtBack)
{
  CountingWindow window;
  ASSERT_TRUE(window.CreateTop("Put away", CRect(200, 150, 600, 450),
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
  const std::optional<std::string> xId = vetra::testing::WaitForXWindow("Put away", 20s, vetra::testing::XWindowsOf::ThisProcess);
  ASSERT_TRUE(xId);
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
  window.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_TRUE(PumpUntil([&] { return vetra::testing::XIsMinimized(*xId); }, 10s));
  EXPECT_TRUE(window.IsIconic());
  ASSERT_TRUE(vetra::testing::Xdotool({"windowactivate", *xId}));
  EXPECT_TRUE(PumpUntil([&] { return !window.IsIconic(); }, 10s));
  EXPECT_FALSE(vetra::testing::XIsMinimized(*xId));
  window.DestroyWindow();
}

// Move in the system menu hands the window to the window manager to be moved with the keys; where
// the user leaves it, the window system has it.
TEST_F(WindowManagerHints, MoveInTheSystemMenuLetsTheUserMoveTheWindowWithTheKeys)
{
  CountingWindow window;
  ASSERT_TRUE(window.CreateTop("Moved by keys", CRect(200, 150, 500, 350), WS_POPUP | WS_SYSMENU | WS_VISIBLE));
  const std::optional<std::string> xId = vetra::testing::WaitForXWindow("Moved by keys", 20s, vetra::testing::XWindowsOf::ThisProcess);
  ASSERT_TRUE(xId);
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
  const auto before = vetra::testing::XWindowOrigin(*xId);
  ASSERT_TRUE(before);
  window.SendMessage(WM_SYSCOMMAND, SC_MOVE);
  PumpFor(300ms);
  ASSERT_TRUE(vetra::testing::Xdotool({"key", "--delay", "50", "Right", "Right", "Right", "Down", "Down", "Return"}));
  std::optional<vetra::testing::XPoint> after;
  EXPECT_TRUE(PumpUntil([&] {
    after = vetra::testing::XWindowOrigin(*xId);
    CRect placed;
    window.GetWindowRect(&placed);
    return after && after->x > before->x && after->y > before->y && placed.left == after->x && placed.top == after->y;
  }, 10s)) << (after ? std::to_string(after->x) + "," + std::to_string(after->y) : "-");
  window.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
