#pragma once
// The 157-byte record that describes one scan item, read in place. All multi-byte numbers are
// little-endian. Several byte ranges are read differently by conversion type; each accessor
// names the reading, and the conversion picks the one its type uses.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quarnel {

inline constexpr std::size_t kItemDescriptorSize = 157;

class ItemDescriptor {
 public:
  using Bytes = std::span<const std::uint8_t, kItemDescriptorSize>;

  explicit ItemDescriptor(Bytes bytes) : bytes_(bytes) {}

  // Item name, ending at its terminator or at the end of its 83-byte field.
  std::string ItemName() const;

  std::uint8_t RawSize() const { return bytes_[83]; }      // 2: 16-bit sample (types 1, 2)
  std::int8_t ConvType() const { return static_cast<std::int8_t>(bytes_[84]); }

  float Scale() const { return Float(85); }                 // types 1, 2, 4, 7, 9; addend of type 10
  std::int16_t Multiplier() const { return Int16(85); }     // type 5 (type 6 reads it unsigned)
  std::int16_t Addend() const { return Int16(87); }         // type 5 (type 6 reads it unsigned)
  std::uint8_t LutTable() const { return bytes_[85]; }      // type 3; 255: take LutTable16()
  std::uint8_t MaskKind() const { return bytes_[86]; }      // type 3
  std::uint8_t Polarity() const { return bytes_[87]; }      // type 3
  std::uint8_t Mask() const { return bytes_[88]; }          // type 3
  float Offset() const { return Float(89); }                // types 1, 2, 7; divisor of type 10
  std::int16_t Offset16() const { return Int16(89); }       // types 4, 9
  std::uint16_t Modulus() const { return UInt16(89); }      // types 5, 6
  std::uint8_t StateTable() const { return bytes_[91]; }    // types 4, 9
  std::uint8_t SignMode() const { return bytes_[92]; }      // types 2, 4, 9
  std::uint16_t LutTable16() const { return UInt16(91); }   // type 3 when LutTable() is 255
  float GraphOffset() const { return Float(93); }           // type 7 graph
  std::int16_t GraphMin() const { return Int16(97); }
  std::int16_t GraphMax() const { return Int16(99); }
  std::uint8_t Unit() const { return bytes_[101]; }         // 1-based unit number, 0 none
  std::uint8_t Format() const { return bytes_[102]; }       // 1 int, 2 .1, 3 .2, 4 hex, 5 special

  // The table of a bit-field item: LutTable(), or LutTable16() when LutTable() is 255.
  int BitFieldTable() const { return LutTable() == 255 ? LutTable16() : LutTable(); }

  std::uint16_t UInt16(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
  }
  std::int16_t Int16(std::size_t at) const { return static_cast<std::int16_t>(UInt16(at)); }
  float Float(std::size_t at) const {
    std::uint32_t bits = static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
                         (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
                         (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    return std::bit_cast<float>(bits);
  }

 private:
  Bytes bytes_;
};

}  // namespace quarnel
