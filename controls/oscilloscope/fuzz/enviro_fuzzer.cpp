// The oscilloscope's unit settings file on arbitrary bytes: whatever it holds, the choice read
// is one of the units offered.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/oscilloscope/core/unit_settings.h"
#include "platform/base/testing/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  const auto lines = tessial::ReadEnviroLines(file.Path());
  if (lines && static_cast<int>(lines->size()) > tessial::kEnviroMaxLines) std::abort();
  const tessial::UnitChoice choice = tessial::ReadUnitSettings({}, file.Path());
  if (choice.pressure < 0 || choice.pressure > 5 || choice.vacuum < 0 || choice.vacuum > 4) std::abort();
  return 0;
}
