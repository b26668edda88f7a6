#pragma once
// The settings file "enviro": line 1 names the pressure unit, line 2 the vacuum unit. Written by
// the unit dialog, read by the viewer at every load and after the dialog.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessial {

inline constexpr char kEnviroPath[] = "c:\\Vetra\\Temp\\enviro";
inline constexpr int kEnviroMaxLines = 6;
inline constexpr std::size_t kEnviroMaxLineLength = 498;

struct UnitChoice {
  int pressure = 3;  // 0 kpa, 1 bar, 2 kg/cm2, 3 mHg, 4 V, 5 psi
  int vacuum = 2;    // 0 kpa, 1 mbar, 2 mmHg, 3 V, 4 psi
  friend bool operator==(const UnitChoice&, const UnitChoice&) = default;
};

// The lines of the settings file as written (a line ends at LF, its text at the first CR; the last
// line needs no LF; at most six lines). An over-long line reads as empty, which names no unit.
// Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadEnviroLines(std::string_view path = kEnviroPath);

// Unit index named by a line, compared without regard to case; -1 when it names none.
int PressureUnitOfLine(std::string_view line);
int VacuumUnitOfLine(std::string_view line);

// The choice in the settings file: a missing file gives pressure 3 and vacuum 2; a line that names
// no unit keeps that unit of `previous`.
UnitChoice ReadUnitSettings(const UnitChoice& previous, std::string_view path = kEnviroPath);

// The lines the dialog writes for a list entry ("kpa", "bar", "kg/cm2", "mHg", "V", "psi" and
// "kpa", "mbar", "mmHg", "V"); empty outside the list.
std::string PressureLineOf(int entry);
std::string VacuumLineOf(int entry);

// Replaces the settings file with the two unit lines and three empty lines, CR LF ended. The file
// is written beside and renamed into place, so it is never left half-written. False on failure.
bool WriteUnitSettings(std::string_view pressureLine, std::string_view vacuumLine, std::string_view path = kEnviroPath);
// What the unit dialog says when the settings file cannot be written (code page 949).
std::string UnitSettingsNotSavedText(std::string_view path);

}  // namespace tessial
