#pragma once
// Channel scales and unit conversion: per-type tables, the pressure and vacuum unit tables, the
// conversion of a raw sample to the type's display unit and the scale texts of a slot.
#include <array>
#include <string>

#include "controls/oscilloscope/core/recording_header.h"
#include "platform/base/win_types.h"

namespace tessial {

inline constexpr int kPressureUnitCount = 6;
inline constexpr int kVacuumUnitCount = 5;
inline constexpr int kDefaultPressureUnit = 3;  // mHg
inline constexpr int kDefaultVacuumUnit = 2;    // mmHg

struct UnitEntry {
  std::string name;  // code page 949
  double factor = 0.0;
  double offset = 0.0;
};
using PressureUnitTable = std::array<UnitEntry, kPressureUnitCount>;

// The unit choice of the settings file with the pressure table of the loaded recording.
struct UnitSelection {
  int pressure = kDefaultPressureUnit;  // 0..5
  int vacuum = kDefaultVacuumUnit;      // 0..4
  PressureUnitTable pressureTable = MakePressureUnitTable(0);
  // The selected pressure unit; an index outside the table reads as the first unit.
  const UnitEntry& Pressure() const { return pressureTable[pressure >= 0 && pressure < kPressureUnitCount ? pressure : 0]; }
  static PressureUnitTable MakePressureUnitTable(int pressureUnitFlag);
};

// Milliseconds per division of time-base index 0..12 (0 outside).
double TimeBaseMs(int index);
// Value of the type's full scale at a range (0 beyond the type's table).
double DivisionValue(int type, int range);
double ScaleFactor(int type, int range);
const UnitEntry& VacuumUnit(int index);  // index 0..4, else the default
// Name of a channel type ("채널1".., empty for the spare type), code page 949.
const std::string& ChannelName(int type);
// Unit text of a type under a unit selection, code page 949.
std::string UnitText(int type, const UnitSelection& units);

// What a slot's graph window needs of its channel.
struct SlotScale {
  double gain = 0.0;
  double offset = 0.0;
  double division = 0.0;
  std::string top;     // "%.1f %s": also the slot's VoltStringCh property
  std::string bottom;
};

// A view of one loaded recording's scales; cheap to make, holds references.
class ChannelScales {
public:
  ChannelScales(const RecordingHeader& header, const UnitSelection& units) : m_header(header), m_units(units) {}

  int Range(int type) const { return m_header.blockA.channels[type].range; }
  int Column(int type) const;
  double Gain(int type) const;
  double Offset(int type) const;
  // The zero subtracted after calibration: low-current set, clamp in use, pressure sensor.
  double Zero(int type) const;
  double Division(int type) const { return DivisionValue(type, Range(type)); }
  // A raw sample centred on the zero level (raw - 2048) in the type's display unit.
  double RawToUnits(int type, double centred) const;
  SlotScale Scale(int type) const;

private:
  const RecordingHeader& m_header;
  const UnitSelection& m_units;
};

// Colours the child windows draw with, by index 0..14.
inline constexpr std::array<win::COLORREF, 15> kChannelColours = {
    win::RGB(255, 255, 80), win::RGB(114, 237, 0),   win::RGB(101, 255, 255), win::RGB(0, 175, 255),
    win::RGB(255, 68, 255), win::RGB(255, 163, 0),   win::RGB(255, 255, 255), win::RGB(255, 255, 255),
    win::RGB(180, 180, 180), win::RGB(26, 22, 27),   win::RGB(255, 255, 255), win::RGB(43, 58, 124),
    win::RGB(20, 30, 100),  win::RGB(0, 0, 0),       win::RGB(255, 255, 80)};

// The factor of the ignition secondary trace in the graph windows.
inline constexpr double kIgnitionSecondaryFactor = 6.75;

}  // namespace tessial
