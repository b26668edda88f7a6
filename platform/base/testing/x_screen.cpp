#include "platform/base/testing/x_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "platform/base/testing/temp_drive.h"

namespace vetra::testing {

std::optional<std::vector<std::uint32_t>> XScreenPixels(int x, int y, int width, int height)
{
  ::Display* display = XOpenDisplay(nullptr);
  if (!display) return std::nullopt;
  std::optional<std::vector<std::uint32_t>> colours;
  if (XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), AllPlanes, ZPixmap)) {
    colours.emplace();
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        colours->push_back(static_cast<std::uint32_t>(XGetPixel(image, column, row) & 0xFFFFFF));
      }
    }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return colours;
}

std::optional<std::uint32_t> XScreenPixel(int x, int y)
{
  const auto colours = XScreenPixels(x, y, 1, 1);
  if (!colours || colours->empty()) return std::nullopt;
  return colours->front();
}

std::optional<std::string> XReadClipboard(const std::string& target, const std::function<void()>& pump,
                                          int timeoutMs)
{
  char name[] = "/tmp/vetra-clipboard-XXXXXX";
  const int out = ::mkstemp(name);
  if (out < 0) return std::nullopt;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out, 1);
    ::execlp("xclip", "xclip", "-selection", "clipboard", "-t", target.c_str(), "-o", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out);
  int status = -1;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool ended = false;
  while (pid > 0 && std::chrono::steady_clock::now() < end) {
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      ended = true;
      break;
    }
    pump();
  }
  if (pid > 0 && !ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  std::optional<std::string> bytes;
  if (ended && WIFEXITED(status) && WEXITSTATUS(status) == 0) bytes = ReadWholeFile(name);
  std::error_code error;
  std::filesystem::remove(name, error);
  return bytes;
}

}  // namespace vetra::testing
