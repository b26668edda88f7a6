#pragma once
// A disk that is full past a given size, for tests: while it lives no file of this process (or of
// a program it starts) grows beyond `room` bytes, and a write past that fails as on a full disk
// (EFBIG in place of ENOSPC). Needs no privileges and touches no real disk.

#include <sys/resource.h>

#include <csignal>

namespace vetra::testing {

class FullDisk {
public:
  explicit FullDisk(rlim_t room)
  {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    // The signal a process gets at the limit would end it; ignored, the write fails instead.
    m_previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = m_saved;
    limited.rlim_cur = room;
    m_active = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FullDisk()
  {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_previousSignal);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  bool Active() const { return m_active; }

private:
  rlimit m_saved{};
  void (*m_previousSignal)(int) = SIG_DFL;
  bool m_active = false;
};

}  // namespace vetra::testing
