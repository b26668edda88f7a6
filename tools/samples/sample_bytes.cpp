#include "tools/samples/sample_bytes.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>

namespace vetra::samples {

std::uint8_t* ByteImage::At(std::size_t offset, std::size_t size) {
  if (offset + size > m_bytes.size()) m_bytes.resize(offset + size, 0);
  return m_bytes.data() + offset;
}

void ByteImage::PutLe(std::size_t offset, std::uint64_t value, int size) {
  std::uint8_t* out = At(offset, size);
  for (int i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void ByteImage::PutF32(std::size_t offset, float value) { PutU32(offset, std::bit_cast<std::uint32_t>(value)); }

void ByteImage::PutF64(std::size_t offset, double value) { PutLe(offset, std::bit_cast<std::uint64_t>(value), 8); }

void ByteImage::PutText(std::size_t offset, std::size_t size, std::string_view text) {
  if (size == 0) return;
  std::uint8_t* out = At(offset, size);
  std::memset(out, 0, size);
  const std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), n);
}

void ByteImage::PutBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  std::memcpy(At(offset, bytes.size()), bytes.data(), bytes.size());
}

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
  std::error_code code;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), code);
  std::filesystem::path temporary = path;
  temporary += ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temporary, code);
      SetError(error, "cannot write " + path.string());
      return false;
    }
  }
  std::filesystem::rename(temporary, path, code);
  if (code) {
    std::filesystem::remove(temporary, code);
    SetError(error, "cannot write " + path.string());
    return false;
  }
  return true;
}

// The engine is portable; the standard distributions are not, so the scaling is done here.
double Noise::Uniform(double amplitude) {
  const double unit = static_cast<double>(m_engine()) / 4294967295.0;
  return (2.0 * unit - 1.0) * amplitude;
}

int Noise::Between(int low, int high) {
  if (high <= low) return low;
  const auto span = static_cast<std::uint32_t>(high - low) + 1u;
  return low + static_cast<int>(m_engine() % span);
}

int ClampRound(double value, int low, int high) {
  if (std::isnan(value)) return low;
  const double r = std::round(value);
  if (r < low) return low;
  if (r > high) return high;
  return static_cast<int>(r);
}

void SetError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

}  // namespace vetra::samples
