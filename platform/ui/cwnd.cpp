#include "platform/ui/cwnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/base/window_titles.h"
#include "platform/ui/app.h"
#include "platform/ui/control_classes.h"
#include "platform/ui/cursor.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/mouse_point.h"
#include "platform/ui/paint.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/system_metrics.h"
#include "platform/ui/window_system.h"

namespace win {

using detail::PointOf;
using detail::WindowState;
using detail::WindowSystem;

namespace {

WindowSystem& System() { return WindowSystem::Get(); }

// Marks a window and everything inside it for a full repaint.
void InvalidateTree(HWND hwnd)
{
  System().InvalidateClient(hwnd, nullptr, true);
  if (WindowState* s = System().State(hwnd)) {
    for (HWND child : s->children) InvalidateTree(child);
  }
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
  if (!m_hWnd) return;
  const HWND hwnd = m_hWnd;
  if (WindowState* s = System().State(hwnd); s && s->destroying) {
    // Deleted while its window ends: the window finishes ending without it.
    System().Retarget(hwnd, nullptr);
    return;
  }
  // The window outlives no object: end it here (without the derived class's handlers).
  System().Destroy(hwnd);
}

CWnd* CWnd::FromHandle(HWND hwnd) { return System().Lookup(hwnd); }

HWND FindWindowA(const char* className, const char* title)
{
  for (HWND top : System().TopLevels()) {
    WindowState* s = System().State(top);
    if (className && s->className != className) continue;
    if (title && s->text != title) continue;
    return top;
  }
  // A window of another program of the system: a handle that names no window here.
  if (title && vetra::WindowTitleExists(title)) return reinterpret_cast<HWND>(std::uintptr_t{1});
  return nullptr;
}

// ---- creation ------------------------------------------------------------------------------

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* createParam)
{
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, createParam);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, UINT id, void* createParam)
{
  return CreateEx(exStyle, className, windowName, style, CRect(x, y, x + width, y + height),
                  FromHandle(parent), id, createParam);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* createParam)
{
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs;
  cs.lpCreateParams = createParam;
  cs.hwndParent = parent ? parent->m_hWnd : nullptr;
  cs.id = id;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.style = style;
  cs.name = windowName ? windowName : "";
  cs.className = className ? className : "";
  cs.dwExStyle = exStyle;
  if (!PreCreateWindow(cs)) return FALSE;
  if (cs.className.empty()) cs.className = kFrameworkWindowClass;
  const bool child = (cs.style & WS_CHILD) != 0;
  if (child && !System().State(cs.hwndParent)) return FALSE;

  m_hWnd = System().Register(this);
  WindowState* s = System().State(m_hWnd);
  s->className = cs.className;
  s->text = cs.name;
  s->style = cs.style & ~WS_VISIBLE;
  s->exStyle = cs.dwExStyle;
  s->id = cs.id;
  s->rect = CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
  s->parent = cs.hwndParent;
  if (cs.style & WS_SYSMENU) s->systemMenu = std::make_unique<CMenu>(CMenu::SystemMenuFor(cs.style));
  if (child) {
    System().State(cs.hwndParent)->children.push_back(m_hWnd);
  } else {
    System().TopLevels().push_back(m_hWnd);
    System().RaiseTopLevel(m_hWnd);
    System().PublishTitle(m_hWnd);
  }

  const HWND self = m_hWnd;
  if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (System().State(self)) System().Destroy(self);
    return FALSE;
  }
  if (!System().State(self)) return FALSE;
  CRect client;
  GetClientRect(&client);
  SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
  SendMessage(WM_MOVE, 0, MAKELPARAM(s->rect.left, s->rect.top));
  if (cs.style & WS_VISIBLE) ShowWindow(SW_SHOW);
  return System().State(self) != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::DestroyWindow()
{
  if (!m_hWnd) return FALSE;
  System().Destroy(m_hWnd);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
  if (!parent || m_hWnd) return m_hWnd && GetDlgCtrlID() == static_cast<int>(id);
  CWnd* current = parent->GetDlgItem(static_cast<int>(id));
  if (!current) return FALSE;
  const HWND hwnd = current->m_hWnd;
  WindowState* s = System().State(hwnd);
  const bool ownedBySystem = s->systemOwned;
  s->systemOwned = false;
  current->m_hWnd = nullptr;
  m_hWnd = hwnd;
  System().Retarget(hwnd, this);
  TakeOverFrom(*current);
  if (ownedBySystem) System().ReleaseObject(current);
  return TRUE;
}

// ---- tree and state ------------------------------------------------------------------------

