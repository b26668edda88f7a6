#include "controls/ignition/core/ignition_state.h"

#include <algorithm>

namespace sparwen {

int IgnitionState::SelectedIndex() const
{
  return std::clamp(selectedPosition, 1, std::clamp(Cylinders(), 1, kMaxCylinders)) - 1;
}

int IgnitionState::CylinderAt(int position) const
{
  if (position < 1 || position > std::min(Cylinders(), kMaxCylinders)) return 0;
  return engine.firingOrder[static_cast<std::size_t>(position - 1)];
}

win::COLORREF IgnitionState::CylinderColour(int cylinder) const
{
  return cylinder >= 1 && cylinder <= kMaxCylinders ? colours[static_cast<std::size_t>(cylinder + 1)] : colours[1];
}

ConversionSettings IgnitionState::Conversion() const
{
  ConversionSettings s;
  s.secondary = Secondary();
  s.displayMode = settings.displayMode;
  s.pairedFlag = settings.pairedFlag;
  s.timeBaseCode = settings.timeBaseCode;
  s.sweepCount = sweepCount;
  s.cylinders = Cylinders();
  s.gainConstant = gainConstant;
  return s;
}

}  // namespace sparwen
