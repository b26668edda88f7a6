// The on-screen display on SDL2: every visible top-level window is a native window (decorated
// with its caption when it has one, showing its client area; borderless otherwise, showing the
// whole window). Mouse, keys and text (UTF-8, Korean through the input method) become input;
// timers run on real time.

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/ibus_input_method.h"
#include "platform/ui/ime.h"
#include "platform/ui/idle.h"
#include "platform/ui/input.h"
#include "platform/ui/momentary_environment.h"
#include "platform/ui/paint.h"
#include "platform/ui/script.h"
#include "platform/ui/session_bus_probe.h"
#include "platform/ui/sdl_keys.h"
#include "platform/ui/window_system.h"
#include "platform/ui/x11_connection_loss.h"
#include "platform/ui/x11_errors.h"
#include "platform/ui/x11_key_event.h"
#include "platform/ui/x11_picture_clipboard.h"
#include "platform/ui/x11_window_functions.h"
#include "platform/ui/x11_window_manager.h"

namespace vetra::ui {

namespace {

using win::detail::WindowSystem;

struct NativeWindow {
  SDL_Window* window = nullptr;
  bool decorated = false;
  bool dirty = true;
  // Where a decorated window's client area was asked to go, until the window manager has put
  // its frame round it and said where it went.
  std::optional<win::POINT> placing{};
};

// The window manager's frame round a decorated window: how far its client area stands in.
struct FrameInset {
  int left = 0;
  int top = 0;
};

class SdlDisplay final : public Display {
public:
  explicit SdlDisplay(std::unique_ptr<IBusInputMethod> inputMethod) : m_ime(std::move(inputMethod))
  {
    ++LiveDisplays();
    UseVirtualClock(false);
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) m_screen = {mode.w, mode.h};
    if (m_ime) ListenToInputMethod();
    SDL_StartTextInput();
    WindowSystem::Get().translatePrintableKeys = false;
    WatchSdlXConnection();
  }
  ~SdlDisplay() override
  {
    const XEnding ending;
    if (XConnectionLost()) {
      // The X server is gone and the program ends: nothing of the display can be given back.
      WindowSystem::Get().translatePrintableKeys = true;
      return;
    }
    for (auto& [hwnd, native] : m_windows) SDL_DestroyWindow(native.window);
    for (auto& [shape, cursor] : m_cursors) SDL_FreeCursor(cursor);
    // A display that replaces this one was made before this one ends: SDL and the key
    // translation stay as the new one set them.
    if (--LiveDisplays() > 0) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return;
    }
    WindowSystem::Get().translatePrintableKeys = true;
    // The display is SDL's only user here: all of it ends, its session-bus connection too.
    SDL_Quit();
  }

  bool IsHeadless() const override { return false; }
  bool Lost() const override { return XConnectionLost(); }
  win::SIZE ScreenSize() const override { return m_screen; }

