#pragma once
// Road-test recordings travel packed (*.RES) with the system's own LZSS variant: a 4-byte
// little-endian unpacked length, then groups of one flag byte (bits from 0x80 down, 1 = literal
// byte, 0 = copy item of two bytes: 12-bit ring position, 4-bit count + 3) and up to eight items.
// The ring holds 4096 bytes, all zero at the start, written from position 0.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace morvit {

inline constexpr std::size_t kLzssRingSize = 4096;
inline constexpr int kLzssMinCopy = 3;
inline constexpr int kLzssMaxCopy = 18;

enum class UnpackStatus {
  Ok,
  InputUnreadable,    // the packed file cannot be opened
  OutputUncreatable,  // the output file cannot be created
  SameFile,           // the output would overwrite the packed input
  Truncated,          // the input ends before the declared length is produced
  WriteFailed,        // writing the output failed (device full)
};

// Receives Percent (0..100) whenever the output count reaches a multiple of 10000 bytes at an
// item boundary, the moments at which the load progress bar is repainted.
using UnpackProgress = std::function<void(int percent)>;

// Unpacks the packed file into the output file (both paths as the system writes them). Returns
// 1 on success and -1 on failure; on failure no output file is left behind. The output holds
// exactly the declared length: a copy item that crosses it is cut there.
int UnpackLzss(std::string_view packedPath, std::string_view outputPath,
               const UnpackProgress& progress = {}, UnpackStatus* status = nullptr);

// The same unpacking in memory; nothing when the input is truncated.
std::optional<std::vector<std::uint8_t>> UnpackLzssBytes(std::span<const std::uint8_t> packed);

}  // namespace morvit
