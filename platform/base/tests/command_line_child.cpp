// A stand-in for a started program: it writes the command-line text it received to
// C:\child_command_line.txt (in code page 949), through a temporary file so that a reader never
// sees half of it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/drive.h"
#include "platform/base/process.h"

int main(int argc, char** argv)
{
  std::string text = vetra::CommandLineText(argc, argv);
  std::filesystem::path target = vetra::MapPath("C:\\child_command_line.txt");
  std::filesystem::path temporary = target;
  temporary += ".writing";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return 1;
  }
  std::error_code ec;
  std::filesystem::rename(temporary, target, ec);
  return ec ? 1 : 0;
}
