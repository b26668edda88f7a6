#pragma once
// The samples of one item of a recording. A recorded channel of a file keeps its bytes in the
// recording's memory, read from the file the first time anything looks at them; an item whose
// samples are all zero so far (a derived item before it is computed, a channel the file has no
// bytes for) views a shared block of zeros; anything filled in memory holds its own bytes.
// Reading is the same for all three; the first write through Own() gives the item bytes of its
// own, copied from what it showed.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "controls/roadtest/core/sample_file.h"

namespace morvit {

// The most samples an item has: a rate-50 channel of the longest recording.
inline constexpr std::size_t kMaxChannelSamples = 1000000;

class ChannelSamples {
public:
  ChannelSamples() : m_generation(NextGeneration()) {}
  ChannelSamples(std::vector<std::uint8_t> own) : m_own(std::move(own)), m_generation(NextGeneration()) {}  // NOLINT: a vector is samples
  ChannelSamples(std::initializer_list<std::uint8_t> bytes) : ChannelSamples(std::vector<std::uint8_t>(bytes)) {}
  ChannelSamples(const ChannelSamples& other) { *this = other; }
  ChannelSamples(ChannelSamples&& other) noexcept { *this = std::move(other); }
  ChannelSamples& operator=(const ChannelSamples& other);
  ChannelSamples& operator=(ChannelSamples&& other) noexcept;

  // The samples of a piece of a file, read from it when they are first looked at.
  static ChannelSamples FromFile(std::shared_ptr<SampleFile> file, std::size_t piece);
  // `count` zero samples (at most kMaxChannelSamples), holding no memory of their own.
  static ChannelSamples Zeros(std::size_t count);

  std::span<const std::uint8_t> Span() const {
    if (m_owning) return m_own;
    if (m_unread) ReadFromFile();
    return m_view;
  }
  operator std::span<const std::uint8_t>() const { return Span(); }  // NOLINT: read like a span
  std::size_t size() const { return m_owning ? m_own.size() : m_view.size(); }
  bool empty() const { return size() == 0; }
  const std::uint8_t* data() const { return Span().data(); }
  const std::uint8_t* begin() const { return data(); }
  const std::uint8_t* end() const { return data() + size(); }
  std::uint8_t operator[](std::size_t i) const { return Span()[i]; }

  // Different for every state of the bytes there has been in the process: anything worked out from
  // the bytes may be kept as long as this stays the same.
  std::uint64_t Generation() const { return m_generation; }

  // The bytes to write into: the item's own, made from what it showed on first use. Every call
  // counts as a change of the bytes (a new generation); write through the vector before anything
  // reads the samples again.
  std::vector<std::uint8_t>& Own();
  std::uint8_t& operator[](std::size_t i) { return Own()[i]; }
  void assign(std::size_t count, std::uint8_t value);

  friend bool operator==(const ChannelSamples& a, const ChannelSamples& b);

private:
  static std::uint64_t NextGeneration();
  void ReadFromFile() const;

  std::vector<std::uint8_t> m_own;        // the bytes while owning
  std::span<const std::uint8_t> m_view;   // the bytes while not
  std::shared_ptr<SampleFile> m_file;     // the file the viewed bytes come from, and keeps them
  std::size_t m_piece = 0;                // which piece of it
  mutable bool m_unread = false;          // true until the piece has been read
  bool m_owning = true;
  std::uint64_t m_generation = 0;
};

}  // namespace morvit
