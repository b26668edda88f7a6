#pragma once
// A large block of writable memory taken straight from the system, for bytes about to be read
// into it. Nothing in the program zero-fills it first (the system hands its pages out zeroed as
// they are first touched), and it is aligned to 2 MB and offered as transparent huge pages: where
// the system has them, filling 80 MB costs forty page faults instead of twenty thousand. Pages
// never written cost no memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vetra {

class LargeBuffer {
public:
  LargeBuffer() = default;
  // `size` bytes; nullopt when the system has no memory (or address space) for them.
  static std::optional<LargeBuffer> Allocate(std::size_t size);

  ~LargeBuffer();
  LargeBuffer(LargeBuffer&& other) noexcept;
  LargeBuffer& operator=(LargeBuffer&& other) noexcept;
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;

  std::span<std::uint8_t> Bytes() const { return {m_base, m_size}; }

  // Makes the pages under bytes [offset, offset + size) present in one go before they are written,
  // which costs less than the writes taking them one fault at a time. Only a hint: a system that
  // cannot leaves the pages to come as they are touched.
  void Prepare(std::size_t offset, std::size_t size) const;

private:
  LargeBuffer(std::uint8_t* base, std::size_t size, std::size_t mapped) : m_base(base), m_size(size), m_mapped(mapped) {}
  void Release();

  std::uint8_t* m_base = nullptr;
  std::size_t m_size = 0;
  std::size_t m_mapped = 0;  // the size of the mapping: `m_size` rounded up to whole huge pages
};

}  // namespace vetra
