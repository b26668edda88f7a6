#pragma once
// Real X input for on-screen tests (run under scripts/on-screen): xdotool moves, clicks and types
// on the test's private display, as a user at the keyboard and mouse would.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vetra::testing {

// Runs xdotool with these arguments; its standard output, or nothing when it failed.
std::optional<std::string> Xdotool(const std::vector<std::string>& arguments);

// Whose windows WaitForXWindow looks at. The window manager's own windows (frames, pop-ups) may
// carry a client's title for a while: a process looking for its own windows names itself.
enum class XWindowsOf { AnyProgram, ThisProcess };

// The X window id of the first visible window whose title is exactly `title` (UTF-8), waiting up
// to `timeout` for it to appear.
std::optional<std::string> WaitForXWindow(const std::string& title,
                                          std::chrono::milliseconds timeout = std::chrono::seconds(20),
                                          XWindowsOf owner = XWindowsOf::AnyProgram);

// Clicks at a point of the screen (button 1 left, 3 right).
bool XClickAt(int x, int y, int button = 1);

}  // namespace vetra::testing
