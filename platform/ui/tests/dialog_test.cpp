#include <signal.h>

#include <gtest/gtest.h>

#include "platform/base/clock.h"
#include "platform/base/end_request.h"
#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/system_colors.h"
#include "platform/ui/paint.h"
#include "platform/ui/list_box.h"
#include "platform/ui/combo_box.h"
#include "platform/gdi/display.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace {

using namespace win;
using vetra::ui::testing::MessageLog;
using vetra::ui::testing::Probe;

class Dialogs : public ::testing::Test {
protected:
  void SetUp() override { vetra::ui::ResetForTests(); }
  void TearDown() override { vetra::ui::ResetForTests(); }
};

DialogTemplate SmallTemplate()
{
  DialogTemplate t;
  t.caption = "Timed";
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  t.cx = 100;
  t.cy = 50;
  return t;
}

// Ends itself from a timer, noting whether its owner was disabled meanwhile.
class TimedDialog : public CDialog {
public:
  explicit TimedDialog(CWnd* owner)
      : CDialog(SmallTemplate(), owner)
  {
  }
  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    SetTimer(7, 100);
    return TRUE;
  }
  void OnTimer(UINT_PTR id) override
  {
    if (id != 7) return;
    ownerWasDisabled = !GetParent()->IsWindowEnabled();
    EndDialog(42);
  }
  bool ownerWasDisabled = false;
};

class Owner : public Probe {
public:
  using Probe::Probe;
  BOOL OnCommand(WPARAM wParam, LPARAM) override
  {
    if (LOWORD(wParam) != 100) return FALSE;
    TimedDialog dialog(this);
    result = dialog.DoModal();
    ownerWasDisabled = dialog.ownerWasDisabled;
    return TRUE;
  }
  INT_PTR result = 0;
  bool ownerWasDisabled = false;
};

TEST_F(Dialogs, ModalDialogRunsItsOwnLoopInsideAHandlerAndReturnsItsResult)
{
  MessageLog log;
  Owner owner("owner", log);
  ASSERT_TRUE(owner.CreateTop(CRect(0, 0, 300, 200)));
  const std::uint64_t start = vetra::MonotonicMs();
  owner.PostMessage(WM_COMMAND, 100);
  vetra::ui::Pump();
  EXPECT_EQ(owner.result, 42);
  EXPECT_TRUE(owner.ownerWasDisabled);
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(vetra::MonotonicMs() - start, 100u);  // the dialog's loop let virtual time run
  EXPECT_EQ(CWnd::GetActiveWindow(), &owner);
}

TEST_F(Dialogs, ClosingAModalDialogGivesTheKeysBackToTheOwnersControlThatHadThem)
{
  MessageLog log;
  Owner owner("owner", log);
  ASSERT_TRUE(owner.CreateTop(CRect(0, 0, 300, 200)));
  CEdit field;
  ASSERT_TRUE(field.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(10, 10, 200, 30), &owner, 200));
  field.SetFocus();
  owner.PostMessage(WM_COMMAND, 100);
  vetra::ui::Pump();
  EXPECT_EQ(owner.result, 42);
  EXPECT_EQ(CWnd::GetActiveWindow(), &owner);
  EXPECT_EQ(CWnd::GetFocus(), &field);
}

// A dialog with an edit box and OK/Cancel, as templates build it.
class NameDialog : public CDialog {
public:
  NameDialog()
      : CDialog(DialogTemplate{vetra::Cp949("이름"), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                               0, 0, 150, 60, vetra::Cp949("굴림"), 9,
                               {{"EDIT", "", 1000, WS_TABSTOP | WS_BORDER | WS_VISIBLE, 5, 5, 140, 12},
                                {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 20, 40, 50, 14},
                                {"BUTTON", "Cancel", IDCANCEL, WS_TABSTOP | WS_VISIBLE, 80, 40, 50, 14}}})
  {
  }
  void DoDataExchange(CDataExchange* dx) override
  {
    DDX_Control(dx, 1000, m_edit);
    DDX_Text(dx, 1000, m_name);
  }
  CEdit m_edit;
  std::string m_name;
};

