// The loadable module of the scan-data viewer control. The network start-up the control's first
// builds made when the module loaded has no use here: the control never talks to a network.
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
