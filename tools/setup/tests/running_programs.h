#pragma once
// What the road tests ask of the processes on this machine.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace vetra::testing {

// The command line of a process, empty once it has gone. Read with plain reads: a process that
// ends between the open and the read makes the read fail (ESRCH), which a stream would throw.
inline std::string CommandLineOf(const std::filesystem::path& process)
{
  std::string line;
  const int fd = ::open((process / "cmdline").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return line;
  char chunk[4096];
  for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) > 0;) line.append(chunk, static_cast<size_t>(got));
  ::close(fd);
  return line;
}

// Processes whose command line names a program below `root` (the road's programs run from the
// drive).
inline int ProgramsRunningFrom(const std::filesystem::path& root)
{
  int running = 0;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec))
    if (CommandLineOf(entry.path()).find(root.string() + "/Vetra/Fenmark/") != std::string::npos) ++running;
  return running;
}

}  // namespace vetra::testing
