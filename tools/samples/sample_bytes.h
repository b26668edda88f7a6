#pragma once
// Shared by the sample writers: a little-endian byte image addressed by offset, atomic file
// writing, and a small deterministic noise source so that a seed always gives the same file.

#include <cstdint>
#include <filesystem>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::samples {

// A growable byte image; every Put writes at an absolute offset and grows the image as needed.
class ByteImage {
public:
  ByteImage() = default;
  explicit ByteImage(std::size_t size) : m_bytes(size, 0) {}

  void PutU8(std::size_t offset, std::uint8_t value) { At(offset, 1)[0] = value; }
  void PutI8(std::size_t offset, int value) { PutU8(offset, static_cast<std::uint8_t>(value)); }
  void PutU16(std::size_t offset, std::uint16_t value) { PutLe(offset, value, 2); }
  void PutI16(std::size_t offset, int value) { PutU16(offset, static_cast<std::uint16_t>(value)); }
  void PutU32(std::size_t offset, std::uint32_t value) { PutLe(offset, value, 4); }
  void PutI32(std::size_t offset, std::int32_t value) { PutU32(offset, static_cast<std::uint32_t>(value)); }
  void PutF32(std::size_t offset, float value);
  void PutF64(std::size_t offset, double value);
  // A text of at most size - 1 bytes followed by zeros up to the field's end.
  void PutText(std::size_t offset, std::size_t size, std::string_view text);
  void PutBytes(std::size_t offset, std::span<const std::uint8_t> bytes);

  std::size_t Size() const { return m_bytes.size(); }
  void Resize(std::size_t size) { m_bytes.resize(size, 0); }
  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
  std::vector<std::uint8_t>& Bytes() { return m_bytes; }

private:
  std::uint8_t* At(std::size_t offset, std::size_t size);
  void PutLe(std::size_t offset, std::uint64_t value, int size);
  std::vector<std::uint8_t> m_bytes;
};

// Writes the bytes through a temporary file beside the target and renames it into place, so a
// failed write never leaves a half-written sample. Makes missing folders. On failure returns
// false and sets `error` (when given) to a sentence a user can act on.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string* error);
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error);

// Reproducible noise: the same seed gives the same file on every machine.
class Noise {
public:
  explicit Noise(unsigned seed) : m_engine(seed) {}
  // Uniform in [-amplitude, amplitude].
  double Uniform(double amplitude);
  // Uniform integer in [low, high].
  int Between(int low, int high);

private:
  std::mt19937 m_engine;
};

// Clamps and rounds a value into an integer range.
int ClampRound(double value, int low, int high);

void SetError(std::string* error, std::string message);

}  // namespace vetra::samples
