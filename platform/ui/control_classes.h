#pragma once
// Window classes that dialog templates name: each name makes an object of the control class
// that implements it. The standard controls register themselves; more can be added.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/cwnd.h"

namespace win {

using ControlFactory = std::function<std::unique_ptr<CWnd>()>;

void RegisterControlClass(const std::string& className, ControlFactory factory);
// A new object for the class (case-insensitive); a plain CWnd for an unknown class.
std::unique_ptr<CWnd> MakeControl(const std::string& className);

}  // namespace win
