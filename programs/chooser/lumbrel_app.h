#pragma once
// The chooser program's start: the saved-data file named on its command line, the product's
// folders and the random numbers every conversion draws from.

#include <string>
#include <string_view>

namespace lumbrel {

// The saved-data file of a command line (everything after the program's name); quotes around
// it, as a shell on the other system would want them, are not part of the path.
std::string SavedDataPathOf(std::string_view commandLine);

// Makes the product's folders, seeds the random numbers with the time and traces the path.
void StartUp(std::string_view savedDataPath);

// The whole conversion of a saved-data file; its failure is shown as a message. Returns the exit
// status.
int ConvertAndReport(std::string_view savedDataPath);

// The conversion of the saved-data file a command line names, after StartUp. Returns the exit
// status.
int RunLumbrel(std::string_view commandLine);

}  // namespace lumbrel
