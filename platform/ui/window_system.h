#pragma once
// The in-process window system behind CWnd: the handle table, the window tree, the message
// queue, input routing, timers, capture, focus and activation. One per process, used from the
// user-interface thread only.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/bitmap32.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/display.h"
#include "platform/ui/double_click.h"
#include "platform/ui/menu.h"

namespace win::detail {

struct WindowState {
  CWnd* object = nullptr;
  std::string className;
  std::string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT id = 0;
  CRect rect;                 // parent-client coordinates for a child, screen for a top level
  HWND parent = nullptr;      // the parent of a child, the owner of a top-level window
  std::vector<HWND> children; // bottom of the z-order first
  CRect updateRect;           // coalesced invalid area, client coordinates
  bool needsPaint = false;
  bool needsErase = false;
  bool inPaint = false;
  bool paintBegun = false;
  bool destroying = false;
  bool systemOwned = false;   // the window system deletes the object when the window ends
  HWND lastFocus = nullptr;   // a top-level window: its window that last had the keyboard
  CFont* font = nullptr;
  HICON icon = nullptr;
  std::unique_ptr<CMenu> systemMenu;
  std::shared_ptr<vetra::gdi::Bitmap32> surface;  // a top-level window's picture of itself
  std::unique_ptr<CDC> paintDC;                   // BeginPaint's device context
  std::vector<std::unique_ptr<CDC>> dcs;          // GetDC's device contexts
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT period = 0;
  std::uint64_t due = 0;
  std::uint64_t order = 0;
  TIMERPROC proc = nullptr;
};

class WindowSystem {
public:
  static WindowSystem& Get();

  // Handles.
  HWND Register(CWnd* wnd);
  CWnd* Lookup(HWND hwnd) const;
  WindowState* State(HWND hwnd) const;
  void Retarget(HWND hwnd, CWnd* wnd);
  void Forget(HWND hwnd);
  void AdoptObject(std::unique_ptr<CWnd> wnd);  // owned until its window ends
  void ReleaseObject(CWnd* wnd);

  // Tree.
  std::vector<HWND>& TopLevels() { return m_topLevels; }
  bool IsTopLevel(HWND hwnd) const;
  HWND TopLevelOf(HWND hwnd) const;
  bool IsVisible(HWND hwnd) const;   // the window and all its ancestors
  bool IsEnabled(HWND hwnd) const;
  bool IsDescendant(HWND hwnd, HWND ancestor) const;  // hwnd == ancestor counts
  CRect ScreenRect(HWND hwnd) const;        // window rectangle in screen coordinates
  CRect ClientScreenRect(HWND hwnd) const;  // client area in screen coordinates
  static CRect NonClientInsets(DWORD style, DWORD exStyle, bool child);
  HWND WindowFromPoint(POINT screen) const;
  // The window under a screen point inside one top-level window (the top-level itself when no
  // child takes the point).
  HWND ChildFromPoint(HWND top, POINT screen) const;
  int HitTest(HWND hwnd, POINT screen) const;

  // Painting.
  void InvalidateClient(HWND hwnd, const RECT* rect, bool erase);
  void InvalidateParentArea(HWND hwnd);
  void Validate(HWND hwnd, const RECT* rect);
  HWND NextWindowToPaint(HWND filter) const;

  // Queue.
  void Post(const MSG& msg);
  void PostQuit(int code);
  bool Peek(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, bool remove);
  void WaitForInput();
  void PushInput(vetra::ui::RawInput input) { m_input.push_back(std::move(input)); }
  // Routes a press again, before any input that came after it (a pop-up that closed on it passes
  // it on to the window under the pointer).
  void RedeliverPress(POINT screen, int button);
  bool QuitPending() const { return m_quit; }

  // Timers.
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC proc);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  void KillTimersOf(HWND hwnd);
  std::optional<std::uint64_t> NextTimerDue(HWND filter) const;
  const std::vector<Timer>& Timers() const { return m_timers; }

