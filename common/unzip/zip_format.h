#pragma once
// The PKZIP record signatures and fixed record sizes: one place for the archive reader and for
// the tools that write archives.

#include <cstdint>

namespace unzip {

inline constexpr std::uint32_t kLocalSignature = 0x04034b50;
inline constexpr std::uint32_t kCentralSignature = 0x02014b50;
inline constexpr std::uint32_t kEndSignature = 0x06054b50;
inline constexpr std::uint32_t kDescriptorSignature = 0x08074b50;

inline constexpr std::uint32_t kLocalHeaderSize = 30;
inline constexpr std::uint32_t kCentralRecordSize = 46;
inline constexpr std::uint32_t kEndRecordSize = 22;

}  // namespace unzip