TEST_F(Dialogs, ReturnConfirmsEscCancelsAndButtonsEndTheDialog)
{
  const struct {
    const char* name;
    std::function<void(CDialog&)> act;
    INT_PTR expected;
  } cases[] = {
      {"return", [](CDialog&) { vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("return")); }, IDOK},
      {"esc", [](CDialog&) { vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("esc")); }, IDCANCEL},
      {"close box", [](CDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL},
      {"cancel button",
       [](CDialog& d) {
         CRect r;
         d.GetDlgItem(IDCANCEL)->GetWindowRect(&r);
         vetra::ui::InjectMouseMove(r.CenterPoint());
         vetra::ui::InjectButton(r.CenterPoint(), 0, true);
         vetra::ui::InjectButton(r.CenterPoint(), 0, false);
       },
       IDCANCEL},
  };
  for (const auto& c : cases) {
    NameDialog dialog;
    vetra::ui::WhenIdle([&] {
      EXPECT_EQ(CWnd::GetFocus(), &dialog.m_edit) << c.name;  // the first tab stop
      vetra::ui::InjectText(vetra::Cp949("홍길동"));
    });
    vetra::ui::WhenIdle([&] { c.act(dialog); });
    EXPECT_EQ(dialog.DoModal(), c.expected) << c.name;
    EXPECT_EQ(dialog.m_name, c.expected == IDOK ? vetra::Cp949("홍길동") : "") << c.name;
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_edit.m_hWnd, nullptr);
  }
}

// While a combo box's list is down, Esc closes the list and Return takes its row; neither ends
// the dialog, whether the box has an edit field (which then holds the keyboard) or not.
TEST_F(Dialogs, EscAndReturnOnADroppedComboListStayInTheList)
{
  for (const DWORD kind : {DWORD(CBS_DROPDOWN), DWORD(CBS_DROPDOWNLIST)}) {
    for (const char* key : {"esc", "return"}) {
      SCOPED_TRACE(std::string(kind == CBS_DROPDOWN ? "edit field, " : "list only, ") + key);
      DialogTemplate t{"Units", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 171, 75, vetra::Cp949("굴림"), 9,
                       {{"COMBOBOX", "", 1000, kind | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 15, 21, 56, 69},
                        {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 7, 54, 155, 14}}};
      CDialog dialog(t);
      CComboBox* combo = nullptr;
      bool listClosedWithDialogUp = false;
      vetra::ui::WhenIdle([&] {
        combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(1000));
        ASSERT_NE(combo, nullptr);
        for (const char* row : {"kpa", "bar", "psi"}) combo->AddString(row);
        combo->SetCurSel(0);
        vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("f4"));
        vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("down"));
        vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord(key));
      });
      vetra::ui::WhenIdle([&] {
        if (!dialog.m_hWnd) return;  // the key ended the dialog
        listClosedWithDialogUp = !combo->GetDroppedState();
        if (std::string(key) == "return") { EXPECT_EQ(combo->GetCurSel(), 1); }
        dialog.EndDialog(42);
      });
      EXPECT_EQ(dialog.DoModal(), 42);
      EXPECT_TRUE(listClosedWithDialogUp);
    }
  }
}

// A dialog that runs another dialog (a print setup, a file dialog) gets the keyboard back where
// it was when that one closes, with an owner given or taken from the main window.
TEST_F(Dialogs, TheKeyboardComesBackToTheControlThatHadItWhenAnInnerDialogCloses)
{
  for (const bool ownerGiven : {true, false}) {
    SCOPED_TRACE(ownerGiven ? "owner given" : "owner taken from the main window");
    NameDialog outer;
    std::string typed;
    vetra::ui::WhenIdle([&] {
      if (!ownerGiven) detail::MainWindowSlot() = &outer;
      vetra::ui::InjectText("first");
      vetra::ui::WhenIdle([&] {
        // The inner dialog puts the keyboard into its own edit box as it starts.
        DialogTemplate t = SmallTemplate();
        t.items = {{"EDIT", "", 1000, WS_TABSTOP | WS_BORDER | WS_VISIBLE, 5, 5, 80, 12}};
        CDialog inner(t, ownerGiven ? &outer : nullptr);
        vetra::ui::WhenIdle([] { vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("esc")); });
        EXPECT_EQ(inner.DoModal(), IDCANCEL);
        vetra::ui::InjectText("second");
        vetra::ui::WhenIdle([&] {
          typed = outer.m_edit.GetWindowText();
          outer.EndDialog(IDOK);
        });
      });
    });
    outer.DoModal();
    if (!ownerGiven) detail::MainWindowSlot() = nullptr;
    EXPECT_EQ(typed, "firstsecond");
  }
}

