#pragma once
// The system menu on the screen: a top-level window's menu of window commands, with the entries
// its program added, opened by Alt+Space or a right click on the caption (on a window without a
// caption of its own, on its top band). It is shown as any pop-up menu (popup_menu.h), keys, mouse
// and queued answers alike; the chosen command goes to the window as WM_SYSCOMMAND.

#include "platform/ui/cwnd.h"

namespace win {

// Shows `window`'s system menu with its top-left corner at `screen` and runs it until an item is
// chosen or it is closed. Nothing happens for a window without a system menu.
void TrackSystemMenu(CWnd& window, POINT screen);

// Whether a right click at `screen` on the top-level `window` asks for its system menu: on its
// caption, or, where it draws its own face, in its top band.
bool OnSystemMenuPlace(CWnd& window, POINT screen);

}  // namespace win
