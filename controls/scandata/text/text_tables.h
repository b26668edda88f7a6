#pragma once
// The constant tables behind the scan-data texts: the unit-text rows and the state-text tables.
// Their contents are generated at build time from the reviewed UTF-8 sources in data/ into code
// page 949 bytes; this header only describes their shape.

#include <cstdint>

namespace quarnel {

enum class StateTableKind : std::uint8_t { kUnassigned, kText, kReal, kInteger };

// One state-text table. A text table holds `rowCount` rows of `rowWidth` bytes each, every row a
// NUL-terminated text filled with zero bytes up to the width; its last row is the empty text.
// A number table holds 256 values, one for each value of a raw byte.
struct StateTable {
  StateTableKind kind = StateTableKind::kUnassigned;
  std::uint8_t rowWidth = 0;
  std::uint16_t rowCount = 0;
  const char* rows = nullptr;
  const double* reals = nullptr;
  const std::int32_t* integers = nullptr;
  const char* format = nullptr;  // printf format of one row
};

// Table ids run from 0 to kStateTableIdEnd - 1; the entry of an unassigned id has kind
// kUnassigned. Ids that name one shared table point at the same rows.
inline constexpr int kStateTableIdEnd = 606;
extern const StateTable kStateTables[kStateTableIdEnd];

inline constexpr int kUnitRowCount = 55;
inline constexpr int kUnitRowWidth = 10;
// Unit-text rows, blank-filled to kUnitRowWidth bytes (a row without a text is all zero bytes).
extern const char kUnitRows[kUnitRowCount][kUnitRowWidth + 1];

}  // namespace quarnel
