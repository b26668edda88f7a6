// A control module with one small control, loaded by the loader tests through the registry.

#include <memory>

#include "platform/ole/control_module.h"

namespace {

class ModuleControl : public win::COleControlObject {
public:
  ModuleControl()
      : COleControlObject({"{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}", "VETRATEST.ModuleCtrl.1",
                           "{11111111-2222-3333-4444-555555555555}", "", ""})
  {
    Dispatch().AddNotifyProperty("Answer", 1, m_answer, [this] { SetModifiedFlag(); });
  }

private:
  win::SHORT m_answer = 42;
};

std::unique_ptr<win::COleControlObject> CreateModuleControl()
{
  return std::make_unique<ModuleControl>();
}

constexpr win::ControlClassInfo kClasses[] = {
    {"{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}", "VETRATEST.ModuleCtrl.1", &CreateModuleControl},
};
const win::ControlModuleInfo kModule{win::kControlModuleAbi, kClasses, 1};

}  // namespace

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry() { return &kModule; }
