#include "platform/ui/window_system.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/clock.h"
#include "platform/base/end_request.h"
#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/base/window_titles.h"
#include "platform/ui/app.h"
#include "platform/ui/control_classes.h"
#include "platform/gdi/display.h"
#include "platform/ui/paint.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/ime.h"
#include "platform/ui/system_metrics.h"

namespace win::detail {

WindowSystem& WindowSystem::Get()
{
  static WindowSystem system;
  return system;
}

// ---- handles -------------------------------------------------------------------------------

HWND WindowSystem::Register(CWnd* wnd)
{
  m_nextHandle += 4;
  HWND hwnd = reinterpret_cast<HWND>(m_nextHandle);
  auto state = std::make_unique<WindowState>();
  state->object = wnd;
  m_windows.emplace(hwnd, std::move(state));
  return hwnd;
}

WindowState* WindowSystem::State(HWND hwnd) const
{
  if (!hwnd) return nullptr;
  auto it = m_windows.find(hwnd);
  return it == m_windows.end() ? nullptr : it->second.get();
}

CWnd* WindowSystem::Lookup(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  return s ? s->object : nullptr;
}

void WindowSystem::Retarget(HWND hwnd, CWnd* wnd)
{
  if (WindowState* s = State(hwnd)) s->object = wnd;
}

void WindowSystem::Forget(HWND hwnd) { m_windows.erase(hwnd); }

WindowSystem::~WindowSystem()
{
  // The process ends with windows still up (a library called exit() from inside the message
  // loop, a program never closed them): they end now, each once, while the whole system still
  // stands, and the objects it owns go after their windows.
  for (HWND top : std::vector<HWND>(m_topLevels)) Destroy(top);
  m_owned.clear();
}

void WindowSystem::AdoptObject(std::unique_ptr<CWnd> wnd)
{
  CWnd* raw = wnd.get();
  m_owned[raw] = std::move(wnd);
}

void WindowSystem::ReleaseObject(CWnd* wnd)
{
  auto it = m_owned.find(wnd);
  if (it == m_owned.end()) return;
  auto owned = std::move(it->second);
  m_owned.erase(it);
  // owned is deleted here
}

// ---- tree ----------------------------------------------------------------------------------

bool WindowSystem::IsTopLevel(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  return s && !(s->style & WS_CHILD);
}

HWND WindowSystem::TopLevelOf(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  while (s && (s->style & WS_CHILD) && State(s->parent)) {
    hwnd = s->parent;
    s = State(hwnd);
  }
  return s ? hwnd : nullptr;
}

bool WindowSystem::IsVisible(HWND hwnd) const
{
  for (WindowState* s = State(hwnd); s; s = (s->style & WS_CHILD) ? State(s->parent) : nullptr) {
    if (!(s->style & WS_VISIBLE)) return false;
  }
  return State(hwnd) != nullptr;
}

bool WindowSystem::IsEnabled(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  return s && !(s->style & WS_DISABLED);
}

bool WindowSystem::IsDescendant(HWND hwnd, HWND ancestor) const
{
  while (hwnd) {
    if (hwnd == ancestor) return true;
    WindowState* s = State(hwnd);
    if (!s || !(s->style & WS_CHILD)) return false;
    hwnd = s->parent;
  }
  return false;
}

CRect WindowSystem::NonClientInsets(DWORD style, DWORD exStyle, bool child)
{
  int edge = 0;
  if (style & WS_THICKFRAME) edge = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) edge = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER) edge = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  CRect insets(edge, edge, edge, edge);
  if (!child && (style & WS_CAPTION) == WS_CAPTION) insets.top += GetSystemMetrics(SM_CYCAPTION);
  if (style & WS_VSCROLL) insets.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return insets;
}

CRect WindowSystem::ScreenRect(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  if (!s) return {};
  CRect r = s->rect;
  if ((s->style & WS_CHILD) && State(s->parent)) {
    const CRect pc = ClientScreenRect(s->parent);
    r.OffsetRect(pc.left, pc.top);
  }
  return r;
}

CRect WindowSystem::ClientScreenRect(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  if (!s) return {};
  CRect r = ScreenRect(hwnd);
  const CRect in = NonClientInsets(s->style, s->exStyle, (s->style & WS_CHILD) != 0);
  r.left += in.left;
  r.top += in.top;
  r.right = std::max(r.left, r.right - in.right);
  r.bottom = std::max(r.top, r.bottom - in.bottom);
  return r;
}