  void TopLevelChanged(win::HWND hwnd) override
  {
    if (XConnectionLost()) return;  // nothing of the display answers any more
    auto& system = WindowSystem::Get();
    win::detail::WindowState* s = system.State(hwnd);
    const bool shown = s && system.IsVisible(hwnd) && !(s->style & win::WS_MINIMIZE);
    auto it = m_windows.find(hwnd);
    if (s && system.IsVisible(hwnd) && (s->style & win::WS_MINIMIZE)) {
      // Minimized by its program (its system menu, its minimise box): the desktop keeps it in
      // its task list, from where the user brings it back.
      if (it != m_windows.end()) SDL_MinimizeWindow(it->second.window);
      return;
    }
    if (!shown) {
      if (it != m_windows.end()) {
        if (s) SDL_HideWindow(it->second.window);
        else {
          SDL_DestroyWindow(it->second.window);
          m_windows.erase(it);
        }
      }
      return;
    }
    const bool decorated = (s->style & win::WS_CAPTION) == win::WS_CAPTION;
    const win::CRect area = decorated ? system.ClientScreenRect(hwnd) : system.ScreenRect(hwnd);
    if (it == m_windows.end()) {
      Uint32 flags = SDL_WINDOW_HIDDEN;
      if (!decorated) flags |= SDL_WINDOW_BORDERLESS;
      // A pop-up (a dropped list) is no window of the window manager's and takes no focus.
      if (IsPopup(*s)) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
      if (system.IsTopmost(hwnd)) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
      // A window manager puts the frame where a new window asks to be, which moves the client
      // area in by the frame: a decorated window asks that much up and left, so its client area
      // lands where the window system has it.
      const FrameInset inset = decorated ? m_frameInset : FrameInset{};
      SDL_Window* window = SDL_CreateWindow("", area.left - inset.left, area.top - inset.top,
                                            std::max(1, area.Width()), std::max(1, area.Height()), flags);
      if (!window) return;
      it = m_windows.emplace(hwnd, NativeWindow{window, decorated, true}).first;
      if (decorated) {
        it->second.placing = win::POINT{area.left, area.top};
        TellWindowManagerFunctions(window, FunctionsOf(*s));
      }
      // An owned window stays above its owner: the window manager learns whose it is.
      if (const win::HWND owner = system.OwnerOf(hwnd); owner && !IsPopup(*s)) {
        if (auto o = m_windows.find(owner); o != m_windows.end()) SDL_SetWindowModalFor(window, o->second.window);
      }
    }
    SDL_Window* window = it->second.window;
    SDL_SetWindowTitle(window, Utf8(s->text).c_str());
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w != area.Width() || h != area.Height()) SDL_SetWindowSize(window, std::max(1, area.Width()), std::max(1, area.Height()));
    SDL_GetWindowPosition(window, &x, &y);
    if (!it->second.placing && (x != area.left || y != area.top)) SDL_SetWindowPosition(window, area.left, area.top);
    const bool wasShown = (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0;
    SDL_ShowWindow(window);
    if (IsPopup(*s)) {
      // Without a window manager SDL hands the keyboard to every window it shows; the active
      // window keeps it while a pop-up shows.
      auto owner = m_windows.find(system.active);
      if (!wasShown && owner != m_windows.end()) SDL_SetWindowInputFocus(owner->second.window);
    } else if (system.active == hwnd) {
      SDL_RaiseWindow(window);
    }
    it->second.dirty = true;
  }

  void TextInputAt(win::HWND topLevel, const win::RECT& screen) override
  {
    if (XConnectionLost()) return;  // nothing of the display answers any more
    auto it = m_windows.find(topLevel);
    if (it == m_windows.end()) return;
    auto& system = WindowSystem::Get();
    const win::CRect area = it->second.decorated ? system.ClientScreenRect(topLevel) : system.ScreenRect(topLevel);
    SDL_Rect rect{screen.left - area.left, screen.top - area.top, screen.right - screen.left, screen.bottom - screen.top};
    SDL_SetTextInputRect(&rect);
    if (m_ime) m_ime->CaretAt(screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top);
  }

  void KeyboardFocusChanged(win::HWND from, win::HWND to) override
  {
    if (!m_ime || XConnectionLost()) return;
    // A window that leaves the composition to the desktop's own window does not know whether
    // one is open: it is ended all the same.
    if (from && (m_composing || !DrawsComposition(from))) {
      // The composition ends typed into the window it was made in, as the keyboard leaves.
      m_commitTarget = from;
      m_ime->Reset();
      m_commitTarget = nullptr;
    }
    m_ime->ComposeInWindow(DrawsComposition(to));
    TakeInputModeOf(to);
  }

  void KeyboardHeld(bool held) override
  {
    m_keyboardHeld = held;
    if (!held || !m_ime || XConnectionLost()) return;
    // What was being composed is typed where it was made before the menu reads any key.
    auto& system = WindowSystem::Get();
    const win::HWND typedInto = system.focus ? system.focus : system.active;
    if (typedInto && (m_composing || !DrawsComposition(typedInto))) {
      m_commitTarget = typedInto;
      m_ime->Reset();
      m_commitTarget = nullptr;
    }
  }

  void InputModeSet(win::HWND hwnd) override
  {
    if (m_ime && hwnd && hwnd == WindowSystem::Get().focus) TakeInputModeOf(hwnd);
  }

  void BeginUserMove(win::HWND hwnd) override
  {
    if (XConnectionLost() || !WindowManagerRuns()) return;
    if (auto it = m_windows.find(hwnd); it != m_windows.end()) AskWindowManagerToMove(it->second.window);
  }

  void ClipboardPictureChanged(const std::string& png, const std::string& bmp) override
  {
    if (XConnectionLost()) return;  // nothing of the display answers any more
    if (!m_clipboard) m_clipboard = X11PictureClipboard::Open(std::getenv("DISPLAY"));
    if (m_clipboard) m_clipboard->Offer(png, bmp);
  }

