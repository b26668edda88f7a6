// Sending, posting, taking and dispatching messages.

#include <cctype>

#include "platform/base/clock.h"
#include "platform/ui/app.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/paint.h"
#include "platform/ui/window_system.h"

namespace win {

using detail::WindowSystem;

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  CWnd* wnd = WindowSystem::Get().Lookup(hwnd);
  if (!wnd) return 0;
  // The message being handled is kept for Default(); nested sends restore it afterwards.
  const MSG saved = wnd->m_currentMsg;
  wnd->m_currentMsg = MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(vetra::MonotonicMs()),
                          WindowSystem::Get().cursorPos};
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (WindowSystem::Get().Lookup(hwnd) == wnd) wnd->m_currentMsg = saved;
  return result;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (hwnd && !WindowSystem::Get().State(hwnd)) return FALSE;
  WindowSystem::Get().Post(MSG{hwnd, message, wParam, lParam, 0, {}});
  return TRUE;
}

void PostQuitMessage(int exitCode) { WindowSystem::Get().PostQuit(exitCode); }

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
  return WindowSystem::Get().Peek(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0);
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
  while (!PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
    WindowSystem::Get().WaitForInput();
  }
  return msg->message != WM_QUIT;
}

BOOL TranslateMessage(const MSG* msg)
{
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  const UINT vk = static_cast<UINT>(msg->wParam);
  const auto& keys = WindowSystem::Get().keyDown;
  if (keys[VK_CONTROL] || keys[VK_MENU]) return FALSE;
  int ch = -1;
  const bool shift = keys[VK_SHIFT];
  if (vk >= 'A' && vk <= 'Z') ch = shift ? static_cast<int>(vk) : std::tolower(static_cast<int>(vk));
  else if (vk >= '0' && vk <= '9') ch = static_cast<int>(vk);
  else if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB) ch = static_cast<int>(vk);
  if (ch < 0) return FALSE;
  const bool control = vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_TAB;
  if (!control && !WindowSystem::Get().translatePrintableKeys) return FALSE;
  WindowSystem::Get().Post(MSG{msg->hwnd, WM_CHAR, static_cast<WPARAM>(ch), msg->lParam, 0, {}});
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  if (msg->message == WM_PAINT) {
    detail::PaintNow(msg->hwnd);
    return 0;
  }
  return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL IsWindow(HWND hwnd) { return WindowSystem::Get().State(hwnd) != nullptr; }

BOOL ReleaseCapture()
{
  auto& system = WindowSystem::Get();
  const HWND old = system.capture;
  system.capture = nullptr;
  if (CWnd* wnd = system.Lookup(old)) wnd->SendMessage(WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return WindowSystem::Get().capture; }
HWND GetFocus() { return WindowSystem::Get().focus; }

HWND SetFocus(HWND hwnd)
{
  const HWND old = WindowSystem::Get().focus;
  WindowSystem::Get().SetFocus(hwnd);
  return old;
}

HWND WindowFromPoint(POINT screenPoint) { return WindowSystem::Get().WindowFromPoint(screenPoint); }

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return WindowSystem::Get().KillTimer(hwnd, id); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
  return WindowSystem::Get().SetTimer(hwnd, id, elapseMs, proc);
}

short GetKeyState(int vk)
{
  auto& system = WindowSystem::Get();
  bool down = false;
  if (vk == 0x01) down = system.leftDown;       // VK_LBUTTON
  else if (vk == 0x02) down = system.rightDown; // VK_RBUTTON
  else if (vk >= 0 && vk < 256) down = system.keyDown[vk];
  return down ? static_cast<short>(0x8000) : 0;
}

short GetAsyncKeyState(int vk) { return GetKeyState(vk); }

BOOL GetCursorPos(LPPOINT point)
{
  if (!point) return FALSE;
  *point = WindowSystem::Get().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
  WindowSystem::Get().cursorPos = POINT{x, y};
  return TRUE;
}

void MessageBeep(UINT) {}

BOOL AfxPreTranslateMessage(MSG* msg)
{
  CWnd* main = AfxGetMainWnd();
  bool mainVisited = false;
  for (HWND hwnd = msg->hwnd; hwnd;) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) break;
    if (wnd == main) mainVisited = true;
    if (wnd->PreTranslateMessage(msg)) return TRUE;
    if (!(wnd->GetStyle() & WS_CHILD)) break;
    CWnd* parent = wnd->GetParent();
    hwnd = parent ? parent->m_hWnd : nullptr;
  }
  // The main window (a frame with its accelerators) sees messages of its other windows too,
  // unless a modal window is up over it.
  if (main && !mainVisited && main->IsWindowEnabled() && main->m_hWnd) {
    return main->PreTranslateMessage(msg);
  }
  return FALSE;
}

BOOL AfxPumpMessage()
{
  MSG msg;
  if (!GetMessage(&msg, nullptr, 0, 0)) {
    return FALSE;
  }
  if (!AfxPreTranslateMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return TRUE;
}

}  // namespace win