int WindowSystem::HitTest(HWND hwnd, POINT screen) const
{
  CWnd* wnd = Lookup(hwnd);
  if (!wnd) return HTNOWHERE;
  return static_cast<int>(wnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
}

HWND WindowSystem::WindowFromPoint(POINT screen) const
{
  for (auto top = m_topLevels.rbegin(); top != m_topLevels.rend(); ++top) {
    if (!IsVisible(*top) || !ScreenRect(*top).PtInRect(screen)) continue;
    return ChildFromPoint(*top, screen);
  }
  return nullptr;
}

HWND WindowSystem::ChildFromPoint(HWND top, POINT screen) const
{
  HWND found = top;
  for (bool descended = true; descended;) {
    descended = false;
    if (!ClientScreenRect(found).PtInRect(screen)) break;
    const auto& kids = State(found)->children;
    for (auto child = kids.rbegin(); child != kids.rend(); ++child) {
      WindowState* cs = State(*child);
      if (!cs || !(cs->style & WS_VISIBLE) || (cs->style & WS_DISABLED)) continue;
      if (!ScreenRect(*child).PtInRect(screen)) continue;
      if (HitTest(*child, screen) == HTTRANSPARENT) continue;
      found = *child;
      descended = true;
      break;
    }
  }
  return found;
}

// ---- painting ------------------------------------------------------------------------------

void WindowSystem::InvalidateClient(HWND hwnd, const RECT* rect, bool erase)
{
  WindowState* s = State(hwnd);
  if (!s) return;
  const CRect client(0, 0, ClientScreenRect(hwnd).Width(), ClientScreenRect(hwnd).Height());
  CRect area = client;
  if (rect && !area.IntersectRect(client, *rect)) return;
  s->updateRect.UnionRect(s->updateRect, area);
  s->needsPaint = true;
  s->needsErase = s->needsErase || erase;
}

void WindowSystem::InvalidateParentArea(HWND hwnd)
{
  WindowState* s = State(hwnd);
  if (!s || !(s->style & WS_CHILD) || !State(s->parent)) return;
  InvalidateClient(s->parent, &s->rect, true);
}

void WindowSystem::Validate(HWND hwnd, const RECT* rect)
{
  WindowState* s = State(hwnd);
  if (!s) return;
  if (rect) {
    // A rectangle that covers the whole invalid area validates it; a part leaves it whole.
    CRect cover(*rect);
    CRect both;
    both.UnionRect(cover, s->updateRect);
    if (!(both == cover)) return;
  }
  s->updateRect.SetRectEmpty();
  s->needsPaint = false;
  s->needsErase = false;
}

HWND WindowSystem::NextWindowToPaint(HWND filter) const
{
  std::function<HWND(HWND)> visit = [&](HWND hwnd) -> HWND {
    WindowState* s = State(hwnd);
    if (!s || !(s->style & WS_VISIBLE)) return nullptr;
    if (s->needsPaint && !s->inPaint && (!filter || IsDescendant(hwnd, filter))) return hwnd;
    for (HWND child : s->children) {
      if (HWND found = visit(child)) return found;
    }
    return nullptr;
  };
  for (auto top = m_topLevels.rbegin(); top != m_topLevels.rend(); ++top) {
    if (HWND found = visit(*top)) return found;
  }
  return nullptr;
}

// ---- queue ---------------------------------------------------------------------------------

void WindowSystem::Post(const MSG& msg)
{
  MSG m = msg;
  m.time = static_cast<DWORD>(vetra::MonotonicMs());
  m.pt = cursorPos;
  m_posted.push_back(m);
}

void WindowSystem::PostQuit(int code)
{
  m_quit = true;
  m_quitCode = code;
}

namespace {
bool InRange(UINT message, UINT minMsg, UINT maxMsg)
{
  return (minMsg == 0 && maxMsg == 0) || (message >= minMsg && message <= maxMsg);
}

// Text typed on the desktop in the spelling of the window it goes to: a file-name box keeps what
// code page 949 cannot spell as a file name keeps it; for every other window that is left out,
// as it is from pasted text.
std::string DesktopTextFor(const WindowState* target, std::string_view utf8)
{
  const bool fileName = target && target->className == "EDIT" && (target->style & ES_FILENAME);
  return fileName ? vetra::TextFromLinux(utf8) : vetra::Cp949Dropping(utf8);
}
}  // namespace

bool WindowSystem::Peek(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, bool remove)
{
  // Whatever loop asks, the display hands over its input and shows what was painted.
  if (m_display) m_display->Poll();
  return PeekQueued(msg, filter, minMsg, maxMsg, remove);
}

bool WindowSystem::PeekQueued(MSG* msg, HWND filter, UINT minMsg, UINT maxMsg, bool remove)
{
  if (const int signal = vetra::EndRequestSignal(); signal && !m_endRequestSeen) {
    // Asked to end (SIGTERM, Ctrl+C): the loops quit as when the main window closes.
    m_endRequestSeen = true;
    PostQuit(vetra::EndRequestExitStatus(signal));
  }
  if (m_display && m_display->Lost() && !m_displayLossSeen) {
    // The display went away: the loops quit as when the main window closes, and the windows
    // end without it.
    m_displayLossSeen = true;
    PostQuit(kDisplayLostExitStatus);
  }
  auto matches = [&](const MSG& m) {
    return (!filter || IsDescendant(m.hwnd, filter)) && InRange(m.message, minMsg, maxMsg);
  };
  // Posted messages first, then the quit request, then input, then painting, then timers.
  for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
    if (!matches(*it)) continue;
    *msg = *it;
    if (remove) m_posted.erase(it);
    return true;
  }
  if (m_quit && !filter) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(m_quitCode), 0, 0, cursorPos};
    if (remove) m_quit = false;
    return true;
  }
  while (!m_input.empty()) {
    vetra::ui::RawInput input = std::move(m_input.front());
    m_input.pop_front();
    if (input.kind == vetra::ui::RawInput::Kind::Composition) {
      // The focus window is told the composition changed and asks for it.
      composition = input.text;
      Post(MSG{focus ? focus : active, WM_IME_COMPOSITION, 0, GCS_COMPSTR, 0, {}});
      return Peek(msg, filter, minMsg, maxMsg, remove);
    }
    if (input.kind == vetra::ui::RawInput::Kind::Text) {
      composition.clear();
      // Text typed into a window that has gone since goes with it.
      if (input.window && !IsWindow(input.window)) return PeekQueued(msg, filter, minMsg, maxMsg, remove);
      // Each byte of the text becomes one WM_CHAR to the focus window, lead byte first.
      HWND target = input.window ? input.window : focus ? focus : active;
      const std::string typed = input.utf8.empty() ? input.text : DesktopTextFor(State(target), input.utf8);
      for (unsigned char c : typed) {
        // Text typed into a given window (a composition that ended where it was made) is that
        // window's at once: a loop that runs meanwhile (a menu's) does not read it as its keys.
        if (input.window) ::win::SendMessage(target, WM_CHAR, c, 1);
        else Post(MSG{target, WM_CHAR, c, 1, 0, {}});
      }
      return PeekQueued(msg, filter, minMsg, maxMsg, remove);
    }
    if (std::optional<MSG> routed = RouteInput(input)) {
      m_posted.push_back(*routed);
      return PeekQueued(msg, filter, minMsg, maxMsg, remove);
    }
  }
  if (InRange(WM_PAINT, minMsg, maxMsg)) {
    if (HWND hwnd = NextWindowToPaint(filter)) {
      *msg = MSG{hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(vetra::MonotonicMs()), cursorPos};
      return true;
    }
  }
  if (InRange(WM_TIMER, minMsg, maxMsg)) {
    const std::uint64_t now = vetra::MonotonicMs();
    Timer* next = nullptr;
    for (Timer& t : m_timers) {
      if (t.due > now || (filter && !IsDescendant(t.hwnd, filter))) continue;
      if (!next || t.due < next->due || (t.due == next->due && t.order < next->order)) next = &t;
    }
    if (next) {
      *msg = MSG{next->hwnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc),
                 static_cast<DWORD>(now), cursorPos};
      if (remove) next->due = now + next->period;
      return true;
    }
  }
  return false;
}