  void ClipboardTextChanged(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

  std::optional<std::string> DesktopClipboardText() override
  {
    // Our own picture holds the clipboard: there is no text, and asking for one would wait on
    // this very program.
    if (m_clipboard && m_clipboard->HoldsPicture()) return std::string();
    char* text = SDL_GetClipboardText();
    std::string utf8 = text ? text : "";
    SDL_free(text);
    return utf8;
  }

  void Present(win::HWND hwnd) override
  {
    if (auto it = m_windows.find(hwnd); it != m_windows.end()) it->second.dirty = true;
  }

  void CursorChanged(CursorShape shape) override
  {
    if (XConnectionLost()) return;  // nothing of the display answers any more
    static const std::pair<CursorShape, SDL_SystemCursor> kCursors[] = {
        {CursorShape::Arrow, SDL_SYSTEM_CURSOR_ARROW},
        {CursorShape::Hand, SDL_SYSTEM_CURSOR_HAND},
        {CursorShape::Wait, SDL_SYSTEM_CURSOR_WAIT},
        {CursorShape::IBeam, SDL_SYSTEM_CURSOR_IBEAM}};
    for (const auto& [ours, theirs] : kCursors) {
      if (ours != shape) continue;
      SDL_Cursor*& cursor = m_cursors[static_cast<int>(shape)];
      if (!cursor) cursor = SDL_CreateSystemCursor(theirs);
      if (cursor) SDL_SetCursor(cursor);
    }
  }

  void Poll() override
  {
    if (XConnectionLost()) return;  // nothing of the display answers any more
    Flush();
    if (m_ime) m_ime->Pump();
    SDL_Event event;
    while (!XConnectionLost() && PollEvent(&event)) Handle(event);
    CheckFocusLeft();
  }

  void ShowPainted() override
  {
    if (!XConnectionLost()) Flush();
  }

  void Wait(std::optional<std::uint64_t> nextTimerDue) override
  {
    // The display is gone: the loops see it and quit.
    if (XConnectionLost()) return;
    Flush();
    if (RunIdleAction()) return;
    std::optional<std::uint64_t> until = nextTimerDue;
    if (SessionScript* script = ActiveSessionScript()) {
      const SessionScript::Step step = script->Next();
      if (step.kind == SessionScript::Step::Kind::Ran) return;
      if (step.kind == SessionScript::Step::Kind::WaitUntil) {
        until = until ? std::min(*until, step.until) : step.until;
      } else {
        StopSessionScript();
      }
    }
    const std::uint64_t now = MonotonicMs();
    int timeout = 100;
    if (until) timeout = static_cast<int>(std::min<std::uint64_t>(*until > now ? *until - now : 0, 100));
    if (m_clipboard) {
      // Pasting in other programs is answered at least every 20 ms while the clipboard is ours.
      m_clipboard->Serve();
      timeout = std::min(timeout, 20);
    }
    SDL_Event event;
    if (WaitEvent(&event, timeout) && !XConnectionLost()) {
      Handle(event);
      while (!XConnectionLost() && PollEvent(&event)) Handle(event);
    }
    if (XConnectionLost()) return;
    if (m_clipboard) m_clipboard->Serve();
    if (m_ime) m_ime->Pump();
    CheckFocusLeft();
  }

private:
  // SDL's reads of the display, left at once when the display goes while SDL reads it (SDL could
  // not go on safely with the answers it would get).
  static bool PollEvent(SDL_Event* event)
  {
    return ReadDisplayGuarded([](void* e) { return SDL_PollEvent(static_cast<SDL_Event*>(e)); }, event) != 0;
  }
  static bool WaitEvent(SDL_Event* event, int timeout)
  {
    struct Wait {
      SDL_Event* event;
      int timeout;
    } wait{event, timeout};
    return ReadDisplayGuarded(
               [](void* w) {
                 auto* asked = static_cast<Wait*>(w);
                 return SDL_WaitEventTimeout(asked->event, asked->timeout);
               },
               &wait) != 0;
  }

  // The desktop's input method gets the keys first: it composes Hangul and hands back the text.
  void ListenToInputMethod()
  {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    IBusInputMethod::Listener listener;
    listener.commit = [this](const std::string& utf8) { InjectDesktopText(utf8, m_commitTarget); };
    listener.compose = [this](const std::string& utf8) {
      m_composing = !utf8.empty();
      InjectComposition(Cp949(utf8));
    };
    listener.modeChanged = [](bool native) {
      if (const win::HWND focus = WindowSystem::Get().focus) NoteNativeInput(focus, native);
    };
    listener.takenUp = [this] {
      m_composing = false;
      if (SDL_GetKeyboardFocus()) m_ime->FocusIn();
      m_ime->ComposeInWindow(DrawsComposition(WindowSystem::Get().focus));
      TakeInputModeOf(WindowSystem::Get().focus);
    };
    m_ime->Listen(std::move(listener));
  }

  bool TakenByInputMethod(const SDL_SysWMmsg& message)
  {
    if (!m_ime || m_keyboardHeld) return false;
    const std::optional<X11KeyEvent> key = X11KeyEventOf(message);
    return key && m_ime->ProcessKey(key->keysym, key->keycode, key->state, key->released);
  }

  // Edit boxes draw what the input method composes at their caret; other windows leave it to
  // the desktop's own composition window, as windows that do not draw it themselves do.
  static bool DrawsComposition(win::HWND hwnd)
  {
    const win::detail::WindowState* s = hwnd ? WindowSystem::Get().State(hwnd) : nullptr;
    return s && s->className == "EDIT";
  }

  void TakeInputModeOf(win::HWND hwnd)
  {
    if (const std::optional<bool> native = hwnd ? NativeInputOf(hwnd) : std::nullopt) m_ime->WantNativeMode(*native);
  }

  // A while after the keyboard focus left a window: when no window of ours has it and a window
  // manager gave it away, another program is active and ours are not.
  void CheckFocusLeft()
  {
    if (!m_focusLostAt || MonotonicMs() - *m_focusLostAt < kFocusHandOverMs) return;
    m_focusLostAt.reset();
    if (SDL_GetKeyboardFocus() || !WindowManagerRuns()) return;
    WindowSystem::Get().DeactivateAll();
  }
  bool WindowManagerRuns()
  {
    if (!m_windowManager) m_windowManager = X11WindowManagerRuns(std::getenv("DISPLAY"));
    return *m_windowManager;
  }
  static int& LiveDisplays()
  {
    static int live = 0;
    return live;
  }

  win::HWND WindowOf(Uint32 windowId) const
  {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    for (const auto& [hwnd, native] : m_windows) {
      if (native.window == window) return hwnd;
    }
    return nullptr;
  }

  // An SDL event time on the monotonic clock.
  static std::uint64_t MomentOf(Uint32 timestamp)
  {
    const std::uint64_t now = MonotonicMs();
    const Uint32 ago = SDL_GetTicks() - timestamp;
    return ago < now ? now - ago : 1;
  }

  // A point inside a native window, in our screen coordinates.
  win::POINT ToScreen(Uint32 windowId, int x, int y) const
  {
    const win::HWND hwnd = WindowOf(windowId);
    if (!hwnd) return {x, y};
    auto& system = WindowSystem::Get();
    const win::CRect area = m_windows.at(hwnd).decorated ? system.ClientScreenRect(hwnd) : system.ScreenRect(hwnd);
    return {area.left + x, area.top + y};
  }

  void Handle(const SDL_Event& event)
  {
    // A key press's text comes as the event right after it.
    const bool afterMenuKey = std::exchange(m_menuKey, false);
    switch (event.type) {
      case SDL_MOUSEMOTION:
        PushPointer(RawInput::Kind::MouseMove, event.motion.windowID, event.motion.x, event.motion.y, 0);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
          // A press ends the composition first, typed where it was made: the press may move
          // the caret or choose a row that replaces the text.
          if (event.type == SDL_MOUSEBUTTONDOWN && m_ime && m_composing) m_ime->Reset();
          // The press keeps the moment it was made: a double click is told by the user's timing,
          // not by when the program got round to it.
          PushPointer(event.type == SDL_MOUSEBUTTONDOWN ? RawInput::Kind::ButtonDown : RawInput::Kind::ButtonUp,
                      event.button.windowID, event.button.x, event.button.y,
                      event.button.button == SDL_BUTTON_LEFT ? 0 : 1, MomentOf(event.button.timestamp));
        }
        break;
      case SDL_MOUSEWHEEL: {
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        if (notches != 0) {
          InjectWheel(ToScreen(event.wheel.windowID, event.wheel.mouseX, event.wheel.mouseY),
                      notches * win::WHEEL_DELTA);
        }
        break;
      }
      case SDL_SYSWMEVENT:
        // Every display event comes first as itself, then as the SDL events it makes: a key the
        // input method takes makes none.
        m_keyTakenByInputMethod = TakenByInputMethod(*event.syswm.msg);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (m_keyTakenByInputMethod) break;
        if (event.type == SDL_KEYDOWN) {
          // Alt with a key (without Ctrl) is a menu key; the character the desktop gives it is
          // typed nowhere.
          m_menuKey = (event.key.keysym.mod & KMOD_ALT) && !(event.key.keysym.mod & KMOD_CTRL);
        }
        if (const win::UINT vk = VirtualKeyOf(event.key.keysym)) InjectKey(vk, event.type == SDL_KEYDOWN);
        break;
      case SDL_TEXTINPUT:
        if (!m_keyTakenByInputMethod && !afterMenuKey) InjectDesktopText(event.text.text);
        break;
      case SDL_TEXTEDITING:
        InjectComposition(Cp949(event.edit.text));
        break;
      case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
      default:
        break;
    }
  }

