#pragma once
// What the on-screen tests of the window system share: the SDL display on the test's private X
// display, a message loop that runs until a condition holds (real time, with a timeout), steps
// run from inside modal loops, and clicks at windows through real X input.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/testing/x_input.h"
#include "platform/base/text.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_system.h"

namespace vetra::ui::testing {

using namespace std::chrono_literals;

// A dialog built in code that notes the commands it gets.
class RecordingDialog : public win::CDialog {
public:
  RecordingDialog(const win::DialogTemplate& t, win::CWnd* owner) : win::CDialog(t, owner) {}
  std::vector<int> commands;

protected:
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (win::HIWORD(wParam) == win::BN_CLICKED) commands.push_back(win::LOWORD(wParam));
    return win::CDialog::OnCommand(wParam, lParam);
  }
};

// A top-level window that counts what it is told.
class CountingWindow : public win::CWnd {
public:
  win::BOOL CreateTop(const std::string& caption, win::RECT rect,
                      win::DWORD style = win::WS_OVERLAPPED | win::WS_CAPTION | win::WS_SYSMENU | win::WS_VISIBLE,
                      win::DWORD exStyle = 0, win::CWnd* owner = nullptr)
  {
    return CreateEx(exStyle, "Counting", caption.c_str(), style, rect, owner, 0);
  }
  int paints = 0;
  int presses = 0;
  std::vector<win::POINT> moves;
  int closes = 0;
  win::POINT lastPress{};

protected:
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (message == win::WM_PAINT) ++paints;
    if (message == win::WM_LBUTTONDOWN) {
      ++presses;
      lastPress = {static_cast<short>(win::LOWORD(static_cast<std::uintptr_t>(lParam))),
                   static_cast<short>(win::HIWORD(static_cast<std::uintptr_t>(lParam)))};
    }
    if (message == win::WM_MOUSEMOVE) {
      moves.push_back({static_cast<short>(win::LOWORD(static_cast<std::uintptr_t>(lParam))),
                       static_cast<short>(win::HIWORD(static_cast<std::uintptr_t>(lParam)))});
    }
    if (message == win::WM_CLOSE) {
      ++closes;
      return 0;  // the test ends its windows itself
    }
    return win::CWnd::WindowProc(message, wParam, lParam);
  }
};

// A dialog with OK and Cancel buttons (and any further items), centred on its owner.
inline win::DialogTemplate SmallDialog(const std::string& caption, std::vector<win::DialogItem> extra = {})
{
  win::DialogTemplate t;
  t.caption = caption;
  t.style = win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::DS_MODALFRAME | win::DS_CENTER;
  t.cx = 160;
  t.cy = 90;
  t.fontFace = Cp949("굴림");
  t.items = {{"BUTTON", Cp949("확인"), win::IDOK, win::WS_VISIBLE | win::WS_TABSTOP | win::BS_DEFPUSHBUTTON, 100, 70, 50, 14},
             {"BUTTON", Cp949("취소"), win::IDCANCEL, win::WS_VISIBLE | win::WS_TABSTOP, 40, 70, 50, 14}};
  t.items.insert(t.items.end(), extra.begin(), extra.end());
  return t;
}

inline win::HWND ItemOf(win::HWND dialog, int id)
{
  win::CWnd* item = win::CWnd::FromHandle(dialog) ? win::CWnd::FromHandle(dialog)->GetDlgItem(id) : nullptr;
  return item ? item->m_hWnd : nullptr;
}

class ScreenFixture : public ::testing::Test {
protected:
  void SetUp() override
  {
    auto& system = win::detail::WindowSystem::Get();
    system.Reset();
    ClearMessageBoxes();
    std::unique_ptr<Display> display = CreateSdlDisplay();
    ASSERT_TRUE(display) << "no X display: run under scripts/on-screen";
    system.SetDisplay(std::move(display));
  }
  void TearDown() override
  {
    Steps().clear();
    win::detail::WindowSystem::Get().Reset();
  }

