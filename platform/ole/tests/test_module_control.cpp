#include "platform/ole/tests/test_module_control.h"

namespace vetra::testing {
namespace {

class ModuleControl : public win::COleControlObject {
public:
  ModuleControl()
      : COleControlObject({kModuleControlClsid, "VETRATEST.ModuleCtrl.1",
                           "{11111111-2222-3333-4444-555555555555}", "", ""})
  {
    Dispatch().AddNotifyProperty("Answer", 1, m_answer, [this] { SetModifiedFlag(); });
  }

private:
  win::SHORT m_answer = 42;
};

}  // namespace

std::unique_ptr<win::COleControlObject> CreateModuleControl()
{
  return std::make_unique<ModuleControl>();
}

}  // namespace vetra::testing