  // What the frame of a window offers: its close box comes with the system menu, the other boxes
  // with the system menu and their own styles.
  static WindowFunctions FunctionsOf(const win::detail::WindowState& s)
  {
    const bool menu = (s.style & win::WS_SYSMENU) != 0;
    return {menu, menu && (s.style & win::WS_MINIMIZEBOX), menu && (s.style & win::WS_MAXIMIZEBOX),
            (s.style & win::WS_THICKFRAME) != 0};
  }

  static bool IsPopup(const win::detail::WindowState& s)
  {
    return (s.exStyle & win::WS_EX_NOACTIVATE) && (s.style & win::WS_CAPTION) != win::WS_CAPTION;
  }

  void PushPointer(RawInput::Kind kind, Uint32 windowId, int x, int y, int button, std::uint64_t time = 0)
  {
    RawInput input;
    input.kind = kind;
    input.time = time;
    input.point = ToScreen(windowId, x, y);
    input.button = button;
    input.window = WindowOf(windowId);
    WindowSystem::Get().PushInput(std::move(input));
  }

  void HandleWindowEvent(const SDL_WindowEvent& event)
  {
    const win::HWND hwnd = WindowOf(event.windowID);
    auto& system = WindowSystem::Get();
    win::detail::WindowState* s = system.State(hwnd);
    if (!s) return;
    switch (event.event) {
      case SDL_WINDOWEVENT_CLOSE:
        // A window behind a modal dialog does not close, nor one without a close box (a window
        // manager may offer one all the same).
        if (system.IsEnabled(hwnd) && FunctionsOf(*s).close) win::PostMessage(hwnd, win::WM_SYSCOMMAND, win::SC_CLOSE, 0);
        break;
      case SDL_WINDOWEVENT_MINIMIZED:
        // A modal dialog and the window it holds disabled stay on the screen: minimized, the
        // dialog could not be found again and the program could not be used. A window without
        // a minimise box stays as well.
        if (InModalGroup(hwnd) || !(s->style & win::WS_MINIMIZEBOX)) SDL_RestoreWindow(m_windows[hwnd].window);
        break;
      case SDL_WINDOWEVENT_RESTORED:
        // Brought back by the user after its program minimized it.
        if (s->style & win::WS_MINIMIZE) win::CWnd::FromHandle(hwnd)->ShowWindow(win::SW_RESTORE);
        break;
      case SDL_WINDOWEVENT_MAXIMIZED:
        if (!FunctionsOf(*s).maximize) SDL_RestoreWindow(m_windows[hwnd].window);
        break;
      case SDL_WINDOWEVENT_EXPOSED:
        m_windows[hwnd].dirty = true;
        break;
      case SDL_WINDOWEVENT_MOVED:
        Moved(hwnd, *s, {event.data1, event.data2});
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (m_ime) m_ime->FocusIn();
        FocusGained(hwnd);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        if (m_ime) m_ime->FocusOut();
        // Whether the keys went to another window of ours or to another program is known once
        // the window manager has finished handing them over.
        m_focusLostAt = MonotonicMs();
        break;
      case SDL_WINDOWEVENT_LEAVE:
        PointerLeft(hwnd);
        break;
      default:
        break;
    }
  }