CWnd* CWnd::GetParent() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? FromHandle(s->parent) : nullptr;
}

CWnd* CWnd::GetOwner() const { return GetParent(); }

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(System().TopLevelOf(m_hWnd)); }

CWnd* CWnd::GetDlgItem(int id) const
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return nullptr;
  for (HWND child : s->children) {
    if (static_cast<int>(System().State(child)->id) == id) return FromHandle(child);
  }
  return nullptr;
}

std::vector<CWnd*> CWnd::GetChildren() const
{
  std::vector<CWnd*> result;
  if (WindowState* s = System().State(m_hWnd)) {
    for (HWND child : s->children) result.push_back(FromHandle(child));
  }
  return result;
}

int CWnd::GetDlgCtrlID() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? static_cast<int>(s->id) : 0;
}

void CWnd::SetDlgCtrlID(int id)
{
  if (WindowState* s = System().State(m_hWnd)) s->id = static_cast<UINT>(id);
}

DWORD CWnd::GetStyle() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? s->style : 0;
}

DWORD CWnd::GetExStyle() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? s->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return FALSE;
  const DWORD before = s->style;
  // Visibility and enabled state change through ShowWindow and EnableWindow only.
  s->style = (s->style & ~(remove & ~(WS_VISIBLE | WS_DISABLED))) | (add & ~(WS_VISIBLE | WS_DISABLED));
  if (before != s->style) Invalidate();
  return before != s->style;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return FALSE;
  const DWORD before = s->exStyle;
  s->exStyle = (s->exStyle & ~remove) | add;
  return before != s->exStyle;
}

const std::string& CWnd::GetClassName() const
{
  static const std::string none;
  WindowState* s = System().State(m_hWnd);
  return s ? s->className : none;
}

BOOL CWnd::IsWindowVisible() const { return System().IsVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return System().IsEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return (GetStyle() & WS_MINIMIZE) != 0; }

BOOL CWnd::IsChild(const CWnd* other) const
{
  return other && other->m_hWnd != m_hWnd && System().IsDescendant(other->m_hWnd, m_hWnd);
}

BOOL CWnd::ShowWindow(int cmd)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return FALSE;
  const HWND self = m_hWnd;
  const bool wasVisible = (s->style & WS_VISIBLE) != 0;
  const bool show = cmd != SW_HIDE;
  const bool topLevel = !(s->style & WS_CHILD);
  if (topLevel && (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED)) {
    s->style |= WS_MINIMIZE;
  } else if (topLevel && show && (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOW)) {
    if (s->style & WS_MINIMIZE) {
      s->style &= ~WS_MINIMIZE;
      InvalidateTree(self);
    }
  }
  if (show != wasVisible) {
    SendMessage(WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (!(s = System().State(self))) return FALSE;
    if (show) {
      s->style |= WS_VISIBLE;
      InvalidateTree(self);
    } else {
      s->style &= ~WS_VISIBLE;
      System().InvalidateParentArea(self);
      if (System().focus && System().IsDescendant(System().focus, self)) System().SetFocus(nullptr);
    }
  }
  if (topLevel) {
    if (show && (s->style & WS_MINIMIZE) == 0 && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE) {
      System().Activate(self);
    }
    if (!show && System().active == self) {
      System().active = nullptr;
      for (auto it = System().TopLevels().rbegin(); it != System().TopLevels().rend(); ++it) {
        if (*it != self && System().IsVisible(*it) && System().IsEnabled(*it)) {
          System().Activate(*it);
          break;
        }
      }
    }
    System().Display().TopLevelChanged(self);
  }
  return wasVisible;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return FALSE;
  const bool wasDisabled = (s->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) s->style &= ~WS_DISABLED;
  else s->style |= WS_DISABLED;
  if (!enable) {
    if (System().capture && System().IsDescendant(System().capture, m_hWnd)) ::win::ReleaseCapture();
    if (System().focus == m_hWnd) System().SetFocus(nullptr);
  }
  SendMessage(WM_ENABLE, enable ? 1 : 0, 0);
  Invalidate();
  return wasDisabled;
}

// ---- geometry ------------------------------------------------------------------------------

void CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
  MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
  SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return FALSE;
  const HWND self = m_hWnd;
  const CRect old = s->rect;
  CRect next = old;
  if (!(flags & SWP_NOMOVE)) next = CRect(x, y, x + next.Width(), y + next.Height());
  if (!(flags & SWP_NOSIZE)) next.right = next.left + std::max(0, cx), next.bottom = next.top + std::max(0, cy);
  const bool moved = next.left != old.left || next.top != old.top;
  const bool sized = next.Width() != old.Width() || next.Height() != old.Height();
  if (moved || sized) {
    // Pixels are composed afresh: the area left behind and the window itself are repainted.
    if (System().IsVisible(self)) System().InvalidateParentArea(self);
    s->rect = next;
    InvalidateTree(self);
  }
  if (!(flags & SWP_NOZORDER) && !(s->style & WS_CHILD)) {
    auto& tops = System().TopLevels();
    std::erase(tops, self);
    auto at = tops.end();
    if (insertAfter && insertAfter->m_hWnd) {
      auto it = std::find(tops.begin(), tops.end(), insertAfter->m_hWnd);
      if (it != tops.end()) at = it;  // just below the given window
    }
    tops.insert(at, self);
  }
  if (moved) SendMessage(WM_MOVE, 0, MAKELPARAM(next.left, next.top));
  if (sized && System().State(self)) {
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
  if (System().State(self) && !(System().State(self)->style & WS_CHILD)) System().Display().TopLevelChanged(self);
  return TRUE;
}

