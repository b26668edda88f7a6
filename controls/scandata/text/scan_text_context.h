#pragma once
// The state of the scan-data text conversion, owned by one scan-data viewer: the copy of the
// recording's header block (system text, item count, descriptor slots), the unit preferences
// and the one-shot 16-bit flag. Every conversion entry point is a member, so two viewers never
// share or disturb each other's state.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/scandata/text/item_descriptor.h"
#include "controls/scandata/text/unit_preferences.h"

namespace quarnel {

// The header block runs from file offset 200 through 78755 of a scan recording: the system text,
// the item count byte, 500 descriptor slots and 30 further bytes.
inline constexpr std::size_t kHeaderBlockFileOffset = 200;
inline constexpr std::size_t kHeaderBlockSize = 78556;
inline constexpr std::size_t kSystemTextSize = 25;          // block offset 0
inline constexpr std::size_t kDescriptorTableOffset = 26;   // 500 slots of 157 bytes
inline constexpr int kDescriptorSlots = 500;
inline constexpr std::size_t kSpecialFormatWordOffset = 123;  // in slot 499

class ScanTextContext {
 public:
  ScanTextContext();

  // Replaces the header block with the bytes read from file offset 200 on. Short input is
  // zero-filled, so nothing of an earlier recording survives; longer input is cut to the block.
  void LoadHeaderBlock(std::span<const std::uint8_t> fromOffset200);

  UnitPreferences& Preferences() { return preferences_; }
  const UnitPreferences& Preferences() const { return preferences_; }

  // Set to 1 directly before formatting a graph label so that a type-4 item reads a 16-bit
  // sample; every type-4 conversion clears it again.
  void SetRawIs16Bit(std::uint16_t value) { rawIs16Bit_ = value; }
  std::uint16_t RawIs16Bit() const { return rawIs16Bit_; }

  // The recording's system text, ending at its terminator or at the end of its field.
  std::string SystemText() const;
  // The descriptor of item `itemId`; an id outside 0 to 499 reads an all-zero descriptor.
  ItemDescriptor Descriptor(int itemId) const;
  std::int16_t SpecialFormatWord() const;

  // The display text of one raw sample of item `itemId`. In the cases where nothing is written
  // (an unknown display format, a special format without its sample) `out` keeps what it held.
  void FormatItemValue(std::int16_t itemId, std::int32_t raw, std::string& out);
  // The same, starting from the empty text.
  std::string ItemValueText(std::int16_t itemId, std::int32_t raw);

  // The unit text of a 0-based unit index (the descriptor's unit number less one).
  std::string UnitText(int index) const;

  // The pixel row of a sample inside an item's graph strip of `height` pixels, 0 at the top.
  // `byteScale` is the height of one step of a 0 to 255 range, (height - 4) / 255.
  int ItemGraphY(std::int32_t raw, std::int16_t itemId, double byteScale, int height) const;

 private:
  std::vector<std::uint8_t> block_;
  UnitPreferences preferences_;
  std::uint16_t rawIs16Bit_ = 0;
  bool systemIsSm06_ = false;
};

}  // namespace quarnel
