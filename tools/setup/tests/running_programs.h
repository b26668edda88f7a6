#pragma once
// What the road tests ask of the processes on this machine.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace vetra::testing {

// Processes whose command line names a program below `root` (the road's programs run from the
// drive).
inline int ProgramsRunningFrom(const std::filesystem::path& root)
{
  int running = 0;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    std::ifstream in(entry.path() / "cmdline", std::ios::binary);
    std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (line.find(root.string() + "/Vetra/Fenmark/") != std::string::npos) ++running;
  }
  return running;
}

}  // namespace vetra::testing
