#pragma once
// Starting programs. A command line "PROGRAM rest" (code page 949) starts PROGRAM, found through
// the drive ("C:\Vetra\Fenmark\Viewer.exe" is <drive>/Vetra/Fenmark/Viewer.exe), with an argument
// vector and no shell: the rest reaches the child unchanged as one argument, its command-line
// text. Started programs are never waited for and never left as zombies.

#include <functional>
#include <string>
#include <string_view>

#include "platform/base/win_types.h"

namespace win {

// TRUE when the program was started; FALSE (nothing started) when it cannot be found or run.
BOOL CreateProcessA(std::string_view commandLine);

}  // namespace win

namespace vetra {

// Lets the owner run a file written to be started (a downloaded installer or program), given by
// its drive path; false when the file is missing or its mode cannot be changed.
bool MakeExecutableForOwner(std::string_view windowsPath);

}  // namespace vetra

namespace vetra {

// The program part and the rest of a command line: a leading quoted path is unquoted; the
// rest is everything after the blank that ends the program part, unchanged.
struct CommandLineParts {
  std::string program;
  std::string rest;
};
CommandLineParts SplitCommandLine(std::string_view commandLine);

// The program's own command-line text (everything after its name) in code page 949: one
// argument as it came; several (a user typing at a shell) joined with blanks.
std::string CommandLineText(int argc, char** argv);

// Tests replace the starter so that command lines are recorded instead of run; the function
// returns whether the "start" succeeded. An empty function restores real starts.
using ProcessStarter = std::function<bool(const std::string& commandLine)>;
ProcessStarter SetProcessStarterForTests(ProcessStarter starter);

}  // namespace vetra
