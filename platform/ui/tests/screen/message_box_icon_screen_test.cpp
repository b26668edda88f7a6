// Message boxes on the desktop show the icon their style asks for beside the text; the icon
// never takes the keyboard from the buttons.
#include <algorithm>
#include <chrono>

#include "platform/base/testing/x_screen.h"
#include "platform/base/text.h"
#include "platform/ui/message_box_icon.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/tests/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using namespace win;
using detail::WindowSystem;

using MessageBoxOnScreen = ScreenFixture;

std::uint32_t Rgb(COLORREF colour)
{
  return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (static_cast<std::uint32_t>(GetGValue(colour)) << 8) |
         GetBValue(colour);
}

HWND ChildOfClass(HWND parent, const std::string& className)
{
  for (HWND child : WindowSystem::Get().State(parent)->children) {
    if (WindowSystem::Get().State(child)->className == className) return child;
  }
  return nullptr;
}

TEST_F(MessageBoxOnScreen, DrawsTheIconItsStyleAsksForBesideTheText)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(60, 60, 560, 460)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  const struct {
    UINT style;
    std::optional<MessageBoxIcon> icon;
  } cases[] = {{MB_ICONSTOP, MessageBoxIcon::Stop},
               {MB_YESNO | MB_ICONQUESTION, MessageBoxIcon::Question},
               {MB_ICONEXCLAMATION, MessageBoxIcon::Exclamation},
               {MB_ICONINFORMATION, MessageBoxIcon::Information},
               {MB_OK, std::nullopt}};
  const std::string caption = Cp949("아이콘");
  const MessageBoxIcon all[] = {MessageBoxIcon::Stop, MessageBoxIcon::Question, MessageBoxIcon::Exclamation,
                                MessageBoxIcon::Information};
  for (const auto& c : cases) {
    bool iconShown = false;
    std::vector<int> counts;  // pixels of each icon's colour inside the icon
    CRect iconRect, textRect;
    RunSteps({[&] {
      const HWND box = TopLevelCalled(caption);
      if (!box) return false;
      const HWND icon = ChildOfClass(box, "MessageBoxIcon");
      iconShown = icon != nullptr;
      if (const HWND text = ChildOfClass(box, "STATIC")) textRect = ScreenRectOf(text);
      if (icon) {
        iconRect = ScreenRectOf(icon);
        const auto pixels = vetra::testing::XScreenPixels(iconRect.left, iconRect.top, iconRect.Width(), iconRect.Height());
        if (!pixels) return false;
        counts.clear();
        for (MessageBoxIcon kind : all) {
          counts.push_back(static_cast<int>(std::count(pixels->begin(), pixels->end(), Rgb(MessageBoxIconColour(kind)))));
        }
        if (*std::max_element(counts.begin(), counts.end()) == 0) return false;  // not on screen yet
      }
      for (HWND child : WindowSystem::Get().State(box)->children) {
        if (WindowSystem::Get().State(child)->className == "BUTTON") return XClickWindow(child);
      }
      return false;
    }});
    MessageBox(owner.m_hWnd, "DNOK 12664Temp.Osc", caption.c_str(), c.style);
    PumpFor(100ms);
    EXPECT_EQ(iconShown, c.icon.has_value()) << c.style;
    if (!c.icon || counts.size() != 4) continue;
    for (std::size_t k = 0; k < 4; ++k) {
      if (all[k] == *c.icon) EXPECT_GT(counts[k], 300) << c.style;  // the sign fills most of its square
      else EXPECT_EQ(counts[k], 0) << c.style;
    }
    EXPECT_GE(textRect.left, iconRect.right) << c.style;  // the text stands right of the icon
  }
}

// The arrows and Tab from the real keyboard move between the buttons only: the focus and the
// default frame stay on a button, and Space answers with it.
TEST_F(MessageBoxOnScreen, ArrowsAndTabLeaveTheKeyboardOnAButtonBesideTheIcon)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(60, 60, 560, 460)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  const struct {
    const char* what;
    UINT style;
    std::vector<std::string> keys;
    int focus;  // after the keys
  } cases[] = {{"a file dialog's missing file", MB_OK | MB_ICONWARNING, {"Tab", "Right"}, IDOK},
               {"a question", MB_YESNO | MB_ICONQUESTION, {"Right", "Right"}, IDYES},
               {"a file dialog's replace", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, {"Right"}, IDYES}};
  const std::string caption = "Missing file";
  const std::uint32_t frame = Rgb(GetSysColor(COLOR_WINDOWFRAME));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND box = nullptr;
    int focus = 0;
    bool framed = false;
    auto since = std::chrono::steady_clock::now();
    const auto waited = [&](std::chrono::milliseconds time) { return std::chrono::steady_clock::now() - since > time; };
    std::vector<std::function<bool()>> steps;
    steps.push_back([&] {
      box = TopLevelCalled(caption);
      const HWND text = box ? ChildOfClass(box, "STATIC") : nullptr;
      if (!text || !vetra::testing::WaitForXWindow(caption.c_str(), 0ms)) return false;
      // Keys go to the window under the pointer; a click on the text takes the keyboard nowhere.
      // The pointer leaves first: a synchronous move to where it already is would wait in vain.
      return XMoveTo(1, 1) && XClickWindow(text);
    });
    for (const std::string& key : c.keys) {
      steps.push_back([&, key] {
        since = std::chrono::steady_clock::now();
        return XKey(key);
      });
      steps.push_back([&] { return waited(500ms); });  // the key has been handled
    }
    steps.push_back([&] {
      CWnd* holder = CWnd::GetFocus();
      focus = holder ? holder->GetDlgCtrlID() : 0;
      const HWND button = ItemOf(box, c.focus);
      if (!button) return true;
      const CRect b = ScreenRectOf(button);
      framed = vetra::testing::XScreenPixel(b.left, b.top + b.Height() / 2) == frame;
      since = std::chrono::steady_clock::now();
      return XKey("space");
    });
    steps.push_back([&] {
      // Space that presses nothing leaves the box open: it is ended so the case fails at once.
      if (!TopLevelCalled(caption)) return true;
      if (!waited(3s)) return false;
      if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(box))) dialog->EndDialog(kStepsTimedOut);
      return true;
    });
    RunSteps(std::move(steps));
    const int answer = MessageBox(owner.m_hWnd, Cp949("파일을 찾을 수 없습니다.").c_str(), caption.c_str(), c.style);
    EXPECT_TRUE(PumpUntil(&StepsDone, 10s));
    EXPECT_EQ(focus, c.focus);
    EXPECT_TRUE(framed);
    EXPECT_EQ(answer, c.focus);
  }
}

}  // namespace
}  // namespace vetra::ui::testing
