// The editing commands every edit box has: the clipboard keys, undo, select all and the
// right-click menu, with text crossing to the desktop's clipboard in UTF-8.
#include <gtest/gtest.h>

#include <set>

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/edit.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"
#include "platform/ui/tests/window_fixture.h"

namespace {

using namespace win;
using vetra::Cp949;
using vetra::ui::ClipboardUtf8;
using vetra::ui::InjectComposition;
using vetra::ui::PressKeys;
using vetra::ui::SetClipboardUtf8;
using vetra::ui::Type;
using vetra::ui::TypeOnDesktop;

class EditCommands : public vetra::ui::testing::WindowFixture {
protected:
  void SetUp() override
  {
    WindowFixture::SetUp();
    ASSERT_TRUE(parent.CreateTop(CRect(50, 50, 450, 350)));
    ASSERT_TRUE(box.Create(WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, CRect(5, 5, 300, 200), &parent, 1000));
    box.SetFocus();
    SetClipboardUtf8("");
  }
  void RightClick(CPoint at)
  {
    vetra::ui::Press(box, at, 1);
    vetra::ui::Release(box, at, 1);
  }
  vetra::ui::testing::Probe parent{"parent", log};
  CEdit box;
};

TEST_F(EditCommands, KeysCopyCutPasteUndoAndSelectAsOnThePlatform)
{
  Type(Cp949("가나 ab"));
  PressKeys("return");
  Type("cd");
  PressKeys("ctrl+a");
  PressKeys("ctrl+c");
  // The desktop gets UTF-8 with its own line ends.
  EXPECT_EQ(ClipboardUtf8(), "가나 ab\ncd");
  EXPECT_EQ(box.GetWindowText(), Cp949("가나 ab\r\ncd"));

  box.SetSel(0, 2);
  PressKeys("shift+delete");  // cut
  EXPECT_EQ(box.GetWindowText(), Cp949("나 ab\r\ncd"));
  EXPECT_EQ(ClipboardUtf8(), "가");
  PressKeys("end");
  PressKeys("shift+insert");  // paste
  EXPECT_EQ(box.GetWindowText(), Cp949("나 ab가\r\ncd"));
  PressKeys("ctrl+z");
  EXPECT_EQ(box.GetWindowText(), Cp949("나 ab\r\ncd"));
  PressKeys("ctrl+z");  // a second undo takes the undo back
  EXPECT_EQ(box.GetWindowText(), Cp949("나 ab가\r\ncd"));

  box.SetSel(0, 0);
  PressKeys("ctrl+x");  // nothing selected: nothing cut, the clipboard keeps its text
  EXPECT_EQ(ClipboardUtf8(), "가");
  box.SetSel(5, 7);
  PressKeys("ctrl+insert");
  EXPECT_EQ(ClipboardUtf8(), "가");
  PressKeys("ctrl+v");
  EXPECT_EQ(box.GetWindowText(), Cp949("나 ab가\r\ncd"));
}

TEST_F(EditCommands, TypingInARowIsUndoneTogether)
{
  box.SetWindowText("x");
  EXPECT_FALSE(box.CanUndo());  // setting the text leaves nothing to undo
  box.SetSel(1, 1);
  Type(Cp949("한글 abc"));
  PressKeys("ctrl+z");
  EXPECT_EQ(box.GetWindowText(), "x");
  PressKeys("ctrl+z");
  EXPECT_EQ(box.GetWindowText(), Cp949("x한글 abc"));
  // Moving the caret ends the run: the next typing is a change of its own.
  PressKeys("left");
  Type("Z");
  Type("Y");
  box.Undo();
  EXPECT_EQ(box.GetWindowText(), Cp949("x한글 abc"));
}

TEST_F(EditCommands, PastedTextLosesOnlyWhatTheCodePageCannotSpellAndKeepsTheBoxLimits)
{
  CEdit single;
  ASSERT_TRUE(single.Create(WS_VISIBLE | WS_BORDER, CRect(5, 210, 300, 230), &parent, 1001));
  const struct {
    const char* desktop;
    const char* multiLine;
    const char* singleLine;
  } cases[] = {
      {"café 가\xF0\x9F\x98\x80나", "caf 가나", "caf 가나"},  // é and the emoji have no CP949 form
      {"하나\n둘\r\n셋\r넷", "하나\r\n둘\r\n셋\r\n넷", "하나"},  // every line end becomes CR LF
      {"a\tb\x01\x7F" "c", "a\tbc", "a\tbc"},                   // control characters are no text
  };
  for (const auto& c : cases) {
    SetClipboardUtf8(c.desktop);
    for (CEdit* edit : {&box, &single}) {
      edit->SetWindowText("");
      edit->SetFocus();
      PressKeys("ctrl+v");
    }
    EXPECT_EQ(box.GetWindowText(), Cp949(c.multiLine)) << c.desktop;
    EXPECT_EQ(single.GetWindowText(), Cp949(c.singleLine)) << c.desktop;
  }

  // The limit holds for what is pasted, without half a character.
  single.SetWindowText("ab");
  single.SetLimitText(5);
  single.SetSel(2, 2);
  SetClipboardUtf8("가나다");
  log.clear();
  PressKeys("ctrl+v");
  EXPECT_EQ(single.GetWindowText(), "ab" + Cp949("가"));
  EXPECT_NE(std::count(log.begin(), log.end(), "parent command 1001,1281"), 0);  // EN_MAXTEXT
  PressKeys("ctrl+v");  // full: nothing changes, and undo still takes back the first paste
  PressKeys("ctrl+z");
  EXPECT_EQ(single.GetWindowText(), "ab");

  // A number box takes digits only, typed or pasted.
  CEdit copies;
  ASSERT_TRUE(copies.Create(WS_VISIBLE | WS_BORDER | ES_NUMBER, CRect(5, 240, 60, 260), &parent, 1002));
  copies.SetFocus();
  Type("1a2");
  EXPECT_EQ(copies.GetWindowText(), "12");
  for (const char* pasted : {"3 4", "-5", "67"}) {
    SetClipboardUtf8(pasted);
    PressKeys("ctrl+v");
  }
  EXPECT_EQ(copies.GetWindowText(), "1267");

  // A read-only box copies but takes nothing.
  box.SetWindowText("fixed");
  box.SetReadOnly();
  box.SetFocus();
  PressKeys("ctrl+a");
  PressKeys("ctrl+x");
  PressKeys("ctrl+v");
  EXPECT_EQ(box.GetWindowText(), "fixed");
  PressKeys("ctrl+c");
  EXPECT_EQ(ClipboardUtf8(), "fixed");
}

// A one-line box that does not scroll sideways shows all the user puts in it: typed, pasted or
// composed text that would run past its edge is refused as at the box's limit, and whatever fits
// is kept, in whole characters. Boxes that scroll sideways or hold several lines take it all.
TEST_F(EditCommands, AOneLineBoxThatDoesNotScrollTakesWhatFitsItsWidth)
{
  CEdit narrow, scrolls;
  ASSERT_TRUE(narrow.Create(WS_VISIBLE | WS_BORDER, CRect(5, 210, 65, 230), &parent, 1001));
  ASSERT_TRUE(scrolls.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(5, 240, 65, 260), &parent, 1002));
  const auto fits = [&](const std::string& text) { return EditTextWidth(narrow, text) <= EditWrapWidth(narrow); };
  const std::string digits = "123456789012345678901234567890";
  const std::string hangul = Cp949("가나다라마바사아자차카타파하");
  enum class How { Typed, Pasted, Composed };
  const struct {
    How how;
    std::string text;
    std::size_t characterBytes;
  } cases[] = {
      {How::Typed, digits, 1},
      {How::Pasted, digits, 1},
      {How::Pasted, hangul, 2},  // cut between double-byte characters
      {How::Composed, hangul, 2},
  };
  for (const auto& c : cases) {
    const auto name = [&] { return std::string(c.how == How::Typed ? "typed " : c.how == How::Pasted ? "pasted " : "composed ") + c.text; };
    for (CEdit* edit : {&narrow, &scrolls, &box}) {
      edit->SetWindowText("");
      edit->SetFocus();
      log.clear();
      if (c.how == How::Pasted) {
        SetClipboardUtf8(vetra::Utf8(c.text));
        PressKeys("ctrl+v");
      } else if (c.how == How::Typed) {
        Type(c.text);
      } else {
        for (std::size_t at = 0; at < c.text.size(); at += 2) {
          InjectComposition(c.text.substr(at, 2));
          vetra::ui::Pump();
          Type(c.text.substr(at, 2));
        }
      }
      const std::string kept = edit->GetWindowText();
      const bool maxText = std::count(log.begin(), log.end(), "parent command " + std::to_string(edit->GetDlgCtrlID()) + ",1281") != 0;
      if (edit != &narrow) {
        EXPECT_EQ(kept, c.text) << name();
        EXPECT_FALSE(maxText) << name();
        continue;
      }
      EXPECT_EQ(c.text.substr(0, kept.size()), kept) << name();
      EXPECT_EQ(kept.size() % c.characterBytes, 0u) << name();
      EXPECT_TRUE(fits(kept)) << name();
      EXPECT_FALSE(fits(c.text.substr(0, kept.size() + c.characterBytes))) << name() << ": a character that fits was refused";
      EXPECT_TRUE(maxText) << name();
    }
  }

