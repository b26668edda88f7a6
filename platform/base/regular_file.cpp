#include "platform/base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vetra {
namespace {

// Open mode text of fopen(3) as open(2) flags; -1 for a mode fopen would refuse.
int FlagsOfMode(const char* mode)
{
  if (mode == nullptr || *mode == '\0') return -1;
  const bool plus = std::strchr(mode, '+') != nullptr;
  switch (mode[0]) {
    case 'r': return plus ? O_RDWR : O_RDONLY;
    case 'w': return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a': return (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default: return -1;
  }
}

template <typename Bytes>
std::optional<Bytes> ReadAll(const std::filesystem::path& path)
{
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return std::nullopt;
  Bytes bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char block[65536];
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), block, block + n);
  }
  ::close(fd);
  return bytes;
}

}  // namespace

int OpenRegularFile(const std::filesystem::path& path, int flags, int mode)
{
  // Non-blocking only for the open itself: a pipe without a writer must not hold us here.
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    ::close(fd);
    errno = error;
    return -1;
  }
  if (!(flags & O_NONBLOCK)) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::FILE* FopenRegularFile(const std::filesystem::path& path, const char* mode)
{
  const int flags = FlagsOfMode(mode);
  if (flags < 0) {
    errno = EINVAL;
    return nullptr;
  }
  const int fd = OpenRegularFile(path, flags);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, mode);
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return file;
}

std::size_t ReadUpTo(int fd, void* data, std::size_t size)
{
  auto* bytes = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t ReadUpToAt(int fd, void* data, std::size_t size, std::uint64_t offset, int* error)
{
  auto* bytes = static_cast<char*>(data);
  std::size_t done = 0;
  int failure = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failure = errno;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (error != nullptr) *error = failure;
  return done;
}

bool IsRegularFile(const std::filesystem::path& path)
{
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path)
{
  return ReadAll<std::string>(path);
}

std::optional<std::vector<std::uint8_t>> ReadRegularFileBytes(const std::filesystem::path& path)
{
  return ReadAll<std::vector<std::uint8_t>>(path);
}

}  // namespace vetra
