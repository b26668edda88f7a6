#include "tools/samples/sample_lzss_packer.h"

#include <algorithm>
#include <array>

namespace vetra::samples {
namespace {

constexpr int kRing = 4096;
constexpr int kMinCopy = 3;
constexpr int kMaxCopy = 18;
constexpr int kHashSize = 1 << 15;

// The unpacker's ring at output count t holds, at position p, the newest byte of the stream
// "4096 zeros, then the data" whose index is congruent to p and below 4096 + t. Packing the data
// as ordinary LZ77 over that stream with a 4096-byte window therefore matches the ring exactly:
// a copy from distance d reads ring position (t - d) mod 4096, and a copy that overlaps its own
// output repeats bytes just as the unpacker, which stores each byte before reading the next.
class Packer {
public:
  Packer(std::span<const std::uint8_t> data, const LzssPackOptions& options)
      : m_data(data), m_options(options), m_head(kHashSize, -1), m_prev(kRing, -1) {}

  std::vector<std::uint8_t> Run() {
    const auto length = static_cast<std::uint32_t>(m_data.size());
    for (int shift = 0; shift < 32; shift += 8) m_out.push_back(static_cast<std::uint8_t>(length >> shift));
    // The zero prefix: its last positions are enough to find every run of zeros.
    for (int v = kRing - kMaxCopy - 2; v < kRing; ++v) Insert(v);

    const int total = kRing + static_cast<int>(m_data.size());
    int v = kRing;
    while (v < total) {
      int bestLength = 0;
      int bestSource = 0;
      if (m_options.useCopies) FindMatch(v, total, bestLength, bestSource);
      if (bestLength >= kMinCopy) {
        const int position = bestSource % kRing;  // ring position of the copy's source
        PutItem(false);
        m_out.push_back(static_cast<std::uint8_t>(position >> 4));
        m_out.push_back(static_cast<std::uint8_t>(((position & 0x0F) << 4) | (bestLength - kMinCopy)));
        for (int k = 0; k < bestLength; ++k) Insert(v + k);
        v += bestLength;
      } else {
        PutItem(true);
        m_out.push_back(At(v));
        Insert(v);
        ++v;
      }
    }
    return std::move(m_out);
  }

private:
  std::uint8_t At(int v) const { return v < kRing ? 0 : m_data[static_cast<std::size_t>(v - kRing)]; }

  int Hash(int v, int total) const {
    if (v + kMinCopy > total) return -1;
    return ((At(v) << 10) ^ (At(v + 1) << 5) ^ At(v + 2)) & (kHashSize - 1);
  }

  void Insert(int v) {
    const int total = kRing + static_cast<int>(m_data.size());
    const int h = Hash(v, total);
    if (h < 0) return;
    m_prev[v % kRing] = m_head[h];
    m_head[h] = v;
  }

  void FindMatch(int v, int total, int& bestLength, int& bestSource) const {
    const int h = Hash(v, total);
    if (h < 0) return;
    const int limit = std::min(kMaxCopy, total - v);
    int candidate = m_head[h];
    for (int depth = 0; candidate >= 0 && depth < m_options.searchDepth; ++depth) {
      const int distance = v - candidate;
      if (distance <= 0 || distance > kRing) break;
      int n = 0;
      while (n < limit && At(candidate + n) == At(v + n)) ++n;
      if (n > bestLength) {
        bestLength = n;
        bestSource = candidate;
        if (n == limit) break;
      }
      const int next = m_prev[candidate % kRing];
      if (next >= candidate) break;  // the slot was reused by a newer position
      candidate = next;
    }
  }

  // Starts a new group when the current one is full, and records the item's flag bit.
  void PutItem(bool literal) {
    if (m_bit == 0) {
      m_flagIndex = m_out.size();
      m_out.push_back(0);
      m_bit = 0x80;
    }
    if (literal) m_out[m_flagIndex] |= static_cast<std::uint8_t>(m_bit);
    m_bit >>= 1;
  }

  std::span<const std::uint8_t> m_data;
  LzssPackOptions m_options;
  std::vector<int> m_head;
  std::vector<int> m_prev;
  std::vector<std::uint8_t> m_out;
  std::size_t m_flagIndex = 0;
  int m_bit = 0;
};

}  // namespace

std::vector<std::uint8_t> PackLzss(std::span<const std::uint8_t> data, const LzssPackOptions& options) {
  return Packer(data, options).Run();
}

}  // namespace vetra::samples