UINT WindowSystem::MouseKeyFlags() const
{
  UINT flags = 0;
  if (leftDown) flags |= MK_LBUTTON;
  if (rightDown) flags |= MK_RBUTTON;
  if (keyDown[VK_SHIFT]) flags |= MK_SHIFT;
  if (keyDown[VK_CONTROL]) flags |= MK_CONTROL;
  return flags;
}

std::optional<MSG> WindowSystem::RouteInput(const vetra::ui::RawInput& input)
{
  using Kind = vetra::ui::RawInput::Kind;
  const DWORD now = static_cast<DWORD>(vetra::MonotonicMs());
  if (input.kind == Kind::KeyDown || input.kind == Kind::KeyUp) {
    const bool down = input.kind == Kind::KeyDown;
    const UINT vk = input.vk & 0xFF;
    keyDown[vk] = down;
    HWND target = focus ? focus : active;
    if (!target || !State(target)) return std::nullopt;
    const bool alt = keyDown[VK_MENU];
    const bool sys = alt && !keyDown[VK_CONTROL];
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1;
    if (alt) lParam |= (1 << 29);
    if (!down) lParam |= static_cast<LPARAM>(0xC0000000u);
    return MSG{target, message, vk, lParam, now, cursorPos};
  }

  if (input.kind == Kind::Wheel) return RouteWheel(input);

  cursorPos = input.point;
  pointerWindow = input.window;
  UINT downMsg = 0;
  if (input.kind == Kind::ButtonDown) {
    (input.button == 0 ? leftDown : rightDown) = true;
    downMsg = input.button == 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
  } else if (input.kind == Kind::ButtonUp) {
    (input.button == 0 ? leftDown : rightDown) = false;
  }
  UINT message = WM_MOUSEMOVE;
  if (input.kind == Kind::ButtonDown) message = downMsg;
  if (input.kind == Kind::ButtonUp) message = input.button == 0 ? WM_LBUTTONUP : WM_RBUTTONUP;

  if (capture && State(capture)) {
    const CRect client = ClientScreenRect(capture);
    if (input.kind == Kind::ButtonDown) message = PressMessage(capture, input);
    return MSG{capture, message, MouseKeyFlags(),
               MAKELPARAM(input.point.x - client.left, input.point.y - client.top), now, cursorPos};
  }
  // On screen each top-level window is a window of its own: input that came in one goes to it,
  // whatever else overlaps it.
  const bool inWindow = input.window && IsTopLevel(input.window) && IsVisible(input.window) &&
                        ScreenRect(input.window).PtInRect(input.point);
  HWND target = inWindow ? ChildFromPoint(input.window, input.point) : WindowFromPoint(input.point);
  if (!target) return std::nullopt;
  HWND top = TopLevelOf(target);
  if (!IsEnabled(top)) return std::nullopt;  // a window behind a modal dialog takes no input
  const bool popup = (State(top)->exStyle & WS_EX_NOACTIVATE) != 0;
  if (input.kind == Kind::ButtonDown && top != active && !popup) Activate(top);
  const int hit = HitTest(target, input.point);
  if (input.kind != Kind::ButtonUp) {
    if (CWnd* wnd = Lookup(target)) {
      wnd->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                       MAKELPARAM(hit, input.kind == Kind::MouseMove ? WM_MOUSEMOVE : downMsg));
    }
    if (!State(target)) return std::nullopt;
  }
  if (hit == HTCLIENT) {
    const CRect client = ClientScreenRect(target);
    if (input.kind == Kind::ButtonDown) message = PressMessage(target, input);
    return MSG{target, message, MouseKeyFlags(),
               MAKELPARAM(input.point.x - client.left, input.point.y - client.top), now, cursorPos};
  }
  if (input.kind == Kind::ButtonDown) m_clicks.Forget();
  const UINT ncMessage = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
  return MSG{target, ncMessage, static_cast<WPARAM>(hit), MAKELPARAM(input.point.x, input.point.y),
             now, cursorPos};
}

