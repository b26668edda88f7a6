#pragma once
// Lays out drive C as the product's installer would: the product's folders, the programs and
// controls of a build linked in where the system starts them, and whatever else a step adds.
// Running it again changes nothing that is already in place.

#include <filesystem>
#include <string>
#include <vector>

namespace vetra::setup {

struct SetupOptions {
  // The build tree whose programs are linked into the drive.
  std::filesystem::path buildDir;
  // The skin set, LUT table, sample recordings and print inputs; left out where only the
  // folders and programs matter.
  bool withContent = true;
};

struct SetupResult {
  bool ok = true;
  // One line per change made or piece left out, in UTF-8 for the terminal.
  std::vector<std::string> lines;
};

// Lays out the drive at vetra::DriveRoot().
SetupResult LayOutDrive(const SetupOptions& options);

}  // namespace vetra::setup
