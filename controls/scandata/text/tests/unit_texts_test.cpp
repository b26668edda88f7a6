// Unit texts by unit index and preferences, and the conversion of values into the preferred unit.

#include <gtest/gtest.h>

#include "controls/scandata/text/unit_preferences.h"
#include "platform/base/text.h"

namespace quarnel {
namespace {

UnitPreferences Prefs(int speed, int temperature, int pressure, int airFlow) {
  UnitPreferences p;
  p.bytes[UnitPreferences::kSpeed] = static_cast<std::uint8_t>(speed);
  p.bytes[UnitPreferences::kTemperature] = static_cast<std::uint8_t>(temperature);
  p.bytes[UnitPreferences::kPressure] = static_cast<std::uint8_t>(pressure);
  p.bytes[UnitPreferences::kAirFlow] = static_cast<std::uint8_t>(airFlow);
  return p;
}

struct UnitTextCase {
  int index;
  UnitPreferences preferences;
  const char* utf8;
};

TEST(UnitText, RowsAndPreferenceOverrides) {
  const UnitPreferences metric = Prefs(0, 0, 0, 0);
  const UnitTextCase cases[] = {
      {0, metric, " mV"},
      {3, metric, " RPM"},
      {52, metric, " Tooth"},
      {12, Prefs(1, 1, 3, 1), " Cyc."},  // outside the overridden rows
      {36, metric, "Kg/cm2"},
      {30, metric, " Ω"},
      {32, metric, ""},  // ten blanks
      {54, metric, ""},  // no text
      {14, metric, " ℃"},
      {13, Prefs(0, 1, 0, 0), " ℉"},
      {15, metric, " ˚"},
      {27, metric, " ˚"},
      {16, metric, " ％"},
      {26, metric, " ％"},
      {17, Prefs(1, 0, 0, 0), " MPH"},
      {18, metric, " Km/h"},
      {19, metric, " kPa "},
      {19, Prefs(0, 0, 3, 0), " psi "},
      {19, Prefs(0, 0, 7, 0), " kPa"},
      {20, Prefs(0, 0, 4, 0), " mbar"},
      {25, Prefs(0, 0, 1, 0), " mmHg"},
      {21, Prefs(0, 0, 9, 0), " inHg"},
      {22, Prefs(0, 0, 0, 1), " lb/m"},
      {23, metric, " gm/s"},
      {-1, metric, ""},
      {55, metric, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnitText(c.index, c.preferences), vetra::Cp949(c.utf8)) << "index " << c.index;
  }
  // The symbols are the system's own bytes: the ohm sign of the units block, not the Greek omega.
  EXPECT_EQ(UnitText(30, metric), " \xA7\xD9");
  EXPECT_EQ(UnitText(16, metric), " \xA3\xA5");
}

struct ConvertCase {
  float x;
  int unit;
  UnitPreferences preferences;
  double expected;
};

TEST(ConvertUnit, FollowsThePreferences) {
  const UnitPreferences metric = Prefs(0, 0, 0, 0);
  const ConvertCase cases[] = {
      {100.0f, 14, metric, 100.0},
      {100.0f, 14, Prefs(0, 1, 0, 0), 212.0},
      {212.0f, 15, metric, 212.0 / 1.8 - 17.777},
      {212.0f, 15, Prefs(0, 1, 0, 0), 212.0},
      {100.0f, 18, Prefs(1, 0, 0, 0), 100.0 * 0.6215},
      {100.0f, 19, metric, 100.0 * 1.6093},
      {10.0f, 23, Prefs(0, 0, 0, 1), 10.0 * 0.132},
      {10.0f, 24, metric, 10.0 * 7.56},
      {10.0f, 26, metric, 10.0 * 6.895},
      {10.0f, 26, Prefs(0, 0, 3, 0), 10.0},
      {10.0f, 26, Prefs(0, 0, 7, 0), 10.0},
      {10.0f, 20, Prefs(0, 0, 4, 0), 100.0},
      {10.0f, 21, Prefs(0, 0, 2, 0), 10.0 * 0.039},
      {10.0f, 22, metric, 10.0 * 3.3898},
      {10.0f, 25, Prefs(0, 0, 1, 0), 10.0 * 0.75025},
      {5.0f, 16, Prefs(1, 1, 1, 1), 5.0},
      {5.0f, 0, Prefs(1, 1, 1, 1), 5.0},
      {5.0f, -3, Prefs(1, 1, 1, 1), 5.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(ConvertUnit(c.x, c.unit, c.preferences), c.expected) << "unit " << c.unit;
  }
}

TEST(UnitPreferences, LoadResetsOnlyTheConversionBytes) {
  UnitPreferences p;
  p.bytes.fill(5);
  p.ResetForLoad();
  for (int i = 0; i < 14; ++i) EXPECT_EQ(p.bytes[i], i >= 6 ? 0 : 5) << i;
}

}  // namespace
}  // namespace quarnel
