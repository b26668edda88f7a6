#pragma once
// The unit preferences of the scan-data viewer: 14 bytes, of which the conversion reads four.
// The viewer resets bytes 6 to 13 to 0 (metric units, kPa, g/s) each time it loads a recording.

#include <array>
#include <cstdint>
#include <string>

namespace quarnel {

struct UnitPreferences {
  static constexpr int kSpeed = 7;        // 0 km/h, 1 mph
  static constexpr int kTemperature = 8;  // 0 Celsius, 1 Fahrenheit
  static constexpr int kPressure = 9;     // 0 kPa, 1 mmHg, 2 inHg, 3 psi, 4 mbar
  static constexpr int kAirFlow = 11;     // 0 g/s, 1 lb/min

  std::array<std::uint8_t, 14> bytes{};

  std::uint8_t Speed() const { return bytes[kSpeed]; }
  std::uint8_t Temperature() const { return bytes[kTemperature]; }
  std::uint8_t Pressure() const { return bytes[kPressure]; }
  std::uint8_t AirFlow() const { return bytes[kAirFlow]; }

  // What loading a recording does: bytes 6 to 13 back to 0.
  void ResetForLoad() {
    for (int i = 6; i <= 13; ++i) bytes[i] = 0;
  }
};

// Brings a value that arrives in the unit with 1-based number `unit` into the preferred unit.
// Units that take no part in conversion, and preferences without an entry, return x unchanged.
double ConvertUnit(float x, int unit, const UnitPreferences& preferences);

// The unit text of a 0-based unit index (unit number less one), trailing blanks removed, with
// the temperature, percentage, speed, pressure and air-flow rows following the preferences.
// An index outside the table gives the empty text.
std::string UnitText(int index, const UnitPreferences& preferences);

}  // namespace quarnel