void CWnd::BringWindowToTop()
{
  if (System().IsTopLevel(m_hWnd)) {
    System().Activate(m_hWnd);
    return;
  }
  if (WindowState* s = System().State(m_hWnd)) {
    if (WindowState* ps = System().State(s->parent)) {
      std::erase(ps->children, m_hWnd);
      ps->children.push_back(m_hWnd);
      InvalidateTree(m_hWnd);
    }
  }
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
  CRect area(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  CWnd* owner = alternateOwner ? alternateOwner : GetParent();
  if (owner && owner->IsWindowVisible()) owner->GetWindowRect(&area);
  CRect mine;
  GetWindowRect(&mine);
  int x = area.left + (area.Width() - mine.Width()) / 2;
  int y = area.top + (area.Height() - mine.Height()) / 2;
  if (GetStyle() & WS_CHILD) {
    CPoint p(x, y);
    GetParent()->ScreenToClient(&p);
    x = p.x;
    y = p.y;
  }
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CWnd::GetWindowRect(LPRECT rect) const { *rect = System().ScreenRect(m_hWnd); }

void CWnd::GetClientRect(LPRECT rect) const
{
  const CRect r = System().ClientScreenRect(m_hWnd);
  *rect = CRect(0, 0, r.Width(), r.Height());
}

void CWnd::ClientToScreen(LPPOINT point) const
{
  const CRect r = System().ClientScreenRect(m_hWnd);
  point->x += r.left;
  point->y += r.top;
}

void CWnd::ClientToScreen(LPRECT rect) const
{
  const CRect r = System().ClientScreenRect(m_hWnd);
  static_cast<CRect*>(rect)->OffsetRect(r.left, r.top);
}

void CWnd::ScreenToClient(LPPOINT point) const
{
  const CRect r = System().ClientScreenRect(m_hWnd);
  point->x -= r.left;
  point->y -= r.top;
}

void CWnd::ScreenToClient(LPRECT rect) const
{
  const CRect r = System().ClientScreenRect(m_hWnd);
  static_cast<CRect*>(rect)->OffsetRect(-r.left, -r.top);
}

// ---- text ----------------------------------------------------------------------------------

void CWnd::SetWindowText(const char* text)
{
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

std::string CWnd::GetWindowText() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? s->text : std::string();
}

void CWnd::GetWindowText(std::string& text) const { text = GetWindowText(); }

int CWnd::GetWindowText(char* buffer, int size) const
{
  if (!buffer || size <= 0) return 0;
  const std::string text = GetWindowText();
  const int n = std::min(static_cast<int>(text.size()), size - 1);
  std::copy_n(text.data(), n, buffer);
  buffer[n] = '\0';
  return n;
}

int CWnd::GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }

void CWnd::SetDlgItemText(int id, const char* text)
{
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, std::string& text) const
{
  CWnd* item = GetDlgItem(id);
  text = item ? item->GetWindowText() : std::string();
  return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
  char buffer[32];
  if (isSigned) std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
  else std::snprintf(buffer, sizeof buffer, "%u", value);
  SetDlgItemText(id, buffer);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
  std::string text;
  GetDlgItemText(id, text);
  char* end = nullptr;
  const long value = isSigned ? std::strtol(text.c_str(), &end, 10)
                              : static_cast<long>(std::strtoul(text.c_str(), &end, 10));
  const bool ok = !text.empty() && end && *end == '\0';
  if (translated) *translated = ok;
  return ok ? static_cast<UINT>(value) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) { SendDlgItemMessage(id, BM_SETCHECK, check, 0); }

UINT CWnd::IsDlgButtonChecked(int id) const
{
  CWnd* item = GetDlgItem(id);
  return item ? static_cast<UINT>(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

CFont* CWnd::GetFont() const
{
  WindowState* s = System().State(m_hWnd);
  return s ? s->font : nullptr;
}

void CWnd::SetIcon(HICON icon, BOOL)
{
  if (WindowState* s = System().State(m_hWnd)) s->icon = icon;
}

HICON CWnd::GetIcon(BOOL) const
{
  WindowState* s = System().State(m_hWnd);
  return s ? s->icon : nullptr;
}

// ---- painting ------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(const RECT* rect, BOOL erase)
{
  System().InvalidateClient(m_hWnd, rect, erase != 0);
}

void CWnd::ValidateRect(const RECT* rect) { System().Validate(m_hWnd, rect); }

void CWnd::UpdateWindow()
{
  WindowState* s = System().State(m_hWnd);
  if (s && s->needsPaint && System().IsVisible(m_hWnd)) {
    detail::PaintNow(m_hWnd);
    // Painted to be seen now: work that runs without a message loop shows its progress too.
    if (System().HasDisplay()) System().Display().ShowPainted();
  }
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL) const
{
  WindowState* s = System().State(m_hWnd);
  if (!s || !s->needsPaint) {
    if (rect) *rect = CRect();
    return FALSE;
  }
  if (rect) *rect = s->updateRect;
  return TRUE;
}

// ---- messages ------------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  return ::win::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  return ::win::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
  CWnd* item = GetDlgItem(id);
  return item ? item->SendMessage(message, wParam, lParam) : 0;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
  return System().SetTimer(m_hWnd, id, elapseMs, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return System().KillTimer(m_hWnd, id); }

CWnd* CWnd::SetCapture()
{
  CWnd* old = FromHandle(System().capture);
  if (System().capture != m_hWnd) {
    const HWND previous = System().capture;
    System().capture = m_hWnd;
    if (CWnd* p = FromHandle(previous)) p->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
  }
  return old;
}

CWnd* CWnd::GetCapture() { return FromHandle(System().capture); }

CWnd* CWnd::SetFocus()
{
  CWnd* old = FromHandle(System().focus);
  System().SetFocus(m_hWnd);
  return old;
}

CWnd* CWnd::GetFocus() { return FromHandle(System().focus); }

CWnd* CWnd::SetActiveWindow()
{
  CWnd* old = FromHandle(System().active);
  System().Activate(m_hWnd);
  return old;
}

CWnd* CWnd::GetActiveWindow() { return FromHandle(System().active); }

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
  WindowState* s = System().State(m_hWnd);
  if (!s || !(s->style & WS_SYSMENU)) return nullptr;
  if (revert || !s->systemMenu) {
    s->systemMenu = std::make_unique<CMenu>(CMenu::SystemMenuFor(s->style));
    if (revert) return nullptr;
  }
  return s->systemMenu.get();
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
  return ::win::MessageBox(m_hWnd, text, caption, type);
}

int CWnd::RunModalLoop()
{
  const HWND self = m_hWnd;
  ++m_modalLoopDepth;
  int result = -1;
  for (;;) {
    if (m_endModal) {
      result = m_modalResult;
      break;
    }
    if (!System().State(self)) break;  // the window ended without EndModalLoop
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends as well
      break;
    }
    if (!AfxPreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  --m_modalLoopDepth;
  m_endModal = false;
  return result;
}

void CWnd::EndModalLoop(int result)
{
  m_modalResult = result;
  m_endModal = true;
}

// ---- dispatch ------------------------------------------------------------------------------

LRESULT CWnd::Default()
{
  return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      OnRButtonDown(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(LOWORD(static_cast<std::uintptr_t>(wParam)),
                          static_cast<short>(HIWORD(static_cast<std::uintptr_t>(wParam))), PointOf(lParam));
    case WM_RBUTTONUP:
      OnRButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_NCMOUSEMOVE:
      OnNcMouseMove(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_NCLBUTTONUP:
      OnNcLButtonUp(static_cast<UINT>(wParam), PointOf(lParam));
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(static_cast<std::uintptr_t>(lParam)),
                         HIWORD(static_cast<std::uintptr_t>(lParam)));
    case WM_HSCROLL:
    case WM_VSCROLL: {
      auto* bar = dynamic_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam)));
      if (bar && bar->OnChildNotify(message, wParam, lParam, nullptr)) return 0;
      if (message == WM_HSCROLL) OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), bar);
      else OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), bar);
      return 0;
    }
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      return DefWindowProc(message, wParam, lParam);
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      return DefWindowProc(message, wParam, lParam);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<CDC*>(wParam),
                                                  FromHandle(reinterpret_cast<HWND>(lParam)),
                                                  message - WM_CTLCOLORMSGBOX));
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      return TRUE;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_SYSCOMMAND:
      OnSysCommand(static_cast<UINT>(wParam), lParam);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_KEYUP:
      OnKeyUp(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_SYSKEYDOWN:
      OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_CHAR:
      OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_MOVE:
      OnMove(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))), static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))));
      return 0;
    case WM_SETFOCUS:
      OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
      return 0;
    case WM_SHOWWINDOW:
      OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      return 0;
    case WM_ENABLE:
      OnEnable(static_cast<BOOL>(wParam));
      return 0;
    case WM_GETDLGCODE:
      return OnGetDlgCode();
    case WM_CAPTURECHANGED:
      OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
      return 0;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    default:
      return DefWindowProc(message, wParam, lParam);
  }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  WindowState* s = System().State(m_hWnd);
  if (!s) return 0;
  switch (message) {
    case WM_SETTEXT:
      s->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if (!(s->style & WS_CHILD)) {
        System().PublishTitle(m_hWnd);
        System().Display().TopLevelChanged(m_hWnd);
      }
      Invalidate();
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(s->text.size());
    case WM_MOUSEWHEEL:
      // A child that does not scroll leaves the wheel to its parent.
      if ((s->style & WS_CHILD) && System().State(s->parent)) {
        return ::win::SendMessage(s->parent, message, wParam, lParam);
      }
      return 0;
    case WM_SETFONT:
      s->font = reinterpret_cast<CFont*>(wParam);
      if (lParam) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(m_hWnd, &ps);
      EndPaint(m_hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return detail::EraseBackground(m_hWnd, reinterpret_cast<CDC*>(wParam));
    case WM_NCHITTEST: {
      const CPoint p = PointOf(lParam);
      if (System().ClientScreenRect(m_hWnd).PtInRect(p)) return HTCLIENT;
      const CRect window = System().ScreenRect(m_hWnd);
      if (!window.PtInRect(p)) return HTNOWHERE;
      if (!(s->style & WS_CHILD) && (s->style & WS_CAPTION) == WS_CAPTION) {
        const CRect in = detail::WindowSystem::NonClientInsets(s->style, s->exStyle, false);
        const int edge = in.left;
        if (p.y >= window.top + edge && p.y < window.top + in.top) {
          if ((s->style & WS_SYSMENU) && detail::CloseBoxRect(m_hWnd).PtInRect(p)) return 20;  // HTCLOSE
          return HTCAPTION;
        }
      }
      return HTBORDER;
    }
    case WM_SETCURSOR: {
      if ((s->style & WS_CHILD) && s->parent) {
        if (::win::SendMessage(s->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (!System().State(m_hWnd)) return TRUE;
      }
      if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
        ::win::SetCursor(::win::LoadCursor(nullptr, s->className == "EDIT" ? IDC_IBEAM : IDC_ARROW));
        return TRUE;
      }
      ::win::SetCursor(::win::LoadCursor(nullptr, IDC_ARROW));
      return FALSE;
    }
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          SendMessage(WM_CLOSE);
          break;
        case SC_MINIMIZE:
          ShowWindow(SW_MINIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(SW_RESTORE);
          break;
        default:
          break;
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F1 + 3 && !(s->style & WS_CHILD)) {  // Alt+F4
        SendMessage(WM_SYSCOMMAND, SC_CLOSE);
      } else if ((s->style & WS_CHILD) && s->parent) {
        return ::win::SendMessage(System().TopLevelOf(m_hWnd), WM_SYSKEYDOWN, wParam, lParam);
      }
      return 0;
    case WM_NCLBUTTONUP:
      if (wParam == 20) SendMessage(WM_SYSCOMMAND, SC_CLOSE);
      return 0;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
      CWnd* control = dis ? FromHandle(dis->hwndItem) : nullptr;
      LRESULT result = 0;
      if (control && control->OnChildNotify(message, wParam, lParam, &result)) return TRUE;
      return FALSE;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      return detail::DefaultControlColor(message, wParam);
    default:
      return 0;
  }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy()
{
  CWnd*& main = detail::MainWindowSlot();
  if (main == this) {
    main = nullptr;
    PostQuitMessage(0);
  }
}

void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

}  // namespace win
