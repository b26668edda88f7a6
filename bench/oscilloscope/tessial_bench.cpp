// Oscilloscope viewer: the data work of one playback step, and opening recordings of very
// different lengths (opening must not grow with the file).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "bench/frame_baseline.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tessial_ctrl.h"
#include "controls/oscilloscope/tessial_identity.h"
#include "platform/ui/testing.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/osc_sample.h"

namespace {

namespace fs = std::filesystem;
using vetra::samples::OscChannel;
using vetra::samples::OscOptions;
using vetra::samples::OscWave;

// The exchange folder of a throw-away drive C, for the life of one benchmark.
fs::path ExchangeFolder(const vetra::testing::TempDrive& drive)
{
  fs::create_directories(drive / "Vetra/TempE");
  return drive / "Vetra/TempE";
}

OscOptions Channels(int count, std::int64_t steps)
{
  OscOptions options;
  options.steps = steps;
  options.timeBase = 3;
  options.noise = 3;
  for (int type = 0; type < count; ++type) {
    OscChannel channel;
    channel.type = type;
    channel.wave = type % 2 == 0 ? OscWave::square : OscWave::sine;
    channel.frequencyHz = 200.0 + 50 * type;
    options.channels.push_back(channel);
  }
  return options;
}

// One playback step: the window read at a new position and the measurement of every channel.
void BM_PlaybackStep(benchmark::State& state)
{
  const int channels = static_cast<int>(state.range(0));
  const int compression = static_cast<int>(state.range(1));
  vetra::testing::TempDrive drive;
  vetra::samples::WriteOsc(ExchangeFolder(drive) / "bench.Osc", Channels(channels, vetra::samples::OscStepsForWindows(12, compression)));
  tessial::ScopeModel model;
  if (!model.Load("bench.Osc").Ok()) {
    state.SkipWithError("load failed");
    return;
  }
  for (int c = 1; c < compression; ++c) model.Compress();
  const std::int64_t max = model.State().playback.maxPosition;
  std::int64_t position = 0;
  for (auto _ : state) {
    position = (position + tessial::kPlayStep) % (max + 1);
    benchmark::DoNotOptimize(model.Scroll(tessial::kThumbTrack, 0, position));
    benchmark::DoNotOptimize(model.State().values[channels - 1].frequency);
  }
  state.SetLabel(std::to_string(channels) + " channels, compression " + std::to_string(model.State().playback.compression));
}
BENCHMARK(BM_PlaybackStep)->Args({6, 10})->Args({1, 1});

// The page's window with the control in it, on the headless display.
class Page : public win::CWnd {
public:
  bool Make() { return CreateEx(0, "Page", "page", win::WS_POPUP | win::WS_VISIBLE, win::CRect(0, 0, 1017, 708), nullptr, 0) != 0; }
};

// One playback step as the user sees it: the window read and measured, handed to every graph
// window, and every graph window and the panel painted through their back buffers; beside the
// memcpy of the frame.
void BM_PlaybackStepWithRepaint(benchmark::State& state)
{
  const int channels = static_cast<int>(state.range(0));
  const int compression = static_cast<int>(state.range(1));
  vetra::testing::TempDrive drive;
  vetra::samples::WriteOsc(ExchangeFolder(drive) / "bench.Osc", Channels(channels, vetra::samples::OscStepsForWindows(12, compression)));
  vetra::bench::TickTimer timer;
  vetra::ui::ResetForTests();
  {
    Page page;
    tessial::CTessialCtrl control;
    if (!page.Make() || !control.CreateControlWindow(&page, win::CRect(0, 0, 1017, 708))) {
      state.SkipWithError("no window");
      return;
    }
    control.Dispatch().SetProperty(tessial::kDispDataFileName, win::COleVariant("bench.Osc"));
    control.Dispatch().SetProperty(tessial::kDispRunOcx, win::COleVariant(static_cast<win::SHORT>(1)));
    vetra::ui::Pump();
    tessial::ScopeModel& model = control.Model();
    if (!model.IsOpen()) {
      state.SkipWithError("load failed");
      return;
    }
    for (int c = 1; c < compression; ++c) model.Compress();
    const std::int64_t max = model.State().playback.maxPosition;
    std::int64_t position = 0;
    for (auto _ : state) {
      if (timer.NewPass()) position = 0;
      position = (position + tessial::kPlayStep) % (max + 1);
      timer.Time([&] {
        control.ShowWindowRead(model.Scroll(tessial::kThumbTrack, 0, position));
        vetra::ui::Pump();
      });
    }
    timer.Report(state);
    state.SetLabel(std::to_string(channels) + " channels, compression " + std::to_string(model.State().playback.compression));
  }
  vetra::ui::ResetForTests();
}
BENCHMARK(BM_PlaybackStepWithRepaint)
    ->ArgsProduct({{6}, benchmark::CreateDenseRange(1, 10, 1)})
    ->Args({1, 1})
    ->Iterations(vetra::bench::TickTimer::kIterations);

// Opening a recording and loading it: header, window at its end, measurements, texts.
void BM_LoadRecording(benchmark::State& state)
{
  const std::uint64_t bytes = static_cast<std::uint64_t>(state.range(0));
  vetra::testing::TempDrive drive;
  const fs::path path = ExchangeFolder(drive) / "bench.Osc";
  vetra::samples::WriteOsc(path, Channels(4, 7000));
  fs::resize_file(path, bytes);  // sparse beyond the written samples
  tessial::ScopeModel model;
  for (auto _ : state) {
    benchmark::DoNotOptimize(model.Load("bench.Osc").Ok());
  }
  state.SetLabel(std::to_string(bytes >> 20) + " MB");
}
BENCHMARK(BM_LoadRecording)->Arg(1 << 20)->Arg(std::int64_t{1} << 30);

}  // namespace
