#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/gdi/display.h"
#include "platform/ui/bitmap_resources.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/static.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/notify.h"
#include "platform/ui/paint.h"
#include "platform/ui/progress.h"
#include "platform/ui/spin.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"  // MessageLog
#include "platform/ui/tests/window_fixture.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;

// A parent that logs what its controls tell it, and what they hold at that moment.
class Parent : public CWnd {
public:
  explicit Parent(MessageLog& log) : m_log(log) {}
  BOOL CreateTop(RECT rect) { return CreateEx(0, "Parent", "parent", WS_POPUP | WS_VISIBLE, rect, nullptr, 0); }

  std::function<std::string(UINT code)> onCommand;  // what to log for a notification; empty logs nothing
  std::function<LRESULT(NMHDR*)> onNotify;
  HBRUSH brush = nullptr;  // given to list boxes, edits and statics

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override
  {
    if (onCommand) {
      const std::string entry = onCommand(HIWORD(wParam));
      if (!entry.empty()) m_log.push_back(entry);
    }
    return TRUE;
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
  {
    *result = onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : 0;
    return TRUE;
  }
  void OnHScroll(UINT code, UINT pos, CScrollBar*) override
  {
    m_log.push_back(vetra::Format("scroll %u,%d", code, static_cast<short>(pos)));
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) override
  {
    if ((kind == CTLCOLOR_LISTBOX || kind == CTLCOLOR_EDIT || kind == CTLCOLOR_STATIC) && brush) {
      dc->SetTextColor(RGB(0, 0, 0));
      dc->SetBkColor(RGB(209, 222, 230));
      return brush;
    }
    return CWnd::OnCtlColor(dc, control, kind);
  }

private:
  MessageLog& m_log;
};

class Lists : public vetra::ui::testing::WindowFixture {
protected:
  void SetUp() override
  {
    WindowFixture::SetUp();
    ASSERT_TRUE(parent.CreateTop(CRect(20, 20, 620, 460)));
  }
  Parent parent{log};
};

int ControlLineHeightForTests(const CWnd& control)
{
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(control.GetFont());
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  return tm.tmHeight;
}

std::string Selection(const CListBox& list)
{
  std::string marks;
  for (int i = 0; i < list.GetCount(); ++i) marks += list.GetSel(i) > 0 ? '*' : '.';
  return marks;
}

TEST_F(Lists, MultipleSelectionTellsTheParentAfterEachClickButNotAfterSetSel)
{
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                          CRect(10, 10, 210, 210), &parent, 232));
  for (const char* text : {"RPM  engine", "TPS  throttle", "MAP  manifold"}) list.AddString(text);
  parent.onCommand = [&](UINT code) {
    return code == LBN_SELCHANGE ? vetra::Format("selchange %s", Selection(list).c_str()) : std::string();
  };
  const int h = list.GetItemHeight();
  auto clickRow = [&](int row) { vetra::ui::Click(list, {40, row * h + h / 2}); };

  clickRow(1);
  vetra::ui::AdvanceClock(1000);  // no double click
  clickRow(2);
  vetra::ui::AdvanceClock(1000);
  clickRow(1);
  list.SetSel(0, TRUE);
  list.SetSel(2, FALSE);
  EXPECT_EQ(log, (MessageLog{"selchange .*.", "selchange .**", "selchange ..*"}));
  EXPECT_EQ(Selection(list), "*..");
  EXPECT_EQ(list.GetSelCount(), 1);
}

