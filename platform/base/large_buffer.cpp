#include "platform/base/large_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vetra {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t value, std::size_t unit) { return (value + unit - 1) / unit * unit; }

std::size_t PageSize()
{
  static const std::size_t size = [] {
    const long page = ::sysconf(_SC_PAGESIZE);
    return page > 0 ? static_cast<std::size_t>(page) : std::size_t{4096};
  }();
  return size;
}

}  // namespace

std::optional<LargeBuffer> LargeBuffer::Allocate(std::size_t size)
{
  if (size == 0) return LargeBuffer();
  if (size > SIZE_MAX - 2 * kHugePage) return std::nullopt;
  // A huge page can only stand on a 2 MB boundary: take one huge page more than needed, then give
  // back what lies before the boundary and after the end.
  const std::size_t mapped = RoundUp(size, kHugePage);
  const std::size_t reserved = mapped + kHugePage;
  void* start = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) return std::nullopt;
  const auto first = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t aligned = RoundUp(first, kHugePage);
  if (aligned > first) ::munmap(start, aligned - first);
  const std::uintptr_t end = aligned + mapped;
  if (first + reserved > end) ::munmap(reinterpret_cast<void*>(end), first + reserved - end);
  auto* base = reinterpret_cast<std::uint8_t*>(aligned);
  // Only advice: without huge pages the memory works as well, in 4 KB pages.
  ::madvise(base, mapped, MADV_HUGEPAGE);
  return LargeBuffer(base, size, mapped);
}

LargeBuffer::~LargeBuffer() { Release(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : m_base(std::exchange(other.m_base, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
  if (this != &other) {
    Release();
    m_base = std::exchange(other.m_base, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_mapped = std::exchange(other.m_mapped, 0);
  }
  return *this;
}

void LargeBuffer::Release()
{
  if (m_base != nullptr) ::munmap(m_base, m_mapped);
  m_base = nullptr;
  m_size = 0;
  m_mapped = 0;
}

void LargeBuffer::Prepare(std::size_t offset, std::size_t size) const
{
  if (size == 0 || offset >= m_size) return;
  const std::size_t page = PageSize();
  const std::size_t from = offset / page * page;
  const std::size_t to = RoundUp(std::min(offset + size, m_size), page);
  ::madvise(m_base + from, to - from, MADV_POPULATE_WRITE);
}

}  // namespace vetra
