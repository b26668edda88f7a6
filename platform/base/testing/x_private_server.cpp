#include "platform/base/testing/x_private_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace vetra::testing {

PrivateXServer::PrivateXServer()
{
  int number[2];
  if (::pipe(number) != 0) return;
  m_pid = ::fork();
  if (m_pid == 0) {
    ::close(number[0]);
    const std::string fd = std::to_string(number[1]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset",
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(number[1]);
  // The server writes its display number once it takes connections.
  std::string digits;
  char c = 0;
  while (m_pid > 0 && ::read(number[0], &c, 1) == 1 && c != '\n') digits += c;
  ::close(number[0]);
  if (!digits.empty()) m_name = ":" + digits;
}

PrivateXServer::~PrivateXServer() { End(); }

void PrivateXServer::End()
{
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGKILL);
  int status = 0;
  ::waitpid(m_pid, &status, 0);
  m_pid = -1;
}

std::string DisplayThatIsNotThere()
{
  for (int number = 50000 + ::getpid() % 1000;; ++number) {
    const std::string n = std::to_string(number);
    if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) && !std::filesystem::exists("/tmp/.X" + n + "-lock")) return ":" + n;
  }
}

}  // namespace vetra::testing
