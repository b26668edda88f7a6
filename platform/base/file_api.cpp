#include "platform/base/file_api.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/regular_file.h"

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
  fs::path from = vetra::MapPath(existing);
  fs::path to = vetra::MapPath(target);
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return FALSE;
  if (failIfExists && fs::exists(to, ec)) return FALSE;
  fs::path temporary = to;
  temporary += ".copying." + std::to_string(::getpid());  // unique: two copies may run at once
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return FALSE;
  }
  auto stamp = fs::last_write_time(from, ec);
  if (!ec) fs::last_write_time(temporary, stamp, ec);
  fs::rename(temporary, to, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
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