  // Handles messages until `done` holds; false when it did not within the timeout.
  static bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 60s)
  {
    auto& system = win::detail::WindowSystem::Get();
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      win::MSG msg;
      while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
        if (!win::AfxPreTranslateMessage(&msg)) {
          win::TranslateMessage(&msg);
          win::DispatchMessage(&msg);
        }
      }
      if (done()) return true;
      if (std::chrono::steady_clock::now() > end) return false;
      system.WaitForInput();
    }
  }
  // Lets the loop run for a while (for things that must NOT happen).
  static void PumpFor(std::chrono::milliseconds time)
  {
    const auto end = std::chrono::steady_clock::now() + time;
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, time + 1s);
  }

  // Steps run one after the other from a timer, so they run inside whatever modal loop is up.
  // A step returns true when done; it is tried again on every tick until then.
  // Steps that are not all done within the deadline end every dialog with kStepsTimedOut.
  static constexpr int kStepsTimedOut = 99;
  static void RunSteps(std::vector<std::function<bool()>> steps)
  {
    Steps() = std::move(steps);
    Deadline() = std::chrono::steady_clock::now() + 90s;  // generous: the machine may be loaded
    win::SetTimer(nullptr, 0x5EED, 50, &StepTimer);
  }
  static bool StepsDone() { return Steps().empty(); }

  // The top-level window of this process with this caption (code page 949).
  static win::HWND TopLevelCalled(const std::string& caption)
  {
    auto& system = win::detail::WindowSystem::Get();
    for (win::HWND top : system.TopLevels()) {
      if (system.State(top)->text == caption && system.IsVisible(top)) return top;
    }
    return nullptr;
  }
  static win::CRect ScreenRectOf(win::HWND hwnd) { return win::detail::WindowSystem::Get().ScreenRect(hwnd); }
  // Clicks through X at a point of a window given in its client coordinates (its centre by default).
  static bool XClickWindow(win::HWND hwnd, std::optional<win::POINT> client = std::nullopt)
  {
    const win::CRect area = win::detail::WindowSystem::Get().ClientScreenRect(hwnd);
    const win::POINT at = client ? win::POINT{area.left + client->x, area.top + client->y}
                                 : win::POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    return vetra::testing::XClickAt(at.x, at.y);
  }
  static bool XMoveTo(int x, int y)
  {
    return vetra::testing::Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)}).has_value();
  }
  static bool XKey(const std::string& key) { return vetra::testing::Xdotool({"key", key}).has_value(); }
  static int ZOrderOf(win::HWND hwnd)
  {
    const auto& tops = win::detail::WindowSystem::Get().TopLevels();
    return static_cast<int>(std::find(tops.begin(), tops.end(), hwnd) - tops.begin());
  }

private:
  static std::vector<std::function<bool()>>& Steps()
  {
    static std::vector<std::function<bool()>> steps;
    return steps;
  }
  static std::chrono::steady_clock::time_point& Deadline()
  {
    static std::chrono::steady_clock::time_point deadline;
    return deadline;
  }
  static void StepTimer(win::HWND, win::UINT, win::UINT_PTR, win::DWORD)
  {
    auto& steps = Steps();
    if (!steps.empty() && std::chrono::steady_clock::now() > Deadline()) {
      ADD_FAILURE() << steps.size() << " steps not done in time";
      steps.clear();
      for (win::HWND top : std::vector<win::HWND>(win::detail::WindowSystem::Get().TopLevels())) {
        if (auto* dialog = dynamic_cast<win::CDialog*>(win::CWnd::FromHandle(top))) dialog->EndDialog(kStepsTimedOut);
      }
    }
    if (steps.empty()) {
      win::KillTimer(nullptr, 0x5EED);
      return;
    }
    std::function<bool()> step = steps.front();
    if (step()) steps.erase(steps.begin());
  }
};

}  // namespace vetra::ui::testing
