#pragma once
// The display back end seen by the window system: where input comes from, how waiting for it
// works and where finished window pictures go. Two back ends exist: the headless virtual screen
// (tests, scripts without a display) and SDL2 (one native window per top-level window).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/messages.h"

namespace vetra::ui {

// One piece of raw input, in screen coordinates, before it is routed to a window.
struct RawInput {
  // Composition: the text the input method is composing (empty once it is typed or dropped).
  enum class Kind { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp, Text, Composition, Wheel };
  Kind kind = Kind::MouseMove;
  win::POINT point{};
  int button = 0;        // 0 left, 1 right
  int wheel = 0;         // Wheel: the turn, WHEEL_DELTA a notch, positive away from the user
  std::uint64_t time = 0;  // when it happened on the monotonic clock; 0: when it is routed
  win::UINT vk = 0;      // virtual key of KeyDown / KeyUp
  std::string text;      // code page 949 bytes of Text
  std::string utf8;      // Text as the desktop typed it, in place of `text`: the window it goes to spells it
  // Pointer input: the top-level window it came in, when known. Text: the window it is typed
  // into when that is not the focus window (a composition the keyboard left).
  win::HWND window = nullptr;
};

enum class CursorShape { None, Arrow, Hand, Wait, IBeam };

class Display {
public:
  virtual ~Display() = default;
  virtual bool IsHeadless() const = 0;
  // The display went away under the program (its X server ended): the program ends.
  virtual bool Lost() const { return false; }
  virtual win::SIZE ScreenSize() const = 0;
  // Called when a message loop has nothing to do. Returns once input may have arrived, time has
  // moved on (to nextTimerDue at the latest) or something else happened.
  virtual void Wait(std::optional<std::uint64_t> nextTimerDue) = 0;
  // A message loop looks for messages without waiting (PeekMessage, the loops of modal dialogs,
  // a transfer that pumps between reads): the display takes in the input that has arrived and
  // shows what was painted, so the screen stays alive however the program loops.
  virtual void Poll() {}
  // Shows at once what was painted (UpdateWindow during work that does not pump messages).
  virtual void ShowPainted() {}
  // A top-level window was shown, hidden, moved, renamed or destroyed.
  virtual void TopLevelChanged(win::HWND) {}
  // A top-level window's picture changed.
  virtual void Present(win::HWND) {}
  virtual void CursorChanged(CursorShape) {}
  // The user chose Move in a top-level window's system menu: the window manager, where there is
  // one, lets the user move it.
  virtual void BeginUserMove(win::HWND) {}
  // The caret of the window typed into stands at this screen rectangle: the input method's
  // candidate window goes beside it.
  virtual void TextInputAt(win::HWND /*topLevel*/, const win::RECT& /*screen*/) {}
  // The keyboard goes from one window to another (either may be none): a composition still open
  // ends in the window left, and the input method takes the mode the new window asked for.
  virtual void KeyboardFocusChanged(win::HWND /*from*/, win::HWND /*to*/) {}
  // A pop-up menu or a dropped list takes the keys while it shows (held), and gives them back:
  // meanwhile the input method sees no keys, and a composition in progress ends first, typed
  // into the window it was made in.
  virtual void KeyboardHeld(bool /*held*/) {}
  // A window set its input mode (ImmSetConversionStatus).
  virtual void InputModeSet(win::HWND) {}
  // A picture was put on the clipboard, as whole PNG and BMP files: the desktop's clipboard
  // offers it to other programs.
  virtual void ClipboardPictureChanged(const std::string& /*png*/, const std::string& /*bmp*/) {}
  // A text (UTF-8) was put on the clipboard: the desktop's clipboard offers it to other programs.
  virtual void ClipboardTextChanged(const std::string& /*utf8*/) {}
  // The desktop's clipboard text (UTF-8), whichever program put it there; nothing where the
  // display has no desktop clipboard.
  virtual std::optional<std::string> DesktopClipboardText() { return std::nullopt; }
};

}  // namespace vetra::ui
