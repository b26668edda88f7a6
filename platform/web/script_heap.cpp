#include "platform/web/script_heap.h"

#include <cstdlib>

namespace vetra::web {
namespace {

// In front of every block: its size, to give back when it goes.
struct alignas(std::max_align_t) Header {
  std::size_t size;
};

Header* HeaderOf(void* block)
{
  return static_cast<Header*>(block) - 1;
}

}  // namespace

bool ScriptHeap::Fits(std::size_t more) const
{
  const std::size_t limit = m_scriptRunning ? m_scriptBytes : m_scriptBytes + m_reserveBytes;
  return m_used <= limit && more <= limit - m_used;
}

void* ScriptHeap::Allocate(std::size_t size)
{
  if (!Fits(size)) return nullptr;
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (header == nullptr) return nullptr;
  header->size = size;
  m_used += size;
  return header + 1;
}

void* ScriptHeap::Reallocate(void* block, std::size_t size)
{
  if (block == nullptr) return Allocate(size);
  if (size == 0) {
    Free(block);
    return nullptr;
  }
  Header* header = HeaderOf(block);
  const std::size_t old = header->size;
  if (size > old && !Fits(size - old)) return nullptr;
  auto* moved = static_cast<Header*>(std::realloc(header, sizeof(Header) + size));
  if (moved == nullptr) return nullptr;
  moved->size = size;
  m_used = m_used - old + size;
  return moved + 1;
}

void ScriptHeap::Free(void* block)
{
  if (block == nullptr) return;
  Header* header = HeaderOf(block);
  m_used -= header->size;
  std::free(header);
}

}  // namespace vetra::web
