#pragma once
// The desktop's input method (the IBus daemon) as our own client: one input context for the
// program, fed with the display's key events, giving back committed and composed text. SDL has
// an IBus client of its own, but it keeps its input context to itself, so the program could not
// ask for Hangul input (the conversion mode a window sets) nor learn when the user switched.

#include <functional>
#include <memory>
#include <string>

namespace vetra::ui {

class IBusInputMethod {
public:
  // What the input method hands back, as it happens.
  struct Listener {
    // Text typed: what a composition ended in, or a key the engine passed on as text.
    std::function<void(const std::string& utf8)> commit;
    // The text being composed; empty when the composition ended or was dropped.
    std::function<void(const std::string& utf8)> compose;
    // The engine switched between its own script (Hangul) and Latin input, whoever asked (not
    // told for the mode the engine first says it is in).
    std::function<void(bool native)> modeChanged;
    // The daemon took the program on after the program went on without it (it answered late at
    // the start, or came back after it ended or stopped answering): it knows nothing of the
    // program's focus and modes yet.
    std::function<void()> takenUp;
  };

  // Whether the desktop session says where its daemon is: Connect then gives a client. Asking
  // starts nothing (no thread, no connection); the first call, which sets the library up, changes
  // the environment for a moment and so comes before the process has threads of its own.
  static bool DesktopRunsOne();
  // A client of the daemon the desktop session runs, or none when the desktop runs none. A
  // daemon that does not answer within about a second leaves the keys to the program until it
  // answers. The client's connection runs GLib threads from here on.
  static std::unique_ptr<IBusInputMethod> Connect();
  void Listen(Listener listener);
  ~IBusInputMethod();
  IBusInputMethod(const IBusInputMethod&) = delete;
  IBusInputMethod& operator=(const IBusInputMethod&) = delete;

  // One key event of the display. Returns true when the input method took the key: the program
  // then does not see it. A key it passed back unchanged counts as not taken.
  bool ProcessKey(unsigned keysym, unsigned keycode, unsigned state, bool released);

  void FocusIn();
  void FocusOut();
  // Ends a composition: what was being composed is committed before this returns.
  void Reset();
  // Whether the window with the keyboard draws the composition at its caret (an edit box does);
  // for any other window the desktop shows it in a window of its own.
  void ComposeInWindow(bool inWindow);
  // The caret the user types at, in screen coordinates: the candidate window goes beside it.
  void CaretAt(int x, int y, int width, int height);

  // Asks the engine for its own script (true) or Latin input. Kept until the engine has told
  // its mode; nothing happens with an engine that has no such mode.
  void WantNativeMode(bool native);

  // Hands on what the daemon said since the last call (without waiting).
  void Pump();

private:
  struct State;
  explicit IBusInputMethod(std::unique_ptr<State> state);
  std::unique_ptr<State> m_state;
};

}  // namespace vetra::ui