UINT WindowSystem::PressMessage(HWND target, const vetra::ui::RawInput& input)
{
  const std::uint64_t time = input.time ? input.time : vetra::MonotonicMs();
  const bool second = m_clicks.Press(target, input.button, input.point, time);
  // A window whose class does not ask for double clicks sees every press as a press.
  WindowState* s = State(target);
  if (!second || !s || !(ClassStyleOf(s->className) & CS_DBLCLKS)) {
    return input.button == 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
  }
  return input.button == 0 ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
}

// The wheel turns what lies under the pointer (the window holding the mouse, while one does),
// else what has the focus; a window that does not scroll passes it on to its parent.
std::optional<MSG> WindowSystem::RouteWheel(const vetra::ui::RawInput& input)
{
  const DWORD now = static_cast<DWORD>(vetra::MonotonicMs());
  cursorPos = input.point;
  HWND target = capture && State(capture) ? capture : nullptr;
  if (!target) {
    target = WindowFromPoint(input.point);
    if (target && !IsEnabled(TopLevelOf(target))) return std::nullopt;  // behind a modal dialog
  }
  if (!target) target = focus;
  if (!target || !State(target)) return std::nullopt;
  const auto wParam = static_cast<WPARAM>(static_cast<DWORD>(
      MAKELONG(static_cast<WORD>(MouseKeyFlags()), static_cast<WORD>(static_cast<short>(input.wheel)))));
  return MSG{target, WM_MOUSEWHEEL, wParam, MAKELPARAM(input.point.x, input.point.y), now, cursorPos};
}

