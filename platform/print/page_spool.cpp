#include "platform/print/page_spool.h"

#include <zlib.h>

#include <system_error>

namespace vetra::print {

PageSpool::PageSpool(std::filesystem::path path) : m_path(std::move(path)) {}

PageSpool::~PageSpool()
{
  if (m_file.is_open()) m_file.close();
  std::error_code error;
  std::filesystem::remove(m_path, error);
}

bool PageSpool::Append(const gdi::Bitmap32& page)
{
  if (!m_file.is_open()) {
    m_file.open(m_path, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    if (!m_file) return false;
  }
  const auto* source = reinterpret_cast<const Bytef*>(page.Pixels().data());
  const uLong sourceBytes = static_cast<uLong>(page.Pixels().size_bytes());
  std::vector<Bytef> packed(compressBound(sourceBytes));
  uLongf packedBytes = static_cast<uLongf>(packed.size());
  // Pages are mostly paper: the fastest level already packs them to a small fraction.
  if (compress2(packed.data(), &packedBytes, source, sourceBytes, Z_BEST_SPEED) != Z_OK) return false;
  m_file.seekp(static_cast<std::streamoff>(m_end));
  m_file.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packedBytes));
  m_file.flush();
  if (!m_file) return false;
  m_pages.push_back({m_end, packedBytes});
  m_end += packedBytes;
  return true;
}

bool PageSpool::Read(int index, gdi::Bitmap32& page)
{
  if (index < 0 || index >= Count() || !m_file.is_open()) return false;
  const Entry& entry = m_pages[static_cast<std::size_t>(index)];
  std::vector<Bytef> packed(entry.bytes);
  m_file.seekg(static_cast<std::streamoff>(entry.offset));
  m_file.read(reinterpret_cast<char*>(packed.data()), static_cast<std::streamsize>(entry.bytes));
  if (!m_file) return false;
  uLongf unpacked = static_cast<uLongf>(page.Pixels().size_bytes());
  const int result = uncompress(reinterpret_cast<Bytef*>(page.Pixels().data()), &unpacked, packed.data(), static_cast<uLong>(entry.bytes));
  return result == Z_OK && unpacked == page.Pixels().size_bytes();
}

}  // namespace vetra::print