  // The window manager placed or the user moved a window: the window system takes its place,
  // so what is placed relative to it (dialogs, dropped lists) and later updates agree with it.
  void Moved(win::HWND hwnd, win::detail::WindowState& s, win::POINT at)
  {
    auto& system = WindowSystem::Get();
    NativeWindow& native = m_windows[hwnd];
    const win::CRect area = native.decorated ? system.ClientScreenRect(hwnd) : system.ScreenRect(hwnd);
    if (native.placing) {
      // The first place of a new decorated window: the frame it got tells how far frames stand
      // in. Put in by the frame where it asked (the frame was not known yet), it goes back up to
      // where it asked; moved by its program meanwhile (held back until now), it goes there. A
      // place of the window manager's own choosing is taken.
      const win::POINT asked = *native.placing;
      native.placing.reset();
      bool framedWhereAsked = false;
      int top = 0, left = 0;
      if (SDL_GetWindowBordersSize(native.window, &top, &left, nullptr, nullptr) == 0 && (top > 0 || left > 0)) {
        const FrameInset known = m_frameInset;
        m_frameInset = {left, top};
        framedWhereAsked = at.x == asked.x + left - known.left && at.y == asked.y + top - known.top;
      }
      const bool movedByProgram = area.left != asked.x || area.top != asked.y;
      if (movedByProgram || (framedWhereAsked && (at.x != area.left || at.y != area.top))) {
        SDL_SetWindowPosition(native.window, area.left, area.top);
        return;
      }
    }
    if (area.left == at.x && area.top == at.y) return;
    s.rect.OffsetRect(at.x - area.left, at.y - area.top);
    win::SendMessage(hwnd, win::WM_MOVE, 0, win::MAKELPARAM(system.ClientScreenRect(hwnd).left, system.ClientScreenRect(hwnd).top));
  }

