#pragma once
// The process's current directory as the system sees it: a Windows path when it lies in the
// drive, else the Linux path (both in code page 949).

#include <string>
#include <string_view>

namespace vetra {

std::string CurrentDirectory();

// Changes the current directory; false when the folder does not exist.
bool ChangeCurrentDirectory(std::string_view path);

}  // namespace vetra
