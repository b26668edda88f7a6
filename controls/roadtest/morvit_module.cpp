// The loadable module of the road-test viewer control.
#include "controls/roadtest/morvit_ctrl.h"
#include "controls/roadtest/morvit_identity.h"

namespace {
constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<morvit::CMorvitCtrl>(morvit::kClsid, morvit::kProgId)};
}

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