TEST_F(Lists, SingleSelectionListKeepsItsChoiceThroughEdits)
{
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, CRect(10, 10, 210, 110), &parent, 238));
  parent.onCommand = [&](UINT code) {
    return code == LBN_SELCHANGE ? vetra::Format("selchange %d", list.GetCurSel()) : std::string();
  };
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  for (const char* text : {"a", "b", "c"}) list.AddString(text);
  list.SetCurSel(1);
  const struct {
    const char* what;
    std::function<void()> edit;
    int cur;
    const char* texts;
  } cases[] = {
      {"insert before", [&] { list.InsertString(0, "z"); }, 2, "zabc"},
      {"append", [&] { list.InsertString(-1, "d"); }, 2, "zabcd"},
      {"delete before", [&] { list.DeleteString(0); }, 1, "abcd"},
      {"delete the chosen row", [&] { list.DeleteString(1); }, -1, "acd"},
      {"delete past the end", [&] { EXPECT_EQ(list.DeleteString(9), LB_ERR); }, -1, "acd"},
      {"choose out of range", [&] { EXPECT_EQ(list.SetCurSel(7), LB_ERR); }, -1, "acd"},
      {"reset", [&] { list.ResetContent(); }, -1, ""},
  };
  for (const auto& c : cases) {
    c.edit();
    std::string texts;
    for (int i = 0; i < list.GetCount(); ++i) {
      std::string text;
      list.GetText(i, text);
      texts += text;
    }
    EXPECT_EQ(list.GetCurSel(), c.cur) << c.what;
    EXPECT_EQ(texts, c.texts) << c.what;
  }
  EXPECT_TRUE(log.empty());  // the program's changes tell nobody
  list.AddString("x");
  list.AddString("y");
  vetra::ui::Click(list, {20, list.GetItemHeight() + 2});
  vetra::ui::AdvanceClock(1000);
  vetra::ui::Click(list, {20, list.GetItemHeight() + 2});  // the same row again: no change
  EXPECT_EQ(log, (MessageLog{"selchange 1"}));
}

TEST_F(Lists, LongListScrollsWithItsScrollBar)
{
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(10, 10, 210, 110), &parent, 1131));
  const int visible = list.VisibleRows();
  for (int i = 0; i < visible; ++i) list.AddString(vetra::Format("row %d", i).c_str());
  CWnd* bar = list.GetDlgItem(0xFFF1);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->IsWindowVisible());
  CRect client;
  list.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 200 - 2);  // the bar takes no room while it is hidden
  for (int i = visible; i < visible + 5; ++i) list.AddString(vetra::Format("row %d", i).c_str());
  EXPECT_TRUE(bar->IsWindowVisible());
  CRect r;
  bar->GetClientRect(&r);
  vetra::ui::Click(*bar, {r.Width() / 2, r.bottom - 3});  // the down arrow
  EXPECT_EQ(list.GetTopIndex(), 1);
  list.SetTopIndex(100);
  EXPECT_EQ(list.GetTopIndex(), 5);
  // Rows are hit from the top index on.
  EXPECT_EQ(list.RowFromPoint({10, 1}), 5);
}

TEST_F(Lists, ListBoxesEditsAndStaticsTakeTheirColoursFromTheParent)
{
  CBrush brush(RGB(209, 222, 230));
  parent.brush = brush;
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOINTEGRALHEIGHT, CRect(10, 10, 110, 110), &parent, 1131));
  list.AddString("x");
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(120, 10, 220, 40), &parent, 1000));
  CStatic text;
  ASSERT_TRUE(text.Create("", WS_VISIBLE, CRect(230, 10, 330, 40), &parent, 223));
  for (CWnd* control : std::initializer_list<CWnd*>{&list, &edit, &text}) {
    EXPECT_EQ(ScreenColor(*control, {80, 25}), RGB(209, 222, 230)) << control->GetDlgCtrlID();
  }
}

TEST_F(Lists, DroppedComboListChoosesAndClosesUpWithTheNewSelection)
{
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 110, 130), &parent, 226));
  for (const char* text : {"full", "1:1", "1:2", "1:5"}) combo.AddString(text);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_EQ(combo.GetDroppedHeight(), 120);
  combo.SetCurSel(0);
  parent.onCommand = [&](UINT code) {
    const char* names[] = {"", "selchange", "", "", "", "", "", "dropdown", "closeup", "selendok", "selendcancel"};
    return code < 11 && *names[code] ? vetra::Format("%s %d", names[code], combo.GetCurSel()) : std::string();
  };
  CRect field;
  combo.GetClientRect(&field);
  EXPECT_EQ(field.Width(), 100);  // WS_VSCROLL is the dropped list's, not the field's
  const int h = field.Height();
  const int row = h - 8;  // the field is one row of the font and 8 pixels high

  vetra::ui::Click(combo, {20, h / 2});
  CWnd* dropped = combo.GetDroppedList();
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(CWnd::GetCapture(), dropped);  // the dropped list takes the mouse
  EXPECT_EQ(log, (MessageLog{"dropdown 0"}));
  log.clear();
  vetra::ui::Click(combo, {20, h + 1 + 2 * row + row / 2});  // the third row, below the field
  EXPECT_EQ(combo.GetDroppedList(), nullptr);
  EXPECT_EQ(log, (MessageLog{"selendok 2", "closeup 2", "selchange 2"}));
  EXPECT_EQ(combo.GetWindowText(), "1:2");

  log.clear();
  vetra::ui::Click(combo, {20, h / 2});
  vetra::ui::Click(parent, {500, 400});  // elsewhere: cancelled
  EXPECT_EQ(log, (MessageLog{"dropdown 2", "selendcancel 2", "closeup 2"}));
  EXPECT_EQ(combo.GetDroppedList(), nullptr);
}