void WindowSystem::RedeliverPress(POINT screen, int button)
{
  vetra::ui::RawInput input;
  input.kind = vetra::ui::RawInput::Kind::ButtonDown;
  input.point = screen;
  input.button = button;
  input.window = pointerWindow;
  m_input.push_front(std::move(input));
}

void WindowSystem::WaitForInput()
{
  if (const int signal = vetra::EndRequestSignal()) {
    // The quit of an end request may have been taken by a pump that does not pass it on; a loop
    // that waits is told again instead of waiting.
    PostQuit(vetra::EndRequestExitStatus(signal));
    return;
  }
  Display().Wait(NextTimerDue(nullptr));
}

// ---- timers --------------------------------------------------------------------------------

UINT_PTR WindowSystem::SetTimer(HWND hwnd, UINT_PTR id, UINT period, TIMERPROC proc)
{
  if (hwnd && !State(hwnd)) return 0;
  // Never more often than every 10 ms.
  period = std::max<UINT>(period, 10);
  const std::uint64_t due = vetra::MonotonicMs() + period;
  for (Timer& t : m_timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.period = period;
      t.due = due;
      t.proc = proc;
      return id ? id : 1;
    }
  }
  m_timers.push_back({hwnd, id, period, due, ++m_timerOrder, proc});
  return id ? id : 1;
}

bool WindowSystem::KillTimer(HWND hwnd, UINT_PTR id)
{
  auto it = std::find_if(m_timers.begin(), m_timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == m_timers.end()) return false;
  m_timers.erase(it);
  return true;
}

