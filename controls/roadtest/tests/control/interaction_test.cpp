// Playback, cursors, measurement and the zoom view through the control's surface.
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/report_texts.h"
#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "controls/roadtest/windows/wave_move_dlg.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ui/script.h"

#include <cstdlib>

namespace morvit::testing {
namespace {

class InteractionTest : public ControlTest {
protected:
  void SetUp() override
  {
    ControlTest::SetUp();
    PutRecording("play.RES");  // 50,000 samples
    Open("play.RES");
    ASSERT_TRUE(control->Model().State().loaded);
  }
  bool Drew(const std::string& text)
  {
    for (const auto& call : log.Find("TextOut")) {
      if (call.text == text) return true;
    }
    return false;
  }
  void Repaint()
  {
    log.Log().Clear();
    control->Invalidate(win::FALSE);
    control->UpdateWindow();
  }
  vetra::gdi::ScopedDrawLog log;
};

TEST_F(InteractionTest, PlayMovesThePageEveryTickUntilStoppedAndDoesNothingInTheFullView)
{
  ClickButton(SkinButton::Play);
  EXPECT_EQ(control->Model().State().play, PlayState::Stopped);  // the full view has nothing to page
  control->OnScaleCloseUp(4);  // 1:10
  const std::int64_t start = control->Model().State().page.start;
  ClickButton(SkinButton::Play);
  ASSERT_EQ(control->Model().State().play, PlayState::Forward);
  // Layout button 2 is disabled while playing, and the display scale cannot change.
  EXPECT_EQ(control->Buttons().State(SkinButton::Layout2), kDisabled);
  EXPECT_FALSE(control->ScaleCombo()->IsWindowEnabled());
  vetra::ui::AdvanceClock(3 * CMorvitCtrl::kPlaybackMs);
  EXPECT_EQ(control->Model().State().page.start, std::min<std::int64_t>(start + 3 * kPlayStep * 10, 50'000 - 700 * 10));
  EXPECT_EQ(control->TimeScrollBar()->GetScrollPos(), (control->Model().State().page.cursorA * 10 + control->Model().State().page.start) / 100);
  ClickButton(SkinButton::Stop);
  const std::int64_t stopped = control->Model().State().page.start;
  vetra::ui::AdvanceClock(500);
  EXPECT_EQ(control->Model().State().page.start, stopped);
  EXPECT_EQ(control->Buttons().State(SkinButton::Layout2), kNormal);
  EXPECT_TRUE(control->ScaleCombo()->IsWindowEnabled());
}

// The second press of a double click is a double click, which the drawn buttons do not take:
// playback that the first press started goes on.
TEST_F(InteractionTest, ADoubleClickOnPlayStartsPlaybackOnce)
{
  control->OnScaleCloseUp(4);
  const win::RECT& r = PlaceOf(SkinButton::Play).hot;
  const win::POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  vetra::ui::Click(*control, at);
  vetra::ui::Click(*control, at);
  vetra::ui::AdvanceClock(2 * CMorvitCtrl::kPlaybackMs);
  EXPECT_EQ(control->Model().State().play, PlayState::Forward);
}

TEST_F(InteractionTest, ASecondStartStopsPlaybackAndReusesTheChildWindows)
{
  control->OnScaleCloseUp(4);
  ClickButton(SkinButton::Play);
  ASSERT_EQ(control->Model().State().play, PlayState::Forward);
  win::CListBox* list = control->ItemList();
  const std::size_t children = control->GetChildren().size();
  PutRecording("play.RES");
  Open("play.RES");
  EXPECT_EQ(control->Model().State().play, PlayState::Stopped);
  const std::int64_t start = control->Model().State().page.start;
  vetra::ui::AdvanceClock(500);
  EXPECT_EQ(control->Model().State().page.start, start);
  EXPECT_EQ(control->ItemList(), list);
  EXPECT_EQ(control->GetChildren().size(), children);
  EXPECT_EQ(control->ScaleCombo()->GetCurSel(), 0);
}

TEST_F(InteractionTest, ClicksPlaceTheCursorsAndARightClickShowsTheMeasurement)
{
  vetra::ui::ClickAlone(*control, {216, 300});
  EXPECT_EQ(control->Model().State().page.cursorA, 200);
  Repaint();
  EXPECT_EQ(control->CursorTimeText()->GetWindowText(), control->Model().CursorTimeLabel(true));
  EXPECT_NE(control->CursorTimeText()->GetWindowText().find(vetra::Cp949("초")), std::string::npos);
  EXPECT_FALSE(log.Find("TextOut").empty());
  EXPECT_FALSE(Drew("B"));
  // A click outside the graph moves nothing.
  vetra::ui::ClickAlone(*control, {10, 300});
  EXPECT_EQ(control->Model().State().page.cursorA, 200);

  vetra::ui::ClickAlone(*control, {416, 300}, 1);
  ASSERT_TRUE(control->Model().State().measureOn);
  EXPECT_EQ(control->Model().State().page.cursorB, 400);
  EXPECT_EQ(control->Buttons().State(SkinButton::Play), kDisabled);
  Repaint();
  EXPECT_TRUE(Drew("B"));
  EXPECT_TRUE(Drew(CursorTimeDifferenceText(control->Model().CursorTime())));
  if (const char* shot = std::getenv("MORVIT_MEASURE_SCREENSHOT")) { EXPECT_TRUE(vetra::ui::WriteScreenshot(shot, true)); }
  // A second right click ends the measurement and enables playback again.
  vetra::ui::ClickAlone(*control, {416, 300}, 1);
  EXPECT_FALSE(control->Model().State().measureOn);
  EXPECT_EQ(control->Buttons().State(SkinButton::Play), kNormal);
}

TEST_F(InteractionTest, EveryMeasurementBlockShowsItsFourRowsInsideIt)
{
  // The cell height of the panel's font as the paint selected it.
  const auto cellHeight = [](long long lfHeight) {
    win::CDC probe;
    probe.CreateCompatibleDC(nullptr);
    win::CFont font;
    font.CreateFont(static_cast<int>(lfHeight), 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, vetra::Cp949("굴림").c_str());
    win::CFont* old = probe.SelectObject(&font);
    win::TEXTMETRIC metrics{};
    probe.GetTextMetrics(&metrics);
    probe.SelectObject(old);
    return static_cast<long long>(metrics.tmHeight);
  };
  const struct {
    int items;
    bool zoomView;
    bool fullSize;  // the rows a text line plus 9 pixels apart in the 11-point font
  } cases[] = {{4, false, true}, {5, false, false}, {6, false, false}, {8, false, false}, {4, true, false}, {6, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.items << (c.zoomView ? " under the zoom panel" : " in the normal view"));
    if (control->Model().State().zoomMode) ClickButton(SkinButton::Zoom);
    if (control->Model().State().measureOn) vetra::ui::Click(*control, {416, 300}, 1);
    ShowRows(c.items);
    while (control->Model().State().shown.Count() > c.items) {
      std::vector<int> rows = control->Model().State().shown.Rows();
      rows.pop_back();
      control->OnItemListSelChange(rows);
    }
    if (c.zoomView) ClickButton(SkinButton::Zoom);
    vetra::ui::Click(*control, {416, 400}, 1);
    ASSERT_TRUE(control->Model().State().measureOn);
    Repaint();
    std::vector<long long> cursorRows;
    std::vector<long long> dutyRows;
    long long fontHeight = 0;
    long long panelFont = 0;
    for (const auto& call : log.Calls()) {
      if (call.op == "SelectFont" && !call.args.empty()) fontHeight = call.args[0];
      if (call.op != "TextOut") continue;
      if (call.text.starts_with(vetra::Cp949("커서 A:"))) {
        cursorRows.push_back(call.args[1]);
        panelFont = fontHeight;
      }
      if (call.text.starts_with(vetra::Cp949("듀티(+)"))) dutyRows.push_back(call.args[1]);
    }
    ASSERT_EQ(static_cast<int>(cursorRows.size()), c.items);
    ASSERT_EQ(static_cast<int>(dutyRows.size()), c.items);
    const long long text = cellHeight(panelFont);
    const int block = ((c.zoomView ? 403 : 545) - 5 * c.items) / c.items;
    for (int k = 0; k < c.items; ++k) {
      const long long top = 3 + k * (block + 5);
      const auto at = static_cast<std::size_t>(k);
      // The texts stand on the block's dark rectangle, (top + 5) to (top + block - 5), one row
      // clear of the next.
      EXPECT_GE(cursorRows[at], top + 5) << k;
      EXPECT_LE(dutyRows[at] + text, top + block - 5) << k;
      EXPECT_GE(dutyRows[at] - cursorRows[at], 3 * text) << k;
      if (c.fullSize) { EXPECT_EQ(dutyRows[at] - cursorRows[at], 3 * (text + 9)) << k; }
    }
  }
}

TEST_F(InteractionTest, TheZoomViewAsksForAnItemThenDrawsItAboveTheLowerGraphs)
{
  const int shown = control->Model().State().shown.Count();
  ClickButton(SkinButton::Zoom);
  ASSERT_TRUE(control->Model().State().zoomMode);
  EXPECT_EQ(control->Model().State().analysis.Count(), std::min(shown, kMaxAnalysisItems));
  if (shown > kMaxAnalysisItems) { EXPECT_EQ(MessageTexts().size(), 1u); }
  EXPECT_EQ(control->Buttons().State(SkinButton::Layout1), kDisabled);
  Repaint();
  EXPECT_TRUE(Drew(NoZoomChannelText()));

  const int row = control->Model().State().analysis.Rows().front();
  control->OnZoomItemListSelChange(row);
  Repaint();
  EXPECT_FALSE(Drew(NoZoomChannelText()));
  const ChannelRecord& channel = control->Model().State().recording.channels[static_cast<std::size_t>(control->Model().State().ChannelOfRow(row))];
  // The panel's item and the same item as a lower graph.
  int headings = 0;
  for (const auto& call : log.Find("TextOut")) headings += call.text == channel.code + "   " + channel.name ? 1 : 0;
  EXPECT_EQ(headings, 2);
  if (const char* shot = std::getenv("MORVIT_ZOOM_SCREENSHOT")) { EXPECT_TRUE(vetra::ui::WriteScreenshot(shot, true)); }

  ClickButton(SkinButton::Zoom);
  EXPECT_FALSE(control->Model().State().zoomMode);
}

TEST_F(InteractionTest, EachShownRowHasARemoveButtonBesideIt)
{
  Repaint();
  const int shown = control->Model().State().shown.Count();
  ASSERT_GT(shown, 1);
  win::CBitmapButton* first = control->RemoveButton(0);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->IsWindowVisible());
  if (shown < kMaxShownItems) { EXPECT_FALSE(control->RemoveButton(shown)->IsWindowVisible()); }
  win::CRect place;
  first->GetWindowRect(&place);
  control->ScreenToClient(&place);
  EXPECT_EQ(place.left, 738);
  EXPECT_EQ(place.top, ParallelRow(0, control->Model().State().graphHeight).top + control->Model().State().graphHeight / 2);
  const int second = control->Model().State().shown.Rows()[1];
  vetra::ui::Click(*first, {3, 3});
  EXPECT_EQ(control->Model().State().shown.Count(), shown - 1);
  EXPECT_EQ(control->Model().State().shown.Rows().front(), second);
  // The zoom view keeps button 237 for the panel's item.
  ClickButton(SkinButton::Zoom);
  Repaint();
  EXPECT_FALSE(control->RemoveButton(0)->IsWindowVisible());
  EXPECT_TRUE(control->RemoveButton(1)->IsWindowVisible());
}

TEST_F(InteractionTest, TheOverlapLayoutDrawsOneGraphWithALegendAndMovesCurvesByTheirOffsets)
{
  ClickButton(SkinButton::Layout2);
  ASSERT_EQ(control->Model().State().layoutMode, kLayoutOverlap);
  EXPECT_EQ(control->Buttons().State(SkinButton::Layout1), kNormal);
  Repaint();
  const auto polylines = log.Find("Polyline");
  EXPECT_EQ(static_cast<int>(polylines.size()), control->Model().State().shown.Count());
  // The waveform position refuses the full view.
  ClickButton(SkinButton::Layout2);
  EXPECT_EQ(MessageTexts().back(), vetra::Cp949("전체 화면이나 1:500 배율에서는  파형위치를  조정할수 없습니다."));
  // At 1:10 the dialog opens; two steps down move the first item's curve by 2 pixels.
  control->OnScaleCloseUp(4);
  const auto scroll = [](win::UINT code) {
    win::CWnd* dialog = win::CWnd::GetActiveWindow();
    win::CWnd* bar = dialog->GetDlgItem(211);
    dialog->SendMessage(win::WM_VSCROLL, code, reinterpret_cast<win::LPARAM>(bar->m_hWnd));
  };
  std::vector<std::string> offered;
  vetra::ui::WhenIdle([&] {
    auto* list = static_cast<win::CListBox*>(win::CWnd::GetActiveWindow()->GetDlgItem(CWaveMoveDlg::kListId));
    for (int k = 0; k < list->GetCount(); ++k) {
      std::string text;
      list->GetText(k, text);
      offered.push_back(text);
    }
    scroll(win::SB_LINEDOWN);
  });
  vetra::ui::WhenIdle([&] { scroll(win::SB_PAGEDOWN); });
  // The item list has the keyboard from the start: Down and Up choose with it at once.
  int focused = 0, afterDown = -1;
  vetra::ui::WhenIdle([&] {
    focused = win::CWnd::GetFocus() ? win::CWnd::GetFocus()->GetDlgCtrlID() : 0;
    vetra::ui::PressKeys("down");
    afterDown = static_cast<win::CListBox*>(win::CWnd::GetActiveWindow()->GetDlgItem(CWaveMoveDlg::kListId))->GetCurSel();
    vetra::ui::PressKeys("up");
  });
  vetra::ui::WhenIdle([&] {
    win::CWnd* dialog = win::CWnd::GetActiveWindow();
    dialog->PostMessage(win::WM_LBUTTONDOWN, 0, win::MAKELPARAM(175, 230));
    dialog->PostMessage(win::WM_LBUTTONUP, 0, win::MAKELPARAM(20, 20));
  });
  ClickButton(SkinButton::Layout2);
  const int first = control->Model().State().ChannelOfRow(control->Model().State().shown.Rows().front());
  EXPECT_EQ(control->Offsets()[static_cast<std::size_t>(first)], 2);
  EXPECT_EQ(focused, CWaveMoveDlg::kListId);
  EXPECT_EQ(afterDown, offered.size() > 1 ? 1 : 0);
  ASSERT_EQ(static_cast<int>(offered.size()), control->Model().State().shown.Count());
  EXPECT_EQ(offered.front(), control->Model().State().recording.channels[static_cast<std::size_t>(first)].name);
  ClickButton(SkinButton::Layout1);
  EXPECT_EQ(control->Model().State().layoutMode, kLayoutParallel);
}

}  // namespace
}  // namespace morvit::testing
