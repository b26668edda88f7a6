#include "platform/base/testing/x_clipboard_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/base/testing/temp_drive.h"

namespace vetra::testing {
namespace {

struct Atoms {
  Atom clipboard, manager, saveTargets, targets, png, fetched, null;
  explicit Atoms(::Display* display)
      : clipboard(XInternAtom(display, "CLIPBOARD", False)),
        manager(XInternAtom(display, "CLIPBOARD_MANAGER", False)),
        saveTargets(XInternAtom(display, "SAVE_TARGETS", False)),
        targets(XInternAtom(display, "TARGETS", False)),
        png(XInternAtom(display, "image/png", False)),
        fetched(XInternAtom(display, "VETRA_TEST_FETCHED", False)),
        null(XInternAtom(display, "NULL", False))
  {
  }
};

int IgnoreErrors(::Display*, XErrorEvent*) { return 0; }

// Converts the clipboard to `target` into our window and waits for the owner's answer; the bytes,
// or nothing when the owner refused.
std::optional<std::string> Fetch(::Display* display, Window window, const Atoms& atoms, Atom target)
{
  XConvertSelection(display, atoms.clipboard, target, atoms.fetched, window, CurrentTime);
  XEvent event;
  for (;;) {
    XNextEvent(display, &event);
    if (event.type == SelectionNotify && event.xselection.selection == atoms.clipboard) break;
  }
  if (event.xselection.property == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, atoms.fetched, 0, 1L << 26, True, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success) {
    return std::nullopt;
  }
  const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
  std::string bytes(reinterpret_cast<const char*>(data), count * unit);
  XFree(data);
  return bytes;
}

// The manager's life in the child process; ends it.
[[noreturn]] void RunManager(XClipboardManager::Conduct conduct, int ready, const std::string& keptFile)
{
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  ::Display* display = XOpenDisplay(nullptr);
  char answer = 0;
  if (!display) {
    (void)!::write(ready, &answer, 1);
    ::_exit(1);
  }
  XSetErrorHandler(IgnoreErrors);
  const Atoms atoms(display);
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, atoms.manager, window, CurrentTime);
  answer = XGetSelectionOwner(display, atoms.manager) == window ? 1 : 0;
  (void)!::write(ready, &answer, 1);
  ::close(ready);
  if (!answer) ::_exit(1);

  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != SelectionRequest) continue;
    const XSelectionRequestEvent request = event.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = None;
    if (request.selection != atoms.manager || request.target != atoms.saveTargets) {
      XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
      continue;
    }
    if (conduct == XClipboardManager::Conduct::EndsMidway) {
      // Its window goes before the owner can answer into it.
      XConvertSelection(display, atoms.clipboard, atoms.png, atoms.fetched, window, CurrentTime);
      XDestroyWindow(display, window);
      XSync(display, False);
      ::_exit(0);
    }
    const auto offered = Fetch(display, window, atoms, atoms.targets);
    const auto png = offered ? Fetch(display, window, atoms, atoms.png) : std::nullopt;
    if (png) {
      if (std::FILE* file = std::fopen(keptFile.c_str(), "wb")) {
        std::fwrite(png->data(), 1, png->size(), file);
        std::fclose(file);
      }
    }
    // A target done for its side effect answers with an empty property of type NULL.
    const Atom property = request.property != None ? request.property : request.target;
    XChangeProperty(display, request.requestor, property, atoms.null, 32, PropModeReplace, nullptr, 0);
    reply.property = png ? property : None;
    XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XSync(display, False);
    ::_exit(png ? 0 : 2);
  }
}

}  // namespace

XClipboardManager::XClipboardManager(Conduct conduct)
{
  char name[] = "/tmp/vetra-kept-picture-XXXXXX";
  const int kept = ::mkstemp(name);
  if (kept < 0) return;
  ::close(kept);
  m_keptFile = name;
  int ready[2];
  if (::pipe(ready) != 0) return;
  m_pid = ::fork();
  if (m_pid == 0) {
    ::close(ready[0]);
    RunManager(conduct, ready[1], m_keptFile);
  }
  ::close(ready[1]);
  char answer = 0;
  m_ready = m_pid > 0 && ::read(ready[0], &answer, 1) == 1 && answer == 1;
  ::close(ready[0]);
}

XClipboardManager::~XClipboardManager()
{
  if (m_pid > 0 && !Ended(std::chrono::milliseconds(0))) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &m_status, 0);
  }
  std::error_code error;
  if (!m_keptFile.empty()) std::filesystem::remove(m_keptFile, error);
}

bool XClipboardManager::Ended(std::chrono::milliseconds timeout)
{
  if (m_pid <= 0) return true;
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (::waitpid(m_pid, &m_status, WNOHANG) == m_pid) {
      m_pid = -1;
      return true;
    }
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::optional<std::string> XClipboardManager::KeptPicture(std::chrono::milliseconds timeout)
{
  if (!Ended(timeout)) return std::nullopt;
  if (!WIFEXITED(m_status) || WEXITSTATUS(m_status) != 0) return std::nullopt;
  return ReadWholeFile(m_keptFile);
}

}  // namespace vetra::testing
