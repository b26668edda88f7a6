#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/gdi/display.h"
#include "platform/ui/bitmap_button.h"
#include "platform/ui/bitmap_resources.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/edit.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/static.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_system.h"
#include "platform/ui/tests/probe.h"
#include "platform/ui/tests/window_fixture.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

// Controls under a probe window that logs what they tell it.
class Controls : public vetra::ui::testing::WindowFixture {
protected:
  void SetUp() override { WindowFixture::SetUp(); ASSERT_TRUE(parent.CreateTop(CRect(50, 50, 450, 350))); }
  Probe parent{"parent", log};

  static void Wheel(CScrollBar& wnd, int delta)
  {
    POINT at{wnd.GetLayout().arrow + 2, 4};
    wnd.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, delta);
    vetra::ui::Pump();
  }
};

TEST_F(Controls, ScrollBarTellsItsParentTheCodesWithTheTrackPosition)
{
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(SBS_HORZ | WS_VISIBLE, CRect(0, 0, 200, 16), &parent, 371));
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = 100;
  info.nPage = 10;
  bar.SetScrollInfo(&info);
  // Arrows 16 wide, a track of 168, a thumb of 16 at the start; positions 0..91.
  const struct {
    const char* what;
    std::function<void()> act;
    MessageLog expected;
  } cases[] = {
      {"left arrow", [&] { vetra::ui::Click(bar, {5, 8}); }, {"parent scroll 0,0", "parent scroll 8,0"}},
      {"right arrow", [&] { vetra::ui::Click(bar, {195, 8}); }, {"parent scroll 1,0", "parent scroll 8,0"}},
      {"page right", [&] { vetra::ui::Click(bar, {120, 8}); }, {"parent scroll 3,0", "parent scroll 8,0"}},
      {"drag the thumb",
       [&] {
         vetra::ui::Press(bar, {24, 8});
         vetra::ui::MoveMouse(bar, {100, 30});  // off the bar: the capture keeps the drag
         SCROLLINFO track;
         track.fMask = SIF_TRACKPOS | SIF_POS;
         bar.GetScrollInfo(&track);
         EXPECT_EQ(track.nTrackPos, 46);
         EXPECT_EQ(track.nPos, 0);  // the parent sets the position, not the bar
         vetra::ui::Release(bar, {100, 30});
       },
       {"parent scroll 5,46", "parent scroll 4,46", "parent scroll 8,0"}},
      {"held arrow repeats",
       [&] {
         vetra::ui::Press(bar, {195, 8});
         vetra::ui::AdvanceClock(500);  // first repeat after 400 ms, then every 50 ms
         vetra::ui::Release(bar, {195, 8});
       },
       {"parent scroll 1,0", "parent scroll 1,0", "parent scroll 1,0", "parent scroll 1,0", "parent scroll 8,0"}},
      // The wheel over the bar moves it three lines a notch, right for a turn towards the user;
      // a disabled bar leaves the wheel to its parent.
      {"wheel towards the user", [&] { Wheel(bar, -WHEEL_DELTA); },
       {"parent scroll 1,0", "parent scroll 1,0", "parent scroll 1,0", "parent scroll 8,0"}},
      {"wheel away", [&] { Wheel(bar, 2 * WHEEL_DELTA); },
       {"parent scroll 0,0", "parent scroll 0,0", "parent scroll 0,0", "parent scroll 0,0", "parent scroll 0,0",
        "parent scroll 0,0", "parent scroll 8,0"}},
      {"half a notch", [&] { Wheel(bar, -WHEEL_DELTA / 2); }, {"parent scroll 1,0", "parent scroll 8,0"}},
      {"wheel on a disabled bar",
       [&] {
         bar.EnableWindow(FALSE);
         Wheel(bar, -WHEEL_DELTA);
         bar.EnableWindow(TRUE);
       },
       {}},
  };
  for (const auto& c : cases) {
    log.clear();
    c.act();
    std::erase_if(log, [](const std::string& e) { return e.find("scroll") == std::string::npos; });
    EXPECT_EQ(log, c.expected) << c.what;
  }
  EXPECT_EQ(bar.SetScrollPos(200), 0);
  EXPECT_EQ(bar.GetScrollPos(), 91);  // clamped to the last full page
}

