#include <string_view>

#include "controls/scandata/text/text_tables.h"
#include "controls/scandata/text/unit_preferences.h"

namespace quarnel {
namespace {

// Code page 949 texts of the rows that follow the preferences.
constexpr std::string_view kCelsius = " \xA1\xC9";
constexpr std::string_view kFahrenheit = " \xA2\xB5";
constexpr std::string_view kRing = " \xA2\xAA";
constexpr std::string_view kFullWidthPercent = " \xA3\xA5";

// The pressure text by preference; the two texts ending in a blank are written so on screen.
constexpr std::string_view kPressureTexts[5] = {" kPa ", " mmHg", " inHg", " psi ", " mbar"};

std::string TrimmedRow(int index) {
  std::string_view row(kUnitRows[index]);
  const auto end = row.find_last_not_of(" \t\r\n\v\f");
  return std::string(end == std::string_view::npos ? std::string_view{} : row.substr(0, end + 1));
}

}  // namespace

std::string UnitText(int index, const UnitPreferences& preferences) {
  if (index < 0 || index >= kUnitRowCount) return {};
  switch (index) {
    case 13:
    case 14:
      return std::string(preferences.Temperature() == 0 ? kCelsius : kFahrenheit);
    case 15:
    case 27:
      return std::string(kRing);
    case 16:
    case 26:
      return std::string(kFullWidthPercent);
    case 17:
    case 18:
      return preferences.Speed() == 0 ? " Km/h" : " MPH";
    case 19:
    case 20:
    case 21:
    case 24:
    case 25:
      if (preferences.Pressure() <= 4) return std::string(kPressureTexts[preferences.Pressure()]);
      return TrimmedRow(index);
    case 22:
    case 23:
      return preferences.AirFlow() == 0 ? " gm/s" : " lb/m";
    default:
      return TrimmedRow(index);
  }
}

}  // namespace quarnel
