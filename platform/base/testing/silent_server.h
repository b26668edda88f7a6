#pragma once
// A desktop service that has stopped answering, as a frozen daemon is: a local socket that takes
// every connection and never says a word on any of them.

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

namespace vetra::testing {

// A new listening Unix socket at `path` (close-on-exec), or -1 when it cannot be made.
int ListenAtUnixSocket(const std::filesystem::path& path);

class SilentServer {
public:
  // Listens at `path` (a new Unix socket); Listening() says whether it could.
  explicit SilentServer(const std::filesystem::path& path);
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;

  bool Listening() const { return m_listener >= 0; }
  const std::filesystem::path& Path() const { return m_path; }
  // How many connections it has taken so far.
  int Connections() const;

private:
  std::filesystem::path m_path;
  int m_listener = -1;
  std::atomic<bool> m_ending = false;
  mutable std::mutex m_mutex;
  std::vector<int> m_held;  // under m_mutex
  std::thread m_accepting;
};

}  // namespace vetra::testing
