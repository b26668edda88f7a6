#pragma once
// Test fixtures: item descriptors and header blocks written field by field, as a recording's
// header holds them.

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/scandata/text/scan_text_context.h"

namespace quarnel::testing {

class DescriptorBytes {
 public:
  DescriptorBytes& Type(int type) { return Byte(84, type); }
  DescriptorBytes& RawSize(int size) { return Byte(83, size); }
  DescriptorBytes& Scale(float scale) { return Float(85, scale); }
  DescriptorBytes& Multiplier(int value) { return Word(85, value); }
  DescriptorBytes& Addend(int value) { return Word(87, value); }
  DescriptorBytes& LutTable(int table) { return Byte(85, table); }
  DescriptorBytes& MaskKind(int kind) { return Byte(86, kind); }
  DescriptorBytes& Polarity(int polarity) { return Byte(87, polarity); }
  DescriptorBytes& Mask(int mask) { return Byte(88, mask); }
  DescriptorBytes& Offset(float offset) { return Float(89, offset); }
  DescriptorBytes& Offset16(int offset) { return Word(89, offset); }
  DescriptorBytes& Modulus(int modulus) { return Word(89, modulus); }
  DescriptorBytes& StateTable(int table) { return Byte(91, table); }
  DescriptorBytes& SignMode(int mode) { return Byte(92, mode); }
  DescriptorBytes& LutTable16(int table) { return Word(91, table); }
  DescriptorBytes& GraphOffset(float offset) { return Float(93, offset); }
  DescriptorBytes& GraphMin(int value) { return Word(97, value); }
  DescriptorBytes& GraphMax(int value) { return Word(99, value); }
  DescriptorBytes& Unit(int unit) { return Byte(101, unit); }
  DescriptorBytes& Format(int format) { return Byte(102, format); }

  DescriptorBytes& Byte(int at, int value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    return *this;
  }
  DescriptorBytes& Word(int at, int value) {
    Byte(at, value & 0xFF);
    return Byte(at + 1, (value >> 8) & 0xFF);
  }
  DescriptorBytes& Float(int at, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    Word(at, static_cast<int>(bits & 0xFFFF));
    return Word(at + 2, static_cast<int>(bits >> 16));
  }

  std::array<std::uint8_t, kItemDescriptorSize> bytes{};
};

// A header block (file offset 200 on) with a system text, descriptors and the special word.
class HeaderBlock {
 public:
  HeaderBlock() : bytes(kHeaderBlockSize, 0) {}
  HeaderBlock& SystemText(const std::string& text);
  HeaderBlock& Item(int id, const DescriptorBytes& descriptor);
  HeaderBlock& SpecialFormatWord(int word);

  std::vector<std::uint8_t> bytes;
};

// A context whose header holds `descriptor` as item `id`.
ScanTextContext ContextWith(const DescriptorBytes& descriptor, int id = 0, const std::string& systemText = "");

}  // namespace quarnel::testing
