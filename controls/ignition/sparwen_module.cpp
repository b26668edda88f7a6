// The loadable module of the ignition viewer control.
#include "controls/ignition/sparwen_ctrl.h"
#include "controls/ignition/sparwen_identity.h"

namespace {
constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<sparwen::CSparwenCtrl>(sparwen::kClsid, sparwen::kProgId)};
}

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
