#pragma once
// Creates controls by class identifier: from an in-process factory (a program or test that links
// a control's library directly) or from the module the control registry names.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ole/ole_control_object.h"

namespace win {

class ControlLoader {
public:
  using Factory = std::function<std::unique_ptr<COleControlObject>()>;

  // In-process factories are asked before the registry. Registering again replaces.
  static bool RegisterFactory(std::string_view clsidText, Factory factory);
  static void UnregisterFactory(std::string_view clsidText);

  // The control of a class identifier in any spelling; nothing (with the reason in `error`, when
  // given) for an unknown identifier, a missing or foreign module, or a failed creation.
  static std::unique_ptr<COleControlObject> Create(std::string_view clsidText,
                                                   std::string* error = nullptr);

  // The registration step of a module: loads it and writes each control it holds into the
  // registry with the module's path. False when it cannot be loaded or holds no control.
  static bool RegisterModule(const std::string& modulePath, std::string* error = nullptr);
};

}  // namespace win
