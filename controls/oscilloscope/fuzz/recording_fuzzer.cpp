// Feeds arbitrary bytes to the viewer as a recording: load, read, measure, move and compress must
// neither crash nor read out of bounds, whatever the header and samples say.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "controls/oscilloscope/core/scope_model.h"

namespace {

const std::filesystem::path& Drive()
{
  static const std::filesystem::path root = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessial-fuzz-XXXXXX").string();
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
    std::ofstream out(Drive() / "Vetra" / "TempE" / "fuzz.Osc", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
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
