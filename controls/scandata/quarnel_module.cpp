// The loadable module of the scan-data viewer control. Loading it starts nothing: the control
// uses no network, so there is no socket start-up that could fail and stop the module.
#include "controls/scandata/quarnel_ctrl.h"
#include "controls/scandata/quarnel_identity.h"

namespace {
constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<quarnel::CQuarnelCtrl>(quarnel::kClsid, quarnel::kProgId)};
}

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
