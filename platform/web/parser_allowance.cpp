#include "platform/web/parser_allowance.h"

#include <cstdlib>
#include <new>

namespace vetra::web {

// The header in front of every block the parser takes: the list of blocks to free, and the size
// to give back to the allowance.
struct alignas(std::max_align_t) ParserAllowance::Block {
  Block* previous;
  Block* next;
  std::size_t size;
};

namespace {

// The clock is asked once in this many blocks: often enough, as the parser takes blocks for
// every tag and every piece of text.
constexpr std::size_t kAllocationsPerClockCheck = 64;

std::string Megabytes(std::size_t bytes)
{
  return std::to_string(bytes / (1024 * 1024)) + " MB";
}

}  // namespace

ParserAllowance::ParserAllowance(std::size_t bytes, std::chrono::milliseconds time)
    : m_bytesLeft(bytes), m_deadline(std::chrono::steady_clock::now() + time)
{
  m_why = "more than the parser may take (" + Megabytes(bytes) + ")";
}

ParserAllowance::~ParserAllowance()
{
  while (m_blocks != nullptr) {
    Block* next = m_blocks->next;
    std::free(m_blocks);
    m_blocks = next;
  }
}

bool ParserAllowance::Admit(std::size_t size)
{
  if (size > m_bytesLeft) return false;
  if (m_allocations++ % kAllocationsPerClockCheck == 0 && std::chrono::steady_clock::now() >= m_deadline) {
    m_why = "more time than the parser may take";
    return false;
  }
  return true;
}

// The parser's allocator. Past the allowance it leaves the parser by a long jump back into
// Parse: the parser is C, so no destructor is skipped, and its blocks are all on the list.
void* ParserAllowance::Allocate(void* self, std::size_t size)
{
  auto& allowance = *static_cast<ParserAllowance*>(self);
  // The parser takes many small blocks: their headers count as much as what they hold.
  const std::size_t taken = sizeof(Block) + size;
  if (!allowance.Admit(taken)) std::longjmp(allowance.m_spent, 1);
  auto* block = static_cast<Block*>(std::malloc(taken));
  if (block == nullptr) {
    allowance.m_why = "more memory than the machine gives the parser";
    std::longjmp(allowance.m_spent, 1);
  }
  block->previous = nullptr;
  block->next = allowance.m_blocks;
  block->size = taken;
  if (allowance.m_blocks != nullptr) allowance.m_blocks->previous = block;
  allowance.m_blocks = block;
  allowance.m_bytesLeft -= taken;
  return block + 1;
}

void ParserAllowance::Free(void* self, void* pointer)
{
  if (pointer == nullptr) return;
  auto& allowance = *static_cast<ParserAllowance*>(self);
  Block* block = static_cast<Block*>(pointer) - 1;
  if (block->previous != nullptr) block->previous->next = block->next;
  else allowance.m_blocks = block->next;
  if (block->next != nullptr) block->next->previous = block->previous;
  allowance.m_bytesLeft += block->size;
  std::free(block);
}

const GumboOutput* ParserAllowance::Parse(std::string_view utf8)
{
  GumboOptions options = kGumboDefaultOptions;
  options.allocator = &ParserAllowance::Allocate;
  options.deallocator = &ParserAllowance::Free;
  options.userdata = this;
  options.max_errors = 0;
  if (setjmp(m_spent) != 0) return nullptr;
  return gumbo_parse_with_options(&options, utf8.data(), utf8.size());
}

}  // namespace vetra::web