TEST_F(Lists, LongDroppedListScrollsToItsLastEntries)
{
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(10, 10, 110, 80), &parent, 226));
  for (int i = 0; i < 10; ++i) combo.AddString(vetra::Format("1:%d", i).c_str());
  CRect field;
  combo.GetClientRect(&field);
  const int h = field.Height();
  const int row = h - 8;
  vetra::ui::Click(combo, {20, h / 2});
  CWnd* dropped = combo.GetDroppedList();
  ASSERT_NE(dropped, nullptr);
  CRect list;
  dropped->GetClientRect(&list);
  const int shown = list.Height() / row;
  ASSERT_LT(shown, 10);
  for (int i = 0; i < 10; ++i) vetra::ui::Click(*dropped, {list.right - 4, list.bottom - 3});  // the down arrow
  EXPECT_NE(combo.GetDroppedList(), nullptr);  // scrolling keeps the list open
  vetra::ui::Click(*dropped, {10, (shown - 1) * row + row / 2});
  EXPECT_EQ(combo.GetCurSel(), 9);
}

TEST_F(Lists, DropDownComboHasAnEditField)
{
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 160, 100), &parent, 225));
  combo.AddString("alpha");
  combo.SetCurSel(0);
  CWnd* edit = combo.GetDlgItem(1001);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetWindowText(), "alpha");
  parent.onCommand = [&](UINT code) { return code == CBN_EDITCHANGE ? std::string("editchange") : std::string(); };
  combo.AddString("beta");
  combo.SetCurSel(1);  // the program's change: no notification
  edit->SetFocus();
  vetra::ui::PressKeys("end");
  vetra::ui::Type("2");
  EXPECT_EQ(combo.GetWindowText(), "beta2");
  EXPECT_EQ(log, (MessageLog{"editchange"}));
}

class ListView : public Lists {
protected:
  void Make(DWORD style)
  {
    ASSERT_TRUE(view.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT | style, CRect(3, 10, 593, 300), &parent, 1125));
    ASSERT_TRUE(font.CreateFont(30, 12, 0, 0, 600, 0, 0, 0, 129, 0, 0, 2, 0, vetra::Cp949("굴림체").c_str()));
    view.SetFont(&font);
    view.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const struct {
      const char* title;
      int format;
      int width;
    } columns[] = {{"", LVCFMT_CENTER, 25}, {"item", LVCFMT_LEFT, 200}, {"value", LVCFMT_RIGHT, 100}, {"unit", LVCFMT_CENTER, 80}};
    for (int i = 0; i < 4; ++i) view.InsertColumn(i, columns[i].title, columns[i].format, columns[i].width);
    for (int i = 0; i < 12; ++i) {
      view.InsertItem(i, "", i == 0 ? 1 : 0);
      view.SetItemText(i, 1, vetra::Format("item %d", i).c_str());
    }
  }
  CListCtrl view;
  CFont font;
};

TEST_F(ListView, RowsFollowTheFontAndDoubleClickReportsRowAndColumn)
{
  Make(0);
  // A 30-pixel font: rows of 31 pixels under a 34-pixel header, as the scan-data lists lay out.
  EXPECT_EQ(view.RowHeight(), 31);
  EXPECT_EQ(view.HeaderHeight(), 34);
  parent.onNotify = [&](NMHDR* header) {
    if (header->code == NM_CLICK || header->code == NM_DBLCLK) {
      auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
      log.push_back(vetra::Format("%s row %d column %d", header->code == NM_CLICK ? "click" : "dblclk",
                                  activate->iItem, activate->iSubItem));
    }
    return LRESULT{0};
  };
  const CPoint unitOfRow1(25 + 200 + 100 + 40, 34 + 31 + 15);
  vetra::ui::Click(view, unitOfRow1);
  vetra::ui::Click(view, unitOfRow1);
  EXPECT_EQ(log, (MessageLog{"click row 1 column 3", "dblclk row 1 column 3"}));
  EXPECT_EQ(view.GetNextItem(-1, LVNI_SELECTED), 1);
  log.clear();
  vetra::ui::AdvanceClock(1000);
  vetra::ui::Click(view, {500, 34 + 5});  // right of the last column
  EXPECT_EQ(log, (MessageLog{"click row -1 column 0"}));
}

