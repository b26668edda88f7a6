#include "platform/ui/accelerators.h"

#include <cctype>

#include "platform/ui/cwnd.h"

namespace win {

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count)
{
  auto table = std::make_shared<AcceleratorTable>();
  if (entries && count > 0) table->entries.assign(entries, entries + count);
  return table;
}

int TranslateAccelerator(HWND hwnd, const HACCEL& table, MSG* msg)
{
  if (!table || !msg || !IsWindow(hwnd)) return FALSE;
  const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  const bool charMsg = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!keyDown && !charMsg) return FALSE;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  for (const ACCEL& a : table->entries) {
    if (a.fVirt & FVIRTKEY) {
      if (!keyDown || a.key != msg->wParam) continue;
      if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != control ||
          ((a.fVirt & FALT) != 0) != alt) {
        continue;
      }
    } else {
      if (!charMsg || a.key != msg->wParam) continue;
      if (((a.fVirt & FALT) != 0) != alt) continue;
    }
    SendMessage(hwnd, WM_COMMAND, MAKELONG(a.cmd, 1), 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace win