  // What follows the caret counts: a paste in the middle takes only the room left.
  narrow.SetWindowText("ab");
  narrow.SetFocus();
  narrow.SetSel(1, 1);
  SetClipboardUtf8(digits);
  PressKeys("ctrl+v");
  const std::string pasted = narrow.GetWindowText();
  EXPECT_EQ(pasted.front(), 'a');
  EXPECT_EQ(pasted.back(), 'b');
  EXPECT_GT(pasted.size(), 2u);
  EXPECT_TRUE(fits(pasted));

  // The program's own text is taken whole; the user can take from it but not add to it.
  narrow.SetWindowText(digits);
  EXPECT_EQ(narrow.GetWindowText(), digits);
  const int end = static_cast<int>(digits.size());
  narrow.SetSel(end, end);
  narrow.ReplaceSel("x");
  EXPECT_EQ(narrow.GetWindowText(), digits + "x");
  Type("y");
  EXPECT_EQ(narrow.GetWindowText(), digits + "x");
  PressKeys("backspace");
  EXPECT_EQ(narrow.GetWindowText(), digits);
}

TEST_F(EditCommands, OnlyAFileNameBoxKeepsWhatTheCodePageCannotSpell)
{
  CEdit name;
  ASSERT_TRUE(name.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_FILENAME, CRect(5, 210, 300, 230), &parent, 1001));
  const std::string desktop = "C:\\Data\\café 가*.OSC";
  // The path and pattern marks stay marks; the é takes the form of a Linux file name's.
  const std::string kept = "C:\\Data\\caf" + vetra::NameFromLinux("é") + Cp949(" 가*.OSC");
  const struct {
    CEdit* edit;
    bool pasted;
    std::string text;
  } cases[] = {
      {&name, false, kept},
      {&name, true, kept},
      {&box, false, Cp949("C:\\Data\\caf 가*.OSC")},  // left out, typed as pasted
      {&box, true, Cp949("C:\\Data\\caf 가*.OSC")},
  };
  for (const auto& c : cases) {
    c.edit->SetWindowText("");
    c.edit->SetFocus();
    if (c.pasted) {
      SetClipboardUtf8(desktop);
      PressKeys("ctrl+v");
    } else {
      TypeOnDesktop(desktop);
    }
    EXPECT_EQ(c.edit->GetWindowText(), c.text) << (c.edit == &name ? "name box" : "other box") << (c.pasted ? " pasted" : " typed");
  }

  // Such a character is one to the caret, as it shows: never half of it is taken or stepped into.
  name.SetWindowText("");
  name.SetFocus();
  TypeOnDesktop("café.OSC");
  for (int i = 0; i < 4; ++i) PressKeys("left");
  PressKeys("backspace");
  EXPECT_EQ(name.GetWindowText(), "caf.OSC");
  name.SetWindowText(vetra::NameFromLinux("café"));
  name.SetSel(3, 3);
  PressKeys("delete");
  EXPECT_EQ(name.GetWindowText(), "caf");
  name.SetWindowText(vetra::NameFromLinux("éé"));
  std::set<int> carets;
  for (int x = 0; x < 40; ++x) {
    vetra::ui::ClickAlone(name, {x, 5});
    int start = 0, end = 0;
    name.GetSel(start, end);
    carets.insert(start);
  }
  EXPECT_EQ(carets, (std::set<int>{0, 4, 8}));
}

