// The window system on a real X display with a window manager (openbox), driven by real X input:
// where the manager puts windows and where the user moves them, which window it holds active,
// its stacking and its close boxes agree with the window system.

#include <cstdio>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/testing/x_window_manager.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/list_box.h"
#include "platform/ui/tests/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using namespace win;
using detail::WindowSystem;
using vetra::testing::XActiveWindow;
using vetra::testing::XPoint;
using vetra::testing::XWindowOrigin;

class WindowManagerScreen : public ScreenFixture {
protected:
  // The X window showing a top-level window of ours.
  static std::string XIdOf(const std::string& title)
  {
    const auto id = vetra::testing::WaitForXWindow(title, 20s, vetra::testing::XWindowsOf::ThisProcess);
    return id ? *id : std::string();
  }
  // True when the window manager stacks the first X window above the second.
  static bool StackedAbove(const std::string& upper, const std::string& lower)
  {
    std::FILE* pipe = popen("xprop -root _NET_CLIENT_LIST_STACKING", "r");
    if (!pipe) return false;
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) text += chunk;
    pclose(pipe);
    const auto at = [&](const std::string& id) {
      char hex[32];
      std::snprintf(hex, sizeof hex, "0x%lx", std::stoul(id));
      const std::size_t found = text.find(std::string(hex) + ",");
      return found != std::string::npos ? found : text.find(std::string(hex) + "\n");
    };
    const std::size_t up = at(upper), low = at(lower);
    return up != std::string::npos && low != std::string::npos && up > low;
  }
  static XPoint ClientOrigin(HWND hwnd)
  {
    const CRect client = WindowSystem::Get().ClientScreenRect(hwnd);
    return {client.left, client.top};
  }
  // True once the window system holds the window where X shows it.
  static bool Agrees(HWND hwnd, const std::string& xId)
  {
    const auto shown = XWindowOrigin(xId);
    return shown && *shown == ClientOrigin(hwnd);
  }
  static bool XMoveWindow(const std::string& xId, int x, int y)
  {
    return vetra::testing::Xdotool({"windowmove", "--sync", xId, std::to_string(x), std::to_string(y)}).has_value();
  }
};

// A window with a dialog of its own holding a drop-down list of units (shown by DoModal).
struct OwnerWithUnits {
  OwnerWithUnits() { owner.CreateTop("Owner", CRect(40, 40, 640, 540)); }
  CountingWindow owner;
  RecordingDialog dialog{SmallDialog("Units", {UnitsListItem()}), &owner};
};

