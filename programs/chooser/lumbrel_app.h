#pragma once
// The chooser program's start: with a saved-data file on its command line it converts it unseen
// and ends; without one it would show the chooser window.

#include <string_view>

namespace lumbrel {

// Makes the product's folders, seeds the random numbers with the time and traces the path.
void StartUp(std::string_view savedDataPath);

// The program: `commandLine` is everything after its name. Returns the exit status.
int RunLumbrel(std::string_view commandLine);

}  // namespace lumbrel
