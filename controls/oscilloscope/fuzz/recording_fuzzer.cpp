// Feeds arbitrary bytes to the viewer as a recording: load, read, measure, move and compress must
// neither crash nor read out of bounds, whatever the header and samples say.
#include <cstdint>
#include <string_view>

#include "controls/oscilloscope/core/scope_model.h"
#include "platform/base/testing/temp_drive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // the working copy's drive C, for the whole run
  drive.WriteFile("Vetra/TempE/fuzz.Osc", std::string_view(reinterpret_cast<const char*>(data), size));
  tessial::ScopeModel model;
  if (!model.Load("fuzz.Osc").Ok()) return 0;
  model.SetCursorA(size % 700);
  model.SetCursorB(0);
  model.Compress();
  model.Compress();
  model.ToStart();
  model.PlayForward();
  model.Tick();
  model.Expand();
  return 0;
}
