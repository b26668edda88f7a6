#pragma once
// A request about an X window that is already gone, as a program makes when it answers a window
// that closed a moment before: the server answers it with an X error.

namespace vetra::testing {

// On the display named by DISPLAY: makes a window, destroys it, sends it an event and waits for
// the server's answer. False when the display cannot be opened.
bool SendToAWindowThatIsGone();

}  // namespace vetra::testing
