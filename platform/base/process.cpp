#include "platform/base/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "platform/base/drive.h"
#include "platform/base/file_names.h"
#include "platform/base/handed_lock.h"
#include "platform/base/text.h"

namespace vetra {
namespace {

std::mutex g_starterMutex;
ProcessStarter g_starter;

bool IsBlank(char c)
{
  return c == ' ' || c == '\t';
}

// Marks every descriptor above stderr close-on-exec, so the started program inherits nothing of
// ours (recordings, lock files, display sockets) whether or not it was opened carefully. Runs
// between fork and exec: async-signal-safe calls only.
void CloseOnExecAboveStderr()
{
  if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
  rlimit limit{};
  rlim_t highest = 1024;
  if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) highest = limit.rlim_cur;
  if (highest > 65536) highest = 65536;
  for (int fd = 3; fd < static_cast<int>(highest); ++fd) {
    int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0) ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
}

// The started program begins with the signal state of a freshly started program, not ours.
void ResetSignals()
{
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::signal(SIGPIPE, SIG_DFL);
  ::signal(SIGCHLD, SIG_DFL);
}

void WriteAll(int fd, const void* data, std::size_t size)
{
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

// Starts `argv` detached: an intermediate child forks the program and ends at once, so the
// program is adopted by init and never becomes our zombie. A close-on-exec pipe carries the
// errno of a failed exec back; end of file on it means the exec happened.
bool StartDetached(const std::vector<char*>& argv)
{
  const int handed = DescriptorHandedToNextProgram();
  // The started program's environment is ours, less any handed descriptor we were given
  // ourselves, plus the one handed to it. Built before fork: the child may not allocate.
  std::vector<char*> environment;
  for (char** entry = environ; *entry != nullptr; ++entry)
    if (!IsHandedDescriptorSetting(*entry)) environment.push_back(*entry);
  std::string handedSetting;
  if (handed >= 0) {
    handedSetting = HandedDescriptorSetting(handed);
    environment.push_back(handedSetting.data());
  }
  environment.push_back(nullptr);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;

  pid_t intermediate = ::fork();
  if (intermediate < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (intermediate == 0) {
    ::close(report[0]);
    pid_t program = ::fork();
    if (program < 0) {
      int error = errno;
      WriteAll(report[1], &error, sizeof error);
      ::_exit(1);
    }
    if (program == 0) {
      ::setsid();
      ResetSignals();
      CloseOnExecAboveStderr();
      if (handed >= 0) ::fcntl(handed, F_SETFD, 0);  // the one descriptor handed on on purpose
      ::execve(argv[0], argv.data(), environment.data());
      int error = errno;
      WriteAll(report[1], &error, sizeof error);
      ::_exit(127);
    }
    ::_exit(0);
  }

  ::close(report[1]);
  int status = 0;
  while (::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  // The intermediate child ends with 0 once the program is forked; anything else means the
  // program may never have been started.
  bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return got == 0 && forked;
}

bool StartProgram(const std::string& commandLine)
{
  CommandLineParts parts = SplitCommandLine(commandLine);
  if (parts.program.empty()) return false;
  std::string program = MapPath(parts.program).string();
  std::string argument = LinuxFromText(parts.rest);
  std::vector<char*> argv{program.data()};
  if (!parts.rest.empty()) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return StartDetached(argv);
}

bool Start(std::string_view commandLine)
{
  // The command line is a C string to its callers: it ends at the first zero byte.
  std::string line(commandLine.substr(0, commandLine.find('\0')));
  ProcessStarter starter;
  {
    std::lock_guard lock(g_starterMutex);
    starter = g_starter;
  }
  const bool started = starter ? starter(line) : StartProgram(line);
  ForgetHandedDescriptor();  // handed to this program only, never to a later one
  return started;
}

}  // namespace

CommandLineParts SplitCommandLine(std::string_view commandLine)
{
  std::size_t at = 0;
  while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
  CommandLineParts parts;
  std::size_t end;
  if (at < commandLine.size() && commandLine[at] == '"') {
    std::size_t close = commandLine.find('"', at + 1);
    if (close == std::string_view::npos) close = commandLine.size();
    parts.program = std::string(commandLine.substr(at + 1, close - at - 1));
    end = close < commandLine.size() ? close + 1 : close;
    // A program name glued to more text after its closing quote runs on to the next blank.
    while (end < commandLine.size() && !IsBlank(commandLine[end])) parts.program.push_back(commandLine[end++]);
  } else {
    end = at;
    while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
    parts.program = std::string(commandLine.substr(at, end - at));
  }
  if (end < commandLine.size()) parts.rest = std::string(commandLine.substr(end + 1));
  return parts;
}

std::string CommandLineText(int argc, char** argv)
{
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == nullptr) break;
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return TextFromLinux(text);
}

bool MakeExecutableForOwner(std::string_view windowsPath)
{
  const std::string path = MapPath(std::string(windowsPath)).string();
  struct stat status{};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  return ::chmod(path.c_str(), (status.st_mode & 07777) | S_IXUSR) == 0;
}

ProcessStarter SetProcessStarterForTests(ProcessStarter starter)
{
  std::lock_guard lock(g_starterMutex);
  ProcessStarter previous = std::move(g_starter);
  g_starter = std::move(starter);
  return previous;
}

}  // namespace vetra

namespace win {

BOOL CreateProcessA(std::string_view commandLine)
{
  return vetra::Start(commandLine) ? TRUE : FALSE;
}

}  // namespace win
