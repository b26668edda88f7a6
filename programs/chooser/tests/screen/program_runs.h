#pragma once
// What the on-screen tests of whole programs share: starting programs from a shell command line
// and waiting for what they leave behind.

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace lumbrel::program_runs {

// Runs a shell command line with leak checking off for every program it starts: the programs of
// the road are many processes started from one another, and their leaks are the headless tests'
// business.
inline int RunShell(const std::string& command)
{
  return std::system(("export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1; " + command).c_str());
}

// Polls until `condition` holds; false when `timeout` passed first.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::seconds timeout)
{
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return true;
}

}  // namespace lumbrel::program_runs
