#include "platform/base/file_api.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/regular_file.h"
#include "platform/base/unique_fd.h"

namespace win {
namespace fs = std::filesystem;

namespace {

int OpenFlags(int mode)
{
  switch (mode & 0x3) {
    case OF_WRITE: return O_WRONLY;
    case OF_READWRITE: return O_RDWR;
    default: return O_RDONLY;
  }
}

BOOL CopyStringOut(const std::string& text, LPSTR buffer, UINT size)
{
  if (buffer == nullptr || size <= text.size()) return FALSE;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return TRUE;
}

// The bytes of a copy go through one buffer this large, reused for the whole file.
constexpr std::size_t kCopyBlock = std::size_t{1} << 20;

bool WriteAll(int fd, const char* bytes, std::size_t count)
{
  while (count > 0) {
    const ssize_t n = ::write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies the whole of `from` (open at its start) into the empty file `to`. Where the filesystem
// can share the blocks between the two files (a clone: btrfs, XFS), nothing is copied at all.
// Everywhere else (ext4, tmpfs, two different filesystems as from a USB stick) the bytes go
// through one reused buffer: for a file in the page cache that is cheaper than letting the kernel
// copy it (copy_file_range and sendfile move it through a pipe, page by page).
bool CopyContents(int from, int to)
{
  if (::ioctl(to, FICLONE, from) == 0) return true;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kCopyBlock);
  for (;;) {
    const ssize_t n = ::read(from, buffer.get(), kCopyBlock);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!WriteAll(to, buffer.get(), static_cast<std::size_t>(n))) return false;
  }
}

// Writes the copy of the open source under `path`: its bytes, permissions and modification time.
bool WriteCopy(int from, const struct stat& source, const fs::path& path)
{
  vetra::UniqueFd out(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!out.IsOpen() || ::fchmod(out.Get(), source.st_mode & 0777) != 0 || !CopyContents(from, out.Get())) {
    return false;
  }
  const timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
  ::futimens(out.Get(), times);  // a time that cannot be kept does not fail the copy
  return ::close(out.Release()) == 0;  // a write the disk refuses at the end is a failure too
}

// Puts the finished copy in the target's place in one step. Over an existing file the two names
// are exchanged and the old file, now under the temporary name, removed: ext4 answers a rename
// over an existing file by writing the new file's data out at once (so that a replaced file is
// never found empty after a crash), which costs the copying program milliseconds for every few
// tens of MB and which a copy made to be read at once does not need. Where the filesystem cannot
// exchange, and for a new name, a plain rename.
bool PutInPlace(const fs::path& temporary, const fs::path& target)
{
  struct stat existing {};
  if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
      ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
    ::unlink(temporary.c_str());
    return true;
  }
  return ::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace

HFILE _lopen(LPCSTR path, int mode)
{
  if (path == nullptr) return HFILE_ERROR;
  fs::path target = vetra::MapPath(path);
  int fd = vetra::OpenRegularFile(target, OpenFlags(mode));
  return fd < 0 ? HFILE_ERROR : fd;
}

HFILE _lcreat(LPCSTR path, int /*attribute*/)
{
  if (path == nullptr) return HFILE_ERROR;
  fs::path target = vetra::MapPath(path);
  int fd = vetra::OpenRegularFile(target, O_RDWR | O_CREAT | O_TRUNC);
  return fd < 0 ? HFILE_ERROR : fd;
}

UINT _lread(HFILE file, void* buffer, UINT count)
{
  if (file < 0 || (buffer == nullptr && count > 0)) return static_cast<UINT>(HFILE_ERROR);
  auto* out = static_cast<char*>(buffer);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::read(file, out + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return static_cast<UINT>(HFILE_ERROR);
    }
    if (n == 0) break;
    done += static_cast<UINT>(n);
  }
  return done;
}

UINT _lwrite(HFILE file, const char* buffer, UINT count)
{
  if (file < 0 || (buffer == nullptr && count > 0)) return static_cast<UINT>(HFILE_ERROR);
  UINT done = 0;
  while (done < count) {
    ssize_t n = ::write(file, buffer + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return static_cast<UINT>(HFILE_ERROR);
    }
    done += static_cast<UINT>(n);
  }
  return done;
}

LONG _llseek(HFILE file, LONG offset, int origin)
{
  int whence = origin == FILE_CURRENT ? SEEK_CUR : origin == FILE_END ? SEEK_END : SEEK_SET;
  off_t at = ::lseek(file, offset, whence);
  return at < 0 ? HFILE_ERROR : static_cast<LONG>(at);
}

HFILE _lclose(HFILE file)
{
  return (file >= 0 && ::close(file) == 0) ? 0 : HFILE_ERROR;
}

int _access(LPCSTR path, int mode)
{
  if (path == nullptr) return -1;
  int how = F_OK;
  if (mode & 2) how |= W_OK;
  if (mode & 4) how |= R_OK;
  return ::access(vetra::MapPath(path).c_str(), how) == 0 ? 0 : -1;
}

int _mkdir(LPCSTR path)
{
  if (path == nullptr) return -1;
  return ::mkdir(vetra::MapPath(path).c_str(), 0755) == 0 ? 0 : -1;
}

BOOL CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists)
{
  if (existing == nullptr || target == nullptr) return FALSE;
  const fs::path to = vetra::MapPath(target);
  std::error_code ec;
  if (failIfExists && fs::exists(to, ec)) return FALSE;
  const vetra::UniqueFd in(vetra::OpenRegularFile(vetra::MapPath(existing), O_RDONLY));
  struct stat source {};
  if (!in.IsOpen() || ::fstat(in.Get(), &source) != 0) return FALSE;
  fs::path temporary = to;
  temporary += ".copying." + std::to_string(::getpid());  // unique: two copies may run at once
  if (!WriteCopy(in.Get(), source, temporary) || !PutInPlace(temporary, to)) {
    ::unlink(temporary.c_str());
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR path)
{
  if (path == nullptr) return FALSE;
  fs::path target = vetra::MapPath(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return FALSE;
  return fs::remove(target, ec) ? TRUE : FALSE;
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size)
{
  static const std::string windowsFolder = "C:\\Windows";
  if (buffer == nullptr || size <= windowsFolder.size()) return static_cast<UINT>(windowsFolder.size() + 1);
  CopyStringOut(windowsFolder, buffer, size);
  return static_cast<UINT>(windowsFolder.size());
}

BOOL SetCurrentDirectoryA(LPCSTR path)
{
  return path != nullptr && vetra::ChangeCurrentDirectory(path) ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
  std::string current = vetra::CurrentDirectory();
  if (!CopyStringOut(current, buffer, size)) return static_cast<DWORD>(current.size() + 1);
  return static_cast<DWORD>(current.size());
}

std::FILE* MappedFopen(std::string_view path, const char* mode)
{
  std::string flags = mode != nullptr ? mode : "r";
  flags += 'e';  // close-on-exec: started programs inherit no open recording
  return vetra::FopenRegularFile(vetra::MapPath(path), flags.c_str());
}

}  // namespace win
