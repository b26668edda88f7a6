#pragma once
// Asking the window manager of the test's X display (scripts/on-screen --wm) what a user sees of
// a window, and asking it what a user's click on its frame would: where a window stands, which
// window is active, a press on a window's close box.

#include <memory>
#include <optional>
#include <string>

namespace vetra::testing {

struct XPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const XPoint&, const XPoint&) = default;
};

// The screen position of the top-left corner of an X window's own area (inside the frame the
// window manager put round it).
std::optional<XPoint> XWindowOrigin(const std::string& windowId);

// The window the window manager holds active (_NET_ACTIVE_WINDOW), as a decimal X window id.
std::optional<std::string> XActiveWindow();

// Whether an X window is minimized (its WM_STATE is iconic).
bool XIsMinimized(const std::string& windowId);

// What the window manager does when the user presses a window's close box: asks the window to
// close (_NET_CLOSE_WINDOW, which the manager turns into the window's delete request).
bool XPressCloseBox(const std::string& windowId);

// A window of another program (its own connection to the display), shown while it lives, with a
// title the window manager shows; it answers nothing.
class XForeignWindow {
public:
  explicit XForeignWindow(const std::string& title, int x = 0, int y = 0, int width = 200, int height = 150);
  ~XForeignWindow();
  XForeignWindow(const XForeignWindow&) = delete;
  XForeignWindow& operator=(const XForeignWindow&) = delete;
  // Its decimal X window id, empty when it could not be made.
  const std::string& Id() const { return m_id; }

private:
  struct Connection;
  std::unique_ptr<Connection> m_connection;
  std::string m_id;
};

}  // namespace vetra::testing
