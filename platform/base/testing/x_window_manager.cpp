#include "platform/base/testing/x_window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace vetra::testing {

namespace {

struct DisplayCloser {
  void operator()(::Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<::Display, DisplayCloser>;

// A window that went away between asking for it and asking about it is no reason to end the
// test: while a question is asked, X errors are noted instead of ending the process.
int g_errors = 0;
int NoteError(::Display*, XErrorEvent*)
{
  ++g_errors;
  return 0;
}

class ErrorsNoted {
public:
  ErrorsNoted() : m_previous(XSetErrorHandler(&NoteError)) { g_errors = 0; }
  ~ErrorsNoted() { XSetErrorHandler(m_previous); }
  bool Any() const { return g_errors > 0; }

private:
  int (*m_previous)(::Display*, XErrorEvent*);
};

DisplayHandle Open() { return DisplayHandle(XOpenDisplay(nullptr)); }

std::optional<Window> ParseWindow(const std::string& id)
{
  try {
    return static_cast<Window>(std::stoul(id, nullptr, 0));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<XPoint> XWindowOrigin(const std::string& windowId)
{
  const auto window = ParseWindow(windowId);
  DisplayHandle display = Open();
  if (!window || !display) return std::nullopt;
  const ErrorsNoted errors;
  int x = 0, y = 0;
  Window child = 0;
  const bool translated =
      XTranslateCoordinates(display.get(), *window, DefaultRootWindow(display.get()), 0, 0, &x, &y, &child);
  XSync(display.get(), False);
  if (!translated || errors.Any()) return std::nullopt;
  return XPoint{x, y};
}

namespace {

// The first value of a 32-bit property of a window (of type `type`, the property's own name when
// none is given); nothing when the window or the property is not there.
std::optional<unsigned long> FirstValue(::Display* display, Window window, const char* name, Atom type = 0)
{
  const ErrorsNoted errors;
  const Atom property = XInternAtom(display, name, False);
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<unsigned long> value;
  if (XGetWindowProperty(display, window, property, 0, 1, False, type ? type : property, &actualType, &format, &count,
                         &after, &data) == Success &&
      data && count >= 1 && format == 32) {
    value = *reinterpret_cast<const unsigned long*>(data);
  }
  if (data) XFree(data);
  return value;
}

}  // namespace

std::optional<std::string> XActiveWindow()
{
  DisplayHandle display = Open();
  if (!display) return std::nullopt;
  const auto active = FirstValue(display.get(), DefaultRootWindow(display.get()), "_NET_ACTIVE_WINDOW", XA_WINDOW);
  if (!active) return std::nullopt;
  return std::to_string(*active);
}

bool XIsMinimized(const std::string& windowId)
{
  const auto window = ParseWindow(windowId);
  DisplayHandle display = Open();
  if (!window || !display) return false;
  return FirstValue(display.get(), *window, "WM_STATE") == static_cast<unsigned long>(IconicState);
}

bool XPressCloseBox(const std::string& windowId)
{
  const auto window = ParseWindow(windowId);
  DisplayHandle display = Open();
  if (!window || !display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = *window;
  event.xclient.message_type = XInternAtom(display.get(), "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = 2;  // asked by a pager or a user's action, as a close box is
  const bool sent = XSendEvent(display.get(), DefaultRootWindow(display.get()), False,
                               SubstructureRedirectMask | SubstructureNotifyMask, &event) != 0;
  XSync(display.get(), False);
  return sent;
}

struct XForeignWindow::Connection {
  DisplayHandle display;
  Window window = 0;
};

XForeignWindow::XForeignWindow(const std::string& title, int x, int y, int width, int height)
    : m_connection(std::make_unique<Connection>())
{
  m_connection->display = Open();
  ::Display* display = m_connection->display.get();
  if (!display) return;
  m_connection->window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                             static_cast<unsigned>(height), 0, 0, WhitePixel(display, DefaultScreen(display)));
  XStoreName(display, m_connection->window, title.c_str());
  XMapWindow(display, m_connection->window);
  XSync(display, False);
  m_id = std::to_string(m_connection->window);
}

XForeignWindow::~XForeignWindow()
{
  if (m_connection->display && m_connection->window) {
    XDestroyWindow(m_connection->display.get(), m_connection->window);
    XSync(m_connection->display.get(), False);
  }
}

}  // namespace vetra::testing
