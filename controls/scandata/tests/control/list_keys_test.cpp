// The item lists and the chooser from the keyboard: a click gives a list the focus, the arrow,
// page, Home and End keys move its selection and keep it in view, Return and Space act on the
// selected row as the mouse does, and Tab goes from list to list.
#include <string>

#include "controls/scandata/tests/control/control_fixture.h"
#include "platform/base/text.h"
#include "platform/ui/message_box.h"
#include "platform/ui/testing.h"

namespace quarnel::testing {
namespace {

bool Focused(const CTableListWnd& list) { return win::GetFocus() == list.m_hWnd; }

void ExpectSelectedAndShown(const CTableListWnd& list, int row, const std::string& step)
{
  EXPECT_EQ(list.Selection(), row) << step;
  EXPECT_LE(list.TopRow(), row) << step;
  EXPECT_LT(row, list.TopRow() + list.VisibleRows()) << step;
}

TEST_F(ControlTest, TextViewListsMoveTheirSelectionByKeyAndMoveRowsByReturn)
{
  LoadSample(SampleOptions(30, 300));
  ClickAt(120, 80);  // graph/text: the text view
  CTableListWnd& upper = *control->UpperList();
  CTableListWnd& lower = *control->LowerList();
  ASSERT_EQ(lower.RowCount(), 22);
  const int page = lower.VisibleRows();
  ASSERT_GT(page, 2);
  ASSERT_LT(page, 22);

  vetra::ui::Click(lower, lower.CellPoint(0, 1));  // a click on a text selects and moves nothing
  ASSERT_TRUE(Focused(lower));
  const struct { const char* key; int row; } steps[] = {
      {"down", 1}, {"end", 21}, {"up", 20}, {"home", 0}, {"pagedown", page}, {"pagedown", 2 * page},
      {"pageup", page}, {"up", page - 1}, {"end", 21}, {"down", 21}, {"home", 0}, {"up", 0}};
  for (const auto& step : steps) {
    vetra::ui::PressKeys(step.key);
    ExpectSelectedAndShown(lower, step.row, step.key);
  }
  EXPECT_EQ(upper.RowCount(), 8);

  // Tab goes from one list to the other and back; Shift+Tab the other way round.
  vetra::ui::PressKeys("tab");
  EXPECT_TRUE(Focused(upper));
  vetra::ui::PressKeys("shift+tab");
  EXPECT_TRUE(Focused(lower));
  vetra::ui::PressKeys("tab");
  ASSERT_TRUE(Focused(upper));

  // Return moves the selected row to the other list, as a double click on its text does.
  vetra::ui::PressKeys("down");
  ASSERT_EQ(upper.Selection(), 0);
  vetra::ui::PressKeys("return");
  ASSERT_EQ(upper.RowCount(), 7);
  EXPECT_EQ(lower.RowCount(), 23);
  vetra::ui::PressKeys("tab");
  ASSERT_TRUE(Focused(lower));
  vetra::ui::PressKeys("end");
  vetra::ui::PressKeys("return");
  ASSERT_EQ(upper.RowCount(), 8);
  EXPECT_EQ(upper.Rows()[7].image, 1);

  // A ninth graph item is refused with the message the mouse gets.
  vetra::ui::QueueMessageBoxAnswer(win::IDOK);
  vetra::ui::PressKeys("home");
  vetra::ui::PressKeys("return");
  EXPECT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(upper.RowCount(), 8);
}

// The choice in a list belongs to its item: it stays with the item when rows come and go around
// it, and goes when the item's own row is deleted.
TEST_F(ControlTest, AListsChoiceStaysWithItsItemThroughMoves)
{
  LoadSample(SampleOptions(12, 300));  // items 4..11 on the graph, 0..3 below
  ClickAt(120, 80);                    // the text view
  CTableListWnd& upper = *control->UpperList();
  CTableListWnd& lower = *control->LowerList();
  const auto idOfRow = [&](const CTableListWnd& list, int row) {
    for (int id = 0; id < 12; ++id) {
      if (list.Rows()[static_cast<std::size_t>(row)].texts[1] == control->Model().ItemName(id)) return id;
    }
    return -1;
  };
  vetra::ui::Click(upper, upper.CellPoint(7, 0));  // item 11 goes below, after item 3
  ASSERT_EQ(idOfRow(lower, 4), 11);
  vetra::ui::Click(lower, lower.CellPoint(4, 1));  // item 11 chosen
  vetra::ui::Click(upper, upper.CellPoint(0, 0));  // item 4 goes below, before item 11
  EXPECT_EQ(upper.Selection(), -1);                // its row went, and its choice with it
  ASSERT_EQ(idOfRow(lower, 4), 4);
  ASSERT_EQ(lower.Selection(), 5);
  EXPECT_EQ(idOfRow(lower, 5), 11);
  vetra::ui::PressKeys("tab");
  ASSERT_TRUE(Focused(lower));
  vetra::ui::PressKeys("return");  // the chosen item goes back onto the graph
  EXPECT_EQ(control->Model().State().orders.Shown().back(), 11);
  EXPECT_EQ(lower.Selection(), -1);
}

// A list shows its vertical scroll bar only while its rows do not fit.
TEST_F(ControlTest, TextViewListsShowAScrollBarOnlyWhenTheirRowsDoNotFit)
{
  const struct {
    int items;
    bool upperBar, lowerBar;
  } cases[] = {{3, false, false}, {12, false, false}, {30, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    LoadSample(SampleOptions(c.items, 300));
    if (control->Model().State().view != View::text) ClickAt(120, 80);
    for (const auto& [list, wanted] : {std::pair{control->UpperList(), c.upperBar}, std::pair{control->LowerList(), c.lowerBar}}) {
      const win::CScrollBar* bar = list->VerticalBar();
      ASSERT_NE(bar, nullptr);
      EXPECT_EQ(bar->IsWindowVisible() != win::FALSE, wanted);
      if (wanted) { EXPECT_TRUE(bar->IsWindowEnabled()); }
    }
  }
}

TEST_F(ControlTest, TheChooserMovesByKeyAndSetsOrClearsTheMarkBySpaceAndReturn)
{
  LoadSample(SampleOptions(10, 300));
  ClickAt(300, 80);  // item/value: the chooser
  CTableListWnd& chooser = *control->ChooserList();
  ASSERT_TRUE(chooser.IsWindowVisible());
  // The control takes the focus with a click, and Tab hands it to the chooser.
  ClickAt(400, 400);
  vetra::ui::PressKeys("tab");
  ASSERT_TRUE(Focused(chooser));

  const auto marked = [&](int row) { return chooser.Rows()[static_cast<std::size_t>(row)].texts[0].starts_with(vetra::Cp949("★ ")); };
  vetra::ui::PressKeys("down");  // moving marks nothing
  vetra::ui::PressKeys("down");
  EXPECT_EQ(chooser.Selection(), 1);
  EXPECT_EQ(control->Model().State().ShownCount(), 8);
  vetra::ui::PressKeys("space");
  EXPECT_FALSE(marked(1));
  EXPECT_EQ(control->Model().State().ShownCount(), 7);
  vetra::ui::PressKeys("end");
  vetra::ui::PressKeys("return");
  EXPECT_TRUE(marked(9));
  EXPECT_EQ(control->Model().State().ShownCount(), 8);
  EXPECT_EQ(chooser.Selection(), 9);
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
}

}  // namespace
}  // namespace quarnel::testing
