#include "platform/ui/system_menu.h"

#include "platform/ui/menu.h"
#include "platform/ui/popup_menu.h"
#include "platform/ui/system_metrics.h"

namespace win {

bool OnSystemMenuPlace(CWnd& window, POINT screen)
{
  if (!(window.GetStyle() & WS_SYSMENU) || (window.GetStyle() & WS_CHILD)) return false;
  const int hit = static_cast<int>(window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
  if (hit == HTCAPTION) return true;
  // A window that draws its own face (no caption of its own, nor one a window manager adds):
  // the band where a caption would be.
  if ((window.GetStyle() & WS_CAPTION) == WS_CAPTION) return false;
  CRect place;
  window.GetWindowRect(&place);
  return place.PtInRect(screen) && screen.y < place.top + GetSystemMetrics(SM_CYCAPTION);
}

void TrackSystemMenu(CWnd& window, POINT screen)
{
  CMenu* menu = window.GetSystemMenu(FALSE);
  if (!menu || menu->Items().empty()) return;
  const HWND owner = window.m_hWnd;
  // The same pop-up menu as any other; the command goes to the window once the menu is gone.
  const UINT chosen = TrackPopupMenu(*menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, &window);
  if (chosen && IsWindow(owner)) PostMessage(owner, WM_SYSCOMMAND, chosen, MAKELPARAM(screen.x, screen.y));
}

}  // namespace win
