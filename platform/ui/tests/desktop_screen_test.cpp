// The window system on a real X display without a window manager, driven by real X input:
// message boxes, owned and modal windows, pop-ups, activation and the file dialog.

#include <gmock/gmock.h>

#include <thread>

#include <filesystem>
#include <fstream>

#include "platform/base/drive.h"
#include "platform/base/file_names.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/list_box.h"
#include "platform/ui/tests/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using namespace win;
using detail::WindowSystem;

using DesktopScreen = ScreenFixture;

// Presses Return on an X window of this title after a while, so a box that never shows in our
// window system cannot hang the test.
class XWatchdog {
public:
  explicit XWatchdog(std::string title)
      : m_thread([title = std::move(title)](std::stop_token stop) {
          const auto end = std::chrono::steady_clock::now() + 60s;
          while (!stop.stop_requested() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(50ms);
          if (stop.stop_requested()) return;
          vetra::testing::Xdotool({"search", "--name", title, "key", "--window", "%@", "Return"});
        })
  {
  }

private:
  std::jthread m_thread;
};

std::vector<std::string> ChildTexts(HWND hwnd)
{
  std::vector<std::string> texts;
  for (HWND child : WindowSystem::Get().State(hwnd)->children) {
    if (WindowSystem::Get().State(child)->className == "BUTTON") texts.push_back(Utf8(WindowSystem::Get().State(child)->text));
  }
  return texts;
}

TEST_F(DesktopScreen, MessageBoxIsAModalDialogOfOurOwnWithKoreanButtons)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(60, 60, 460, 360)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  const std::string caption = Cp949("알림 상자");
  XWatchdog watchdog(Utf8(caption));

  HWND box = nullptr;
  std::vector<std::string> buttons;
  int paintsBefore = 0;
  bool boxAboveOwner = false;
  RunSteps({
      [&] {
        box = TopLevelCalled(caption);
        if (!box) return false;
        buttons = ChildTexts(box);
        boxAboveOwner = ZOrderOf(box) > ZOrderOf(owner.m_hWnd);
        paintsBefore = owner.paints;
        owner.Invalidate();
        // A click on the owner while the box is up goes nowhere, not even later.
        return XClickWindow(owner.m_hWnd, POINT{20, 200});
      },
      [&] { return owner.paints > paintsBefore; },  // the owner repaints under the box
      [&] {
        for (HWND child : WindowSystem::Get().State(box)->children) {
          if (WindowSystem::Get().State(child)->text == Cp949("아니오")) return XClickWindow(child);
        }
        return true;
      },
  });
  const int answer = MessageBox(owner.m_hWnd, Cp949("저장하시겠습니까?").c_str(), caption.c_str(), MB_YESNO);
  PumpFor(300ms);

  EXPECT_EQ(answer, IDNO);
  EXPECT_THAT(buttons, ::testing::UnorderedElementsAre("예", "아니오"));
  EXPECT_TRUE(boxAboveOwner);
  EXPECT_GT(owner.paints, paintsBefore);
  EXPECT_EQ(owner.presses, 0);
  EXPECT_TRUE(owner.IsWindowEnabled());
}


