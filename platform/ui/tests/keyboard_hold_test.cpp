// While a pop-up menu or a dropped list shows, the keys are its and not the input method's: the
// display is told when the keyboard is held and when it is given back, and the text the input
// method ends as the keyboard is held reaches the window it was composed in, not the menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/edit.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"
#include "platform/ui/tests/window_fixture.h"
#include "platform/ui/window_system.h"

namespace {

using namespace win;
using vetra::Cp949;

// A headless display with an input method that is composing: when the keyboard is held it ends
// the composition, typed where it was made, as the desktop's input method does.
class ComposingDisplay : public vetra::ui::Display {
public:
  explicit ComposingDisplay(std::vector<bool>& holds) : m_holds(holds), m_headless(vetra::ui::CreateHeadlessDisplay()) {}
  bool IsHeadless() const override { return true; }
  SIZE ScreenSize() const override { return m_headless->ScreenSize(); }
  void Wait(std::optional<std::uint64_t> due) override { m_headless->Wait(due); }
  void KeyboardHeld(bool held) override
  {
    m_holds.push_back(held);
    if (!held || composing.empty()) return;
    vetra::ui::InjectDesktopText(composing, detail::WindowSystem::Get().focus);
    vetra::ui::InjectComposition("");
    composing.clear();
  }
  std::string composing;  // UTF-8

private:
  std::vector<bool>& m_holds;
  std::unique_ptr<vetra::ui::Display> m_headless;
};

class KeyboardHold : public vetra::ui::testing::WindowFixture {
protected:
  void SetUp() override
  {
    WindowFixture::SetUp();
    auto display = std::make_unique<ComposingDisplay>(holds);
    input = display.get();
    detail::WindowSystem::Get().SetDisplay(std::move(display));
    ASSERT_TRUE(parent.CreateTop(CRect(50, 50, 450, 350)));
  }

  std::vector<bool> holds;
  ComposingDisplay* input = nullptr;
  vetra::ui::testing::Probe parent{"parent", log};
};

TEST_F(KeyboardHold, AMenuLetterChoosesWhileTheSyllableComposedBeforeGoesIntoTheBox)
{
  CEdit box;
  ASSERT_TRUE(box.Create(WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 300, 200), &parent, 1000));
  box.SetFocus();
  box.SetWindowText("ab");
  box.SetSel(2, 2);
  input->composing = "가";
  vetra::ui::InjectComposition(Cp949("가"));
  vetra::ui::Pump();
  bool heldWhileShown = false;
  vetra::ui::WhenIdle([&] {
    heldWhileShown = detail::WindowSystem::Get().KeyboardHeld();
    vetra::ui::InjectText("a");  // read by the menu's own loop
  });
  vetra::ui::Press(box, {40, 5}, 1);
  vetra::ui::Release(box, {40, 5}, 1);
  EXPECT_TRUE(heldWhileShown);
  EXPECT_EQ(holds, (std::vector<bool>{true, false}));
  ASSERT_FALSE(vetra::ui::PopupMenuLog().empty());
  EXPECT_EQ(vetra::ui::PopupMenuLog().back().answer, UINT{EM_SETSEL});
  EXPECT_EQ(box.GetWindowText(), Cp949("ab가"));
  int start = 0, end = 0;
  box.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4);
  EXPECT_EQ(detail::WindowSystem::Get().composition, "");
}

TEST_F(KeyboardHold, ADroppedListHoldsTheKeyboardUntilItCloses)
{
  const struct {
    const char* name;
    void (*close)(CComboBox&);
  } cases[] = {
      {"Esc", [](CComboBox&) { vetra::ui::PressKeys("esc"); }},
      {"a row chosen", [](CComboBox&) { vetra::ui::PressKeys("return"); }},
      {"the box goes", [](CComboBox& combo) { combo.DestroyWindow(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    holds.clear();
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(5, 5, 150, 100), &parent, 1001));
    for (const char* row : {"kpa", "bar"}) combo.AddString(row);
    combo.SetFocus();
    vetra::ui::Click(combo, {10, 5});
    ASSERT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(holds, std::vector<bool>{true});
    c.close(combo);
    EXPECT_EQ(holds, (std::vector<bool>{true, false}));
    EXPECT_FALSE(detail::WindowSystem::Get().KeyboardHeld());
  }
}

}  // namespace
