// A version file on arbitrary bytes, and the comparison of what it holds with an offer.
#include <cstddef>
#include <cstdint>

#include "controls/download/core/version_check.h"
#include "platform/base/testing/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  const float installed = pakrel::ReadVersionFile(file.Path());
  for (const double offered : {0.0, 1.3, 1e30, -1e30})
    (void)pakrel::IsNewerVersion(offered, installed);
  (void)pakrel::IsNewerVersion(installed, installed);
  return 0;
}