// A window that is no dialog (the page viewer's frame) gets its keyboard back in the same way.
TEST_F(Dialogs, AWindowGetsTheKeyboardBackInItsControlWhenItsDialogCloses)
{
  MessageLog log;
  Probe top("top", log);
  ASSERT_TRUE(top.CreateTop(CRect(0, 0, 400, 300)));
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 30), &top, 1));
  edit.SetFocus();
  vetra::ui::Type("first");
  DialogTemplate t = SmallTemplate();
  t.items = {{"EDIT", "", 1000, WS_TABSTOP | WS_BORDER | WS_VISIBLE, 5, 5, 80, 12}};
  CDialog inner(t, &top);
  vetra::ui::WhenIdle([] { vetra::ui::InjectKeyChord(*vetra::ui::ParseKeyChord("esc")); });
  EXPECT_EQ(inner.DoModal(), IDCANCEL);
  vetra::ui::Type("second");
  EXPECT_EQ(edit.GetWindowText(), "firstsecond");
}

TEST_F(Dialogs, DialogUnitsAreTwoPixels)
{
  NameDialog dialog;
  vetra::ui::WhenIdle([&] {
    CRect client, edit;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 300, 120));
    dialog.GetDlgItem(1000)->GetWindowRect(&edit);
    dialog.ScreenToClient(&edit);
    EXPECT_EQ(edit, CRect(10, 10, 290, 34));
    CRect window;
    dialog.GetWindowRect(&window);  // centred on the screen
    EXPECT_EQ(window.left, (1024 - window.Width()) / 2);
    dialog.EndDialog(5);
  });
  EXPECT_EQ(dialog.DoModal(), 5);
}

TEST_F(Dialogs, GroupBoxesFrameTheControlsInsideThemWithoutCoveringThem)
{
  // The group box comes first in the template and so lies above the lists inside it.
  DialogTemplate t = SmallTemplate();
  t.cx = 120;
  t.cy = 60;
  t.items = {
      {"BUTTON", "Units", -1, WS_VISIBLE | BS_GROUPBOX, 5, 5, 110, 50},
      {"LISTBOX", "", 100, WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, 10, 15, 50, 35},
      {"COMBOBOX", "", 101, WS_VISIBLE | CBS_DROPDOWNLIST, 65, 15, 45, 60},
  };
  CDialog dialog(t, nullptr);
  ASSERT_TRUE(dialog.Create(t, nullptr));
  dialog.ShowWindow(SW_SHOW);
  auto* list = dynamic_cast<CListBox*>(dialog.GetDlgItem(100));
  auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(101));
  ASSERT_TRUE(list && combo);
  list->AddString("kpa");
  list->AddString("bar");
  list->SetCurSel(1);
  combo->AddString("mHg");
  combo->SetCurSel(0);
  const auto screenColor = [](CWnd& wnd, POINT client) {
    detail::PaintAll();
    vetra::gdi::ComposeScreen();
    wnd.ClientToScreen(&client);
    return vetra::gdi::ColorrefFromPixel(vetra::gdi::Screen()->Get(client.x, client.y));
  };
  const int row = list->GetItemHeight();
  EXPECT_EQ(screenColor(*list, {40, row + row / 2}), GetSysColor(COLOR_HIGHLIGHT));  // the chosen row
  EXPECT_EQ(screenColor(*list, {40, 3 * row}), GetSysColor(COLOR_WINDOW));          // below the rows
  EXPECT_EQ(screenColor(*combo, {3, 3}), GetSysColor(COLOR_WINDOW));                 // the field
  CWnd* group = dialog.GetChildren().back();
  CRect frame;
  group->GetClientRect(&frame);
  EXPECT_EQ(screenColor(*group, {0, frame.Height() / 2}), GetSysColor(COLOR_BTNSHADOW));
  // Repainted on its own, it still leaves the lists be.
  group->Invalidate();
  EXPECT_EQ(screenColor(*list, {40, row + row / 2}), GetSysColor(COLOR_HIGHLIGHT));
  dialog.DestroyWindow();
}

