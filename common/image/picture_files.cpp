#include "common/image/picture_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/base/regular_file.h"


namespace vetra::image {

int ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
  bytes.clear();
  if (path.empty()) return kFileOpen;
  const int fd = vetra::OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return kFileOpen;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return kFileRead;
  }
  try {
    bytes.resize(static_cast<std::size_t>(info.st_size));
  } catch (const std::bad_alloc&) {
    ::close(fd);
    return kOutOfMemory;
  }
  const std::size_t done = vetra::ReadUpTo(fd, bytes.data(), bytes.size());
  ::close(fd);
  if (done != bytes.size()) {
    bytes.clear();
    return kFileRead;
  }
  return kNoError;
}

ReplacingFile::ReplacingFile(const std::filesystem::path& target) : m_target(target)
{
  if (target.empty()) return;
  m_temporary = target;
  m_temporary += "." + std::to_string(::getpid()) + ".writing";  // one per process: several may write at once
  m_file = std::fopen(m_temporary.c_str(), "wb");
}

ReplacingFile::~ReplacingFile()
{
  if (!m_file) return;
  std::fclose(m_file);
  std::error_code ignored;
  std::filesystem::remove(m_temporary, ignored);
}

bool ReplacingFile::Write(const void* data, std::size_t bytes)
{
  if (!m_file || m_failed) return false;
  m_failed = std::fwrite(data, 1, bytes, m_file) != bytes;
  return !m_failed;
}

bool ReplacingFile::Commit()
{
  if (!m_file) return false;
  const bool closed = std::fclose(m_file) == 0;
  m_file = nullptr;
  std::error_code error;
  if (closed && !m_failed) {
    std::filesystem::rename(m_temporary, m_target, error);
    if (!error) return true;
  }
  std::filesystem::remove(m_temporary, error);
  return false;
}

}  // namespace vetra::image
