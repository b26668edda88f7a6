#pragma once
// An open file descriptor that closes itself.
#include <unistd.h>

#include <utility>

namespace vetra {

class UniqueFd {
public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept
  {
    if (this != &other) {
      Reset();
      m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Gives the descriptor up without closing it (for a close whose result counts).
  int Release() { return std::exchange(m_fd, -1); }
  void Reset()
  {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }

private:
  int m_fd = -1;
};

}  // namespace vetra
