// Feeds arbitrary bytes to the viewer as an ignition recording: load, read frames, the trend
// window, mode changes, ranges and moves must neither crash nor read out of bounds, whatever the
// header and records say.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/core/value_panel.h"

namespace {

const std::filesystem::path& Drive()
{
  static const std::filesystem::path root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "sparwen-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    ::setenv("VETRA_ROOT", pattern.c_str(), 1);
    std::filesystem::create_directories(std::filesystem::path(pattern) / "Vetra" / "TempE");
    return std::filesystem::path(pattern);
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  {
    std::ofstream out(Drive() / "Vetra" / "TempE" / "fuzz.Ig2", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
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
