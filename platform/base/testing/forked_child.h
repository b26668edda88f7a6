#pragma once
// Another process for tests of what processes share: the child runs `setUp`, tells the parent it
// is ready, and lives until the parent lets it end. It ends with _exit, as a process that dies
// without cleaning up.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace vetra::testing {

class ForkedChild {
public:
  explicit ForkedChild(const std::function<void()>& setUp)
  {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
    m_pid = ::fork();
    if (m_pid == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      setUp();
      char byte = 1;
      (void)!::write(ready[1], &byte, 1);
      (void)!::read(release[0], &byte, 1);  // end of file when the parent lets go
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    m_release = release[1];
    char byte = 0;
    m_ready = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
  }
  ~ForkedChild() { End(); }
  ForkedChild(const ForkedChild&) = delete;
  ForkedChild& operator=(const ForkedChild&) = delete;

  bool Ready() const { return m_ready; }

  // Lets the child end and reaps it.
  void End()
  {
    if (m_release >= 0) ::close(m_release);
    m_release = -1;
    if (m_pid > 0) {
      int status = 0;
      ::waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
  }

private:
  pid_t m_pid = -1;
  int m_release = -1;
  bool m_ready = false;
};

}  // namespace vetra::testing
