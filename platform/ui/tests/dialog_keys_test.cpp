// The dialog manager's keyboard: Tab order, the first focus, Return and Space on buttons, radio
// groups and arrows, mnemonics, multi-line edits, and the focus marks the controls draw.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/message_box_window.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/tests/window_fixture.h"

namespace {

using namespace win;

class DialogKeys : public vetra::ui::testing::WindowFixture {};

// The id of the dialog's own control that holds the keyboard: the focus may lie in a part of
// it (a combo box's edit field).
int HolderId(const CDialog& dialog)
{
  for (CWnd* w = CWnd::GetFocus(); w; w = w->GetParent()) {
    if (w->GetParent() == &dialog) return w->GetDlgCtrlID();
  }
  return 0;
}

// A dialog that runs an action at its initialisation and notes the commands it gets.
class KeyDialog : public CDialog {
public:
  explicit KeyDialog(const DialogTemplate& t, std::function<void(KeyDialog&)> init = {})
      : CDialog(t), m_init(std::move(init))
  {
  }
  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    if (m_init) m_init(*this);
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    if (HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
  void OnOK() override
  {
    ended = true;
    CDialog::OnOK();
  }
  void OnCancel() override
  {
    ended = true;
    CDialog::OnCancel();
  }
  std::vector<int> commands;  // the buttons clicked
  bool ended = false;

private:
  std::function<void(KeyDialog&)> m_init;
};

// Runs the dialog, presses the keys one by one and gives the control holding the keyboard at
// the start and after each key; the dialog is ended with 42 afterwards if the keys left it open.
std::vector<int> HoldersAlong(KeyDialog& dialog, const std::vector<std::string>& keys, INT_PTR* result = nullptr,
                              const std::function<void()>& atEnd = {})
{
  std::vector<int> holders;
  vetra::ui::WhenIdle([&] {
    holders.push_back(HolderId(dialog));
    for (const std::string& key : keys) {
      vetra::ui::PressKeys(key);
      if (dialog.ended) return;
      holders.push_back(HolderId(dialog));
    }
    if (atEnd) atEnd();
    dialog.EndDialog(42);
  });
  const INT_PTR answer = dialog.DoModal();
  if (result) *result = answer;
  return holders;
}

DialogTemplate Template(std::vector<DialogItem> items)
{
  return DialogTemplate{"Keys", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 200, 120,
                        vetra::Cp949("굴림"), 9, std::move(items)};
}

constexpr DWORD kShown = WS_VISIBLE;

// Two combo boxes with edit fields inside group boxes and a default OK button, as the units
// dialog has them. Bringing a control to the top (as dialogs do to draw it above a picture)
// does not change the order either.
TEST_F(DialogKeys, TabAndShiftTabFollowTheTemplateFromInsideAComboBoxsEditField)
{
  const DWORD combo = kShown | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
  const DialogTemplate t = Template({{"BUTTON", "P", -1, kShown | BS_GROUPBOX, 7, 7, 77, 38},
                                     {"BUTTON", "V", -1, kShown | BS_GROUPBOX, 87, 7, 77, 38},
                                     {"COMBOBOX", "", 1000, combo, 15, 21, 56, 69},
                                     {"COMBOBOX", "", 1001, combo, 99, 21, 56, 66},
                                     {"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 54, 155, 14}});
  const struct {
    const char* key;
    std::vector<int> holders;
  } cases[] = {{"tab", {1000, 1001, IDOK, 1000, 1001}}, {"shift+tab", {1000, IDOK, 1001, 1000, IDOK}}};
  for (const bool raised : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.key) + (raised ? ", OK raised" : ""));
      KeyDialog dialog(t, [&](KeyDialog& d) {
        if (raised) d.GetDlgItem(IDOK)->BringWindowToTop();
      });
      EXPECT_EQ(HoldersAlong(dialog, std::vector<std::string>(4, c.key)), c.holders);
    }
  }
}

// With Tab, Down and Return the user changes the second list, not the first.
TEST_F(DialogKeys, ArrowsAndReturnActOnTheListTabReached)
{
  const DWORD combo = kShown | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN;
  KeyDialog dialog(Template({{"COMBOBOX", "", 1000, combo, 15, 21, 56, 69},
                             {"COMBOBOX", "", 1001, combo, 99, 21, 56, 66},
                             {"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 54, 155, 14}}),
                   [](KeyDialog& d) {
                     for (int id : {1000, 1001}) {
                       auto* list = dynamic_cast<CComboBox*>(d.GetDlgItem(id));
                       for (const char* row : {"kpa", "bar", "psi"}) list->AddString(row);
                       list->SetCurSel(0);
                     }
                   });
  int first = -1, second = -1;
  vetra::ui::WhenIdle([&] {
    for (const char* key : {"tab", "down"}) vetra::ui::PressKeys(key);
    first = dynamic_cast<CComboBox*>(dialog.GetDlgItem(1000))->GetCurSel();
    second = dynamic_cast<CComboBox*>(dialog.GetDlgItem(1001))->GetCurSel();
    vetra::ui::PressKeys("return");
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

// A multi-line edit keeps Return when it asks for it, but Esc cancels the dialog and Tab moves
// on, whether the edit can be written or only read.
TEST_F(DialogKeys, AMultiLineEditPassesEscAndTabToTheDialog)
{
  for (const DWORD readOnly : {DWORD(0), DWORD(ES_READONLY)}) {
    const DWORD memo = kShown | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | readOnly;
    const DialogTemplate t = Template({{"EDIT", "", 246, memo, 5, 5, 120, 60},
                                       {"EDIT", "", 247, kShown | WS_BORDER | WS_TABSTOP, 5, 70, 120, 12},
                                       {"BUTTON", "Cancel", IDCANCEL, 0, 130, 90, 50, 14}});
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    {
      KeyDialog dialog(t);
      INT_PTR result = 0;
      EXPECT_EQ(HoldersAlong(dialog, {"return", "tab"}, &result), (std::vector<int>{246, 246, 247}));
      EXPECT_EQ(result, 42);
      if (!readOnly) {
        EXPECT_EQ(dialog.commands, (std::vector<int>{}));
      }
    }
    {
      KeyDialog dialog(t);
      INT_PTR result = 0;
      HoldersAlong(dialog, {"esc"}, &result);
      EXPECT_EQ(result, IDCANCEL);
    }
  }
}

// The first control that can take the keyboard takes it when no control is a tab stop, so the
// list answers the arrows at once.
TEST_F(DialogKeys, TheFirstControlThatCanTakeTheKeyboardTakesItWithoutTabStops)
{
  KeyDialog dialog(Template({{"LISTBOX", "", 238, kShown | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 7, 41, 152, 64},
                             {"SCROLLBAR", "", 211, kShown | SBS_VERT, 159, 41, 8, 64},
                             {"BUTTON", "OK", IDOK, WS_DISABLED, 129, 115, 50, 14},
                             {"BUTTON", "End", IDCANCEL, WS_DISABLED, 70, 115, 50, 14}}),
                   [](KeyDialog& d) {
                     auto* list = dynamic_cast<CListBox*>(d.GetDlgItem(238));
                     for (const char* row : {"RPM", "TPS", "MAP"}) list->AddString(row);
                     list->SetCurSel(0);
                   });
  int selected = -1;
  vetra::ui::WhenIdle([&] {
    EXPECT_EQ(HolderId(dialog), 238);
    vetra::ui::PressKeys("down");
    selected = dynamic_cast<CListBox*>(dialog.GetDlgItem(238))->GetCurSel();
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(selected, 1);
}

// A picture over the whole dialog, a hidden disabled OK and three owner-drawn buttons raised
// above the picture: Return presses nothing, Space presses the focused button, Tab goes in the
// template's order.
TEST_F(DialogKeys, ReturnPressesOnlyAnEnabledDefaultAndSpaceTheFocusedOwnerDrawnButton)
{
  const DWORD drawn = kShown | WS_TABSTOP | BS_OWNERDRAW;
  const DialogTemplate t = Template({{"STATIC", "", 247, kShown, 0, 0, 200, 120},
                                     {"BUTTON", "OK", IDOK, WS_DISABLED, 39, 100, 50, 14},
                                     {"BUTTON", "Cancel", IDCANCEL, drawn, 124, 100, 50, 14},
                                     {"BUTTON", "Print", 241, drawn, 150, 40, 33, 20},
                                     {"BUTTON", "Picture", 242, drawn, 150, 70, 33, 20}});
  const auto raise = [](KeyDialog& d) {
    for (int id : {IDCANCEL, 241, 242}) d.GetDlgItem(id)->BringWindowToTop();
  };
  const struct {
    std::vector<std::string> keys;
    std::vector<int> holders;
    std::vector<int> commands;
    INT_PTR result;
  } cases[] = {
      {{"return"}, {IDCANCEL, IDCANCEL}, {}, 42},
      {{"tab", "return"}, {IDCANCEL, 241, 241}, {}, 42},
      {{"tab", "tab", "space"}, {IDCANCEL, 241, 242, 242}, {242}, 42},
      {{"space"}, {IDCANCEL}, {IDCANCEL}, IDCANCEL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys.back() + " after " + std::to_string(c.keys.size() - 1) + " keys");
    KeyDialog dialog(t, raise);
    INT_PTR result = 0;
    EXPECT_EQ(HoldersAlong(dialog, c.keys, &result), c.holders);
    EXPECT_EQ(dialog.commands, c.commands);
    EXPECT_EQ(result, c.result);
  }
}

// Arrows move the check within a radio group (and the keyboard with it), wrapping at its ends;
// Tab enters the group at its checked button and leaves it for the next group.
TEST_F(DialogKeys, ArrowsMoveTheCheckWithinARadioGroupAndTabEntersItAtTheCheckedButton)
{
  const DWORD radio = kShown | BS_AUTORADIOBUTTON;
  const DialogTemplate t = Template({{"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP | WS_GROUP, 5, 5, 60, 12},
                                     {"BUTTON", "A", 201, radio | WS_TABSTOP | WS_GROUP, 5, 25, 40, 12},
                                     {"BUTTON", "B", 202, radio, 50, 25, 40, 12},
                                     {"BUTTON", "C", 203, radio, 95, 25, 40, 12},
                                     {"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 5, 50, 50, 14},
                                     {"BUTTON", "Cancel", IDCANCEL, kShown | WS_TABSTOP, 60, 50, 50, 14}});
  const struct {
    std::vector<std::string> keys;
    std::vector<int> holders;
    int checked;
  } cases[] = {
      {{"tab"}, {100, 202}, 202},
      {{"tab", "down", "right"}, {100, 202, 203, 201}, 201},
      {{"tab", "up", "left", "left"}, {100, 202, 201, 203, 202}, 202},
      {{"tab", "tab", "shift+tab"}, {100, 202, IDOK, 202}, 202},
      {{"tab", "down", "tab", "shift+tab"}, {100, 202, 203, IDOK, 203}, 203},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(vetra::Format("%zu keys ending %s", c.keys.size(), c.keys.back().c_str()));
    KeyDialog dialog(t, [](KeyDialog& d) { d.CheckDlgButton(202, BST_CHECKED); });
    std::vector<int> checked;
    EXPECT_EQ(HoldersAlong(dialog, c.keys, nullptr,
                           [&] {
                             for (int id : {201, 202, 203}) {
                               if (dialog.IsDlgButtonChecked(id)) checked.push_back(id);
                             }
                           }),
              c.holders);
    EXPECT_EQ(checked, std::vector<int>{c.checked});
  }
}

// A group without a checked button is entered at its tab stop.
TEST_F(DialogKeys, TabEntersARadioGroupWithoutACheckAtItsFirstButton)
{
  const DWORD radio = kShown | BS_AUTORADIOBUTTON;
  KeyDialog dialog(Template({{"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP | WS_GROUP, 5, 5, 60, 12},
                             {"BUTTON", "A", 201, radio | WS_TABSTOP | WS_GROUP, 5, 25, 40, 12},
                             {"BUTTON", "B", 202, radio, 50, 25, 40, 12},
                             {"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 5, 50, 50, 14}}));
  EXPECT_EQ(HoldersAlong(dialog, {"tab", "tab"}), (std::vector<int>{100, 201, IDOK}));
}

// A message box's buttons are one group: the arrows move between them, wrapping at the ends.
TEST_F(DialogKeys, MessageBoxArrowsMoveBetweenItsButtons)
{
  const struct {
    std::vector<std::string> keys;
    int answer;
  } cases[] = {
      {{"right", "return"}, IDNO},
      {{"left", "return"}, IDCANCEL},
      {{"down", "down", "down", "return"}, IDYES},
      {{"right", "right", "up", "space"}, IDNO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(vetra::Format("%zu keys", c.keys.size()));
    vetra::ui::WhenIdle([&] {
      for (const std::string& key : c.keys) vetra::ui::PressKeys(key);
    });
    EXPECT_EQ(vetra::ui::RunMessageBoxWindow("Save the changes?", "Box", MB_YESNOCANCEL, nullptr), c.answer);
  }
}

// Only controls that take the keyboard are stops for Tab and the arrows: a message box's icon, a
// progress bar, a picture or a window of its own that asks for no keys never take it, so the
// focus mark and the default frame stay on a button and Space presses it.
TEST_F(DialogKeys, TabAndArrowsSkipWhatTakesNoKeyboard)
{
  const struct {
    const char* what;
    UINT type;
    std::vector<std::string> keys;  // each moves the keyboard; Space follows
    std::vector<int> holders;       // after each key
    int answer;
  } boxes[] = {
      {"warning, one button", MB_OK | MB_ICONEXCLAMATION, {"right", "down", "left", "up", "tab", "shift+tab"},
       {IDOK, IDOK, IDOK, IDOK, IDOK, IDOK}, IDOK},
      {"question, yes and no", MB_YESNO | MB_ICONQUESTION, {"right", "right", "down", "tab"}, {IDNO, IDYES, IDNO, IDYES}, IDYES},
      {"stop, three buttons", MB_ABORTRETRYIGNORE | MB_ICONSTOP, {"left", "left", "left"}, {IDIGNORE, IDRETRY, IDABORT}, IDABORT},
  };
  for (const auto& c : boxes) {
    SCOPED_TRACE(c.what);
    std::vector<int> holders;
    vetra::ui::WhenIdle([&] {
      for (const std::string& key : c.keys) {
        vetra::ui::PressKeys(key);
        holders.push_back(CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0);
      }
      vetra::ui::PressKeys("space");
    });
    EXPECT_EQ(vetra::ui::RunMessageBoxWindow(vetra::Cp949("파일을 찾을 수 없습니다."), "Box", c.type, nullptr), c.answer);
    EXPECT_EQ(holders, c.holders);
  }

  // A download dialog's progress bar and picture beside its buttons, and a dialog that holds a
  // progress bar alone: nothing there takes the keyboard.
  const DialogItem progress{"msctls_progress32", "", 300, kShown | WS_BORDER, 5, 30, 150, 10};
  const DialogItem picture{"STATIC", "", 301, kShown | SS_BITMAP, 5, 5, 20, 20};
  const struct {
    const char* what;
    std::vector<DialogItem> items;
    std::vector<std::string> keys;
    std::vector<int> holders;  // at the start and after each key
  } dialogs[] = {
      {"buttons, progress bar and picture",
       {{"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 60, 50, 14}, progress, picture,
        {"BUTTON", "Cancel", IDCANCEL, kShown | WS_TABSTOP, 100, 60, 50, 14}},
       {"right", "right", "left", "tab", "tab", "down"},
       {IDOK, IDCANCEL, IDOK, IDCANCEL, IDOK, IDCANCEL, IDOK}},
      {"progress bar alone", {progress}, {"tab", "right"}, {0, 0, 0}},
  };
  for (const auto& c : dialogs) {
    SCOPED_TRACE(c.what);
    KeyDialog dialog(Template(c.items));
    EXPECT_EQ(HoldersAlong(dialog, c.keys), c.holders);
  }
}

// Alt and the letter after "&" in a control's text: a button is pressed, a radio button checked,
// and a label's letter takes the keyboard to the control after the label. Where the control with
// the keyboard takes no letters (a button), the letter alone does the same.
TEST_F(DialogKeys, AltAndALetterPickTheControlWhoseTextMarksIt)
{
  const DialogTemplate t = Template({{"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 60, 70, 50, 14},
                                     {"STATIC", "&Name:", -1, kShown | WS_GROUP, 5, 5, 30, 10},
                                     {"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP | WS_GROUP, 40, 5, 60, 12},
                                     {"BUTTON", "Land&scape", 301, kShown | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 5, 25, 60, 12},
                                     {"BUTTON", "Por&trait", 302, kShown | BS_AUTORADIOBUTTON, 70, 25, 60, 12},
                                     {"BUTTON", "&Print", 241, kShown | WS_TABSTOP | WS_GROUP, 5, 50, 50, 14}});
  const struct {
    const char* key;
    int holder;
    std::vector<int> commands;
    int checked;
  } cases[] = {
      {"alt+n", 100, {}, 0},
      {"alt+s", 301, {301}, 301},
      {"alt+t", 302, {302}, 302},
      {"alt+p", 241, {241}, 0},
      {"alt+x", IDOK, {}, 0},
      {"p", 241, {241}, 0},  // a letter typed where no control takes letters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    KeyDialog dialog(t);
    int checked = 0;
    const std::vector<int> holders = HoldersAlong(dialog, {c.key}, nullptr, [&] {
      for (int id : {301, 302}) {
        if (dialog.IsDlgButtonChecked(id)) checked = id;
      }
    });
    EXPECT_EQ(holders.back(), c.holder);
    EXPECT_EQ(dialog.commands, c.commands);
    EXPECT_EQ(checked, c.checked);
  }
}

// The pixels of a window's client area inside `inset`, as the screen shows them now.
std::vector<COLORREF> Picture(CWnd& wnd, int inset)
{
  detail::PaintAll();
  vetra::gdi::ComposeScreen();
  CRect r;
  wnd.GetClientRect(&r);
  r.DeflateRect(inset, inset);
  wnd.ClientToScreen(&r);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) pixels.push_back(vetra::gdi::ColorrefFromPixel(vetra::gdi::Screen()->Get(x, y)));
  }
  return pixels;
}

// The control with the keyboard shows it: a push button, a radio button, a check box and a list
// draw a focus mark, and the thick default frame goes to the push button with the keyboard.
TEST_F(DialogKeys, TheControlWithTheKeyboardShowsItsFocusMark)
{
  KeyDialog dialog(Template({{"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12},
                             {"BUTTON", "Landscape", 201, kShown | BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 5, 25, 60, 12},
                             {"BUTTON", "To file", 301, kShown | BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 70, 25, 60, 12},
                             {"LISTBOX", "", 400, kShown | WS_BORDER | WS_TABSTOP, 5, 40, 100, 40},
                             {"BUTTON", "Open", IDOK, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 110, 40, 50, 14},
                             {"BUTTON", "Cancel", IDCANCEL, kShown | WS_TABSTOP, 110, 60, 50, 14}}));
  vetra::ui::WhenIdle([&] {
    CWnd* edit = dialog.GetDlgItem(100);
    for (int id : {201, 301, 400, IDCANCEL}) {
      SCOPED_TRACE(id);
      CWnd* control = dialog.GetDlgItem(id);
      dialog.GotoDlgCtrl(edit);
      const std::vector<COLORREF> without = Picture(*control, 2);
      dialog.GotoDlgCtrl(control);
      EXPECT_NE(Picture(*control, 2), without);
    }
    // The left edge of a push button is black where it has the thick frame.
    const auto thick = [&](int id) {
      CWnd* button = dialog.GetDlgItem(id);
      CRect r;
      button->GetClientRect(&r);
      return ScreenColor(*button, {0, r.Height() / 2}) == GetSysColor(COLOR_WINDOWFRAME);
    };
    dialog.GotoDlgCtrl(edit);
    EXPECT_TRUE(thick(IDOK));
    EXPECT_FALSE(thick(IDCANCEL));
    dialog.GotoDlgCtrl(dialog.GetDlgItem(IDCANCEL));
    EXPECT_FALSE(thick(IDOK));
    EXPECT_TRUE(thick(IDCANCEL));
    dialog.GotoDlgCtrl(dialog.GetDlgItem(400));
    EXPECT_TRUE(thick(IDOK));
    EXPECT_FALSE(thick(IDCANCEL));
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
}

// A list with the keyboard marks its chosen row (or the first, with none chosen), and a drop-down
// list its shown choice, with the dotted frame every control shows the keyboard by: along the
// frame's top edge every other pixel is ink.
TEST_F(DialogKeys, AListWithTheKeyboardDotsTheFrameOfItsRow)
{
  KeyDialog dialog(Template({{"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12},
                             {"LISTBOX", "", 400, kShown | WS_TABSTOP | LBS_NOTIFY, 5, 25, 100, 40},
                             {"COMBOBOX", "", 500, kShown | WS_TABSTOP | CBS_DROPDOWNLIST, 110, 25, 80, 60},
                             {"SysListView32", "", 600, kShown | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER, 5, 70, 100, 40}}));
  const struct {
    int id;
    int chosen;
    int x;  // where the frame's top edge starts
  } cases[] = {{400, -1, 0}, {400, 1, 0}, {500, 1, 3}, {600, 1, 4}};
  vetra::ui::WhenIdle([&] {
    auto* list = dynamic_cast<CListBox*>(dialog.GetDlgItem(400));
    auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(500));
    auto* view = dynamic_cast<CListCtrl*>(dialog.GetDlgItem(600));
    view->InsertColumn(0, "name", LVCFMT_LEFT, 120);
    for (const char* name : {"alpha", "bravo", "charlie"}) {
      list->AddString(name);
      combo->AddString(name);
      view->InsertItem(view->GetItemCount(), name);
    }
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.id << " row " << c.chosen);
      CWnd* control = dialog.GetDlgItem(c.id);
      int top = 3;
      if (c.id == 400) {
        list->SetCurSel(c.chosen);
        top = std::max(c.chosen, 0) * list->GetItemHeight();
      } else if (c.id == 500) {
        combo->SetCurSel(c.chosen);
      } else {
        view->SetItemState(std::max(c.chosen, 0), c.chosen < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        top = std::max(c.chosen, 0) * view->RowHeight();
      }
      dialog.GotoDlgCtrl(control);
      CRect r;
      control->GetClientRect(&r);
      const std::vector<COLORREF> pixels = Picture(*control, 0);
      const auto at = [&](int x) { return pixels[static_cast<std::size_t>(top * r.Width() + x)]; };
      int alternations = 0;
      for (int x = c.x + 2; x < c.x + 22; ++x) alternations += at(x) != at(x + 1);
      EXPECT_EQ(alternations, 20);
      dialog.GotoDlgCtrl(dialog.GetDlgItem(100));
    }
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
}

// A marked letter shows underlined and the "&" does not show: the marked text differs from the
// plain one in one row of pixels only. A message's text shows its "&" as it is.
TEST_F(DialogKeys, AMarkedLetterIsUnderlinedInPlaceOfTheAmpersand)
{
  KeyDialog dialog(Template({{"EDIT", "", 100, kShown | WS_BORDER | WS_TABSTOP, 5, 90, 60, 12},
                             {"BUTTON", "&Print", 241, kShown | WS_TABSTOP, 5, 5, 60, 14},
                             {"BUTTON", "Print", 242, kShown | WS_TABSTOP, 5, 25, 60, 14},
                             {"STATIC", "&Name:", 243, kShown, 5, 45, 60, 10},
                             {"STATIC", "Name:", 244, kShown, 5, 60, 60, 10},
                             {"STATIC", "&Name:", 245, kShown | SS_NOPREFIX, 5, 75, 60, 10},
                             {"BUTTON", "&Paper", 246, kShown | BS_GROUPBOX, 70, 5, 60, 30},
                             {"BUTTON", "Paper", 247, kShown | BS_GROUPBOX, 70, 40, 60, 30}}));
  const auto rowsDiffering = [&](int a, int b) {
    CRect r;
    dialog.GetDlgItem(a)->GetClientRect(&r);
    const std::vector<COLORREF> one = Picture(*dialog.GetDlgItem(a), 0), other = Picture(*dialog.GetDlgItem(b), 0);
    int rows = 0;
    for (int y = 0; y < r.Height(); ++y) {
      const auto row = [&](const std::vector<COLORREF>& p) { return std::vector<COLORREF>(p.begin() + y * r.Width(), p.begin() + (y + 1) * r.Width()); };
      rows += row(one) != row(other);
    }
    return rows;
  };
  vetra::ui::WhenIdle([&] {
    EXPECT_EQ(rowsDiffering(241, 242), 1);
    EXPECT_EQ(rowsDiffering(243, 244), 1);
    EXPECT_GT(rowsDiffering(245, 244), 1);  // the ampersand shows
    EXPECT_EQ(rowsDiffering(246, 247), 1);
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
}

// A box the keyboard reaches by Tab has its whole text chosen, so what is typed replaces it.
TEST_F(DialogKeys, TabChoosesTheWholeTextOfTheBoxItReaches)
{
  KeyDialog dialog(Template({{"BUTTON", "OK", IDOK, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 50, 50, 14},
                             {"EDIT", "1", 100, kShown | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12}}));
  std::string typed;
  vetra::ui::WhenIdle([&] {
    vetra::ui::PressKeys("tab");
    vetra::ui::Type("3");
    typed = dialog.GetDlgItem(100)->GetWindowText();
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(typed, "3");
}

// Tab where the box is the only tab stop (the print layout's remark box) keeps the text as it
// stands: the next key typed adds to it.
TEST_F(DialogKeys, TabOnTheOnlyTabStopLeavesItsTextAlone)
{
  const DWORD memo = kShown | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN;
  KeyDialog dialog(Template({{"EDIT", "", 1000, memo, 5, 5, 120, 60},
                             {"BUTTON", "Print", IDOK, BS_DEFPUSHBUTTON | WS_DISABLED, 5, 70, 50, 14}}));
  std::string typed;
  vetra::ui::WhenIdle([&] {
    vetra::ui::Type("ab");
    vetra::ui::PressKeys("tab");
    vetra::ui::Type("c");
    typed = dialog.GetDlgItem(1000)->GetWindowText();
    dialog.EndDialog(42);
  });
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(typed, "abc");
}

}  // namespace