TEST_F(Controls, DraggingTheThumbTracksFromWhereTheBarStands)
{
  // 200 positions on a vertical bar: arrows 16 high, a thumb of 16 and 168 pixels of travel.
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(SBS_VERT | WS_VISIBLE, CRect(0, 0, 16, 216), &parent, 372));
  bar.SetScrollRange(0, 199);
  const struct {
    int start;
    int drag;  // pixels along the bar
    int track;
  } cases[] = {
      {100, 1, 101}, {100, -1, 99}, {10, 1, 11}, {199, -1, 198}, {0, 42, 50},
      {150, 500, 199}, {150, -500, 0}, {100, 3, 104},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.start << " by " << c.drag);
    bar.SetScrollPos(c.start);
    const int thumb = bar.GetLayout().thumbStart + 8;
    log.clear();
    vetra::ui::Press(bar, {8, thumb});
    vetra::ui::MoveMouse(bar, {8, thumb + c.drag});
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS | SIF_POS;
    bar.GetScrollInfo(&info);
    EXPECT_EQ(info.nTrackPos, c.track);
    EXPECT_EQ(info.nPos, c.start);
    vetra::ui::MoveMouse(bar, {8, thumb});  // back where it began: back on the start
    bar.GetScrollInfo(&info);
    EXPECT_EQ(info.nTrackPos, c.start);
    vetra::ui::MoveMouse(bar, {8, thumb + c.drag});
    vetra::ui::Release(bar, {8, thumb + c.drag});
    std::erase_if(log, [](const std::string& e) { return e.find("scroll") == std::string::npos; });
    const std::string track = vetra::Format("parent scroll 5,%d", c.track);
    const std::string back = vetra::Format("parent scroll 5,%d", c.start);
    EXPECT_EQ(log, (MessageLog{track, back, track, vetra::Format("parent scroll 4,%d", c.track), "parent scroll 8,0"}));
  }
}

TEST_F(Controls, BitmapButtonClickReachesItsParentAsACommand)
{
  auto solid = [](COLORREF color) {
    return [color](CBitmap& bitmap) {
      CDC dc;
      dc.CreateCompatibleDC(nullptr);
      if (!bitmap.CreateCompatibleBitmap(&dc, 21, 21)) return FALSE;
      CBitmap* old = dc.SelectObject(&bitmap);
      dc.FillSolidRect(0, 0, 21, 21, color);
      dc.SelectObject(old);
      return TRUE;
    };
  };
  RegisterBitmapResource(205, solid(RGB(255, 0, 0)));
  RegisterBitmapResource(206, solid(RGB(0, 0, 255)));
  CBitmapButton zoom;
  ASSERT_TRUE(zoom.Create("Zoom", BS_OWNERDRAW | WS_VISIBLE, CRect(550, 0, 571, 21), &parent, 1484));
  ASSERT_TRUE(zoom.LoadBitmaps(205, 206));
  zoom.MoveWindow(10, 10, 21, 21);
  EXPECT_EQ(ScreenColor(zoom, {10, 10}), RGB(255, 0, 0));
  log.clear();
  vetra::ui::Press(zoom, {5, 5});
  EXPECT_EQ(ScreenColor(zoom, {10, 10}), RGB(0, 0, 255));  // pressed picture while held
  vetra::ui::Release(zoom, {5, 5});
  EXPECT_EQ(ScreenColor(zoom, {10, 10}), RGB(255, 0, 0));
  vetra::ui::Press(zoom, {5, 5});
  vetra::ui::Release(parent, {200, 200});  // released elsewhere: no click
  std::erase_if(log, [](const std::string& e) { return e.find("command") == std::string::npos; });
  EXPECT_EQ(log, (MessageLog{"parent command 1484,0"}));
}

TEST_F(Controls, KoreanTextTypedIntoAMultiLineEditIsReadBackLineByLine)
{
  CEdit edit;
  ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN,
                            CRect(5, 78, 404, 283), &parent, 1000));
  edit.SetFocus();
  vetra::ui::Type(vetra::Cp949("안녕하세요"));
  vetra::ui::PressKeys("return");
  vetra::ui::Type(vetra::Cp949("둘째 줄 abc"));
  vetra::ui::PressKeys("backspace");
  vetra::ui::PressKeys("return");
  vetra::ui::Type(vetra::Cp949("셋"));
  vetra::ui::PressKeys("backspace");  // a whole double-byte character goes
  vetra::ui::Type(vetra::Cp949("끝"));
  ASSERT_EQ(edit.GetLineCount(), 3);
  EXPECT_EQ(edit.GetLine(0), vetra::Cp949("안녕하세요"));
  EXPECT_EQ(edit.GetLine(1), vetra::Cp949("둘째 줄 ab"));
  EXPECT_EQ(edit.GetLine(2), vetra::Cp949("끝"));
  char buffer[6];
  EXPECT_EQ(edit.GetLine(1, buffer, 6), 6);  // cut at the buffer, as the framework does
  EXPECT_EQ(std::string(buffer, 6), vetra::Cp949("둘째 줄 ab").substr(0, 6));
  // Moving left steps over whole characters.
  vetra::ui::PressKeys("left");
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(start, edit.LineIndex(2));
  EXPECT_NE(std::count(log.begin(), log.end(), "parent command 1000,768"), 0);  // EN_CHANGE
}

