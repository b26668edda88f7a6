#pragma once
// Pop-up menus (a control's right-click menu, a window's system menu): the menu shows at a screen
// point above every window and holds the mouse and the keys until an item is chosen or it is
// dismissed. The arrows move over the entries that can be chosen (greyed ones and separators are
// passed over), Return or an entry's letter chooses, Esc, Alt or a press outside the menu closes
// it, and so does the window it was opened over going or losing the activation. Whenever an
// answer is queued (as a session script does) the menu is answered from the queue instead; every
// menu is recorded, as message boxes are.

#include <vector>

#include "platform/ui/cwnd.h"
#include "platform/ui/menu.h"

namespace win {

inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// Shows the menu with its top-left corner at the screen point (moved to stay on the screen).
// With TPM_RETURNCMD the chosen item's id is returned (0 when none was chosen); otherwise the
// choice is sent to the owner as WM_COMMAND and the result is whether an item was chosen.
UINT TrackPopupMenu(const CMenu& menu, UINT flags, int x, int y, CWnd* owner);

}  // namespace win

namespace vetra::ui {

struct PopupMenuRecord {
  std::vector<win::CMenu::Item> items;
  win::POINT at{};
  win::UINT answer = 0;
};

// Queues the id chosen in the next pop-up menu; 0 dismisses it. An id that is not an enabled
// item of the menu dismisses it too.
void QueuePopupMenuAnswer(win::UINT id);
// Every pop-up menu shown so far, oldest first.
const std::vector<PopupMenuRecord>& PopupMenuLog();
void ClearPopupMenus();

}  // namespace vetra::ui
