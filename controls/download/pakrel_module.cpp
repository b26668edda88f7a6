// The loadable module of the download-and-extract control.
#include "controls/download/pakrel_ctrl.h"
#include "controls/download/pakrel_identity.h"

namespace {
constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<pakrel::CPakrelCtrl>(pakrel::kClsid, pakrel::kProgId)};
}

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
