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

// Class styles: what a window class asks of the window system for all its windows.
inline constexpr UINT CS_DBLCLKS = 0x0008;  // a second press soon after the first is a double click

// The standard classes that answer double clicks ask for them; a program's own class that
// does registers its style here.
// The class a window made without a class name of its own gets: the framework's default class.
inline constexpr const char* kFrameworkWindowClass = "AfxWnd";
void RegisterClassStyle(const std::string& className, UINT style);
UINT ClassStyleOf(const std::string& className);  // case-insensitive; 0 for an unknown class

}  // namespace win