void WindowSystem::KillTimersOf(HWND hwnd)
{
  std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<std::uint64_t> WindowSystem::NextTimerDue(HWND filter) const
{
  std::optional<std::uint64_t> next;
  for (const Timer& t : m_timers) {
    if (filter && !IsDescendant(t.hwnd, filter)) continue;
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

// ---- titles --------------------------------------------------------------------------------

void WindowSystem::PublishTitle(HWND hwnd)
{
  WindowState* s = State(hwnd);
  if (!s || (s->style & WS_CHILD) || ProgramName().empty()) return;
  vetra::PublishWindowTitle(reinterpret_cast<std::uintptr_t>(hwnd), s->text);
}

// ---- focus, activation, destruction --------------------------------------------------------

void WindowSystem::SetFocus(HWND hwnd)
{
  if (hwnd == focus) return;
  HWND old = focus;
  if (m_display) m_display->KeyboardFocusChanged(old, hwnd);
  focus = hwnd;
  if (CWnd* o = Lookup(old)) o->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd));
  if (focus != hwnd) return;  // the old window moved the focus itself
  // Noted at once: a dialog may take the keys before it takes the activation from its owner.
  if (WindowState* top = hwnd ? State(TopLevelOf(hwnd)) : nullptr) top->lastFocus = hwnd;
  if (CWnd* n = Lookup(hwnd)) n->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void WindowSystem::RaiseTopLevel(HWND hwnd)
{
  auto it = std::find(m_topLevels.begin(), m_topLevels.end(), hwnd);
  if (it == m_topLevels.end()) return;
  m_topLevels.erase(it);
  m_topLevels.push_back(hwnd);
  KeepOwnedAboveOwners();
  if (HasDisplay()) Display().TopLevelChanged(hwnd);
}

HWND WindowSystem::OwnerOf(HWND hwnd) const
{
  WindowState* s = State(hwnd);
  if (!s || (s->style & WS_CHILD) || !s->parent) return nullptr;
  return TopLevelOf(s->parent);
}

bool WindowSystem::IsTopmost(HWND hwnd) const
{
  // An owned window stands in the layer of its owner at least: a topmost window's dialogs stay
  // above it.
  for (HWND at = hwnd; at; at = OwnerOf(at)) {
    if (WindowState* s = State(at); s && (s->exStyle & WS_EX_TOPMOST)) return true;
  }
  return false;
}

void WindowSystem::KeepOwnedAboveOwners()
{
  // Each owner with the windows it owns forms a group; a group stands where its highest member
  // stood, topmost groups above all others, and inside a group each window lies above its owner.
  const std::vector<HWND> before = m_topLevels;
  auto rank = [&](HWND h) { return std::find(before.begin(), before.end(), h) - before.begin(); };
  std::unordered_map<HWND, std::vector<HWND>> owned;  // in their present order
  std::vector<HWND> roots;
  for (HWND h : before) {
    const HWND owner = OwnerOf(h);
    if (owner && owner != h && std::find(before.begin(), before.end(), owner) != before.end()) owned[owner].push_back(h);
    else roots.push_back(h);
  }
  std::unordered_map<HWND, std::ptrdiff_t> highest;
  std::function<std::ptrdiff_t(HWND)> highestOf = [&](HWND h) {
    std::ptrdiff_t top = rank(h);
    for (HWND o : owned[h]) top = std::max(top, highestOf(o));
    return highest[h] = top;
  };
  for (HWND r : roots) highestOf(r);
  auto byHighest = [&](HWND a, HWND b) { return highest[a] < highest[b]; };
  std::vector<HWND> order;
  std::function<void(HWND)> emit = [&](HWND h) {
    order.push_back(h);
    std::vector<HWND> kids = owned[h];
    std::stable_sort(kids.begin(), kids.end(), byHighest);
    for (HWND k : kids) emit(k);
  };
  std::stable_sort(roots.begin(), roots.end(), byHighest);
  std::stable_partition(roots.begin(), roots.end(), [&](HWND h) { return !IsTopmost(h); });
  for (HWND r : roots) emit(r);
  if (order.size() == before.size()) m_topLevels = std::move(order);
}

void WindowSystem::Activate(HWND hwnd)
{
  hwnd = TopLevelOf(hwnd);
  if (!hwnd) return;
  RaiseTopLevel(hwnd);
  if (active == hwnd) return;
  HWND old = active;
  active = hwnd;
  if (CWnd* o = Lookup(old)) o->SendMessage(WM_ACTIVATE, 0, reinterpret_cast<LPARAM>(hwnd));
  if (CWnd* n = Lookup(hwnd)) n->SendMessage(WM_ACTIVATE, 1, reinterpret_cast<LPARAM>(old));
  if (active != hwnd || (focus && IsDescendant(focus, hwnd))) return;
  // The keys go back to the control that had them when the window was last active (the owner's
  // field once its dialog is closed), as long as it can still take them.
  WindowState* s = State(hwnd);
  const HWND back = s ? s->lastFocus : nullptr;
  if (back && State(back) && IsDescendant(back, hwnd) && IsVisible(back) && IsEnabled(back)) {
    SetFocus(back);
  } else {
    SetFocus(nullptr);
  }
}

void WindowSystem::HoldKeyboard()
{
  if (++m_keyboardHolds == 1 && m_display) m_display->KeyboardHeld(true);
}

void WindowSystem::ReleaseKeyboard()
{
  if (m_keyboardHolds > 0 && --m_keyboardHolds == 0 && m_display) m_display->KeyboardHeld(false);
}

void WindowSystem::DeactivateAll()
{
  const HWND old = active;
  if (!old) return;
  active = nullptr;
  if (capture) {
    const HWND held = capture;
    capture = nullptr;
    ::win::SendMessage(held, WM_CAPTURECHANGED, 0, 0);
  }
  if (CWnd* o = Lookup(old)) o->SendMessage(WM_ACTIVATE, 0, 0);
  SetFocus(nullptr);
}

void WindowSystem::Destroy(HWND hwnd)
{
  WindowState* s = State(hwnd);
  if (!s || s->destroying) return;
  s->destroying = true;
  const bool wasVisible = IsVisible(hwnd);

  // Windows this one owns go first.
  std::vector<HWND> owned;
  for (HWND top : m_topLevels) {
    if (WindowState* ts = State(top); ts && ts->parent == hwnd) owned.push_back(top);
  }
  for (HWND o : owned) Destroy(o);

  if (capture && IsDescendant(capture, hwnd)) {
    HWND old = capture;
    capture = nullptr;
    ::win::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  }
  if (focus && IsDescendant(focus, hwnd)) {
    // The keyboard goes with the window: the display ends what the input method composed there.
    if (m_display) m_display->KeyboardFocusChanged(focus, nullptr);
    focus = nullptr;
  }

  // Messages go by handle: a handler may delete the object on the way.
  ::win::SendMessage(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : std::vector<HWND>(State(hwnd)->children)) Destroy(child);
  KillTimersOf(hwnd);

  s = State(hwnd);
  if (wasVisible) InvalidateParentArea(hwnd);
  if (s->style & WS_CHILD) {
    if (WindowState* ps = State(s->parent)) std::erase(ps->children, hwnd);
  } else {
    std::erase(m_topLevels, hwnd);
    if (!ProgramName().empty()) vetra::WithdrawWindowTitle(reinterpret_cast<std::uintptr_t>(hwnd));
    if (active == hwnd) {
      active = nullptr;
      // The owner (or the topmost remaining window) becomes active.
      HWND next = State(s->parent) ? TopLevelOf(s->parent) : nullptr;
      if (!next) {
        for (auto it = m_topLevels.rbegin(); it != m_topLevels.rend(); ++it) {
          if (IsVisible(*it) && IsEnabled(*it)) {
            next = *it;
            break;
          }
        }
      }
      if (next) Activate(next);
    }
  }
  const bool topLevel = !(s->style & WS_CHILD);
  std::erase_if(m_posted, [&](const MSG& m) { return m.hwnd == hwnd; });

  ::win::SendMessage(hwnd, WM_NCDESTROY, 0, 0);
  const bool systemOwned = State(hwnd)->systemOwned;
  CWnd* object = Lookup(hwnd);
  if (object) object->m_hWnd = nullptr;
  Forget(hwnd);
  if (topLevel && HasDisplay()) Display().TopLevelChanged(hwnd);
  if (object) object->PostNcDestroy();
  if (systemOwned && object) ReleaseObject(object);
}

// ---- display -------------------------------------------------------------------------------

vetra::ui::Display& WindowSystem::Display()
{
  if (!m_display) {
    // Programs choose theirs as they start (and end when the named one is not there); what asks
    // for one before that runs headless.
    std::unique_ptr<vetra::ui::Display> display = vetra::ui::CreateDefaultDisplay();
    SetDisplay(display ? std::move(display) : vetra::ui::CreateHeadlessDisplay());
  }
  return *m_display;
}

void WindowSystem::SetDisplay(std::unique_ptr<vetra::ui::Display> display)
{
  m_display = std::move(display);
  const win::SIZE size = m_display->ScreenSize();
  if (vetra::gdi::Screen()->Width() != size.cx || vetra::gdi::Screen()->Height() != size.cy) {
    vetra::gdi::SetScreenSize(size.cx, size.cy);
  }
  vetra::gdi::SetScreenComposer([] {
    // The screen is read as the user sees it: the repaints still pending (a child's, queued
    // behind the input while its parent has just painted over it) are done first. A window that
    // reads the screen while it paints gets it as it stands.
    static bool composing = false;
    if (!composing) {
      composing = true;
      PaintAll();
      composing = false;
    }
    ComposeScreen(*vetra::gdi::Screen());
  });
}

void WindowSystem::Reset()
{
  for (HWND top : std::vector<HWND>(m_topLevels)) Destroy(top);
  m_posted.clear();
  m_input.clear();
  m_timers.clear();
  m_quit = false;
  m_endRequestSeen = false;
  m_displayLossSeen = false;
  composition.clear();
  capture = focus = active = pointerWindow = nullptr;
  leftDown = rightDown = false;
  m_clicks.Forget();
  std::fill(std::begin(keyDown), std::end(keyDown), false);
  mainWnd = nullptr;
}

}  // namespace win::detail
