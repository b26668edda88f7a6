// The loadable module of the oscilloscope viewer control.
#include "controls/oscilloscope/tessial_ctrl.h"
#include "controls/oscilloscope/tessial_identity.h"

namespace {
constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<tessial::CTessialCtrl>(tessial::kClsid, tessial::kProgId)};
}

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
