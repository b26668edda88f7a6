#pragma once
// Feeding input into the window system as a user (or a session script or a test) gives it:
// screen coordinates, keys by virtual-key code, text in code page 949.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/messages.h"

namespace vetra::ui {

void InjectMouseMove(win::POINT screen);
// Button 0 left, 1 right; `time` is when it happened on the monotonic clock (0: now).
void InjectButton(win::POINT screen, int button, bool down, std::uint64_t time = 0);
// The wheel turned at a screen point by `delta` (WHEEL_DELTA a notch, positive away from the user).
void InjectWheel(win::POINT screen, int delta);
void InjectKey(win::UINT vk, bool down);
void InjectText(const std::string& cp949);
// Text typed on the desktop (UTF-8); the window with the keyboard gets it in code page 949, or
// `target` does (a window the keyboard has just left).
void InjectDesktopText(const std::string& utf8, win::HWND target = nullptr);
// The text the input method is composing (code page 949); empty when the composition ended.
void InjectComposition(const std::string& cp949);

// A key with its modifiers, e.g. "ctrl+p", "esc", "alt+right", "return", "f5", "shift+tab".
struct KeyChord {
  std::vector<win::UINT> modifiers;
  win::UINT key = 0;
};
std::optional<KeyChord> ParseKeyChord(const std::string& name);
// Presses and releases the chord (modifiers first, released last).
void InjectKeyChord(const KeyChord& chord);

}  // namespace vetra::ui