TEST_F(DesktopScreen, ADialogOfATopmostWindowStandsAboveItAndTakesTheMouse)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Topmost", CRect(80, 80, 560, 440),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, WS_EX_TOPMOST));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  RecordingDialog dialog(SmallDialog("Setup"), &owner);
  bool above = false;
  RunSteps({[&] {
    const HWND box = TopLevelCalled("Setup");
    if (!box) return false;
    above = ZOrderOf(box) > ZOrderOf(owner.m_hWnd);
    return XClickWindow(ItemOf(box, IDOK));
  }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(above);
  EXPECT_EQ(owner.presses, 0);
}

TEST_F(DesktopScreen, DroppedListClosesOnEscAndPassesAClickOutsideOn)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(60, 60, 560, 460)));
  RecordingDialog dialog(SmallDialog("Units", {UnitsListItem(),
                                              {"BUTTON", "Other", 101, WS_VISIBLE | WS_TABSTOP, 100, 10, 50, 14}}),
                         &owner);
  HWND box = nullptr;
  CComboBox* combo = nullptr;
  bool upAfterEsc = false;
  auto dropped = [&] { return IsWindow(box) && combo->GetDroppedState(); };
  RunSteps({
      [&] {
        box = TopLevelCalled("Units");
        if (!box) return false;
        combo = dynamic_cast<CComboBox*>(CWnd::FromHandle(ItemOf(box, 100)));
        FillUnits(*combo);
        return XClickWindow(combo->m_hWnd, POINT{10, 8});
      },
      [&] { return dropped() && XKey("Escape"); },
      [&] {
        if (dropped()) return false;
        upAfterEsc = IsWindow(box);
        return !upAfterEsc || XClickWindow(combo->m_hWnd, POINT{30, 8});
      },
      [&] { return !IsWindow(box) || (dropped() && XClickWindow(ItemOf(box, 101))); },
      [&] {
        if (!IsWindow(box)) return true;
        if (dropped() || dialog.commands.empty()) return false;
        dialog.EndDialog(IDOK);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(upAfterEsc);
  EXPECT_EQ(dialog.commands, std::vector<int>{101});
}

TEST_F(DesktopScreen, AWindowHoldingTheMouseLearnsThePointerLeft)
{
  CountingWindow window;
  ASSERT_TRUE(window.CreateTop("Hover", CRect(100, 100, 300, 300)));
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }));
  const CRect client = WindowSystem::Get().ClientScreenRect(window.m_hWnd);
  ASSERT_TRUE(XMoveTo(client.left + 50, client.top + 50));
  ASSERT_TRUE(PumpUntil([&] { return !window.moves.empty(); }));
  window.SetCapture();  // as a button lit while the pointer is over it does
  window.moves.clear();
  ASSERT_TRUE(XMoveTo(700, 600));
  EXPECT_TRUE(PumpUntil([&] {
    return std::any_of(window.moves.begin(), window.moves.end(), [&](POINT p) { return p.x > client.Width() && p.y > client.Height(); });
  }, 30s));
}

TEST_F(DesktopScreen, FileDialogStartsInTheDriveWithTheKeyboardInItsNameBoxAndOpensAChosenFolder)
{
  vetra::testing::TempDrive drive;
  std::filesystem::create_directories(drive / "Reports");
  std::filesystem::current_path(std::filesystem::temp_directory_path());  // a folder outside the drive
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(40, 40, 640, 500)));
  CFileDialog save(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|", &owner);
  save.m_ofn.lpstrTitle = "File to save as";
  HWND box = nullptr;
  std::string startFolder, folderAfterOpen;
  int focusId = 0;
  RunSteps({
      [&] {
        box = TopLevelCalled("File to save as");
        if (!box) return false;
        CWnd::FromHandle(box)->GetDlgItemText(1137, startFolder);
        focusId = CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
        auto* list = dynamic_cast<CListBox*>(CWnd::FromHandle(ItemOf(box, 1120)));
        const int row = list->FindStringExact(-1, "[Reports]");
        if (row < 0) return true;
        const int height = list->GetItemHeight(0);
        return XClickWindow(list->m_hWnd, POINT{20, (row - list->GetTopIndex()) * height + height / 2});
      },
      [&] { return XClickWindow(ItemOf(box, IDOK)); },
      [&] {
        CWnd::FromHandle(box)->GetDlgItemText(1137, folderAfterOpen);
        if (folderAfterOpen == startFolder) return false;
        return vetra::testing::Xdotool({"type", "--delay", "20", "road.jpg"}).has_value() && XKey("Return");
      },
      [&] { return !IsWindow(box); },
  });
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(startFolder, "C:\\");
  EXPECT_EQ(focusId, 1152);  // the name box
  EXPECT_EQ(folderAfterOpen, "C:\\Reports");
  EXPECT_EQ(save.GetPathName(), "C:\\Reports\\road.jpg");
}

