#include "platform/base/global_memory.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace win {

GlobalMemory GlobalAlloc(UINT flags, std::size_t bytes)
{
  GlobalMemory block;
  if (bytes > kGlobalMemoryLimit) return block;
  // Windows hands out a valid block for 0 bytes as well.
  std::size_t allocated = bytes == 0 ? 1 : bytes;
  block.m_data.reset(flags & GMEM_ZEROINIT ? new (std::nothrow) BYTE[allocated]()
                                           : new (std::nothrow) BYTE[allocated]);
  if (block.m_data) block.m_size = bytes;
  return block;
}

bool GlobalMemory::ReAlloc(std::size_t bytes, UINT flags)
{
  if (bytes > kGlobalMemoryLimit) return false;
  std::size_t allocated = bytes == 0 ? 1 : bytes;
  std::unique_ptr<BYTE[]> grown(new (std::nothrow) BYTE[allocated]);
  if (!grown) return false;
  std::size_t kept = std::min(bytes, m_size);
  if (kept > 0) std::memcpy(grown.get(), m_data.get(), kept);
  if (bytes > kept && (flags & GMEM_ZEROINIT)) std::memset(grown.get() + kept, 0, bytes - kept);
  m_data = std::move(grown);
  m_size = bytes;
  return true;
}

}  // namespace win
