#pragma once
// A whole regular file mapped read-only into memory: its bytes are read straight out of the page
// cache, without copying them or zero-filling memory for them first.
//
// Should the file be cut short while it is mapped (another program truncating it), the pages it
// lost read as zeros from then on, as a short read would have left them, instead of ending the
// program with SIGBUS. A process-wide SIGBUS handler, installed with the first mapping, looks after
// every live mapping and hands any other SIGBUS on to the handler that was there before it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace vetra {

class ReadOnlyMapping {
public:
  // Maps the file. Null with errno set when it cannot be opened as a regular file (EISDIR, ENXIO,
  // ENOENT, ...) or cannot be mapped (ENOMEM, ENODEV, or too many live mappings): a caller that
  // must have the bytes then reads the file the ordinary way, which fails alike where opening did.
  static std::shared_ptr<const ReadOnlyMapping> Open(const std::filesystem::path& path);

  ~ReadOnlyMapping();
  ReadOnlyMapping(const ReadOnlyMapping&) = delete;
  ReadOnlyMapping& operator=(const ReadOnlyMapping&) = delete;

  // The file's bytes as they were long when it was mapped.
  std::span<const std::uint8_t> Bytes() const { return {m_base, m_size}; }

private:
  ReadOnlyMapping(const std::uint8_t* base, std::size_t size, int slot) : m_base(base), m_size(size), m_slot(slot) {}

  const std::uint8_t* m_base = nullptr;
  std::size_t m_size = 0;
  int m_slot = -1;  // its place in the SIGBUS handler's table; -1 for an empty file
};

}  // namespace vetra
