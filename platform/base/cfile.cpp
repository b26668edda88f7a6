#include "platform/base/cfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/base/drive.h"
#include "platform/base/regular_file.h"

namespace win {

CFile::CFile(std::string_view path, UINT openFlags)
{
  CFileException error;
  if (!Open(path, openFlags, &error)) throw error;
}

CFile::~CFile()
{
  Abort();
}

CFile::CFile(CFile&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path))
{
  other.m_fd = -1;
}

CFile& CFile::operator=(CFile&& other) noexcept
{
  if (this != &other) {
    Abort();
    m_fd = other.m_fd;
    m_path = std::move(other.m_path);
    other.m_fd = -1;
  }
  return *this;
}

BOOL CFile::Open(std::string_view path, UINT openFlags, CFileException* error)
{
  Abort();
  m_path = std::string(path);
  int flags = O_CLOEXEC;
  switch (openFlags & 0x3) {
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
  }
  if (openFlags & modeCreate) {
    flags |= O_CREAT;
    if (!(openFlags & modeNoTruncate)) flags |= O_TRUNC;
  }
  std::filesystem::path target = vetra::MapPath(path);
  int fd = vetra::OpenRegularFile(target, flags);
  if (fd < 0) {
    if (error != nullptr) {
      *error = CFileException(CFileException::CauseFromErrno(errno), errno, m_path);
    }
    return FALSE;
  }
  m_fd = fd;
  return TRUE;
}

void CFile::ThrowLastError() const
{
  throw CFileException(CFileException::CauseFromErrno(errno), errno, m_path);
}

UINT CFile::Read(void* buffer, UINT count)
{
  if (m_fd < 0) throw CFileException(CFileException::invalidFile, 0, m_path);
  auto* out = static_cast<char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::read(m_fd, out + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowLastError();
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count)
{
  if (m_fd < 0) throw CFileException(CFileException::invalidFile, 0, m_path);
  const auto* in = static_cast<const char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::write(m_fd, in + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowLastError();
    }
    done += static_cast<UINT>(n);
  }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
  if (m_fd < 0) throw CFileException(CFileException::invalidFile, 0, m_path);
  int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
  off_t at = ::lseek(m_fd, offset, whence);
  if (at < 0) throw CFileException(CFileException::badSeek, errno, m_path);
  return static_cast<ULONGLONG>(at);
}

ULONGLONG CFile::GetLength() const
{
  struct stat info {};
  if (m_fd < 0 || ::fstat(m_fd, &info) != 0) return 0;
  return static_cast<ULONGLONG>(info.st_size);
}

ULONGLONG CFile::GetPosition() const
{
  off_t at = m_fd < 0 ? -1 : ::lseek(m_fd, 0, SEEK_CUR);
  return at < 0 ? 0 : static_cast<ULONGLONG>(at);
}

void CFile::SetLength(ULONGLONG length)
{
  if (m_fd < 0 || ::ftruncate(m_fd, static_cast<off_t>(length)) != 0) ThrowLastError();
}

void CFile::Flush()
{
  if (m_fd >= 0) ::fsync(m_fd);
}

void CFile::Close()
{
  if (m_fd >= 0) {
    int rc = ::close(m_fd);
    m_fd = -1;
    if (rc != 0) ThrowLastError();
  }
}

void CFile::Abort()
{
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

BOOL CFile::GetStatus(std::string_view path, CFileStatus& status)
{
  struct stat info {};
  std::filesystem::path target = vetra::MapPath(path);
  if (::stat(target.c_str(), &info) != 0) return FALSE;
  status.m_ctime = CTime(info.st_ctime);
  status.m_mtime = CTime(info.st_mtime);
  status.m_atime = CTime(info.st_atime);
  status.m_size = static_cast<ULONGLONG>(info.st_size);
  status.m_attribute = S_ISDIR(info.st_mode) ? 0x10 : 0;
  status.m_szFullName = vetra::WindowsPathOf(target);
  return TRUE;
}

void CFile::SetStatus(std::string_view path, const CFileStatus& status)
{
  std::filesystem::path target = vetra::MapPath(path);
  struct timespec times[2];
  times[0].tv_sec = status.m_atime.GetTime() != 0 ? status.m_atime.GetTime() : status.m_mtime.GetTime();
  times[0].tv_nsec = 0;
  times[1].tv_sec = status.m_mtime.GetTime();
  times[1].tv_nsec = 0;
  // A time of 0 means "not given", as in the framework.
  if (status.m_mtime.GetTime() == 0) times[1].tv_nsec = UTIME_OMIT;
  if (times[0].tv_sec == 0) times[0].tv_nsec = UTIME_OMIT;
  if (::utimensat(AT_FDCWD, target.c_str(), times, 0) != 0) {
    throw CFileException(CFileException::CauseFromErrno(errno), errno, std::string(path));
  }
}

void CFile::Remove(std::string_view path)
{
  std::filesystem::path target = vetra::MapPath(path);
  if (::unlink(target.c_str()) != 0) {
    throw CFileException(CFileException::CauseFromErrno(errno), errno, std::string(path));
  }
}

}  // namespace win
