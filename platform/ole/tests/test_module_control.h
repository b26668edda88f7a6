#pragma once
// The control that the test module holds, kept in its own library as a control's logic is.

#include <memory>

#include "platform/ole/ole_control_object.h"

namespace vetra::testing {

inline constexpr const char* kModuleControlClsid = "{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}";
std::unique_ptr<win::COleControlObject> CreateModuleControl();

}  // namespace vetra::testing