TEST_F(Controls, MultiLineEditTextLongerThanTheBoxScrollsWithTheWheel)
{
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 200, 60), &parent, 1));
  std::string text;
  for (int i = 0; i < 12; ++i) text += vetra::Format("line %d\r\n", i);
  edit.SetWindowText(text.c_str());
  const int visible = VisibleEditLines(edit);
  ASSERT_GT(visible, 0);
  ASSERT_LT(visible, 10);
  const int last = edit.GetLineCount() - visible;  // the first line with the text's end in view
  const struct {
    int notchesTowardsTheUser;
    int first;
  } turns[] = {{1, 3}, {1, 6}, {-1, 3}, {10, last}, {-10, 0}};
  for (const auto& t : turns) {
    POINT at{20, 20};
    edit.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, -t.notchesTowardsTheUser * WHEEL_DELTA);
    vetra::ui::Pump();
    EXPECT_EQ(edit.GetFirstVisibleLine(), t.first) << t.notchesTowardsTheUser;
  }
}

TEST_F(Controls, MultiLineEditWrapsLongLinesToItsWidth)
{
  CEdit narrow, wide;
  ASSERT_TRUE(narrow.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 60, 100), &parent, 1));
  ASSERT_TRUE(wide.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL, CRect(0, 100, 60, 200), &parent, 2));
  const std::string text = vetra::Cp949("가나다라마바사아자차");
  for (CEdit* edit : {&narrow, &wide}) {
    edit->SetFocus();
    vetra::ui::Type(text);
  }
  EXPECT_GT(narrow.GetLineCount(), 1);
  std::string joined;
  for (int i = 0; i < narrow.GetLineCount(); ++i) joined += narrow.GetLine(i);
  EXPECT_EQ(joined, text);
  EXPECT_EQ(wide.GetLineCount(), 1);  // a box that scrolls sideways keeps its line whole
}

TEST_F(Controls, ReadOnlyAndSingleLineEditsRefuseWhatTheyCannotHold)
{
  CEdit single, readOnly;
  ASSERT_TRUE(single.Create(WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 20), &parent, 1));
  ASSERT_TRUE(readOnly.Create(WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 30, 100, 80), &parent, 2));
  single.SetFocus();
  vetra::ui::Type("ab\rc");
  EXPECT_EQ(single.GetWindowText(), "abc");
  EXPECT_EQ(single.GetLineCount(), 1);
  single.SetLimitText(4);
  vetra::ui::Type(vetra::Cp949("가"));  // two bytes would pass the limit
  EXPECT_EQ(single.GetWindowText(), "abc");
  readOnly.SetWindowText("fixed\r\ntext");
  readOnly.SetFocus();
  vetra::ui::Type("x");
  EXPECT_EQ(readOnly.GetWindowText(), "fixed\r\ntext");
  EXPECT_EQ(readOnly.GetLine(1), "text");
  // Dragging across the first line selects it.
  vetra::ui::Press(readOnly, {1, 3});
  vetra::ui::Release(readOnly, {95, 3});
  int start = -1, end = -1;
  readOnly.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 5);
}

TEST_F(Controls, CheckBoxesAndGroupBoxes)
{
  CButton check, group, push;
  ASSERT_TRUE(group.Create("Group", BS_GROUPBOX | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 10));
  ASSERT_TRUE(check.Create("Check", BS_AUTOCHECKBOX | WS_VISIBLE, CRect(10, 20, 100, 40), &parent, 11));
  ASSERT_TRUE(push.Create("Push", BS_PUSHBUTTON | WS_VISIBLE | WS_DISABLED, CRect(10, 50, 100, 70), &parent, 12));
  group.BringWindowToTop();  // a group box lets clicks through to what lies under it
  vetra::ui::Click(parent, {20, 30});
  EXPECT_EQ(check.GetCheck(), BST_CHECKED);
  EXPECT_EQ(parent.IsDlgButtonChecked(11), BST_CHECKED);
  log.clear();
  vetra::ui::Click(parent, {20, 60});  // disabled: the parent gets the click
  EXPECT_EQ(log.front(), "parent down 20,60");
}

