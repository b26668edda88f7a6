// What the desktop shows and takes from the system's windows: round radio buttons, the Korean
// syllable being composed in an edit box, and pictures put on the clipboard pasted by other
// programs.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/testing/x_screen.h"
#include "platform/base/text.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/button.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/edit.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/tests/screen/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using vetra::testing::XScreenPixel;
using vetra::testing::XScreenPixels;

std::uint32_t Rgb(win::COLORREF colour)
{
  return (static_cast<std::uint32_t>(win::GetRValue(colour)) << 16) |
         (static_cast<std::uint32_t>(win::GetGValue(colour)) << 8) | win::GetBValue(colour);
}

win::CPoint OnScreen(win::CWnd& wnd, win::CPoint client)
{
  wnd.ClientToScreen(&client);
  return client;
}

class Panel : public win::CWnd {
public:
  bool Make(const char* title)
  {
    return CreateEx(0, "Panel", title, win::WS_POPUP | win::WS_VISIBLE, win::CRect(100, 100, 400, 260), nullptr, 0) != 0;
  }
};

using DrawingOnScreen = ScreenFixture;

TEST_F(DrawingOnScreen, RadioButtonsAreRound)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("radio"));
  win::CButton checked, unchecked;
  ASSERT_TRUE(checked.Create("one", win::WS_CHILD | win::WS_VISIBLE | win::BS_AUTORADIOBUTTON, win::CRect(10, 10, 120, 30), &panel, 1));
  ASSERT_TRUE(unchecked.Create("two", win::WS_CHILD | win::WS_VISIBLE | win::BS_AUTORADIOBUTTON, win::CRect(10, 40, 120, 60), &panel, 2));
  checked.SetCheck(win::BST_CHECKED);
  // The 12-pixel mark stands at the left, centred in the button's height.
  const win::CPoint mark = OnScreen(checked, {0, (20 - 13) / 2});
  const win::CPoint other = OnScreen(unchecked, {0, (20 - 13) / 2});
  const std::uint32_t text = Rgb(win::GetSysColor(win::COLOR_WINDOWTEXT));
  const std::uint32_t face = Rgb(win::GetSysColor(win::COLOR_WINDOW));
  ASSERT_TRUE(RunUntil([&] {
    return XScreenPixel(mark.x + 6, mark.y + 6) == text && XScreenPixel(other.x + 6, other.y + 6) == face;
  })) << "the buttons are not shown";
  const std::uint32_t ground = XScreenPixel(mark.x + 150, mark.y + 6).value_or(0);
  for (const win::CPoint& at : {mark, other}) {
    // The corners of the mark's square show the ground; its edge runs round through the middle
    // of each side.
    EXPECT_EQ(XScreenPixel(at.x, at.y), ground);
    EXPECT_EQ(XScreenPixel(at.x + 11, at.y + 11), ground);
    EXPECT_EQ(XScreenPixel(at.x + 6, at.y), Rgb(win::GetSysColor(win::COLOR_BTNSHADOW)));
    EXPECT_EQ(XScreenPixel(at.x + 6, at.y + 11), Rgb(win::GetSysColor(win::COLOR_BTNHIGHLIGHT)));
  }
}

// A text event as the input method sends it through the display.
void PushInputMethodText(Uint32 type, const char* utf8)
{
  SDL_Event event{};
  event.type = type;
  if (type == SDL_TEXTEDITING) {
    std::strncpy(event.edit.text, utf8, sizeof event.edit.text - 1);
    event.edit.length = static_cast<Sint32>(std::strlen(utf8) > 0 ? 1 : 0);
  } else {
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
  }
  SDL_PushEvent(&event);
}

TEST_F(DrawingOnScreen, TheSyllableBeingComposedShowsAtTheCaretUntilItIsTyped)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("compose"));
  win::CEdit edit;
  ASSERT_TRUE(edit.Create(win::WS_CHILD | win::WS_VISIBLE | win::WS_BORDER, win::CRect(10, 10, 200, 40), &panel, 1));
  edit.SetWindowText("ab");
  edit.SetSel(2, 2);
  edit.SetFocus();
  ASSERT_FALSE(XWindowOf(panel).empty());
  const win::CPoint corner = OnScreen(edit, {0, 0});
  const std::uint32_t composing = Rgb(win::GetSysColor(win::COLOR_HIGHLIGHT));
  const auto composingPixels = [&] {
    const auto pixels = XScreenPixels(corner.x, corner.y, 186, 26);
    return pixels ? std::count(pixels->begin(), pixels->end(), composing) : 0;
  };

  PushInputMethodText(SDL_TEXTEDITING, "하");
  EXPECT_TRUE(RunUntil([&] { return composingPixels() > 20; })) << "the composed syllable is not shown";
  EXPECT_EQ(edit.GetWindowText(), "ab");  // shown, not yet typed

  PushInputMethodText(SDL_TEXTEDITING, "");
  PushInputMethodText(SDL_TEXTINPUT, "한");
  EXPECT_TRUE(RunUntil([&] { return edit.GetWindowText() == "ab" + Cp949("한") && composingPixels() == 0; }))
      << edit.GetWindowText();
}

TEST_F(DrawingOnScreen, APictureOnTheClipboardPastesInOtherPrograms)
{
  Panel panel;
  ASSERT_TRUE(panel.Make("clipboard"));
  win::CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr));
  win::CDC memory;
  win::CBitmap picture;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  ASSERT_TRUE(picture.CreateCompatibleBitmap(&screen, 40, 30));
  win::CBitmap* old = memory.SelectObject(&picture);
  memory.FillSolidRect(0, 0, 40, 30, win::RGB(200, 0, 0));
  memory.SelectObject(old);
  ASSERT_TRUE(win::OpenClipboard(panel.m_hWnd));
  win::EmptyClipboard();
  win::SetClipboardData(win::CF_BITMAP, static_cast<win::HBITMAP>(picture.Detach()));
  win::CloseClipboard();

  const auto pump = [] { RunUntil([] { return false; }, std::chrono::milliseconds(20)); };
  const auto targets = vetra::testing::XReadClipboard("TARGETS", pump);
  ASSERT_TRUE(targets);
  EXPECT_NE(targets->find("image/png"), std::string::npos) << *targets;
  EXPECT_NE(targets->find("image/bmp"), std::string::npos) << *targets;

  const auto be32 = [](const std::string& b, std::size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8) |
           static_cast<unsigned char>(b[at + 3]);
  };
  const auto png = vetra::testing::XReadClipboard("image/png", pump);
  ASSERT_TRUE(png && png->size() > 33);
  EXPECT_EQ(png->substr(1, 3), "PNG");
  EXPECT_EQ(be32(*png, 16), 40u);  // width and height in the header chunk
  EXPECT_EQ(be32(*png, 20), 30u);

  const auto bmp = vetra::testing::XReadClipboard("image/bmp", pump);
  ASSERT_TRUE(bmp && bmp->size() >= 54u + 40 * 30 * 4);
  EXPECT_EQ(bmp->substr(0, 2), "BM");
  // The first pixel of the bottom row, blue-green-red.
  EXPECT_EQ(static_cast<unsigned char>((*bmp)[54 + 2]), 200);
  EXPECT_EQ(static_cast<unsigned char>((*bmp)[54 + 0]), 0);
}

}  // namespace
}  // namespace vetra::ui::testing
