// Lists as a user meets them with the keyboard, the wheel and double clicks: list boxes, combo
// boxes (their dropped list and their edit field) and report list views.
#include <gtest/gtest.h>

#include <functional>

#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/notify.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"  // MessageLog

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;

constexpr const char* kNames[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet"};

// A parent that logs its controls' notifications with what the control holds at that moment.
class Parent : public CWnd {
public:
  std::function<std::string(UINT code)> onCommand;
  std::function<std::string(NMHDR*)> onNotify;
  MessageLog log;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override
  {
    if (const std::string entry = onCommand ? onCommand(HIWORD(wParam)) : ""; !entry.empty()) log.push_back(entry);
    return TRUE;
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
  {
    *result = 0;
    if (const std::string entry = onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : ""; !entry.empty()) {
      log.push_back(entry);
    }
    return TRUE;
  }
};

class ListInput : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    ASSERT_TRUE(parent.CreateEx(0, "Parent", "parent", WS_POPUP | WS_VISIBLE, CRect(20, 20, 620, 460), nullptr, 0));
  }
  void TearDown() override { vetra::ui::ResetForTests(); }

  // Each step is a key chord, or "type X" for a typed character.
  static void Keys(const std::vector<std::string>& steps)
  {
    for (const std::string& step : steps) {
      if (step.rfind("type ", 0) == 0) vetra::ui::Type(step.substr(5));
      else vetra::ui::PressKeys(step);
    }
  }
  static void Wheel(CWnd& wnd, POINT at, int notchesTowardsTheUser)
  {
    wnd.ClientToScreen(&at);
    vetra::ui::InjectWheel(at, -notchesTowardsTheUser * WHEEL_DELTA);
    vetra::ui::Pump();
  }

  Parent parent;
};

TEST_F(ListInput, ListBoxMovesItsChoiceByKeyScrollsByWheelAndReportsDoubleClicks)
{
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, CRect(10, 10, 210, 10), &parent, 238));
  const int h = list.GetItemHeight();
  list.MoveWindow(10, 10, 200, 4 * h + 2);  // four rows in view
  for (const char* name : kNames) list.AddString(name);
  parent.onCommand = [&](UINT code) {
    if (code == LBN_SELCHANGE) return vetra::Format("selchange %d", list.GetCurSel());
    if (code == LBN_DBLCLK) return vetra::Format("dblclk %d", list.GetCurSel());
    return std::string();
  };
  vetra::ui::Click(list, {20, h / 2});
  Keys({"down", "end", "home", "pagedown", "up", "type g", "type G", "type z", "type b"});
  EXPECT_EQ(parent.log, (MessageLog{"selchange 0", "selchange 1", "selchange 9", "selchange 0", "selchange 4",
                                    "selchange 3", "selchange 6", "selchange 1"}));
  EXPECT_EQ(list.GetTopIndex(), 1);

  // Three rows a notch, the last page staying full.
  const struct { int notches; int top; } turns[] = {{1, 4}, {5, 6}, {-1, 3}, {-4, 0}};
  for (const auto& t : turns) {
    Wheel(list, {20, 5}, t.notches);
    EXPECT_EQ(list.GetTopIndex(), t.top) << t.notches;
  }

  parent.log.clear();
  vetra::ui::AdvanceClock(1000);
  vetra::ui::Click(list, {20, 2 * h + h / 2});
  vetra::ui::Click(list, {20, 2 * h + h / 2});
  EXPECT_EQ(parent.log, (MessageLog{"selchange 2", "dblclk 2"}));
}