// A radio button's mark is round: the corners of its square show the ground, a check box's
// square mark does not.
TEST_F(Controls, RadioMarksAreRoundAndCheckMarksSquare)
{
  CButton radio, check;
  ASSERT_TRUE(radio.Create("Radio", BS_AUTORADIOBUTTON | WS_VISIBLE, CRect(10, 10, 100, 30), &parent, 11));
  ASSERT_TRUE(check.Create("Check", BS_AUTOCHECKBOX | WS_VISIBLE, CRect(10, 40, 100, 60), &parent, 12));
  radio.SetCheck(BST_CHECKED);
  const int top = (20 - 13) / 2;
  const COLORREF ground = ScreenColor(radio, {95, top});
  EXPECT_EQ(ScreenColor(radio, {0, top}), ground);
  EXPECT_EQ(ScreenColor(radio, {11, top + 11}), ground);
  EXPECT_EQ(ScreenColor(radio, {6, top}), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(ScreenColor(radio, {6, top + 6}), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_NE(ScreenColor(check, {0, top}), ground);
}

// What the input method composes shows inverted at the caret (in place of the selection) without
// being typed, and its candidate window is placed at the caret.
// A headless display that records where the input method's candidate window is placed.
class RecordingDisplay : public vetra::ui::Display {
public:
  explicit RecordingDisplay(std::vector<CRect>& places) : m_places(places), m_headless(vetra::ui::CreateHeadlessDisplay()) {}
  bool IsHeadless() const override { return true; }
  SIZE ScreenSize() const override { return m_headless->ScreenSize(); }
  void Wait(std::optional<std::uint64_t> due) override { m_headless->Wait(due); }
  void TextInputAt(HWND, const RECT& screen) override { m_places.emplace_back(screen); }
private:
  std::vector<CRect>& m_places;
  std::unique_ptr<vetra::ui::Display> m_headless;
};

TEST_F(Controls, TheInputMethodsCompositionShowsAtTheCaret)
{
  std::vector<CRect> places;
  detail::WindowSystem::Get().SetDisplay(std::make_unique<RecordingDisplay>(places));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 40), &parent, 1));
  edit.SetFocus();
  vetra::ui::Type("ab");
  const COLORREF composing = GetSysColor(COLOR_HIGHLIGHT);
  CRect client;
  edit.GetClientRect(&client);
  const auto composingPixels = [&](int fromX = 0) {
    int count = 0;
    for (int x = fromX; x < client.right; ++x) count += ScreenColor(edit, {x, 3}) == composing;  // the first line
    return count;
  };
  EXPECT_EQ(composingPixels(), 0);
  ASSERT_FALSE(places.empty());
  CPoint caret = places.back().TopLeft();
  edit.ScreenToClient(&caret);
  EXPECT_EQ(caret.x, 2 + EditTextWidth(edit, "ab"));

  vetra::ui::InjectComposition(vetra::Cp949("하"));
  vetra::ui::Pump();
  EXPECT_GT(composingPixels(), 4);
  EXPECT_EQ(edit.GetWindowText(), "ab");
  vetra::ui::Type(vetra::Cp949("한"));
  EXPECT_EQ(composingPixels(), 0);
  EXPECT_EQ(edit.GetWindowText(), "ab" + vetra::Cp949("한"));
  caret = places.back().TopLeft();
  edit.ScreenToClient(&caret);
  EXPECT_EQ(caret.x, 2 + EditTextWidth(edit, "ab" + vetra::Cp949("한")));

  // Over a selection the composition stands in its place, as the typed text will.
  edit.SetSel(0, 2);
  vetra::ui::InjectComposition(vetra::Cp949("가"));
  vetra::ui::Pump();
  EXPECT_GT(composingPixels(), 4);
  EXPECT_EQ(composingPixels(2 + EditTextWidth(edit, vetra::Cp949("가"))), 0);
  caret = places.back().TopLeft();
  edit.ScreenToClient(&caret);
  EXPECT_EQ(caret.x, 2);
  vetra::ui::Type(vetra::Cp949("가"));
  EXPECT_EQ(edit.GetWindowText(), vetra::Cp949("가한"));
  detail::WindowSystem::Get().SetDisplay(vetra::ui::CreateHeadlessDisplay());
}