TEST_F(WindowManagerScreen, AWindowGoesWhereAskedStaysWhereTheUserMovesItAndItsDialogCentresOnIt)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Moved", CRect(40, 40, 440, 340)));
  const XPoint asked = ClientOrigin(owner.m_hWnd);
  // The X window first shown is the one the user sees all along (not re-made once drawn).
  const std::string ownerX = XIdOf("Moved");
  ASSERT_FALSE(ownerX.empty());
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0 && Agrees(owner.m_hWnd, ownerX); }, 30s));
  // The window manager's frame goes round the window, not above where it was asked to be.
  PumpFor(300ms);
  EXPECT_EQ(ClientOrigin(owner.m_hWnd), asked);
  ASSERT_TRUE(XMoveWindow(ownerX, 600, 500));
  ASSERT_TRUE(PumpUntil([&] { return ClientOrigin(owner.m_hWnd).x > 400 && Agrees(owner.m_hWnd, ownerX); }, 30s));
  const XPoint moved = ClientOrigin(owner.m_hWnd);

  RecordingDialog dialog(SmallDialog("Centred"), &owner);
  CPoint dialogCentre;
  RunSteps({[&] {
    const HWND box = TopLevelCalled("Centred");
    if (!box) return false;
    dialogCentre = ScreenRectOf(box).CenterPoint();
    // The click goes through X: the button is where the window system thinks it is.
    return XClickWindow(ItemOf(box, IDOK));
  }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  const CPoint ownerCentre = ScreenRectOf(owner.m_hWnd).CenterPoint();
  EXPECT_NEAR(dialogCentre.x, ownerCentre.x, 2);
  EXPECT_NEAR(dialogCentre.y, ownerCentre.y, 2);

  PumpFor(500ms);
  EXPECT_EQ(ClientOrigin(owner.m_hWnd), moved);
  EXPECT_TRUE(Agrees(owner.m_hWnd, ownerX));
}

TEST_F(WindowManagerScreen, AListDropsUnderItsComboInAMovedDialogAndTakesNoFocus)
{
  OwnerWithUnits units;
  RecordingDialog& dialog = units.dialog;
  HWND box = nullptr;
  std::string boxX;
  CComboBox* combo = nullptr;
  CRect comboRect, listRect;
  int chosen = -1;
  std::optional<std::string> activeWhileDropped;
  RunSteps({
      [&] {
        box = TopLevelCalled("Units");
        if (!box) return false;
        boxX = XIdOf("Units");
        combo = dynamic_cast<CComboBox*>(CWnd::FromHandle(ItemOf(box, 100)));
        FillUnits(*combo);
        return XMoveWindow(boxX, 700, 600);
      },
      [&] { return ClientOrigin(box).x > 500 && Agrees(box, boxX) && XClickWindow(combo->m_hWnd, POINT{10, 8}); },
      [&] {
        if (!combo->GetDroppedState()) return false;
        comboRect = ScreenRectOf(combo->m_hWnd);
        listRect = ScreenRectOf(combo->GetDroppedList()->m_hWnd);
        activeWhileDropped = XActiveWindow();
        // The third row, where the window system has the list: X shows it there too.
        auto* list = dynamic_cast<CListBox*>(combo->GetDroppedList());
        const int height = list ? list->GetItemHeight(0) : 14;
        return XClickWindow(combo->GetDroppedList()->m_hWnd, POINT{10, 2 * height + height / 2});
      },
      [&] {
        if (combo->GetDroppedState()) return false;
        chosen = combo->GetCurSel();
        dialog.EndDialog(IDOK);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(listRect.top, comboRect.bottom);
  EXPECT_EQ(listRect.left, comboRect.left);
  ASSERT_TRUE(activeWhileDropped);
  EXPECT_EQ(std::stoul(*activeWhileDropped), std::stoul(boxX, nullptr, 0));
  EXPECT_EQ(chosen, 2);
}

TEST_F(WindowManagerScreen, ATopmostWindowsDialogStaysAboveItWhenTheOwnerIsClicked)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Topmost", CRect(60, 60, 700, 560), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                              WS_EX_TOPMOST));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  RecordingDialog dialog(SmallDialog("Setup"), &owner);
  RunSteps({
      [&] { return TopLevelCalled("Setup") && !XIdOf("Setup").empty() && XClickWindow(owner.m_hWnd, POINT{20, 20}); },
      // Had the click raised the owner, this click would land on it and the dialog would stay.
      [&] { return XClickWindow(ItemOf(TopLevelCalled("Setup"), IDOK)); },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(owner.presses, 0);
}

TEST_F(WindowManagerScreen, TheCloseBoxOfAWindowBehindAModalDialogDoesNothing)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Busy", CRect(60, 60, 500, 400)));
  const std::string ownerX = XIdOf("Busy");
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  RecordingDialog dialog(SmallDialog("Question"), &owner);
  bool stillUp = false;
  const auto pressed = std::chrono::steady_clock::now();
  RunSteps({
      [&] { return TopLevelCalled("Question") && vetra::testing::XPressCloseBox(ownerX); },
      [&] {
        if (std::chrono::steady_clock::now() - pressed < 800ms) return false;
        stillUp = TopLevelCalled("Question") != nullptr;
        return XClickWindow(ItemOf(TopLevelCalled("Question"), IDOK));
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(stillUp);
  EXPECT_EQ(owner.closes, 0);
  // Once the dialog is gone the close box works again.
  ASSERT_TRUE(vetra::testing::XPressCloseBox(ownerX));
  EXPECT_TRUE(PumpUntil([&] { return owner.closes == 1; }, 30s));
}

TEST_F(WindowManagerScreen, TheFirstClickOnAnInactiveWindowActivatesItAndActs)
{
  CountingWindow left, right;
  ASSERT_TRUE(left.CreateTop("Left", CRect(20, 40, 420, 440)));
  ASSERT_TRUE(right.CreateTop("Right", CRect(500, 40, 900, 440)));
  const std::string leftX = XIdOf("Left"), rightX = XIdOf("Right");
  ASSERT_TRUE(PumpUntil([&] { return left.paints > 0 && right.paints > 0; }));
  // The manager activates a window: the window system follows.
  ASSERT_TRUE(vetra::testing::Xdotool({"windowactivate", "--sync", rightX}));
  ASSERT_TRUE(PumpUntil([&] { return WindowSystem::Get().active == right.m_hWnd; }, 30s));

  ASSERT_TRUE(XClickWindow(left.m_hWnd));
  EXPECT_TRUE(PumpUntil([&] { return left.presses == 1 && WindowSystem::Get().active == left.m_hWnd; }, 30s));
  EXPECT_TRUE(PumpUntil([&] {
    const auto active = XActiveWindow();
    return active && std::stoul(*active) == std::stoul(leftX, nullptr, 0);
  }, 30s));
}

TEST_F(WindowManagerScreen, AnotherProgramTakingTheKeysLeavesNoWindowOfOursActiveAndComingBackGivesThemBack)
{
  OwnerWithUnits units;
  RecordingDialog& dialog = units.dialog;
  HWND box = nullptr;
  CComboBox* combo = nullptr;
  std::optional<vetra::testing::XForeignWindow> other;
  bool closedAndInactive = false, keysBack = false;
  int chosen = -1;
  RunSteps({
      [&] {
        box = TopLevelCalled("Units");
        if (!box || XIdOf("Units").empty()) return false;
        combo = dynamic_cast<CComboBox*>(CWnd::FromHandle(ItemOf(box, 100)));
        FillUnits(*combo);
        return XClickWindow(combo->m_hWnd, POINT{10, 8});
      },
      [&] {
        if (!combo->GetDroppedState()) return false;
        other.emplace("Other program", 700, 100);
        return vetra::testing::Xdotool({"windowactivate", "--sync", other->Id()}).has_value();
      },
      [&] {
        // The list does not float over the other program, and no window of ours takes keys.
        if (combo->GetDroppedState() || WindowSystem::Get().active) return false;
        closedAndInactive = true;
        return vetra::testing::Xdotool({"windowactivate", "--sync", XIdOf("Units")}).has_value();
      },
      [&] {
        if (WindowSystem::Get().active != box) return false;
        keysBack = CWnd::GetFocus() == combo;
        return XKey("Down");
      },
      [&] {
        if (combo->GetCurSel() != 1) return false;
        chosen = combo->GetCurSel();
        dialog.EndDialog(IDOK);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(closedAndInactive);
  EXPECT_TRUE(keysBack);
  EXPECT_EQ(chosen, 1);
}

TEST_F(WindowManagerScreen, AModalDialogAndItsOwnerAreNotMinimizedAway)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Main", CRect(40, 40, 640, 540),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
  const std::string ownerX = XIdOf("Main");
  RecordingDialog dialog(SmallDialog("Setup"), &owner);
  std::string boxX;
  std::chrono::steady_clock::time_point asked;
  RunSteps({
      [&] {
        boxX = TopLevelCalled("Setup") ? XIdOf("Setup") : std::string();
        asked = std::chrono::steady_clock::now();
        return !boxX.empty() && vetra::testing::Xdotool({"windowminimize", boxX}).has_value();
      },
      // A while later both are on the screen, and the dialog takes the click that ends it.
      [&] {
        return std::chrono::steady_clock::now() - asked > 1s && !vetra::testing::XIsMinimized(boxX) &&
               !vetra::testing::XIsMinimized(ownerX) && XClickWindow(ItemOf(TopLevelCalled("Setup"), IDOK));
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  // Without a dialog the window is the user's to minimize.
  ASSERT_TRUE(vetra::testing::Xdotool({"windowminimize", ownerX}));
  EXPECT_TRUE(PumpUntil([&] { return vetra::testing::XIsMinimized(ownerX); }, 30s));
  PumpFor(300ms);
  EXPECT_TRUE(vetra::testing::XIsMinimized(ownerX));
}

TEST_F(WindowManagerScreen, AWindowMovedByItsProgramRightAfterShowingGoesThere)
{
  CountingWindow window;
  ASSERT_TRUE(window.CreateTop("Placed", CRect(40, 40, 440, 340)));
  window.MoveWindow(300, 200, 400, 300);
  const XPoint asked = ClientOrigin(window.m_hWnd);
  const std::string windowX = XIdOf("Placed");
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0 && Agrees(window.m_hWnd, windowX); }, 30s));
  PumpFor(300ms);
  EXPECT_EQ(ClientOrigin(window.m_hWnd), asked);
  EXPECT_TRUE(Agrees(window.m_hWnd, windowX));
}


// The question whether to replace a file shows over the save dialog, which stays on the screen;
// "No" goes back to the dialog with the name still in it.
TEST_F(WindowManagerScreen, TheReplaceQuestionShowsOverTheSaveDialogWhichStays)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Data/old.JPG", "jpg");
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Capture", CRect(40, 40, 740, 600)));
  CFileDialog dialog(FALSE, "", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|", &owner);
  dialog.m_ofn.lpstrInitialDir = "c:\\Data";
  dialog.m_ofn.lpstrTitle = "Save as";
  const auto withItem = [](int id) -> HWND {
    auto& system = WindowSystem::Get();
    for (HWND top : system.TopLevels()) {
      if (system.State(top)->text == "Save as" && system.IsVisible(top) && ItemOf(top, id)) return top;
    }
    return nullptr;
  };
  constexpr int kNameBox = 1152;
  std::string dialogX;
  HWND files = nullptr;
  HWND box = nullptr;
  std::chrono::steady_clock::time_point asked;
  bool dialogShownDuringQuestion = false;
  HWND boxOwner = nullptr;
  std::string nameAfterNo;
  bool dialogAboveOwner = false;
  const std::string ownerX = XIdOf("Capture");
  RunSteps({
      [&] {
        files = withItem(kNameBox);
        if (!files) return false;
        dialogX = XIdOf("Save as");
        if (dialogX.empty()) return false;
        CWnd::FromHandle(ItemOf(files, kNameBox))->SetWindowText("old.JPG");
        PostMessage(files, WM_COMMAND, IDOK, 0);
        return true;
      },
      [&] {
        box = withItem(IDNO);
        if (!box) return false;
        asked = std::chrono::steady_clock::now();
        boxOwner = WindowSystem::Get().OwnerOf(box);
        return true;
      },
      [&] {
        if (std::chrono::steady_clock::now() - asked < 800ms) return false;
        const auto visible = vetra::testing::Xdotool({"search", "--onlyvisible", "--name", "Save as"});
        dialogShownDuringQuestion = withItem(kNameBox) && visible && visible->find(dialogX) != std::string::npos;
        dialogAboveOwner = StackedAbove(dialogX, ownerX);
        return XClickWindow(ItemOf(box, IDNO));
      },
      [&] {
        if (withItem(kNameBox) != files || withItem(IDNO)) return false;
        nameAfterNo = CWnd::FromHandle(ItemOf(files, kNameBox))->GetWindowText();
        PostMessage(files, WM_COMMAND, IDCANCEL, 0);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(StepsDone());
  EXPECT_TRUE(dialogShownDuringQuestion);
  EXPECT_TRUE(dialogAboveOwner);
  EXPECT_EQ(boxOwner, files);
  EXPECT_EQ(nameAfterNo, "old.JPG");
}

}  // namespace
}  // namespace vetra::ui::testing
