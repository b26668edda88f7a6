// vetra-setup: lays out drive C ($VETRA_ROOT) for the system and links in the programs of a build.
//   vetra-setup [--build <build folder>]
// Without --build it uses the build it belongs to (it lives in <build>/tools).
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/base/drive.h"
#include "tools/setup/drive_layout.h"

namespace {

std::filesystem::path OwnBuildDir()
{
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : self.parent_path().parent_path();
}

int Usage(std::FILE* to, int status)
{
  std::fputs("usage: vetra-setup [--build <build folder>]\n"
             "Lays out drive C ($VETRA_ROOT) and links in the programs of the build.\n",
             to);
  return status;
}

}  // namespace

int main(int argc, char** argv)
{
  vetra::setup::SetupOptions options;
  options.buildDir = OwnBuildDir();
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return Usage(stdout, 0);
    if (arg == "--build" && i + 1 < argc) {
      options.buildDir = argv[++i];
    } else if (arg.starts_with("--build=")) {
      options.buildDir = arg.substr(8);
    } else {
      std::fprintf(stderr, "vetra-setup: unknown argument %s\n", argv[i]);
      return Usage(stderr, 2);
    }
  }
  vetra::setup::SetupResult result = vetra::setup::LayOutDrive(options);
  for (const auto& line : result.lines) std::printf("%s\n", line.c_str());
  std::printf("%s %s\n", result.ok ? "Drive C is ready at" : "Drive C is incomplete at",
              vetra::DriveRoot().c_str());
  return result.ok ? 0 : 1;
}
