#pragma once
// What the X display shows and holds, for on-screen tests (run under scripts/on-screen): pixels
// of the screen as the display composed them, and the desktop clipboard as another program
// pastes from it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vetra::testing {

// The colours (0xRRGGBB, row by row) the screen shows in a rectangle, or nothing when they
// cannot be read.
std::optional<std::vector<std::uint32_t>> XScreenPixels(int x, int y, int width, int height);
std::optional<std::uint32_t> XScreenPixel(int x, int y);

// Reads the desktop clipboard in `target` ("TARGETS", "image/png", ...) with xclip, as a program
// pasting would, while `pump` keeps the clipboard's owner answering (it is called until xclip
// ends or `timeoutMs` passes). Nothing when xclip failed or timed out.
std::optional<std::string> XReadClipboard(const std::string& target, const std::function<void()>& pump,
                                          int timeoutMs = 15000);

}  // namespace vetra::testing
