#pragma once
// X errors are answers to requests that failed: most often a request about a window that went
// away meanwhile (a prompt that has just closed, a program that asked for the clipboard and
// ended). The X library's own handler ends the program on the first one, with its windows and
// working copies as they are; ours says what failed on stderr and the program goes on.

namespace vetra::ui {

// Installs the process's handler for X errors (once; later calls do nothing). The display
// library (SDL) hands every error it does not expect itself on to the handler that was there
// before it, so this goes first.
void SayXErrorsAndGoOn();

}  // namespace vetra::ui
