#include "platform/ui/x11_picture_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <utility>

namespace vetra::ui {

namespace {

// Errors on the clipboard's own connection (a requestor window that went away) are expected
// and ignored; every other error goes to the handler that was there before.
::Display* g_clipboardDisplay = nullptr;
XErrorHandler g_previousHandler = nullptr;

int OnXError(::Display* display, XErrorEvent* error)
{
  if (display == g_clipboardDisplay) return 0;
  return g_previousHandler ? g_previousHandler(display, error) : 0;
}

}  // namespace

struct X11PictureClipboard::Connection {
  ::Display* display = nullptr;
  Window window = 0;
  Atom clipboard = 0;
  Atom targets = 0;
  Atom png = 0;
  Atom bmp = 0;
  std::string pngFile;
  std::string bmpFile;

  ~Connection()
  {
    if (!display) return;
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    if (g_clipboardDisplay == display) {
      XSetErrorHandler(g_previousHandler);
      g_clipboardDisplay = nullptr;
    }
  }

  // The largest property one request can carry, less room for the request itself.
  std::size_t LargestProperty() const
  {
    long units = XExtendedMaxRequestSize(display);
    if (units == 0) units = XMaxRequestSize(display);
    return static_cast<std::size_t>(std::max(0L, units * 4 - 1024));
  }

  void Answer(const XSelectionRequestEvent& request)
  {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;
    // Clients of old conventions name no property: the target's name serves.
    const Atom property = request.property != None ? request.property : request.target;
    if (request.selection == clipboard && !pngFile.empty()) {
      if (request.target == targets) {
        const Atom offered[] = {targets, png, bmp};
        XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
        reply.property = property;
      } else if (request.target == png || request.target == bmp) {
        const std::string& file = request.target == png ? pngFile : bmpFile;
        if (!file.empty() && file.size() <= LargestProperty()) {
          XChangeProperty(display, request.requestor, property, request.target, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(file.data()), static_cast<int>(file.size()));
          reply.property = property;
        }
      }
    }
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  }
};

std::unique_ptr<X11PictureClipboard> X11PictureClipboard::Open(const char* displayName)
{
  ::Display* display = XOpenDisplay(displayName);
  if (!display) return nullptr;
  auto connection = std::make_unique<Connection>();
  connection->display = display;
  connection->window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  connection->clipboard = XInternAtom(display, "CLIPBOARD", False);
  connection->targets = XInternAtom(display, "TARGETS", False);
  connection->png = XInternAtom(display, "image/png", False);
  connection->bmp = XInternAtom(display, "image/bmp", False);
  if (!g_clipboardDisplay) {
    g_clipboardDisplay = display;
    g_previousHandler = XSetErrorHandler(OnXError);
  }
  return std::unique_ptr<X11PictureClipboard>(new X11PictureClipboard(std::move(connection)));
}

X11PictureClipboard::X11PictureClipboard(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection))
{
}

X11PictureClipboard::~X11PictureClipboard() = default;

void X11PictureClipboard::Offer(std::string png, std::string bmp)
{
  Connection& c = *m_connection;
  c.pngFile = std::move(png);
  c.bmpFile = std::move(bmp);
  XSetSelectionOwner(c.display, c.clipboard, c.window, CurrentTime);
  XFlush(c.display);
}

void X11PictureClipboard::Serve()
{
  Connection& c = *m_connection;
  while (XPending(c.display) > 0) {
    XEvent event;
    XNextEvent(c.display, &event);
    if (event.type == SelectionRequest) {
      c.Answer(event.xselectionrequest);
    } else if (event.type == SelectionClear && event.xselectionclear.selection == c.clipboard) {
      // Another program has the clipboard now.
      c.pngFile.clear();
      c.bmpFile.clear();
    }
  }
  XFlush(c.display);
}

}  // namespace vetra::ui