  // The window manager gave a window the focus: it becomes the active window. A window behind a
  // modal dialog hands the activation on to the dialog, which the window manager then raises.
  void FocusGained(win::HWND hwnd)
  {
    auto& system = WindowSystem::Get();
    win::detail::WindowState* s = system.State(hwnd);
    if (!s || IsPopup(*s)) return;
    win::HWND target = hwnd;
    if (!system.IsEnabled(hwnd)) {
      const auto& tops = system.TopLevels();
      for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (system.IsVisible(*it) && system.IsEnabled(*it) && OwnedBy(*it, hwnd)) {
          target = *it;
          break;
        }
      }
      if (target == hwnd) return;
    }
    if (system.active != target) system.Activate(target);
    if (target != hwnd) {
      if (auto it = m_windows.find(target); it != m_windows.end()) SDL_RaiseWindow(it->second.window);
    }
  }

  // A window behind a modal dialog, or a modal dialog (its owner is held disabled).
  static bool InModalGroup(win::HWND hwnd)
  {
    auto& system = WindowSystem::Get();
    if (!system.IsEnabled(hwnd)) return true;
    const win::HWND owner = system.OwnerOf(hwnd);
    return owner && !system.IsEnabled(owner);
  }

  static bool OwnedBy(win::HWND hwnd, win::HWND owner)
  {
    auto& system = WindowSystem::Get();
    for (win::HWND at = system.OwnerOf(hwnd); at; at = system.OwnerOf(at)) {
      if (at == owner) return true;
    }
    return false;
  }

  // The pointer left a native window: a move to where it went tells the window that holds the
  // mouse (or had the pointer) that it is no longer over it.
  void PointerLeft(win::HWND)
  {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    RawInput input;
    input.kind = RawInput::Kind::MouseMove;
    input.point = {x, y};
    WindowSystem::Get().PushInput(std::move(input));
  }

  // Copies every changed window picture to its native window.
  void Flush()
  {
    auto& system = WindowSystem::Get();
    for (auto& [hwnd, native] : m_windows) {
      if (!native.dirty) continue;
      native.dirty = false;
      const std::shared_ptr<gdi::Bitmap32> picture = win::detail::TopLevelSurface(hwnd);
      SDL_Surface* target = SDL_GetWindowSurface(native.window);
      if (!picture || !target || picture->Empty()) continue;
      int offsetX = 0, offsetY = 0;
      if (native.decorated) {
        const win::CRect client = system.ClientScreenRect(hwnd);
        const win::CRect window = system.ScreenRect(hwnd);
        offsetX = client.left - window.left;
        offsetY = client.top - window.top;
      }
      SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
          picture->Pixels().data(), picture->Width(), picture->Height(), 32,
          picture->Width() * 4, SDL_PIXELFORMAT_XRGB8888);
      if (!source) continue;
      SDL_Rect from{offsetX, offsetY, target->w, target->h};
      SDL_BlitSurface(source, &from, target, nullptr);
      SDL_FreeSurface(source);
      SDL_UpdateWindowSurface(native.window);
    }
  }

  win::SIZE m_screen{1024, 768};
  static constexpr std::uint64_t kFocusHandOverMs = 150;
  std::optional<std::uint64_t> m_focusLostAt;  // when a window of ours last lost the keyboard
  std::optional<bool> m_windowManager;         // asked the first time it matters
  FrameInset m_frameInset;  // learnt from the first decorated window the window manager framed
  std::map<win::HWND, NativeWindow> m_windows;
  std::map<int, SDL_Cursor*> m_cursors;
  std::unique_ptr<X11PictureClipboard> m_clipboard;  // made when a first picture is offered
  std::unique_ptr<IBusInputMethod> m_ime;  // the desktop's input method, where one runs
  bool m_keyTakenByInputMethod = false;    // the display event being turned into SDL events
  bool m_menuKey = false;                  // the event just handled was a key pressed with Alt
  bool m_composing = false;                // the input method shows a composition
  bool m_keyboardHeld = false;             // a menu or a dropped list takes the keys
  win::HWND m_commitTarget = nullptr;      // where committed text goes, when not the focus window
};