// A one-line box that scrolls sideways keeps the caret, and what is being composed, in view;
// a click lands on the character shown under it.
TEST_F(Controls, AOneLineBoxScrollsSidewaysToKeepTheCaretInView)
{
  std::vector<CRect> places;
  detail::WindowSystem::Get().SetDisplay(std::make_unique<RecordingDisplay>(places));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 90, 30), &parent, 1));
  edit.SetFocus();
  CRect client;
  edit.GetClientRect(&client);
  const auto shown = [&] {
    CRect place = places.back();
    edit.ScreenToClient(&place);
    return place;
  };
  vetra::ui::Type("abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_GE(shown().left, 2);
  EXPECT_LE(shown().right, client.right - 2);
  vetra::ui::InjectComposition(vetra::Cp949("가"));
  vetra::ui::Pump();
  EXPECT_GE(shown().left, 2);
  EXPECT_LE(shown().right, client.right - 2);
  vetra::ui::Type(vetra::Cp949("가"));
  vetra::ui::Click(edit, {4, 5});
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_GT(start, 10);
  vetra::ui::PressKeys("home");
  EXPECT_EQ(shown().left, 2);
  vetra::ui::Click(edit, {4, 5});
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  detail::WindowSystem::Get().SetDisplay(vetra::ui::CreateHeadlessDisplay());
}

// A selection shows while the box has the keyboard, its text in the highlight text colour; a box
// without the keyboard hides it unless it is told to keep it shown.
TEST_F(Controls, AnEditShowsItsSelectionOnlyWithTheKeyboard)
{
  CEdit plain, keeps, other;
  ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 40), &parent, 1));
  ASSERT_TRUE(keeps.Create(WS_CHILD | WS_VISIBLE | ES_NOHIDESEL, CRect(10, 50, 200, 80), &parent, 2));
  ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 90, 200, 120), &parent, 3));
  const auto pixels = [&](CEdit& edit, COLORREF colour) {
    ScreenColor(edit, {0, 0});  // everything painted and composed
    CPoint origin(0, 0);
    edit.ClientToScreen(&origin);
    const int right = 2 + EditTextWidth(edit, "mmHg");
    int count = 0;
    for (int y = 1; y < 12; ++y) {
      for (int x = 2; x < right; ++x) {
        count += vetra::gdi::ColorrefFromPixel(vetra::gdi::Screen()->Get(origin.x + x, origin.y + y)) == colour;
      }
    }
    return count;
  };
  for (CEdit* edit : {&plain, &keeps}) {
    edit->SetWindowText("mmHg");
    edit->SetSel(0, -1);
  }
  other.SetFocus();
  EXPECT_EQ(pixels(plain, GetSysColor(COLOR_HIGHLIGHT)), 0);
  EXPECT_GT(pixels(keeps, GetSysColor(COLOR_HIGHLIGHT)), 0);
  plain.SetFocus();
  EXPECT_GT(pixels(plain, GetSysColor(COLOR_HIGHLIGHT)), 0);
  EXPECT_GT(pixels(plain, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);  // the letters stand out
}

// A line of text in a control is cut only by the control: a glyph reaching below its line, as
// the lowest Hangul of the Korean faces asked for by a positive height does, shows in full.
TEST_F(Controls, TextInAControlKeepsWhatReachesBelowItsLine)
{
  CFont font;
  ASSERT_TRUE(font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, vetra::Cp949("굴림").c_str()));
  const std::string text = vetra::Cp949("가힣");
  CStatic label;
  ASSERT_TRUE(label.Create(text.c_str(), WS_VISIBLE, CRect(10, 10, 110, 60), &parent, 223));
  CButton group;
  ASSERT_TRUE(group.Create(text.c_str(), BS_GROUPBOX | WS_VISIBLE, CRect(10, 70, 110, 120), &parent, 224));
  label.SetFont(&font);
  group.SetFont(&font);  // before it paints: a group box leaves its inside as it finds it
  for (CWnd* control : std::initializer_list<CWnd*>{&label, &group}) {
    const COLORREF paper = ScreenColor(*control, {80, 40});  // everything painted and composed
    CPoint origin(0, 0);
    control->ClientToScreen(&origin);
    const auto inkedRow = [&](int y) {  // right of a group box's frame
      for (int x = 4; x < 60; ++x) {
        if (vetra::gdi::ColorrefFromPixel(vetra::gdi::Screen()->Get(origin.x + x, origin.y + y)) != paper) return true;
      }
      return false;
    };
    // The line is 12 rows; the ㅎ reaches the row below it.
    EXPECT_TRUE(inkedRow(11)) << control->GetDlgCtrlID();
    EXPECT_TRUE(inkedRow(12)) << control->GetDlgCtrlID();
  }
}

TEST_F(Controls, BitmapStaticTakesThePictureSize)
{
  CBitmap picture;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  ASSERT_TRUE(picture.CreateCompatibleBitmap(&dc, 30, 20));
  CStatic control;
  ASSERT_TRUE(control.Create("", SS_BITMAP | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, 247));
  control.SetBitmap(picture);
  CRect r;
  control.GetClientRect(&r);
  EXPECT_EQ(r, CRect(0, 0, 30, 20));
}

}  // namespace