TEST_F(EditCommands, RightClickMenuOffersWhatTheBoxCanDo)
{
  auto offered = [] {
    std::string enabled;
    const auto& menus = vetra::ui::PopupMenuLog();
    if (menus.empty()) return enabled;
    for (const CMenu::Item& item : menus.back().items) {
      if (item.flags & MF_SEPARATOR) enabled += '|';
      else enabled += (item.flags & MF_GRAYED) ? '-' : '+';
    }
    return enabled;
  };
  // Undo | Cut Copy Paste Delete | Select all
  const struct {
    const char* text;
    int selStart, selEnd;
    bool readOnly;
    const char* clipboard;
    const char* menu;
  } cases[] = {
      {"", 0, 0, false, "", "-|----|-"},
      {"abc", 0, 0, false, "x", "-|--+-|+"},
      {"abc", 1, 2, false, "", "-|++-+|+"},
      {"abc", 0, 3, false, "", "-|++-+|-"},
      {"abc", 1, 2, true, "x", "-|-+--|+"},
  };
  for (const auto& c : cases) {
    box.SetReadOnly(c.readOnly);
    box.SetWindowText(c.text);
    box.SetSel(c.selStart, c.selEnd);
    SetClipboardUtf8(c.clipboard);
    RightClick({40, 5});
    EXPECT_EQ(offered(), c.menu) << c.text << " " << c.selStart << "-" << c.selEnd << " " << c.readOnly;
  }
  const auto& items = vetra::ui::PopupMenuLog().back().items;
  ASSERT_EQ(items.size(), 8u);
  EXPECT_EQ(items[0].text, Cp949("실행 취소(&U)"));
  EXPECT_EQ(items[7].text, Cp949("모두 선택(&A)"));
  POINT corner{40, 5};
  box.ClientToScreen(&corner);
  EXPECT_EQ(vetra::ui::PopupMenuLog().back().at.x, corner.x);  // the menu opens at the pointer

  // The chosen entry is done: select all, copy, then paste over a selection and undo it.
  box.SetReadOnly(FALSE);
  box.SetWindowText(Cp949("첫째"));
  for (UINT id : {UINT{EM_SETSEL}, UINT{WM_COPY}}) {
    vetra::ui::QueuePopupMenuAnswer(id);
    RightClick({40, 5});
  }
  EXPECT_EQ(ClipboardUtf8(), "첫째");
  box.SetSel(0, 2);
  vetra::ui::QueuePopupMenuAnswer(WM_PASTE);
  RightClick({40, 5});
  EXPECT_EQ(box.GetWindowText(), Cp949("첫째째"));
  vetra::ui::QueuePopupMenuAnswer(WM_UNDO);
  RightClick({40, 5});
  EXPECT_EQ(box.GetWindowText(), Cp949("첫째"));
  box.SetSel(0, 0);
  vetra::ui::QueuePopupMenuAnswer(WM_CUT);  // greyed now (nothing selected): the menu is dismissed
  RightClick({40, 5});
  EXPECT_EQ(box.GetWindowText(), Cp949("첫째"));
}

}  // namespace