TEST_F(ListView, HeaderTrackingCanBeRefused)
{
  Make(0);
  bool refuse = true;
  parent.onNotify = [&](NMHDR* header) { return LRESULT{header->code == HDN_BEGINTRACK && header->idFrom == 0 && refuse}; };
  const CPoint edge(25 + 200, 10);
  vetra::ui::Press(view, edge);
  vetra::ui::MoveMouse(view, {edge.x + 50, 10});
  vetra::ui::Release(view, {edge.x + 50, 10});
  EXPECT_EQ(view.GetColumnWidth(1), 200);
  refuse = false;
  vetra::ui::AdvanceClock(1000);
  vetra::ui::Press(view, edge);
  vetra::ui::MoveMouse(view, {edge.x + 50, 10});
  vetra::ui::Release(view, {edge.x + 50, 10});
  EXPECT_EQ(view.GetColumnWidth(1), 250);
}

TEST_F(ListView, RowsAreEditedAndTheTopRowFollowsScrolling)
{
  Make(LVS_NOCOLUMNHEADER);
  EXPECT_EQ(view.HeaderHeight(), 0);
  EXPECT_EQ(view.GetItemImage(0), 1);
  EXPECT_EQ(view.GetItemText(3, 1), "item 3");
  EXPECT_EQ(view.GetItemText(3, 9), "");
  EXPECT_TRUE(view.DeleteItem(0));
  EXPECT_EQ(view.GetItemText(0, 1), "item 1");
  EXPECT_EQ(view.GetItemCount(), 11);
  EXPECT_EQ(view.GetCountPerPage(), 288 / 31);
  view.EnsureVisible(10, FALSE);
  EXPECT_EQ(view.GetTopIndex(), 11 - 9);
  LVHITTESTINFO hit;
  hit.pt = {30, 5};
  EXPECT_EQ(view.SubItemHitTest(&hit), 2);
  EXPECT_EQ(hit.iSubItem, 1);
  EXPECT_TRUE(view.DeleteAllItems());
  EXPECT_EQ(view.GetItemCount(), 0);
  EXPECT_EQ(view.GetTopIndex(), 0);
}

TEST_F(Lists, ImageListLeavesTheMaskColourTransparent)
{
  const COLORREF mask = RGB(127, 159, 213);
  // A strip of two 4-pixel images as a module's bitmap resource.
  RegisterBitmapResource(9209, [mask](CBitmap& bitmap) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    if (!bitmap.CreateCompatibleBitmap(&dc, 8, 4)) return FALSE;
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 8, 4, mask);
    dc.SetPixel(5, 1, RGB(255, 0, 0));  // image 1, pixel (1, 1)
    dc.SelectObject(old);
    return TRUE;
  });
  CImageList images;
  ASSERT_TRUE(images.Create(9209, 4, 1, mask));
  EXPECT_EQ(images.GetImageCount(), 2);
  EXPECT_EQ(images.GetImageSize(), CSize(4, 4));
  CDC screen;
  screen.CreateCompatibleDC(nullptr);
  CBitmap* old = nullptr;

  CBitmap target;
  ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 4, 4));
  old = screen.SelectObject(&target);
  screen.FillSolidRect(0, 0, 4, 4, RGB(255, 255, 255));
  images.Draw(&screen, 1, CPoint(0, 0), ILD_TRANSPARENT);
  EXPECT_EQ(screen.GetPixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(screen.GetPixel(2, 2), RGB(255, 255, 255));
  screen.SelectObject(old);
}

