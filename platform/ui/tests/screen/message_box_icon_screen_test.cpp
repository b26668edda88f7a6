// Message boxes on the desktop show the icon their style asks for beside the text.
#include <algorithm>

#include "platform/base/testing/x_screen.h"
#include "platform/base/text.h"
#include "platform/ui/message_box_icon.h"
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

}  // namespace
}  // namespace vetra::ui::testing
