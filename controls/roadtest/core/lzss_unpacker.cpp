#include "controls/roadtest/core/lzss_unpacker.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/regular_file.h"
#include "platform/base/unique_file.h"

namespace morvit {
namespace {

constexpr std::uint32_t kProgressStep = 10000;
static_assert((kLzssRingSize & (kLzssRingSize - 1)) == 0, "ring positions wrap by masking");

// Reads the stream; -1 at its end.
class MemorySource {
public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  int Next() { return m_pos < m_bytes.size() ? m_bytes[m_pos++] : -1; }

private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_pos = 0;
};

// Both files go through buffers of their own, a large piece per system call; the stream buffers
// would add a call per byte.
constexpr std::size_t kFileBuffer = 1 << 18;

class FileSource {
public:
  explicit FileSource(std::FILE* file) : m_file(file), m_buffer(kFileBuffer) {}
  int Next() {
    if (m_at == m_end && !Refill()) return -1;
    return m_buffer[m_at++];
  }

private:
  // A read error ends the input like its end does.
  bool Refill() {
    m_at = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    return m_end > 0;
  }

  std::FILE* m_file;
  std::vector<std::uint8_t> m_buffer;
  std::size_t m_at = 0;
  std::size_t m_end = 0;
};

class MemorySink {
public:
  // A hostile length must not reserve gigabytes before the input proves it.
  void Reserve(std::uint32_t length) { bytes.reserve(std::min<std::uint32_t>(length, 1u << 20)); }
  // Room for `n` more bytes after those kept; they count once Commit says so.
  std::uint8_t* Space(std::size_t n) {
    bytes.resize(m_used + n);
    return bytes.data() + m_used;
  }
  void Commit(std::size_t n) { m_used += n; }
  void Finish() { bytes.resize(m_used); }
  std::vector<std::uint8_t> bytes;

private:
  std::size_t m_used = 0;
};

class FileSink {
public:
  explicit FileSink(std::FILE* file) : m_file(file), m_buffer(kFileBuffer) {}
  void Reserve(std::uint32_t) {}
  // Room for `n` more bytes in the buffer (n is at most a group's output); nothing when the bytes
  // buffered so far cannot be written.
  std::uint8_t* Space(std::size_t n) {
    if (m_buffer.size() - m_used < n && !Flush()) return nullptr;
    return m_buffer.data() + m_used;
  }
  void Commit(std::size_t n) { m_used += n; }
  // Hands the buffered bytes to the file; false when they cannot all be written.
  bool Flush() {
    const std::size_t written = m_used == 0 ? 0 : std::fwrite(m_buffer.data(), 1, m_used, m_file);
    const bool whole = written == m_used;
    m_used = 0;
    return whole;
  }

private:
  std::FILE* m_file;
  std::vector<std::uint8_t> m_buffer;
  std::size_t m_used = 0;
};

// The decoding loop shared by the file and the memory form.
template <typename Source, typename Sink>
UnpackStatus Decode(Source& in, Sink& out, const UnpackProgress& progress) {
  std::uint32_t length = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int c = in.Next();
    if (c < 0) return UnpackStatus::Truncated;
    length |= static_cast<std::uint32_t>(c) << shift;
  }
  out.Reserve(length);

  std::array<std::uint8_t, kLzssRingSize> ring{};
  std::size_t writePos = 0;
  std::uint32_t count = 0;
  int flags = 0;
  int mask = 0;
  // A group of eight items writes at most eight longest copies: room for them is asked once per
  // group, not once per byte.
  constexpr std::size_t kGroupRoom = 8 * kLzssMaxCopy;
  std::uint8_t* to = nullptr;
  std::size_t used = 0;  // bytes of the group's room written

  while (count < length) {
    if (progress && count % kProgressStep == 0) {
      progress(static_cast<int>(static_cast<double>(count) / length * 100.0));
    }
    if (mask == 0) {
      flags = in.Next();
      if (flags < 0) return UnpackStatus::Truncated;
      mask = 0x80;
      out.Commit(used);
      used = 0;
      to = out.Space(kGroupRoom);
      if (to == nullptr) return UnpackStatus::WriteFailed;
    }
    if (flags & mask) {
      const int c = in.Next();
      if (c < 0) return UnpackStatus::Truncated;
      to[used++] = static_cast<std::uint8_t>(c);
      ring[writePos] = static_cast<std::uint8_t>(c);
      writePos = (writePos + 1) & (kLzssRingSize - 1);
      ++count;
    } else {
      const int b1 = in.Next();
      const int b2 = b1 < 0 ? -1 : in.Next();
      if (b2 < 0) return UnpackStatus::Truncated;
      std::size_t from = static_cast<std::size_t>((b1 << 4) | (b2 >> 4));
      // A copy item that crosses the declared length stops there.
      const auto n = static_cast<std::size_t>(std::min<std::uint32_t>(static_cast<std::uint32_t>((b2 & 0x0F) + kLzssMinCopy), length - count));
      std::uint8_t* const copy = to + used;
      // The copy reads each byte from the ring after the previous one was stored, so a copy
      // that overlaps its own output repeats a pattern.
      for (std::size_t k = 0; k < n; ++k) {
        const std::uint8_t byte = ring[from];
        ring[writePos] = byte;
        copy[k] = byte;
        from = (from + 1) & (kLzssRingSize - 1);
        writePos = (writePos + 1) & (kLzssRingSize - 1);
      }
      count += static_cast<std::uint32_t>(n);
      used += n;
    }
    mask >>= 1;
  }
  out.Commit(used);
  return UnpackStatus::Ok;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> UnpackLzssBytes(std::span<const std::uint8_t> packed) {
  MemorySource in(packed);
  MemorySink out;
  if (Decode(in, out, {}) != UnpackStatus::Ok) return std::nullopt;
  out.Finish();
  return std::move(out.bytes);
}

int UnpackLzss(std::string_view packedPath, std::string_view outputPath,
               const UnpackProgress& progress, UnpackStatus* status) {
  UnpackStatus result = UnpackStatus::Ok;
  auto report = [&](UnpackStatus s) {
    if (status) *status = s;
    return s == UnpackStatus::Ok ? 1 : -1;
  };

  const std::filesystem::path inputFile = vetra::MapPath(packedPath);
  const std::filesystem::path outputFile = vetra::MapPath(outputPath);
  if (SameFile(inputFile, outputFile)) return report(UnpackStatus::SameFile);

  // An earlier unpacking never survives, even when this one cannot start.
  std::error_code ignored;
  std::filesystem::remove(outputFile, ignored);
  vetra::UniqueFile input(vetra::FopenRegularFile(inputFile, "rb"));
  if (!input) return report(UnpackStatus::InputUnreadable);

  vetra::UniqueFile output(vetra::FopenRegularFile(outputFile, "wb"));
  if (!output) return report(UnpackStatus::OutputUncreatable);

  FileSource in(input.get());
  FileSink out(output.get());
  result = Decode(in, out, progress);
  if (result == UnpackStatus::Ok && !out.Flush()) result = UnpackStatus::WriteFailed;
  // Buffered bytes reach the device only on close; a failing close is a failed write too.
  if (std::fclose(output.release()) != 0 && result == UnpackStatus::Ok) {
    result = UnpackStatus::WriteFailed;
  }
  if (result != UnpackStatus::Ok) std::filesystem::remove(outputFile, ignored);
  return report(result);
}

}  // namespace morvit
