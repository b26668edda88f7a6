#include "controls/roadtest/core/lzss_unpacker.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/regular_file.h"

namespace morvit {
namespace {

constexpr std::uint32_t kProgressStep = 10000;
static_assert((kLzssRingSize & (kLzssRingSize - 1)) == 0, "ring positions wrap by masking");

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

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
  bool Put(std::uint8_t byte) {
    bytes.push_back(byte);
    return true;
  }
  std::vector<std::uint8_t> bytes;
};

class FileSink {
public:
  explicit FileSink(std::FILE* file) : m_file(file), m_buffer(kFileBuffer) {}
  void Reserve(std::uint32_t) {}
  bool Put(std::uint8_t byte) {
    if (m_used == m_buffer.size() && !Flush()) return false;
    m_buffer[m_used++] = byte;
    return true;
  }
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
  auto emit = [&](std::uint8_t byte) {
    ring[writePos] = byte;
    writePos = (writePos + 1) & (kLzssRingSize - 1);
    ++count;
    return out.Put(byte);
  };

  while (count < length) {
    if (progress && count % kProgressStep == 0) {
      progress(static_cast<int>(static_cast<double>(count) / length * 100.0));
    }
    if (mask == 0) {
      flags = in.Next();
      if (flags < 0) return UnpackStatus::Truncated;
      mask = 0x80;
    }
    if (flags & mask) {
      const int c = in.Next();
      if (c < 0) return UnpackStatus::Truncated;
      if (!emit(static_cast<std::uint8_t>(c))) return UnpackStatus::WriteFailed;
    } else {
      const int b1 = in.Next();
      const int b2 = b1 < 0 ? -1 : in.Next();
      if (b2 < 0) return UnpackStatus::Truncated;
      std::size_t from = static_cast<std::size_t>((b1 << 4) | (b2 >> 4));
      const int n = (b2 & 0x0F) + kLzssMinCopy;
      // The copy reads each byte from the ring after the previous one was stored, so a copy
      // that overlaps its own output repeats a pattern; it stops at the declared length.
      for (int k = 0; k < n && count < length; ++k) {
        if (!emit(ring[from])) return UnpackStatus::WriteFailed;
        from = (from + 1) & (kLzssRingSize - 1);
      }
    }
    mask >>= 1;
  }
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
  FilePtr input(vetra::FopenRegularFile(inputFile, "rb"));
  if (!input) return report(UnpackStatus::InputUnreadable);

  FilePtr output(vetra::FopenRegularFile(outputFile, "wb"));
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
