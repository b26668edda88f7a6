#pragma once
// Global memory as the system uses it: one owned block with a lock count. GlobalAlloc returns an
// empty block when the memory cannot be had, instead of failing the process.

#include <cstddef>
#include <memory>

#include "platform/base/win_types.h"

namespace win {

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

class GlobalMemory {
public:
  GlobalMemory() = default;
  GlobalMemory(GlobalMemory&&) noexcept = default;
  GlobalMemory& operator=(GlobalMemory&&) noexcept = default;

  explicit operator bool() const { return m_data != nullptr; }
  BYTE* Lock() { ++m_locks; return m_data.get(); }
  const BYTE* Data() const { return m_data.get(); }
  BYTE* Data() { return m_data.get(); }
  void Unlock() { if (m_locks > 0) --m_locks; }
  std::size_t Size() const { return m_size; }
  // Grows or shrinks the block, keeping its contents; new bytes are zero with GMEM_ZEROINIT.
  // False (block unchanged) when the memory cannot be had.
  bool ReAlloc(std::size_t bytes, UINT flags);
  void Free() { m_data.reset(); m_size = 0; m_locks = 0; }

private:
  friend GlobalMemory GlobalAlloc(UINT flags, std::size_t bytes);
  std::unique_ptr<BYTE[]> m_data;
  std::size_t m_size = 0;
  int m_locks = 0;
};

// The largest block handed out; a request above it fails like an exhausted heap.
inline constexpr std::size_t kGlobalMemoryLimit = std::size_t{1} << 31;

GlobalMemory GlobalAlloc(UINT flags, std::size_t bytes);

}  // namespace win
