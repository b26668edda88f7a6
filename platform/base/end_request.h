#pragma once
// SIGTERM and SIGINT (a desktop session ending, kill, Ctrl+C at the terminal) ask a program to
// end the way a user closing it does: its message loops are told to quit, its windows end and
// what they hold (working copies) is deleted. A second signal while that runs ends the process
// at once, so a stuck program can still be stopped.

namespace vetra {

// Installs the handlers (once; later calls do nothing).
void CatchEndRequests();

// The signal that asked the program to end, or 0.
int EndRequestSignal();

// The exit status of a program that ended on request: 128 plus the signal, as a shell reports it.
int EndRequestExitStatus(int signal);

// Tests: forgets a request that was handled.
void ClearEndRequestForTests();

}  // namespace vetra
