#pragma once
// A file that lives only in memory, reachable by a Linux path while the object lives: fuzzers
// and tests hand readers a path without leaving anything on disk, even when the process dies.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace vetra::testing {

class MemoryFile {
public:
  MemoryFile() : m_fd(::memfd_create("vetra-memory-file", MFD_CLOEXEC)) {}
  ~MemoryFile()
  {
    if (m_fd >= 0) ::close(m_fd);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Replaces the contents with `size` bytes; false when the memory cannot be had.
  bool Write(const std::uint8_t* data, std::size_t size) const
  {
    if (m_fd < 0 || ::ftruncate(m_fd, 0) != 0) return false;
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  // The path every process-local open() reaches the contents by.
  std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
  int m_fd;
};

}  // namespace vetra::testing
