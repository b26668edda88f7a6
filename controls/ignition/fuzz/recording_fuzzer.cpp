// Feeds arbitrary bytes to the viewer as an ignition recording: load, read frames, the trend
// window, mode changes, ranges and moves must neither crash nor read out of bounds, whatever the
// header and records say.
#include <cstdint>
#include <string_view>

#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/core/value_panel.h"
#include "platform/base/testing/temp_drive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // the working copy's drive C, for the whole run
  drive.WriteFile("Vetra/TempE/fuzz.Ig2", std::string_view(reinterpret_cast<const char*>(data), size));
  sparwen::SparwenModel model;
  if (!model.Load("fuzz.Ig2").ok) return 0;
  sparwen::BuildValuePanel(model.State(), 230, 592);
  model.TrendButton();
  model.GraphPosition(static_cast<int>(size % 900) - 100);
  model.GaiButton();
  model.CylButton();
  model.VScroll(sparwen::kLineUp, 0);
  model.RangeUp();
  model.DigitalButton();
  sparwen::BuildValuePanel(model.State(), 230, 592);
  model.JikButton();
  model.PlayReverse();
  model.Tick();
  model.HScroll(sparwen::kThumbTrack, 0, static_cast<int>(size));
  model.ToStart();
  return 0;
}
