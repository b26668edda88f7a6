#include "controls/scandata/text/unit_preferences.h"

namespace quarnel {
namespace {

// Pressure factors by arrival unit (rows: kPa, mmHg, inHg, mbar, psi) and preferred unit
// (columns: kPa, mmHg, inHg, psi, mbar). 0 marks the arrival unit itself: no conversion.
constexpr double kPressureFactors[5][5] = {
    {0, 7.502, 0.295, 0.145, 10.0},         // 20 kPa
    {0.133, 0, 0.039, 0.019, 1.3329},       // 21 mmHg
    {3.3898, 25.4, 0, 0.491, 33.8555},      // 22 inHg
    {0.1, 0.75025, 0.02953, 0.0145, 0},     // 25 mbar
    {6.895, 51.715, 2.036, 0, 68.9303},     // 26 psi
};

int PressureRow(int unit) {
  switch (unit) {
    case 20: return 0;
    case 21: return 1;
    case 22: return 2;
    case 25: return 3;
    case 26: return 4;
    default: return -1;
  }
}

}  // namespace

double ConvertUnit(float x, int unit, const UnitPreferences& preferences) {
  const double value = x;
  switch (unit) {
    case 14: return preferences.Temperature() == 1 ? value * 1.8 + 32.0 : value;
    case 15: return preferences.Temperature() == 0 ? value / 1.8 - 17.777 : value;
    case 18: return preferences.Speed() == 1 ? value * 0.6215 : value;
    case 19: return preferences.Speed() == 0 ? value * 1.6093 : value;
    case 23: return preferences.AirFlow() == 1 ? value * 0.132 : value;
    case 24: return preferences.AirFlow() == 0 ? value * 7.56 : value;
    default: break;
  }
  const int row = PressureRow(unit);
  const int preferred = preferences.Pressure();
  if (row < 0 || preferred > 4) return value;
  const double factor = kPressureFactors[row][preferred];
  return factor == 0 ? value : value * factor;
}

}  // namespace quarnel
