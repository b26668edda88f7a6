// Ignition viewer: the data work of one playback tick, with and without the trend view. A tick
// re-reads the shown position's records; with the trend view it re-reads the whole 70-position
// window, which for eight cylinders of four pieces is 2240 records.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "controls/ignition/core/sparwen_model.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/ignition_sample.h"

namespace {

namespace fs = std::filesystem;

// The exchange folder of a throw-away drive C, for the life of one benchmark.
fs::path ExchangeFolder(const vetra::testing::TempDrive& drive)
{
  fs::create_directories(drive / "Vetra/TempE");
  return drive / "Vetra/TempE";
}

void PlaybackTick(benchmark::State& state)
{
  vetra::testing::TempDrive drive;
  vetra::samples::IgnitionOptions o;
  o.engineClass = 4;     // eight cylinders
  o.displayMode = 1;
  o.timeBaseCode = 0;    // four pieces a cylinder
  o.frameCount = 300;
  if (!vetra::samples::WriteIgnitionSample(o, ExchangeFolder(drive) / "bench.Ig2")) throw std::runtime_error("no recording");
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
