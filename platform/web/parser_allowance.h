#pragma once
// Runs the HTML parser on an allowance of memory and time. The parser (a C library) cannot be
// told to stop, and a page can make it build far more than the page writes (formatting copied
// into every paragraph) or work long on little (thousands of attributes on one tag): every block
// it takes comes from here, and once the allowance is spent the parse is abandoned on the spot.

#include <gumbo.h>

#include <chrono>
#include <csetjmp>
#include <cstddef>
#include <string>
#include <string_view>

namespace vetra::web {

class ParserAllowance {
public:
  ParserAllowance(std::size_t bytes, std::chrono::milliseconds time);
  // Frees every block the parser took, its output included.
  ~ParserAllowance();
  ParserAllowance(const ParserAllowance&) = delete;
  ParserAllowance& operator=(const ParserAllowance&) = delete;

  // The parse of `utf8` (no parse errors recorded: nothing reads them), or nullptr when the
  // allowance ran out; Why() then says which. The output lives as long as this object.
  const GumboOutput* Parse(std::string_view utf8);
  const std::string& Why() const { return m_why; }

private:
  struct Block;
  static void* Allocate(void* self, std::size_t size);
  static void Free(void* self, void* pointer);
  // False once taking `size` more bytes, or going on at all, is past the allowance.
  bool Admit(std::size_t size);

  std::size_t m_bytesLeft;
  std::chrono::steady_clock::time_point m_deadline;
  std::size_t m_allocations = 0;
  Block* m_blocks = nullptr;  // every block still taken, most recent first
  std::string m_why;
  std::jmp_buf m_spent;
};

}  // namespace vetra::web
