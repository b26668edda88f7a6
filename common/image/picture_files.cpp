#include "common/image/picture_files.h"

#include <fstream>
#include <system_error>


namespace vetra::image {

int ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
  bytes.clear();
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error)) return kFileOpen;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return kFileOpen;
  const std::streamoff size = in.tellg();
  if (size < 0) return kFileRead;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    bytes.clear();
    return kFileRead;
  }
  return kNoError;
}

ReplacingFile::ReplacingFile(const std::filesystem::path& target) : m_target(target)
{
  if (target.empty()) return;
  m_temporary = target;
  m_temporary += ".writing";
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