// How long the session bus may take to answer before the display starts without it.
constexpr auto kSessionBusAnswerLimit = std::chrono::milliseconds(1000);

// Starts SDL's video. As it starts, SDL reaches for the session bus (for its own client of the
// desktop's input method, the screen saver) and libdbus waits 25 s for each answer there, so it
// is kept off a bus that does not answer. Where our input method client is to run, SDL's must
// not, or each key would be composed twice: SDL can only be told which input method to use, so it
// is told one (fcitx) and, at the same moment, no session bus to reach it by; it finds none
// answering and uses none, whichever input methods the desktop runs. SDL tries the bus only once,
// so the environment is put back at once, as programs this one starts are to find it. Called
// while the process has no other thread: setenv is unsafe beside any reader of the environment.
bool InitVideo(bool ownInputMethod)
{
  std::optional<MomentaryEnvironment> module, bus;
  if (ownInputMethod) {
    module.emplace("SDL_IM_MODULE", "fcitx");
    bus.emplace("DBUS_SESSION_BUS_ADDRESS", "none:");
  } else if (SessionBusIsSilent(kSessionBusAnswerLimit)) {
    win::OutputDebugStringA("The session bus does not answer: the display starts without it\n");
    bus.emplace("DBUS_SESSION_BUS_ADDRESS", "none:");
  }
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace

std::unique_ptr<Display> CreateSdlDisplay()
{
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(display && *display) && !(wayland && *wayland)) return nullptr;
  // The click that activates a window acts on it as well, as users of the system expect.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // SIGTERM and SIGINT are the program's own (they end it through its windows); SDL would turn
  // them into a quit event nobody asked for.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Window pictures go to X as they are (shared memory images). A texture framebuffer would make
  // SDL build a GL renderer and so re-create each native window the first time it is drawn,
  // dropping what the window manager was told about it (whose window it is, so that it stays
  // above its owner).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // SDL hands the X errors it does not expect itself to the handler it found.
  SayXErrorsAndGoOn();
  WatchForLostXConnection();
  // Our input method client takes its keys from X; under Wayland the compositor hands SDL the
  // input method's text itself.
  const char* videoDriver = std::getenv("SDL_VIDEODRIVER");
  const bool onX = display && *display && !(videoDriver && std::string_view(videoDriver) == "wayland");
  // SDL starts with the environment changed for a moment, which is safe only while no other
  // thread may read it: our client, whose connection runs GLib threads, connects afterwards.
  const bool ownInputMethod = onX && IBusInputMethod::DesktopRunsOne();
  if (!InitVideo(ownInputMethod)) return nullptr;
  // Without a desktop SDL would run on a driver of its own that shows nothing.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (driver != "x11" && driver != "wayland") {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  std::unique_ptr<IBusInputMethod> inputMethod = ownInputMethod && driver == "x11" ? IBusInputMethod::Connect() : nullptr;
  return std::make_unique<SdlDisplay>(std::move(inputMethod));
}

}  // namespace vetra::ui
