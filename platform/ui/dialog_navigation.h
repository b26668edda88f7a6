#pragma once
// How the keyboard finds its way through a dialog's controls: the tab order (the order the
// controls were made in, which is the template's), groups (a run of controls from one with
// WS_GROUP up to the next), radio groups entered at their checked button, and mnemonics (the
// letter after "&" in a control's text).

#include <vector>

#include "platform/ui/cwnd.h"

namespace win::detail {

// The dialog's controls in the order they were made; bringing one to the top does not move it.
std::vector<CWnd*> DialogControls(const CWnd& dialog);
// The dialog's own control that has the keyboard, or has it in one of its parts (the edit field
// of a combo box); null when the keyboard is elsewhere.
CWnd* ControlWithFocus(const CWnd& dialog);
// Whether the control can take the keyboard: shown, enabled and handling keys of its own (a
// button, an edit, a list, a combo box, a scroll bar); never a label, group frame, picture, icon,
// progress bar or a window that asks for no keys.
bool CanTakeFocus(CWnd& control);
// The controls of the group the control belongs to, in order.
std::vector<CWnd*> GroupOf(const CWnd& parent, const CWnd& control);
// The control Tab (or Shift+Tab) moves to from `from` (null: from before the first control).
CWnd* NextTabStop(const CWnd& dialog, CWnd* from, bool backwards);
// The control the arrows move to within the group of `from`.
CWnd* NextInGroup(const CWnd& dialog, CWnd* from, bool backwards);
// The control the dialog first gives the keyboard to: the first tab stop, else the first
// control that can take the keyboard.
CWnd* FirstFocus(const CWnd& dialog);
// The control whose text marks `letter` with "&", searched after `from`; a label gives the
// next control that can take the keyboard.
CWnd* MnemonicTarget(const CWnd& dialog, CWnd* from, char letter);
// Gives the control the keyboard as the dialog's keys do: a box the keyboard lands in (a combo
// box's edit field too) has its whole text chosen, so typing replaces it.
void FocusFromKeyboard(CWnd& control);
// Whether a text marks the letter with "&" ("&&" is an ampersand).
bool MarksLetter(const std::string& text, char letter);

}  // namespace win::detail