TEST_F(ListInput, ListViewMovesItsSelectionByKeyAndScrollsByWheel)
{
  CListCtrl view;
  ASSERT_TRUE(view.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL, CRect(10, 10, 410, 10), &parent, 1125));
  view.InsertColumn(0, "name", LVCFMT_LEFT, 200);
  view.MoveWindow(10, 10, 400, view.HeaderHeight() + 4 * view.RowHeight() + 2);
  for (int i = 0; i < 10; ++i) view.InsertItem(i, kNames[i]);
  parent.onNotify = [&](NMHDR* header) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    return header->code == LVN_ITEMCHANGED && (change->uNewState & LVIS_SELECTED)
               ? vetra::Format("selected %d", change->iItem)
               : std::string();
  };
  vetra::ui::Click(view, {20, view.HeaderHeight() + view.RowHeight() / 2});
  Keys({"down", "end", "home", "pagedown", "type h", "type a", "type q"});
  EXPECT_EQ(parent.log, (MessageLog{"selected 0", "selected 1", "selected 9", "selected 0", "selected 4",
                                    "selected 7", "selected 0"}));
  Wheel(view, {20, 40}, 2);
  EXPECT_EQ(view.GetTopIndex(), 6);
  Wheel(view, {20, 40}, -1);
  EXPECT_EQ(view.GetTopIndex(), 3);
}

TEST_F(ListInput, DroppedComboListFollowsKeysAndWheel)
{
  const char* names[] = {"", "selchange", "", "", "", "", "", "dropdown", "closeup", "selendok", "selendcancel"};
  for (const DWORD kind : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
    SCOPED_TRACE(kind == CBS_DROPDOWN ? "with an edit field" : "with a chosen row");
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | WS_VSCROLL | kind, CRect(10, 10, 110, 100), &parent, 226));
    for (const char* name : kNames) combo.AddString(name);
    parent.log.clear();
    parent.onCommand = [&](UINT code) {
      return code < 11 && *names[code] ? vetra::Format("%s %d", names[code], combo.GetCurSel()) : std::string();
    };
    combo.SetFocus();
    // Closed, the arrows choose; F4 drops the list, where the keys move the choice, and Return
    // closes it on the row they reached.
    Keys({"down", "down", "f4"});
    ASSERT_NE(combo.GetDroppedList(), nullptr);
    CRect field, list;
    combo.GetClientRect(&field);
    combo.GetDroppedList()->GetClientRect(&list);
    const int page = list.Height() / (field.Height() - 8);  // the field is a row and 8 pixels high
    Keys({"end", "home", "pagedown", "up", "return"});
    EXPECT_EQ(parent.log, (MessageLog{"selchange 0", "selchange 1", "dropdown 1", "selchange 9", "selchange 0",
                                      vetra::Format("selchange %d", page), vetra::Format("selchange %d", page - 1),
                                      vetra::Format("selendok %d", page - 1), vetra::Format("closeup %d", page - 1)}));
    EXPECT_EQ(combo.GetDroppedList(), nullptr);
    if (kind == CBS_DROPDOWNLIST) {
      parent.log.clear();
      Keys({"type j", "type c"});
      EXPECT_EQ(parent.log, (MessageLog{"selchange 9", "selchange 2"}));
    }

    // The wheel scrolls the dropped list three rows a notch; a click then takes the row under it.
    combo.SetCurSel(0);
    combo.ShowDropDown(TRUE);
    CWnd* dropped = combo.GetDroppedList();
    ASSERT_NE(dropped, nullptr);
    Wheel(*dropped, {10, 3}, 1);
    vetra::ui::Click(*dropped, {10, 3});
    EXPECT_EQ(combo.GetCurSel(), 3);
    combo.DestroyWindow();
  }
}

}  // namespace

TEST_F(ListInput, ArrowsInAListWithNothingChosenChooseTheFirstRow)
{
  for (const char* key : {"down", "up"}) {
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 10, 210, 110), &parent, 238));
    for (const char* name : kNames) list.AddString(name);
    list.SetFocus();
    Keys({key});
    EXPECT_EQ(list.GetCurSel(), 0) << "list box, " << key;

    CListCtrl view;
    ASSERT_TRUE(view.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, CRect(220, 10, 420, 110), &parent, 1125));
    view.InsertColumn(0, "name", LVCFMT_LEFT, 150);
    for (int i = 0; i < 10; ++i) view.InsertItem(i, kNames[i]);
    view.SetFocus();
    Keys({key});
    EXPECT_EQ(view.GetNextItem(-1, LVNI_SELECTED), 0) << "list view, " << key;
  }
}