TEST_F(Dialogs, AnIdleActionThatEndsTheDialogReturnsAtOnceWithoutQuitting)
{
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION;
  t.cx = 100;
  t.cy = 40;
  t.items = {{"BUTTON", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 10, 50, 14}};
  CDialog dialog(t);  // no edit box, so no caret timer to wake the loop
  vetra::ui::WhenIdle([&] { dialog.SendMessage(WM_COMMAND, IDCANCEL); });
  const std::uint64_t start = vetra::MonotonicMs();
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(vetra::MonotonicMs(), start);  // not at the headless limit, which quits the program
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Dialogs, AModalLoopWithNothingLeftToDoEndsAtTheHeadlessLimit)
{
  vetra::ui::SetHeadlessLimitMs(300);
  vetra::ui::RestartHeadlessLimit();
  NameDialog dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
  MSG msg;
  EXPECT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));  // the quit goes on to the program's loop
  EXPECT_EQ(msg.message, WM_QUIT);
  vetra::ui::SetHeadlessLimitMs(5000);
}

// SIGTERM or Ctrl+C ends the program through its loops as closing it does, even with a dialog up
// and timers running: the modal loop ends, the program's loop gets the quit with the status a
// shell gives an ended command, and nothing waits for the headless limit.
TEST_F(Dialogs, AnEndRequestEndsTheModalLoopAndTheProgramsLoop)
{
  vetra::CatchEndRequests();
  NameDialog dialog;
  vetra::ui::WhenIdle([] { ::raise(SIGTERM); });
  const std::uint64_t start = vetra::MonotonicMs();
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  MSG msg;
  EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 128u + SIGTERM);
  EXPECT_LT(vetra::MonotonicMs() - start, 1000u);
  vetra::ClearEndRequestForTests();
}

// Works inside a timer handler and keeps itself responsive by pumping messages between steps,
// as a download dialog does; the user's Cancel arrives through the pump.
class PumpingDialog : public CDialog {
public:
  PumpingDialog()
      : CDialog(DialogTemplate{"Pump", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 150, 60, "", 9,
                               {{"BUTTON", "Cancel", IDCANCEL, WS_VISIBLE, 50, 40, 50, 14}}})
  {
  }
  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    SetTimer(1, 100);
    return TRUE;
  }
  void OnCancel() override
  {
    cancelled = true;
    CDialog::OnCancel();
  }
  void OnTimer(UINT_PTR id) override
  {
    KillTimer(id);
    CRect r;
    GetDlgItem(IDCANCEL)->GetWindowRect(&r);
    vetra::ui::InjectMouseMove(r.CenterPoint());
    vetra::ui::InjectButton(r.CenterPoint(), 0, true);
    vetra::ui::InjectButton(r.CenterPoint(), 0, false);
    for (int step = 0; step < 3; ++step) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessage(m_hWnd, &msg)) {
          TranslateMessage(&msg);
          DispatchMessage(&msg);
        }
      }
      ++steps;
    }
    EndDialog(IDOK);  // the work finished after the Cancel: the later end counts
  }
  bool cancelled = false;
  int steps = 0;
};

TEST_F(Dialogs, PumpInsideAHandlerDeliversInputAndTheLastEndCounts)
{
  PumpingDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.cancelled);
  EXPECT_EQ(dialog.steps, 3);
}

TEST_F(Dialogs, MessageBoxesAreAnsweredFromTheQueueOrByTheirDefaultButton)
{
  const struct {
    UINT type;
    int queued;  // 0: nothing queued
    int expected;
  } cases[] = {
      {MB_OK, 0, IDOK},
      {MB_YESNO | MB_ICONQUESTION, 0, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, 0, IDNO},
      {MB_OKCANCEL, IDCANCEL, IDCANCEL},
      {MB_YESNOCANCEL, IDNO, IDNO},
      {MB_OK, IDNO, IDOK},  // not one of its buttons: the default button answers
  };
  for (const auto& c : cases) {
    if (c.queued) vetra::ui::QueueMessageBoxAnswer(c.queued);
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", c.type), c.expected) << c.type;
  }
  const std::string text = vetra::Cp949("데이터 오픈 에러 : c:\\x.osc");
  CWinApp app("Tessial");
  EXPECT_EQ(AfxMessageBox(text.c_str()), IDOK);
  const auto& last = vetra::ui::MessageBoxLog().back();
  EXPECT_EQ(last.text, text);
  EXPECT_EQ(last.caption, "Tessial");  // no caption of its own: the program's name
  EXPECT_EQ(vetra::ui::MessageBoxLog().size(), std::size(cases) + 1);
}

}  // namespace