// A save dialog made with an empty default extension gives a typed name the chosen type's
// extension; the replace question names the file that would be replaced.
TEST_F(DesktopScreen, FileDialogGivesANameTypedWithoutAnExtensionTheChosenTypes)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Reports/old.JPG", "jpg");
  vetra::ui::ClearMessageBoxes();
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(40, 40, 640, 500)));
  CFileDialog save(FALSE, "", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|", &owner);
  save.m_ofn.lpstrTitle = "File to save as";
  save.m_ofn.lpstrInitialDir = "C:\\Reports";
  vetra::ui::QueueMessageBoxAnswer(IDNO);  // the old picture stays
  HWND box = nullptr;
  const auto type = [](const std::string& text) {
    return vetra::testing::Xdotool({"type", "--delay", "20", text}).has_value() && vetra::testing::Xdotool({"key", "Return"}).has_value();
  };
  RunSteps({
      [&] {
        box = TopLevelCalled("File to save as");
        return box && type("old");
      },
      [&] {
        if (vetra::ui::MessageBoxLog().empty()) return false;
        return IsWindow(box) && vetra::testing::Xdotool({"key", "BackSpace", "BackSpace", "BackSpace"}).has_value() && type("road1");
      },
      [&] { return !IsWindow(box); },
  });
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(save.GetPathName(), "C:\\Reports\\road1.JPG");
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, "old.JPG" + Cp949("이(가) 이미 있습니다.\n바꾸시겠습니까?"));
}

TEST_F(DesktopScreen, FileDialogTakesTypedPatternsAndFoldersAndWalksUpAndIntoLinuxFolders)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/Data/x.osc", "osc");
  drive.WriteFile("Vetra/Data/rec.IG1", "ig1");
  const std::filesystem::path outside = drive.Root().parent_path() / (drive.Root().filename().string() + "-usb");
  std::filesystem::create_directories(outside);
  std::ofstream(outside / "café.OSC") << "osc";
  const std::string cafe = vetra::NameFromLinux("café.OSC");
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(40, 40, 640, 500)));
  CFileDialog open(TRUE, nullptr, nullptr, 0, "Osc (*.OSC)|*.OSC|All|*.OSC;*.IG1||", &owner);
  open.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
  HWND box = nullptr;
  std::vector<std::string> rowsAfterPattern;
  std::string folderAfterUp;
  const auto rows = [&] {
    std::vector<std::string> texts;
    auto* list = dynamic_cast<CListBox*>(CWnd::FromHandle(ItemOf(box, 1120)));
    for (int i = 0; list && i < list->GetCount(); ++i) {
      std::string text;
      list->GetText(i, text);
      texts.push_back(text);
    }
    return texts;
  };
  const auto folder = [&] {
    std::string text;
    CWnd::FromHandle(box)->GetDlgItemText(1137, text);
    return text;
  };
  const auto type = [](const std::string& text) {
    return vetra::testing::Xdotool({"type", "--delay", "20", text}).has_value() && vetra::testing::Xdotool({"key", "Return"}).has_value();
  };
  RunSteps({
      [&] {
        box = TopLevelCalled(Cp949("열기"));
        return box && type("*.IG1");
      },
      [&] {
        if (rows().size() != 2) return false;
        rowsAfterPattern = rows();
        return XClickWindow(ItemOf(box, 1141));  // up
      },
      [&] {
        if (folder() != "C:\\Vetra") return false;
        folderAfterUp = folder();
        return type(outside.string());
      },
      [&] {
        if (folder() != outside.string()) return false;
        auto* list = dynamic_cast<CListBox*>(CWnd::FromHandle(ItemOf(box, 1120)));
        const int row = list->FindStringExact(-1, cafe.c_str());
        if (row < 0) return false;
        const int height = list->GetItemHeight(0);
        return XClickWindow(list->m_hWnd, POINT{20, (row - list->GetTopIndex()) * height + height / 2}) && XKey("Return");
      },
      [&] { return !IsWindow(box); },
  });
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(rowsAfterPattern, (std::vector<std::string>{"[..]", "rec.IG1"}));
  EXPECT_EQ(folderAfterUp, "C:\\Vetra");
  EXPECT_EQ(vetra::MapPath(open.GetPathName()), outside / "café.OSC");
  std::filesystem::remove_all(outside);
}

}  // namespace
}  // namespace vetra::ui::testing
