#pragma once
// The samples of an open recording file, read channel by channel into memory of the recording's
// own the first time anything looks at a channel. The file stays open until each of its channels
// has been read: a channel nobody shows is never read, and what was read stays as it was whatever
// happens to the file afterwards. A read that fails or comes up short (the file cut or unreadable
// since it was opened) leaves the rest of that channel zero and says so in the trace; nothing
// else notices. Used by one thread.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/base/large_buffer.h"
#include "platform/base/unique_fd.h"

namespace morvit {

// Where one recorded channel's samples lie in the file.
struct SamplePiece {
  int channel = 0;  // as the trace names it
  std::uint64_t fileOffset = 0;
  std::size_t size = 0;    // the channel's samples
  std::size_t inFile = 0;  // how many of them the file held when it was opened; the rest are zero
};

class SampleFile {
public:
  // Takes the open file and the pieces to read from it; null when there is no memory for them.
  static std::shared_ptr<SampleFile> Open(vetra::UniqueFd file, std::vector<SamplePiece> pieces);

  SampleFile(vetra::UniqueFd file, vetra::LargeBuffer memory, std::vector<SamplePiece> pieces);
  SampleFile(const SampleFile&) = delete;
  SampleFile& operator=(const SampleFile&) = delete;

  // Where a piece's bytes are kept; they hold the samples once Read(piece) has run.
  std::span<const std::uint8_t> Bytes(std::size_t piece) const;
  // Reads the piece, unless it was read before.
  void Read(std::size_t piece);
  bool IsRead(std::size_t piece) const { return m_read[piece]; }

private:
  vetra::UniqueFd m_file;
  vetra::LargeBuffer m_memory;  // the pieces one after another
  std::vector<SamplePiece> m_pieces;
  std::vector<std::size_t> m_at;  // where each piece starts in the memory
  std::vector<bool> m_read;
  std::size_t m_unread = 0;
};

}  // namespace morvit
