#include "platform/base/testing/x_input.h"

#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace vetra::testing {

std::optional<std::string> Xdotool(const std::vector<std::string>& arguments)
{
  // Everything the child needs is made before the fork: a test program has other threads, and
  // the child of a threaded process must not allocate.
  std::string program = "xdotool";
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  argv.push_back(program.data());
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) return std::nullopt;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return std::nullopt;
  }
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::close(out[1]);
    ::execvp("xdotool", argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  std::string text;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return text;
}

std::optional<std::string> WaitForXWindow(const std::string& title, std::chrono::milliseconds timeout, XWindowsOf owner)
{
  // Every condition must hold (xdotool's default is any of them); the title pattern comes last.
  std::vector<std::string> search = {"search", "--all", "--onlyvisible"};
  if (owner == XWindowsOf::ThisProcess) search.insert(search.end(), {"--pid", std::to_string(::getpid())});
  search.insert(search.end(), {"--name", "^" + title + "$"});
  const auto end = std::chrono::steady_clock::now() + timeout;
  do {
    if (auto found = Xdotool(search)) {
      const auto newline = found->find('\n');
      std::string id = found->substr(0, newline);
      if (!id.empty()) return id;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

bool XClickAt(int x, int y, int button)
{
  return Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click",
                  std::to_string(button)})
      .has_value();
}

}  // namespace vetra::testing
