#include "controls/roadtest/core/channel_samples.h"

#include <algorithm>
#include <atomic>
#include <cassert>

namespace morvit {
namespace {

// Zero samples for every item that has no bytes yet: never written (nothing hands out more than a
// read-only view of it), so its pages all share the
// system's one zero page and cost no memory.
std::uint8_t g_zeros[kMaxChannelSamples] = {};

}  // namespace

std::uint64_t ChannelSamples::NextGeneration()
{
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

ChannelSamples& ChannelSamples::operator=(const ChannelSamples& other)
{
  if (this == &other) return *this;
  m_own = other.m_own;
  m_view = other.m_view;
  m_file = other.m_file;
  m_piece = other.m_piece;
  m_unread = other.m_unread;
  m_owning = other.m_owning;
  m_generation = NextGeneration();
  return *this;
}

ChannelSamples& ChannelSamples::operator=(ChannelSamples&& other) noexcept
{
  if (this == &other) return *this;
  m_own = std::move(other.m_own);
  m_view = other.m_view;
  m_file = std::move(other.m_file);
  m_piece = other.m_piece;
  m_unread = other.m_unread;
  m_owning = other.m_owning;
  m_generation = NextGeneration();
  other.m_own.clear();
  other.m_view = {};
  other.m_unread = false;
  other.m_owning = true;
  other.m_generation = NextGeneration();
  return *this;
}

ChannelSamples ChannelSamples::FromFile(std::shared_ptr<SampleFile> file, std::size_t piece)
{
  ChannelSamples samples;
  samples.m_view = file->Bytes(piece);
  samples.m_unread = !file->IsRead(piece);
  samples.m_file = std::move(file);
  samples.m_piece = piece;
  samples.m_owning = false;
  return samples;
}

ChannelSamples ChannelSamples::Zeros(std::size_t count)
{
  assert(count <= kMaxChannelSamples);
  ChannelSamples samples;
  samples.m_view = {g_zeros, std::min(count, kMaxChannelSamples)};
  samples.m_owning = false;
  return samples;
}

void ChannelSamples::ReadFromFile() const
{
  m_file->Read(m_piece);
  m_unread = false;
}

std::vector<std::uint8_t>& ChannelSamples::Own()
{
  m_generation = NextGeneration();
  if (!m_owning) {
    const std::span<const std::uint8_t> bytes = Span();
    m_own.assign(bytes.begin(), bytes.end());
    m_view = {};
    m_file.reset();
    m_unread = false;
    m_owning = true;
  }
  return m_own;
}

void ChannelSamples::assign(std::size_t count, std::uint8_t value)
{
  if (value == 0 && count <= kMaxChannelSamples) {
    *this = Zeros(count);
    return;
  }
  Own().assign(count, value);
}

bool operator==(const ChannelSamples& a, const ChannelSamples& b)
{
  const auto x = a.Span();
  const auto y = b.Span();
  return std::equal(x.begin(), x.end(), y.begin(), y.end());
}

}  // namespace morvit
