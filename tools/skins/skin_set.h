#pragma once
// Writes the whole skin set onto drive C (vetra::DriveRoot()): every catalogued picture where its
// screen loads it, the report logo, the modules' resource bitmaps and their hand cursor. Running it
// again rewrites the same files; each file is replaced whole, never left half-written.

#include <filesystem>
#include <string>
#include <vector>

namespace vetra::skins {

struct SkinSetResult {
  bool ok = true;
  int written = 0;    // files made or replaced
  int unchanged = 0;  // files that were already as drawn
  // One line per file that could not be written, in UTF-8 for the terminal.
  std::vector<std::string> failures;
};

SkinSetResult WriteSkinSet();

}  // namespace vetra::skins
