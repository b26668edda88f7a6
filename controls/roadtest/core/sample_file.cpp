#include "controls/roadtest/core/sample_file.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/base/regular_file.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace morvit {
namespace {

std::size_t TotalSize(const std::vector<SamplePiece>& pieces) {
  return std::accumulate(pieces.begin(), pieces.end(), std::size_t{0},
                         [](std::size_t sum, const SamplePiece& piece) { return sum + piece.size; });
}

void TraceShortRead(const SamplePiece& piece, std::size_t got, int error) {
  const std::string why = error != 0 ? std::strerror(error) : std::string("the file ends");
  win::OutputDebugStringA(vetra::Format("MORVIT : channel %d: %zu of %zu bytes read (%s), the rest reads as zero\r\n",
                                        piece.channel, got, piece.inFile, why.c_str()));
}

}  // namespace

std::shared_ptr<SampleFile> SampleFile::Open(vetra::UniqueFd file, std::vector<SamplePiece> pieces) {
  auto memory = vetra::LargeBuffer::Allocate(TotalSize(pieces));
  if (!memory) return nullptr;
  return std::make_shared<SampleFile>(std::move(file), std::move(*memory), std::move(pieces));
}

SampleFile::SampleFile(vetra::UniqueFd file, vetra::LargeBuffer memory, std::vector<SamplePiece> pieces)
    : m_file(std::move(file)), m_memory(std::move(memory)), m_pieces(std::move(pieces)), m_at(m_pieces.size()),
      m_read(m_pieces.size(), false), m_unread(m_pieces.size()) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < m_pieces.size(); ++k) {
    m_at[k] = at;
    at += m_pieces[k].size;
  }
  if (m_unread == 0) m_file.Reset();
}

std::span<const std::uint8_t> SampleFile::Bytes(std::size_t piece) const {
  return m_memory.Bytes().subspan(m_at[piece], m_pieces[piece].size);
}

void SampleFile::Read(std::size_t piece) {
  if (m_read[piece]) return;
  const SamplePiece& p = m_pieces[piece];
  const std::span<std::uint8_t> out = m_memory.Bytes().subspan(m_at[piece], p.size);
  const std::size_t wanted = std::min(p.inFile, p.size);
  m_memory.Prepare(m_at[piece], wanted);
  int error = 0;
  const std::size_t got = vetra::ReadUpToAt(m_file.Get(), out.data(), wanted, p.fileOffset, &error);
  // Samples the file does not give read as zero.
  if (got < p.size) std::memset(out.data() + got, 0, p.size - got);
  if (got < wanted) TraceShortRead(p, got, error);
  m_read[piece] = true;
  // Every channel is in memory: the file is no longer needed.
  if (--m_unread == 0) m_file.Reset();
}

}  // namespace morvit
