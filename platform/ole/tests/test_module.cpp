// The entry of a control module, as each control's module has one.

#include "platform/ole/control_module.h"
#include "platform/ole/tests/test_module_control.h"

namespace {

constexpr win::ControlClassInfo kClasses[] = {
    {vetra::testing::kModuleControlClsid, "VETRATEST.ModuleCtrl.1", &vetra::testing::CreateModuleControl},
};
const win::ControlModuleInfo kModule{win::kControlModuleAbi, kClasses, 1};

}  // namespace

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry() { return &kModule; }
