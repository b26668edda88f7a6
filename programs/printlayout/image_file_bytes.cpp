#include "programs/printlayout/image_file_bytes.h"

#include <fstream>

#include "platform/base/drive.h"

namespace tolvex {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
  if (path.empty()) return std::nullopt;
  std::ifstream in(vetra::MapPath(path), std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

PictureOutputFile::PictureOutputFile(const std::string& path)
{
  if (path.empty()) return;
  m_target = vetra::MapPath(path);
  m_temporary = m_target;
  m_temporary += ".writing";
  m_file = std::fopen(m_temporary.c_str(), "wb");
}

PictureOutputFile::~PictureOutputFile()
{
  if (!m_file) return;
  std::fclose(m_file);
  std::error_code ignored;
  std::filesystem::remove(m_temporary, ignored);
}

bool PictureOutputFile::Write(const void* data, std::size_t bytes)
{
  if (!m_file || m_failed) return false;
  m_failed = std::fwrite(data, 1, bytes, m_file) != bytes;
  return !m_failed;
}

bool PictureOutputFile::Commit()
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

}  // namespace tolvex
