#include "controls/oscilloscope/core/scales.h"

#include <vector>

#include "platform/base/text.h"

namespace tessial {
namespace {

constexpr std::array<double, kTimeBaseCount> kTimeBaseMs = {0.25, 0.5, 1, 1.5, 3, 6, 15, 30, 60, 150, 300, 600, 1500};

const std::array<std::vector<double>, kChannelTypeCount> kDivisionValues = {{
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.3, 1, 1.6, 5, 10, 20, 60, 100, 300, 600},
    {0.05, 0.1, 0.3, 1, 2, 3},
    {0.3, 2.5, 5},
    {0.1, 0.2, 0.5, 1, 2.5},
    {0.1, 0.2, 0.5, 1},
    {3, 5, 10, 20},
    {10},
}};

constexpr std::array<double, kChannelTypeCount> kScaleFactor = {1, 1, 1, 1, 1, 1, 10.0, 23.62, 1.0, 1000.0, 6.75 * 2.048, 1.0};

constexpr double kVacuumShift = 8.78;
constexpr double kVacuumScale = 23.62;
constexpr double kPressureFlag2Factor = 1.599;

const std::array<UnitEntry, kVacuumUnitCount>& VacuumTable()
{
  static const std::array<UnitEntry, kVacuumUnitCount> table = {{
      {"KPa", 1, 0},
      {"mbar", 10, 0},
      {vetra::Cp949("㎜Hg"), 7.501, 0},
      {"V", 0.04233700254022015, -0.3717188823031329},
      {"psi", 0.145, 0},
  }};
  return table;
}

double PressureFlagFactor(int flag) { return flag == 2 ? kPressureFlag2Factor : 1.0; }

}  // namespace

PressureUnitTable UnitSelection::MakePressureUnitTable(int flag)
{
  const bool newer = flag != 0;
  return {{
      {"KPa", newer ? 980.7 : 1000, 0},
      {"bar", newer ? 9.807 : 10, 0},
      {vetra::Cp949("㎏/㎠"), newer ? 10.0001979 : 10.197, 0},
      {"mHg", newer ? 7.3562307 : 7.501, 0},
      {"V", 1, 0},
      {"psi", newer ? 142.2015 : 145, 0},
  }};
}

double TimeBaseMs(int index) { return index >= 0 && index < kTimeBaseCount ? kTimeBaseMs[index] : 0.0; }

double DivisionValue(int type, int range)
{
  if (!IsChannelType(type) || range < 0 || range >= static_cast<int>(kDivisionValues[type].size())) return 0.0;
  return kDivisionValues[type][range];
}

double ScaleFactor(int type, int range)
{
  if (!IsChannelType(type) || range < 0 || range >= kRangeCount[type]) return 0.0;
  return kScaleFactor[type];
}

const UnitEntry& VacuumUnit(int index)
{
  return VacuumTable()[index >= 0 && index < kVacuumUnitCount ? index : kDefaultVacuumUnit];
}

const std::string& ChannelName(int type)
{
  static const std::array<std::string, kChannelTypeCount> names = {
      vetra::Cp949("채널1"), vetra::Cp949("채널2"), vetra::Cp949("채널3"), vetra::Cp949("채널4"),
      vetra::Cp949("채널5"), vetra::Cp949("채널6"), vetra::Cp949("소전류"), vetra::Cp949("진공"),
      vetra::Cp949("압력"),  vetra::Cp949("대전류"), vetra::Cp949("점화2차"), std::string()};
  static const std::string none;
  return IsChannelType(type) ? names[type] : none;
}

std::string UnitText(int type, const UnitSelection& units)
{
  switch (type) {
    case kTypeLowCurrent:
    case kTypeHighCurrent:
      return "A";
    case kTypeVacuum:
      return VacuumUnit(units.vacuum).name;
    case kTypePressure:
      return units.Pressure().name;
    case kTypeIgnitionSecondary:
      return "KV";
    default:
      return "V";
  }
}

int ChannelScales::Column(int type) const
{
  return CalibrationColumn(type, Range(type), m_header.calibration.lowCurrentProbe);
}

double ChannelScales::Gain(int type) const { return m_header.calibration.gain[type][Column(type)]; }
double ChannelScales::Offset(int type) const { return m_header.calibration.offset[type][Column(type)]; }

double ChannelScales::Zero(int type) const
{
  const auto& zeros = m_header.calibration.zeros;
  switch (type) {
    case kTypeLowCurrent:
      return zeros[kZeroLowCurrent0 + Column(type)];
    case kTypeHighCurrent:
      return zeros[m_header.blockA.Clamp1000() ? kZeroHighCurrent1000 : kZeroHighCurrent100];
    case kTypePressure:
      return zeros[kZeroPressure];
    default:
      return 0.0;
  }
}

double ChannelScales::RawToUnits(int type, double centred) const
{
  const double factor = ScaleFactor(type, Range(type));
  if (type == kTypeIgnitionSecondary) {
    return factor * (Offset(type) + centred + kZeroLevel) / 2048.0;
  }
  const double h = (type == kTypeHighCurrent && !m_header.blockA.Clamp1000()) ? 10.0 : 1.0;
  double result = factor / h * (Gain(type) * centred / 2048.0 + Offset(type)) - Zero(type);
  if (type == kTypeVacuum) {
    const UnitEntry& unit = VacuumUnit(m_units.vacuum);
    result = (result + kVacuumShift) * unit.factor + unit.offset;
  } else if (type == kTypePressure) {
    const UnitEntry& unit = m_units.Pressure();
    result = (result * unit.factor + unit.offset) * PressureFlagFactor(m_header.pressureUnitFlag);
  }
  return result;
}

SlotScale ChannelScales::Scale(int type) const
{
  const double division = Division(type);
  double top = division;
  double bottom = -division;
  switch (type) {
    case kTypeLowCurrent:
      top = division * 10;
      bottom = -top;
      break;
    case kTypePressure:
      top = division * m_units.Pressure().factor * PressureFlagFactor(m_header.pressureUnitFlag);
      bottom = -top;
      break;
    case kTypeHighCurrent:
      top = division * (m_header.blockA.Clamp1000() ? 1000 : 100);
      bottom = -top;
      break;
    case kTypeVacuum: {
      const UnitEntry& unit = VacuumUnit(m_units.vacuum);
      const double d = division * kVacuumScale;
      top = (d + kVacuumShift) * unit.factor + unit.offset;
      bottom = (kVacuumShift - d) * unit.factor + unit.offset;
      break;
    }
    default:
      break;
  }
  const std::string unit = UnitText(type, m_units);
  SlotScale scale;
  scale.gain = Gain(type);
  scale.offset = Offset(type);
  scale.division = division;
  scale.top = vetra::Format("%.1f %s", top, unit.c_str());
  scale.bottom = vetra::Format("%.1f %s", bottom, unit.c_str());
  return scale;
}

}  // namespace tessial
