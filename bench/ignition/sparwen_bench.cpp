// Ignition viewer: the data work of one playback tick, with and without the trend view. A tick
// re-reads the shown position's records; with the trend view it re-reads the whole 70-position
// window, which for eight cylinders of four pieces is 2240 records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "controls/ignition/core/sparwen_model.h"
#include "tools/samples/ignition_sample.h"

namespace {

namespace fs = std::filesystem;

// A drive C of its own in a temporary folder for the life of one benchmark.
class BenchDrive {
public:
  BenchDrive()
  {
    std::string pattern = (fs::temp_directory_path() / "sparwen-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    m_root = pattern;
    ::setenv("VETRA_ROOT", m_root.c_str(), 1);
    fs::create_directories(m_root / "Vetra" / "TempE");
  }
  ~BenchDrive()
  {
    std::error_code error;
    fs::remove_all(m_root, error);
  }
  fs::path Recording(const std::string& name) const { return m_root / "Vetra" / "TempE" / name; }

private:
  fs::path m_root;
};

void PlaybackTick(benchmark::State& state)
{
  BenchDrive drive;
  vetra::samples::IgnitionOptions o;
  o.engineClass = 4;     // eight cylinders
  o.displayMode = 1;
  o.timeBaseCode = 0;    // four pieces a cylinder
  o.frameCount = 300;
  if (!vetra::samples::WriteIgnitionSample(o, drive.Recording("bench.Ig2"))) throw std::runtime_error("no recording");
  sparwen::SparwenModel model;
  if (!model.Load("bench.Ig2").ok) throw std::runtime_error("not loaded");
  if (state.range(0) != 0) model.TrendButton();
  model.ToStart();
  for (auto _ : state) {
    model.PlayForward();
    if (model.Tick()) model.ToStart();
    model.StopPlayback();
    benchmark::DoNotOptimize(model.State().values);
  }
}
BENCHMARK(PlaybackTick)->Arg(0)->Arg(1)->ArgName("trend")->Unit(benchmark::kMillisecond);

}  // namespace
