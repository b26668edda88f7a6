#include "platform/ui/testing.h"

#include <algorithm>


#include "platform/base/clock.h"
#include "platform/ui/cursor.h"
#include "platform/ui/double_click.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/script.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

using win::detail::WindowSystem;

void ResetForTests()
{
  auto& system = WindowSystem::Get();
  system.Reset();
  system.SetDisplay(CreateHeadlessDisplay());
  ClearIdleActions();
  ClearMessageBoxes();
  ClearFileDialogAnswers();
  ClearFileDialogLog();
  ClearPrintDialogAnswers();
  ClearPopupMenus();
  StopSessionScript();
  win::SetCursor(nullptr);
  RestartHeadlessLimit();
}

void Pump()
{
  win::MSG msg;
  while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(static_cast<int>(msg.wParam));  // left for the program's loop
      return;
    }
    if (!win::AfxPreTranslateMessage(&msg)) {
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
  }
}

void AdvanceClock(std::uint64_t ms)
{
  const std::uint64_t target = MonotonicMs() + ms;
  Pump();
  for (;;) {
    const std::optional<std::uint64_t> next = WindowSystem::Get().NextTimerDue(nullptr);
    if (!next || *next > target) break;
    AdvanceVirtualClockTo(*next);
    Pump();
    if (WindowSystem::Get().QuitPending()) break;
  }
  AdvanceVirtualClockTo(target);
  Pump();
}

namespace {
win::POINT ScreenPoint(win::CWnd& wnd, win::POINT client)
{
  wnd.ClientToScreen(&client);
  return client;
}
}  // namespace

void MoveMouse(win::CWnd& wnd, win::POINT client)
{
  InjectMouseMove(ScreenPoint(wnd, client));
  Pump();
}

void Press(win::CWnd& wnd, win::POINT client, int button)
{
  const win::POINT p = ScreenPoint(wnd, client);
  InjectMouseMove(p);
  InjectButton(p, button, true);
  Pump();
}

void Release(win::CWnd& wnd, win::POINT client, int button)
{
  const win::POINT p = ScreenPoint(wnd, client);
  InjectMouseMove(p);
  InjectButton(p, button, false);
  Pump();
}

void Click(win::CWnd& wnd, win::POINT client, int button)
{
  const win::POINT p = ScreenPoint(wnd, client);
  InjectMouseMove(p);
  InjectButton(p, button, true);
  InjectButton(p, button, false);
  Pump();
}

void ClickAlone(win::CWnd& wnd, win::POINT client, int button)
{
  // Each stamp lies a double-click time beyond the one before and beyond the clock.
  static std::uint64_t lastStamp = 0;
  lastStamp = std::max(lastStamp, MonotonicMs()) + win::GetDoubleClickTime() + 1;
  const win::POINT p = ScreenPoint(wnd, client);
  InjectMouseMove(p);
  InjectButton(p, button, true, lastStamp);
  InjectButton(p, button, false, lastStamp);
  Pump();
}

void PressKeys(const std::string& chord)
{
  if (const std::optional<KeyChord> parsed = ParseKeyChord(chord)) InjectKeyChord(*parsed);
  Pump();
}

void Type(const std::string& cp949)
{
  InjectText(cp949);
  Pump();
}

void TypeOnDesktop(const std::string& utf8)
{
  InjectDesktopText(utf8);
  Pump();
}

}  // namespace vetra::ui
