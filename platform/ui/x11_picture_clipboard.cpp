#include "platform/ui/x11_picture_clipboard.h"

#include "platform/ui/x11_connection_loss.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
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

// While the clipboard hands its picture over at the end, errors on its connection (a manager
// that ended mid-way) are ignored, whatever handler the process has by then: the display library
// puts back its predecessor's when it ends.
::Display* g_handingOver = nullptr;
XErrorHandler g_beforeHandOver = nullptr;

int OnHandOverError(::Display* display, XErrorEvent* error)
{
  if (display == g_handingOver) return 0;
  return g_beforeHandOver ? g_beforeHandOver(display, error) : 0;
}

class HandOverErrorsIgnored {
public:
  explicit HandOverErrorsIgnored(::Display* display)
  {
    g_handingOver = display;
    g_beforeHandOver = XSetErrorHandler(OnHandOverError);
  }
  ~HandOverErrorsIgnored()
  {
    XSync(g_handingOver, False);  // errors of what was sent arrive while they are still ignored
    XSetErrorHandler(g_beforeHandOver);
    g_handingOver = nullptr;
    g_beforeHandOver = nullptr;
  }
  HandOverErrorsIgnored(const HandOverErrorsIgnored&) = delete;
  HandOverErrorsIgnored& operator=(const HandOverErrorsIgnored&) = delete;
};

// How long a program that ends waits for the clipboard manager to take the picture over.
constexpr std::chrono::milliseconds kHandOverLimit{2000};

}  // namespace

struct X11PictureClipboard::Connection {
  ::Display* display = nullptr;
  Window window = 0;
  Atom clipboard = 0;
  Atom targets = 0;
  Atom png = 0;
  Atom bmp = 0;
  Atom manager = 0;      // CLIPBOARD_MANAGER: owned by the desktop's clipboard manager, if any
  Atom saveTargets = 0;  // SAVE_TARGETS: asks the manager to keep the clipboard's contents
  Atom handOver = 0;     // the property the hand-over request names
  std::string pngFile;
  std::string bmpFile;

  ~Connection()
  {
    if (!display || XConnectionLost()) return;
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

  // Takes in what happened; false once the clipboard is no longer ours.
  bool Take(const XEvent& event)
  {
    if (event.type == SelectionRequest) {
      Answer(event.xselectionrequest);
    } else if (event.type == SelectionClear && event.xselectionclear.selection == clipboard) {
      // Another program has the clipboard now.
      pngFile.clear();
      bmpFile.clear();
      return false;
    }
    return true;
  }

  void TakePending()
  {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      Take(event);
    }
  }

  // X selections end with their owner. When this program ends still holding the picture, the
  // desktop's clipboard manager (where there is one) is asked to keep it, and its requests for
  // the picture are answered until it says it is done, goes away, or the time is up: the picture
  // stays pasteable after the program ends, and the end never hangs on the manager.
  void HandOverToManager()
  {
    if (XConnectionLost()) return;
    const HandOverErrorsIgnored ignored(display);
    TakePending();
    if (pngFile.empty() || XGetSelectionOwner(display, clipboard) != window) return;
    const Window keeper = XGetSelectionOwner(display, manager);
    if (keeper == None) return;
    // Told when the manager's window goes (the manager ended before it answered).
    XSelectInput(display, keeper, StructureNotifyMask);
    const Atom kept[] = {png, bmp};
    XChangeProperty(display, window, handOver, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(kept), 2);
    XConvertSelection(display, manager, saveTargets, handOver, window, CurrentTime);
    XSync(display, False);
    if (XGetSelectionOwner(display, manager) != keeper) return;  // it ended meanwhile

    const auto end = std::chrono::steady_clock::now() + kHandOverLimit;
    for (;;) {
      while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionNotify && event.xselection.selection == manager) return;
        if (event.type == DestroyNotify && event.xdestroywindow.window == keeper) return;
        // Lost the clipboard: the manager (or another program) holds it now.
        if (!Take(event)) return;
      }
      XFlush(display);
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) return;
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      ::poll(&connection, 1, static_cast<int>(left.count()));
    }
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
  connection->manager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
  connection->saveTargets = XInternAtom(display, "SAVE_TARGETS", False);
  connection->handOver = XInternAtom(display, "VETRA_CLIPBOARD_HAND_OVER", False);
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

X11PictureClipboard::~X11PictureClipboard()
{
  const XEnding ending;
  m_connection->HandOverToManager();
  m_connection.reset();
}

void X11PictureClipboard::Offer(std::string png, std::string bmp)
{
  Connection& c = *m_connection;
  c.pngFile = std::move(png);
  c.bmpFile = std::move(bmp);
  XSetSelectionOwner(c.display, c.clipboard, c.window, CurrentTime);
  XFlush(c.display);
}

bool X11PictureClipboard::HoldsPicture()
{
  Connection& c = *m_connection;
  c.TakePending();
  return !c.pngFile.empty() && XGetSelectionOwner(c.display, c.clipboard) == c.window;
}

void X11PictureClipboard::Serve()
{
  Connection& c = *m_connection;
  c.TakePending();
  XFlush(c.display);
}

}  // namespace vetra::ui
