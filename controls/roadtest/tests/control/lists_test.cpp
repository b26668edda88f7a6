// The item lists, the scale combos and the cursor spin as the user works them.
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/morvit_identity.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "platform/base/text.h"

namespace morvit::testing {
namespace {

class ListsTest : public ControlTest {
protected:
  void SetUp() override
  {
    ControlTest::SetUp();
    PutRecording("l.RES");
    Open("l.RES");
  }
  void ClickRow(win::CListBox& list, int row)
  {
    const int height = list.GetItemHeight(0);
    vetra::ui::Click(list, {20, (row - list.GetTopIndex()) * height + height / 2});
    vetra::ui::AdvanceClock(1000);  // the next click is not a double click
  }
};

TEST_F(ListsTest, TheItemListShowsEveryListedChannelWithTheShownOnesSelected)
{
  const RoadState& s = control->Model().State();
  win::CListBox& list = *control->ItemList();
  ASSERT_EQ(list.GetCount(), static_cast<int>(s.listChannels.size()));
  std::string text;
  list.GetText(0, text);
  EXPECT_EQ(text, ItemRowText(s.recording.channels[static_cast<std::size_t>(s.listChannels[0])]));
  for (int row = 0; row < list.GetCount(); ++row) EXPECT_EQ(list.GetSel(row) > 0, s.shown.Contains(row)) << row;
  EXPECT_TRUE(list.IsWindowVisible());
  EXPECT_FALSE(control->AnalysisList()->IsWindowVisible());
}

TEST_F(ListsTest, ClickingRowsShowsAndHidesItemsAndANinthIsDeselectedAgain)
{
  win::CListBox& list = *control->ItemList();
  const RoadState& s = control->Model().State();
  const int first = s.shown.Rows().front();
  ClickRow(list, first);
  EXPECT_FALSE(s.shown.Contains(first));
  EXPECT_EQ(list.GetSel(first), 0);
  ClickRow(list, first);
  EXPECT_TRUE(s.shown.Contains(first));
  EXPECT_EQ(s.shown.Rows().back(), first);  // a row added again comes last
  if (s.shown.Count() == kMaxShownItems && list.GetCount() > kMaxShownItems) {
    int extra = 0;
    while (s.shown.Contains(extra)) ++extra;
    ClickRow(list, extra);
    EXPECT_FALSE(s.shown.Contains(extra));
    EXPECT_EQ(list.GetSel(extra), 0);
    EXPECT_EQ(MessageTexts().back(), vetra::Cp949("8개 항목까지만 선택 할 수 있습니다."));
  }
}

TEST_F(ListsTest, TheScaleComboOffersTheScalesOfTheRecordAndRefusesTheLongOnesForSampleData)
{
  win::CComboBox& combo = *control->ScaleCombo();
  ASSERT_EQ(combo.GetCount(), 10);  // record-length code 5 keeps "1:500"
  std::string text;
  combo.GetLBText(0, text);
  EXPECT_EQ(text, vetra::Cp949("전체화면"));
  const auto closeUp = [&](int entry) {
    combo.SetCurSel(entry);
    control->SendMessage(win::WM_COMMAND, win::MAKELONG(kIdScaleCombo, win::CBN_CLOSEUP), reinterpret_cast<win::LPARAM>(combo.m_hWnd));
  };
  closeUp(4);
  EXPECT_EQ(control->Model().State().page.scale, 10);
  closeUp(7);  // 1:100 is refused for the one-second sample recording
  EXPECT_EQ(control->Model().State().page.scale, 10);
  EXPECT_EQ(combo.GetCurSel(), 4);
  EXPECT_EQ(MessageTexts().back(), vetra::Cp949("샘플 데이터에서는 지원되지 않는 배율입니다."));
}

TEST_F(ListsTest, TheCursorSpinMovesCursorAOneColumnAStep)
{
  win::CSpinButtonCtrl& spin = *control->CursorSpin();
  ASSERT_EQ(spin.GetPos(), control->Model().State().page.cursorA);
  const int before = control->Model().State().page.cursorA;
  win::CRect r;
  spin.GetClientRect(&r);
  vetra::ui::Click(spin, {r.right - 3, r.bottom / 2});
  EXPECT_EQ(control->Model().State().page.cursorA, before + 1);
  vetra::ui::Click(spin, {3, r.bottom / 2});
  vetra::ui::Click(spin, {3, r.bottom / 2});
  EXPECT_EQ(control->Model().State().page.cursorA, before - 1);
}

TEST_F(ListsTest, TheZoomViewSwapsTheItemListForItsTwoLists)
{
  ClickButton(SkinButton::Zoom);
  vetra::ui::Pump();
  EXPECT_FALSE(control->ItemList()->IsWindowVisible());
  EXPECT_TRUE(control->ZoomItemList()->IsWindowVisible());
  EXPECT_FALSE(control->AnalysisList()->IsWindowVisible());
  for (int row : control->Model().State().analysis.Rows()) EXPECT_GT(control->AnalysisList()->GetSel(row), 0) << row;
  ClickRow(*control->ZoomItemList(), 1);
  EXPECT_EQ(control->Model().State().zoomItem, 1);
  vetra::ui::Click(*control, {800, 295});  // the analysis item button
  vetra::ui::Pump();
  EXPECT_TRUE(control->AnalysisList()->IsWindowVisible());
  EXPECT_FALSE(control->ZoomItemList()->IsWindowVisible());
  EXPECT_TRUE(control->ZoomScaleCombo()->IsWindowVisible());
}

}  // namespace
}  // namespace morvit::testing