TEST_F(Lists, SpinAsksBeforeItMovesAndReportsThePositionAfter)
{
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_HORZ | UDS_ARROWKEYS, CRect(10, 10, 75, 31), &parent, 213));
  spin.SetRange(0, 699);
  spin.SendMessage(UDM_SETPOS, 0, MAKELONG(350, 0));
  bool refuse = false;
  parent.onNotify = [&](NMHDR* header) {
    auto* change = reinterpret_cast<NMUPDOWN*>(header);
    log.push_back(vetra::Format("delta %d%+d now %d", change->iPos, change->iDelta,
                                LOWORD(static_cast<std::uintptr_t>(spin.SendMessage(UDM_GETPOS)))));
    return LRESULT{refuse};
  };
  vetra::ui::Click(spin, {60, 10});  // right arrow: up
  vetra::ui::Click(spin, {5, 10});   // left arrow: down
  vetra::ui::PressKeys("right");
  EXPECT_EQ(log, (MessageLog{"delta 350+1 now 350", "scroll 4,351", "scroll 8,351",
                             "delta 351-1 now 351", "scroll 4,350", "scroll 8,350",
                             "delta 350+1 now 350", "scroll 4,351"}));
  log.clear();
  refuse = true;
  vetra::ui::Click(spin, {60, 10});
  EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(spin.SendMessage(UDM_GETPOS))), 351);
  refuse = false;
  spin.SetPos(699);
  log.clear();
  vetra::ui::PressKeys("right");  // at the end: asked, but the position stays
  EXPECT_EQ(log, (MessageLog{"delta 699+1 now 699"}));
  EXPECT_EQ(spin.GetPos(), 699);
}

TEST_F(Lists, ProgressPositionStaysInsideItsRange)
{
  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE | PBS_SMOOTH, CRect(10, 10, 214, 24), &parent, 201));
  bar.SetRange32(0, 10000);
  const struct {
    int set;
    int pos;
  } cases[] = {{5000, 5000}, {-3, 0}, {10000, 10000}, {12345, 10000}};
  for (const auto& c : cases) {
    bar.SetPos(c.set);
    EXPECT_EQ(bar.GetPos(), c.pos) << c.set;
  }
  bar.SetRange(0, 100);
  EXPECT_EQ(bar.GetPos(), 100);
  bar.SetPos(50);
  EXPECT_EQ(bar.FilledWidth(200), 100);
  // The smooth bar is filled half way: the highlight colour left of the middle, the face right.
  EXPECT_EQ(ScreenColor(bar, {50, 7}), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ScreenColor(bar, {150, 7}), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Lists, DialogTemplatesMakeTheControlsByClassName)
{
  DialogTemplate t;
  t.style = WS_POPUP | WS_VISIBLE;
  t.cx = 200;
  t.cy = 120;
  t.fontFace = vetra::Cp949("굴림");
  t.fontPoints = 9;
  t.items = {
      {"LISTBOX", "", 238, WS_VISIBLE | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 4, 4, 80, 32},
      {"COMBOBOX", "", 226, WS_VISIBLE | CBS_DROPDOWNLIST, 4, 40, 60, 60},
      {"SysListView32", "", 1125, WS_VISIBLE | LVS_REPORT, 90, 4, 100, 50},
      {"msctls_updown32", "", 213, WS_VISIBLE | UDS_HORZ, 90, 60, 30, 10},
      {"msctls_progress32", "", 240, WS_VISIBLE, 90, 80, 100, 6},
  };
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(t));
  EXPECT_NE(dynamic_cast<CListBox*>(dialog.GetDlgItem(238)), nullptr);
  EXPECT_NE(dynamic_cast<CListCtrl*>(dialog.GetDlgItem(1125)), nullptr);
  EXPECT_NE(dynamic_cast<CSpinButtonCtrl*>(dialog.GetDlgItem(213)), nullptr);
  EXPECT_NE(dynamic_cast<CProgressCtrl*>(dialog.GetDlgItem(240)), nullptr);
  auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(226));
  ASSERT_NE(combo, nullptr);
  // The template's height is field and list together; the template's font only refits the field.
  EXPECT_EQ(combo->GetDroppedHeight(), 120);
  CRect field;
  combo->GetWindowRect(&field);
  EXPECT_EQ(field.Height(), ControlLineHeightForTests(*combo) + 8);
  dialog.DestroyWindow();
}

}  // namespace
