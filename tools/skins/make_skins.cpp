// make-skins: draws the skin set onto drive C.
//   make-skins [<drive root>]
// Without an argument it writes to the drive the system uses ($VETRA_ROOT, else the default).
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/base/drive.h"
#include "tools/skins/skin_set.h"

int main(int argc, char** argv)
{
  if (argc > 2 || (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h"))) {
    std::fputs("usage: make-skins [<drive root>]\n"
               "Draws the skin pictures, the report logo, the resource bitmaps and the hand cursor\n"
               "onto drive C (the given folder, else $VETRA_ROOT or the default drive).\n",
               argc > 2 ? stderr : stdout);
    return argc > 2 ? 2 : 0;
  }
  if (argc == 2) setenv("VETRA_ROOT", argv[1], 1);
  const vetra::skins::SkinSetResult result = vetra::skins::WriteSkinSet();
  for (const auto& line : result.failures) std::fprintf(stderr, "make-skins: %s\n", line.c_str());
  std::printf("%d skin files written, %d already in place, on drive %s\n", result.written, result.unchanged,
              vetra::DriveRoot().c_str());
  return result.ok ? 0 : 1;
}
