// The window system on a real X display with a window manager (openbox), driven by real X input
// and the window manager's own moves and focus changes.

#include <gmock/gmock.h>

#include <sstream>

#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/tests/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using namespace win;
using detail::WindowSystem;

using DesktopWithWindowManager = ScreenFixture;

DialogTemplate Dialog(const std::string& caption, std::vector<DialogItem> extra = {})
{
  DialogTemplate t;
  t.caption = caption;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 160;
  t.cy = 90;
  t.fontFace = Cp949("굴림");
  t.items = {{"BUTTON", Cp949("확인"), IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 70, 50, 14}};
  t.items.insert(t.items.end(), extra.begin(), extra.end());
  return t;
}

HWND ItemOf(HWND dialog, int id)
{
  CWnd* item = CWnd::FromHandle(dialog) ? CWnd::FromHandle(dialog)->GetDlgItem(id) : nullptr;
  return item ? item->m_hWnd : nullptr;
}

// The X window ids of the managed windows, bottom of the stack first.
std::vector<unsigned long> XStacking()
{
  std::vector<unsigned long> ids;
  FILE* pipe = ::popen("xprop -root _NET_CLIENT_LIST_STACKING", "r");
  if (!pipe) return ids;
  char buffer[4096];
  std::string text;
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  ::pclose(pipe);
  for (std::size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2)) {
    ids.push_back(std::stoul(text.substr(at), nullptr, 16));
  }
  return ids;
}

unsigned long XIdOf(const std::string& title)
{
  const auto id = vetra::testing::WaitForXWindow(title, 30s);
  return id ? std::stoul(*id) : 0;
}

bool XAbove(unsigned long upper, unsigned long lower)
{
  const std::vector<unsigned long> stack = XStacking();
  const auto u = std::find(stack.begin(), stack.end(), upper);
  const auto l = std::find(stack.begin(), stack.end(), lower);
  return u != stack.end() && l != stack.end() && u > l;
}

// Where the window manager shows a window's client area.
POINT XPositionOf(unsigned long id)
{
  const auto out = vetra::testing::Xdotool({"getwindowgeometry", "--shell", std::to_string(id)});
  POINT p{-1, -1};
  if (!out) return p;
  std::istringstream lines(*out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("X=", 0) == 0) p.x = std::stoi(line.substr(2));
    if (line.rfind("Y=", 0) == 0) p.y = std::stoi(line.substr(2));
  }
  return p;
}

TEST_F(DesktopWithWindowManager, ADialogStaysAboveItsTopmostOwnerWhenTheOwnerIsClicked)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Print", CRect(80, 80, 620, 520), WS_POPUP | WS_CAPTION | WS_VISIBLE, WS_EX_TOPMOST));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  const unsigned long ownerId = XIdOf("Print");
  RecordingDialog dialog(Dialog("Setup"), &owner);
  unsigned long dialogId = 0;
  bool aboveAfterClick = false;
  RunSteps({
      [&] {
        if (!TopLevelCalled("Setup")) return false;
        dialogId = XIdOf("Setup");
        return XClickWindow(owner.m_hWnd, POINT{10, 10});  // on the owner, beside the dialog
      },
      [&] {
        aboveAfterClick = XAbove(dialogId, ownerId);
        return !aboveAfterClick ? false : XClickWindow(ItemOf(TopLevelCalled("Setup"), IDOK));
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(aboveAfterClick);
  EXPECT_EQ(owner.presses, 0);
}

TEST_F(DesktopWithWindowManager, AMovedWindowCentresItsDialogAndStaysWhereItWasMoved)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Viewer", CRect(40, 40, 440, 340)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  const unsigned long ownerId = XIdOf("Viewer");
  ASSERT_TRUE(vetra::testing::Xdotool({"windowmove", "--sync", std::to_string(ownerId), "500", "400"}));
  const POINT moved = XPositionOf(ownerId);
  ASSERT_TRUE(PumpUntil([&] { return WindowSystem::Get().ClientScreenRect(owner.m_hWnd).left == moved.x; }, 30s));
  RecordingDialog dialog(Dialog("Units"), &owner);
  CPoint dialogCentre, ownerCentre;
  RunSteps({[&] {
    const HWND box = TopLevelCalled("Units");
    if (!box) return false;
    dialogCentre = ScreenRectOf(box).CenterPoint();
    ownerCentre = ScreenRectOf(owner.m_hWnd).CenterPoint();
    dialog.EndDialog(IDOK);
    return true;
  }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  PumpFor(300ms);
  EXPECT_NEAR(dialogCentre.x, ownerCentre.x, 2);
  EXPECT_NEAR(dialogCentre.y, ownerCentre.y, 2);
  const POINT after = XPositionOf(ownerId);
  EXPECT_EQ(after.x, moved.x);
  EXPECT_EQ(after.y, moved.y);
}

TEST_F(DesktopWithWindowManager, TheActiveWindowFollowsTheWindowManagerAndItsFirstClickActs)
{
  CountingWindow first, second;
  ASSERT_TRUE(first.CreateTop("First", CRect(40, 40, 340, 300)));
  ASSERT_TRUE(second.CreateTop("Second", CRect(420, 40, 720, 300)));
  ASSERT_TRUE(PumpUntil([&] { return first.paints > 0 && second.paints > 0; }));
  auto& system = WindowSystem::Get();
  ASSERT_TRUE(vetra::testing::Xdotool({"windowactivate", "--sync", std::to_string(XIdOf("First"))}));
  EXPECT_TRUE(PumpUntil([&] { return system.active == first.m_hWnd; }, 30s));
  ASSERT_TRUE(vetra::testing::Xdotool({"windowactivate", "--sync", std::to_string(XIdOf("Second"))}));
  EXPECT_TRUE(PumpUntil([&] { return system.active == second.m_hWnd; }, 30s));
  // One click on the inactive window activates it and acts on it.
  ASSERT_TRUE(XClickWindow(first.m_hWnd));
  EXPECT_TRUE(PumpUntil([&] { return first.presses == 1 && system.active == first.m_hWnd; }, 30s));
}

TEST_F(DesktopWithWindowManager, ADroppedListTakesNoFocusFromItsDialog)
{
  CountingWindow owner;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(60, 60, 560, 460)));
  RecordingDialog dialog(Dialog("Units", {{"COMBOBOX", "", 100, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10, 60, 60}}),
                         &owner);
  CComboBox* combo = nullptr;
  std::string focusWhileDropped, dialogId;
  RunSteps({
      [&] {
        const HWND box = TopLevelCalled("Units");
        if (!box) return false;
        dialogId = std::to_string(XIdOf("Units"));
        combo = dynamic_cast<CComboBox*>(CWnd::FromHandle(ItemOf(box, 100)));
        for (const char* row : {"kPa", "psi", "bar"}) combo->AddString(row);
        return XClickWindow(combo->m_hWnd, POINT{10, 8});
      },
      [&] {
        if (!combo->GetDroppedState()) return false;
        PumpFor(200ms);
        focusWhileDropped = vetra::testing::Xdotool({"getwindowfocus"}).value_or("");
        if (!focusWhileDropped.empty() && focusWhileDropped.back() == '\n') focusWhileDropped.pop_back();
        return XKey("Escape");
      },
      [&] {
        if (combo->GetDroppedState()) return false;
        dialog.EndDialog(IDOK);
        return true;
      },
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(focusWhileDropped, dialogId);
}

}  // namespace
}  // namespace vetra::ui::testing
