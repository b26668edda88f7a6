#include "platform/base/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace vetra {
namespace {

// The lock file of a mutex name. Separators in the name ("Global\x") stay inside the file name,
// so a name can never reach outside the Windows folder.
std::filesystem::path LockFileOf(std::string_view name)
{
  std::string fileName;
  for (char c : name) fileName.push_back(c == '/' || c == '\\' || c == '\0' ? '_' : c);
  return MapPath("C:\\Windows") / (Utf8(fileName) + ".lock");
}

}  // namespace

NamedMutex::NamedMutex(std::string_view name)
{
  std::filesystem::path lockFile = LockFileOf(name);
  std::error_code ec;
  std::filesystem::create_directories(lockFile.parent_path(), ec);
  // Close-on-exec: a started program must not keep our lock alive after we end.
  m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (m_fd < 0) return;
  int rc;
  do {
    rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    m_alreadyExists = errno == EWOULDBLOCK;
    ::close(m_fd);
    m_fd = -1;
  }
}

NamedMutex::~NamedMutex()
{
  // The lock file stays: removing it could let a third process lock a fresh file while a
  // second one still waits on the old one.
  if (m_fd >= 0) ::close(m_fd);
}

}  // namespace vetra
