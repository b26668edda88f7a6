#pragma once
// The packer of road-test recordings (*.RES): the system's LZSS variant, whose unpacker starts
// with a 4096-byte ring of zeros written from position 0. The output is a 4-byte little-endian
// length followed by groups of a flag byte (bit 0x80 first; 1 = literal, 0 = copy) and up to
// eight items; a copy is two bytes: 12-bit ring position, then 4-bit count - 3.

#include <cstdint>
#include <span>
#include <vector>

namespace vetra::samples {

struct LzssPackOptions {
  // Candidate positions examined per byte; more finds longer copies, slower.
  int searchDepth = 48;
  // False writes every byte as a literal (the largest valid packing), for tests of the unpacker.
  bool useCopies = true;
};

std::vector<std::uint8_t> PackLzss(std::span<const std::uint8_t> data, const LzssPackOptions& options = {});

}  // namespace vetra::samples
