#pragma once
// Driving windows from tests: everything runs on the test's thread against the headless display
// and the virtual clock.
//
//   vetra::ui::ResetForTests();                 // fresh window system, virtual clock
//   MyWindow w; w.CreateEx(...);
//   vetra::ui::Click(w, {10, 10});              // press and release at a client point
//   vetra::ui::AdvanceClock(100);               // timers fire in order as they come due
//   vetra::ui::QueueMessageBoxAnswer(IDNO);     // the next message box answers "No"

#include <cstdint>

#include "platform/ui/cwnd.h"
#include "platform/ui/file_dialog_answers.h"
#include "platform/ui/idle.h"
#include "platform/ui/input.h"
#include "platform/ui/message_box.h"

namespace vetra::ui {

// Ends every window and clears queues, answers, timers and the script; headless display and
// virtual clock from here on.
void ResetForTests();
// Handles every message that is ready now (posted, input, paint, due timers), without waiting.
void Pump();
// Lets virtual time pass; timers fire in due order, with everything they cause handled.
void AdvanceClock(std::uint64_t ms);

// Input at client points of a window (routed like real input: capture, topmost window).
void MoveMouse(win::CWnd& wnd, win::POINT client);
void Press(win::CWnd& wnd, win::POINT client, int button = 0);
void Release(win::CWnd& wnd, win::POINT client, int button = 0);
void Click(win::CWnd& wnd, win::POINT client, int button = 0);
// A click of its own: its press is stamped past the double-click time of any earlier press, as
// a user's separate clicks are, while the test's virtual clock stands still.
void ClickAlone(win::CWnd& wnd, win::POINT client, int button = 0);
void PressKeys(const std::string& chord);  // "ctrl+p", "return", ...
void Type(const std::string& cp949);
// Text typed as the desktop hands it over (UTF-8).
void TypeOnDesktop(const std::string& utf8);

}  // namespace vetra::ui