  // Input state.
  HWND capture = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  POINT cursorPos{};
  bool leftDown = false;
  bool rightDown = false;
  bool keyDown[256] = {};
  CWnd* mainWnd = nullptr;
  // Whether TranslateMessage makes characters of printable keys. A display that delivers typed
  // text by itself (through the input method) turns it off; control keys always translate.
  bool translatePrintableKeys = true;
  // The top-level window the latest pointer input came in, when the display knows it.
  HWND pointerWindow = nullptr;
  // What the input method is composing now (code page 949), for ImmGetCompositionString.
  std::string composition;

  // Top-level captions of a program's windows are published for FindWindow in other programs.
  void PublishTitle(HWND hwnd);
  void SetFocus(HWND hwnd);
  // Brings a top-level window to the top of its layer (topmost windows form the upper layer),
  // with the windows it owns above it.
  void RaiseTopLevel(HWND hwnd);
  // The top-level owner of a top-level window; null for a child or an unowned window.
  HWND OwnerOf(HWND hwnd) const;
  // Whether the window stands in the topmost layer (by its own style or its owner's).
  bool IsTopmost(HWND hwnd) const;
  void Activate(HWND hwnd);
  // A pop-up that takes the keys while it shows (a menu, a dropped list) holds the keyboard: the
  // display's input method sees none of them meanwhile, and ends a composition in progress first.
  void HoldKeyboard();
  void ReleaseKeyboard();
  bool KeyboardHeld() const { return m_keyboardHolds > 0; }
  // Another program's window became the active one: none of ours is active, and the keys and
  // the mouse capture are given up (a dropped list closes), until one of ours is activated again.
  void DeactivateAll();
  void Destroy(HWND hwnd);

  // The display back end; created on first use (headless when VETRA_HEADLESS is set or no
  // display is available).
  vetra::ui::Display& Display();
  void SetDisplay(std::unique_ptr<vetra::ui::Display> display);
  bool HasDisplay() const { return m_display != nullptr; }
  // The display went away under the program.
  bool DisplayLost() const { return m_display && m_display->Lost(); }
  // The exit status of a program whose display went away.
  static constexpr int kDisplayLostExitStatus = 1;

  // Ends every window and forgets all queued work (tests).
  void Reset();

private:
  WindowSystem() = default;
  ~WindowSystem();
  bool PeekQueued(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, bool remove);
  std::optional<MSG> RouteInput(const vetra::ui::RawInput& input);
  std::optional<MSG> RouteWheel(const vetra::ui::RawInput& input);
  // The message a press in a window's client area arrives as: a press or a double click.
  UINT PressMessage(HWND target, const vetra::ui::RawInput& input);
  UINT MouseKeyFlags() const;
  void KeepOwnedAboveOwners();

  std::unordered_map<HWND, std::unique_ptr<WindowState>> m_windows;
  std::unordered_map<CWnd*, std::unique_ptr<CWnd>> m_owned;
  std::vector<HWND> m_topLevels;  // bottom of the z-order first
  std::deque<MSG> m_posted;
  std::deque<vetra::ui::RawInput> m_input;
  std::vector<Timer> m_timers;
  std::uintptr_t m_nextHandle = 0x1000;
  std::uint64_t m_timerOrder = 0;
  bool m_quit = false;
  int m_quitCode = 0;
  bool m_endRequestSeen = false;  // the quit for a pending end request was posted
  bool m_displayLossSeen = false;  // the quit for a lost display was posted
  int m_keyboardHolds = 0;
  std::unique_ptr<vetra::ui::Display> m_display;
  DoubleClickDetector m_clicks;
};

// Holds the keyboard for as long as it lives.
class KeyboardHold {
public:
  KeyboardHold() { WindowSystem::Get().HoldKeyboard(); }
  ~KeyboardHold() { WindowSystem::Get().ReleaseKeyboard(); }
  KeyboardHold(const KeyboardHold&) = delete;
  KeyboardHold& operator=(const KeyboardHold&) = delete;
};

}  // namespace win::detail
