#include "platform/base/testing/silent_server.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace vetra::testing {

int ListenAtUnixSocket(const std::filesystem::path& path)
{
  const std::string name = path.string();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() >= sizeof(address.sun_path)) return -1;
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0) return -1;
  if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 16) != 0) {
    close(listener);
    return -1;
  }
  return listener;
}

SilentServer::SilentServer(const std::filesystem::path& path) : m_path(path)
{
  const int listener = ListenAtUnixSocket(path);
  if (listener < 0) return;
  m_listener = listener;
  m_accepting = std::thread([this] {
    for (;;) {
      const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0 || m_ending) {
        if (connection >= 0) close(connection);
        return;
      }
      std::lock_guard lock(m_mutex);
      m_held.push_back(connection);
    }
  });
}

SilentServer::~SilentServer()
{
  m_ending = true;
  if (m_listener >= 0) shutdown(m_listener, SHUT_RDWR);
  if (m_accepting.joinable()) m_accepting.join();
  for (int connection : m_held) close(connection);
  if (m_listener >= 0) {
    close(m_listener);
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
  }
}

int SilentServer::Connections() const
{
  std::lock_guard lock(m_mutex);
  return static_cast<int>(m_held.size());
}

}  // namespace vetra::testing
