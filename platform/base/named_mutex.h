#pragma once
// A named mutex that lives as long as the process holds it: a lock file in the drive's Windows
// folder, locked with flock and released by the kernel when the holder dies.

#include <string>
#include <string_view>

namespace vetra {

class NamedMutex {
public:
  // Creates or opens the mutex `name` and tries to take it without waiting.
  explicit NamedMutex(std::string_view name);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // True when another process holds it (CreateMutex answering ERROR_ALREADY_EXISTS).
  bool AlreadyExists() const { return m_alreadyExists; }
  bool Held() const { return m_fd >= 0 && !m_alreadyExists; }

private:
  int m_fd = -1;
  bool m_alreadyExists = false;
};

}  // namespace vetra
