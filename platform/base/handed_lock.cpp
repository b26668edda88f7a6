#include "platform/base/handed_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace vetra {
namespace {

// The started program finds its inherited descriptor here.
constexpr const char* kHandedVariable = "VETRA_HANDED_LOCK_FD";

// The descriptor the next program started inherits, in the program handing it on.
std::atomic<int> g_handedFd{-1};
// The descriptor this program was handed when it started.
std::atomic<int> g_adoptedFd{-1};

std::filesystem::path LockFileOf(std::string_view name)
{
  std::string fileName;
  for (char c : name) fileName.push_back(c == '/' || c == '\\' || c == '\0' ? '_' : c);
  return MapPath("C:\\Windows") / (Utf8(fileName) + ".lock");
}

}  // namespace

HandedLock::HandedLock(std::string_view name, std::chrono::milliseconds wait)
{
  const std::filesystem::path lockFile = LockFileOf(name);
  std::error_code ec;
  std::filesystem::create_directories(lockFile.parent_path(), ec);
  m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (m_fd < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) return;
    if (errno != EWOULDBLOCK && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ::close(m_fd);
  m_fd = -1;
}

HandedLock::~HandedLock()
{
  if (g_handedFd.load() == m_fd) ForgetHandedDescriptor();
  if (m_fd >= 0) ::close(m_fd);
}

void HandedLock::HandToNextProgram()
{
  // Only the started program's environment names the descriptor (the program starter builds
  // it): changing our own would race with any thread reading the environment.
  if (m_fd >= 0) g_handedFd.store(m_fd);
}

void AdoptHandedLock()
{
  const char* text = std::getenv(kHandedVariable);
  if (text == nullptr) return;
  char* end = nullptr;
  const long fd = std::strtol(text, &end, 10);
  // Only a descriptor that is still a lock file of ours is taken over; anything else was never
  // handed to this program.
  if (end == text || *end != '\0' || fd <= 2 || fd >= 65536) return;
  const std::filesystem::path link = "/proc/self/fd/" + std::to_string(fd);
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::read_symlink(link, ec);
  if (!ec && target.extension() == ".lock") g_adoptedFd.store(static_cast<int>(fd));
}

void ReleaseHandedLock()
{
  const int fd = g_adoptedFd.exchange(-1);
  if (fd >= 0) ::close(fd);
}

int DescriptorHandedToNextProgram() { return g_handedFd.load(); }

void ForgetHandedDescriptor() { g_handedFd.store(-1); }

std::string HandedDescriptorSetting(int fd)
{
  return std::string(kHandedVariable) + "=" + std::to_string(fd);
}

bool IsHandedDescriptorSetting(std::string_view setting)
{
  const std::string_view name(kHandedVariable);
  return setting.size() > name.size() && setting.substr(0, name.size()) == name && setting[name.size()] == '=';
}

}  // namespace vetra
