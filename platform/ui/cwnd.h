#pragma once
// The window class every window of the system derives from. A CWnd object wraps one window of
// the in-process window system: a node of the window tree with a rectangle, style, id, text,
// visibility and enabled state. Messages reach it through WindowProc, which hands the standard
// messages to the virtual On... handlers; a handler that wants the standard behaviour calls the
// base class's handler (or Default()). Messages of the system's own (WM_USER + n) are handled by
// overriding WindowProc.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cursor.h"
#include "platform/ui/geometry.h"
#include "platform/ui/messages.h"
#include "platform/ui/styles.h"

namespace win {

class CMenu;
class CScrollBar;

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;
  UINT id = 0;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  DWORD style = 0;
  std::string name;
  std::string className;
  DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// Owner-drawn controls (WM_DRAWITEM).
inline constexpr UINT ODT_BUTTON = 4;
inline constexpr UINT ODA_DRAWENTIRE = 1;
inline constexpr UINT ODA_SELECT = 2;
inline constexpr UINT ODA_FOCUS = 4;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;  // the device context to draw into, clipped to the control
  RECT rcItem{};
  std::uintptr_t itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

namespace detail {
class WindowSystem;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd {
public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  static CWnd* FromHandle(HWND hwnd);

  // Creation and destruction. The rectangle is in the parent's client coordinates for a child,
  // in screen coordinates for a top-level window.
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, void* createParam = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                const RECT& rect, CWnd* parent, UINT id, void* createParam = nullptr);
  BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                int y, int width, int height, HWND parent, UINT id, void* createParam = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL DestroyWindow();
  // Called after the window is gone (WM_NCDESTROY); windows that own themselves delete here.
  virtual void PostNcDestroy() {}
  // Takes over the child window with the given id (as created from a dialog template), so that
  // this object receives its messages from now on.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  // Tree and state.
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetDlgItem(int id) const;
  std::vector<CWnd*> GetChildren() const;  // bottom of the z-order first
  int GetDlgCtrlID() const;
  void SetDlgCtrlID(int id);
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  const std::string& GetClassName() const;
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL IsChild(const CWnd* other) const;
  BOOL ShowWindow(int cmd);
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsIconic() const;

  // Geometry.
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void BringWindowToTop();
  void CenterWindow(CWnd* alternateOwner = nullptr);
  void GetWindowRect(LPRECT rect) const;  // screen coordinates
  void GetClientRect(LPRECT rect) const;  // (0, 0, width, height) of the client area
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;

  // Text (code page 949 bytes).
  void SetWindowText(const char* text);
  void SetWindowText(const std::string& text) { SetWindowText(text.c_str()); }
  int GetWindowText(char* buffer, int size) const;
  void GetWindowText(std::string& text) const;
  std::string GetWindowText() const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, std::string& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;
  void SetIcon(HICON icon, BOOL big);
  HICON GetIcon(BOOL big) const;

  // Painting.
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void InvalidateRect(const RECT& rect, BOOL erase = TRUE) { InvalidateRect(&rect, erase); }
  void ValidateRect(const RECT* rect);
  void UpdateWindow();
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE) const;

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Offers a message to this window before it is translated and dispatched; TRUE keeps it.
  virtual BOOL PreTranslateMessage(MSG* msg);

  // Timers: a second SetTimer with the same id replaces the first; timers end with the window.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // Input.
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  CMenu* GetSystemMenu(BOOL revert);

  int MessageBox(const char* text, const char* caption = nullptr, UINT type = 0);

  // Device contexts on the client area (GetDC, released with ReleaseDC) and the whole window.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);

  // Runs messages until EndModalLoop; returns its result (-1 when the program is quitting).
  virtual int RunModalLoop();
  virtual void EndModalLoop(int result);
  bool IsInModalLoop() const { return m_modalLoopDepth > 0; }

  // Sends a message to this window right away, through its WindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
  // The standard behaviour for a message (what a window does when no handler acts).
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // This object takes over a window that `previous` made and ran until now (a dialog's control
  // bound to a member): what the window was created with carries over.
  virtual void TakeOverFrom(const CWnd& previous) { (void)previous; }
  // DefWindowProc for the message being handled now.
  LRESULT Default();
  const MSG* GetCurrentMessage() const { return &m_currentMsg; }

  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A control's own reaction to a notification it sent its parent (owner drawing).
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  virtual int OnCreate(LPCREATESTRUCT cs);
  virtual void OnDestroy();
  virtual void OnNcDestroy();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* dc);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonUp(UINT flags, CPoint point);
  virtual void OnNcMouseMove(UINT hitTest, CPoint point);
  virtual void OnNcLButtonUp(UINT hitTest, CPoint point);
  virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  virtual void OnClose();
  virtual void OnSysCommand(UINT id, LPARAM lParam);
  virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags);
  virtual void OnKeyUp(UINT vk, UINT repeat, UINT flags);
  virtual void OnSysKeyDown(UINT vk, UINT repeat, UINT flags);
  virtual void OnChar(UINT ch, UINT repeat, UINT flags);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnSetFocus(CWnd* oldWnd);
  virtual void OnKillFocus(CWnd* newWnd);
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnEnable(BOOL enable);
  virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
  // The brush (and, through the DC, the colours) a control of the given kind is drawn with.
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
  virtual UINT OnGetDlgCode();
  virtual void OnCaptureChanged(CWnd* wnd);
  virtual HCURSOR OnQueryDragIcon();

  int m_modalResult = -1;
  bool m_endModal = false;

private:
  friend class detail::WindowSystem;
  friend LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  MSG m_currentMsg{};
  int m_modalLoopDepth = 0;
};

// Free functions of the window system.
CWnd* AfxGetMainWnd();
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL IsDialogMessage(HWND dialog, MSG* msg);
BOOL IsWindow(HWND hwnd);
// A top-level window of this or another program of the system with this caption (and class,
// when given); null when there is none.
HWND FindWindowA(const char* className, const char* title);
inline HWND FindWindow(const char* className, const char* title) { return FindWindowA(className, title); }
BOOL ReleaseCapture();
HWND GetCapture();
HWND GetFocus();
HWND SetFocus(HWND hwnd);
HWND WindowFromPoint(POINT screenPoint);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
void MessageBeep(UINT type);
// Gives the message to the window and its ancestors (and then the main window) for
// PreTranslateMessage; TRUE when one of them kept it.
BOOL AfxPreTranslateMessage(MSG* msg);
// One step of a message loop: takes the next message (waiting for it) and dispatches it.
// FALSE once WM_QUIT arrives.
BOOL AfxPumpMessage();

}  // namespace win
