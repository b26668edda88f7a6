// The viewer's load of the largest recording (100 items of 5010 four-byte samples), one playback
// step of the graph view with eight graphs, and one of the text view with 100 rows.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "controls/scandata/core/scan_model.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/scan_sample.h"

namespace {

struct LargestRecording {
  LargestRecording() {
    vetra::samples::ScanOptions o;
    o.itemCount = 100;
    o.sampleCount = 5010;
    o.sampleWidth = 4;
    o.triggerCount = 10;
    std::filesystem::create_directories(drive / "Vetra/TempE");
    vetra::samples::WriteScanSample(o, drive / "Vetra/TempE/big.SCN");
  }
  vetra::testing::TempDrive drive;
};

LargestRecording& Recording() {
  static LargestRecording recording;
  return recording;
}

void BM_LoadLargestRecording(benchmark::State& state) {
  Recording();
  for (auto _ : state) {
    quarnel::ScanModel model;
    model.SetSaveDataFilePath("big.SCN");
    benchmark::DoNotOptimize(model.RunScantool(1));
  }
}
BENCHMARK(BM_LoadLargestRecording)->Unit(benchmark::kMillisecond);

void BM_PlaybackStep(benchmark::State& state) {
  Recording();
  quarnel::ScanModel model;
  model.SetSaveDataFilePath("big.SCN");
  model.RunScantool(1);
  if (state.range(0) == 1) model.ShowTextView();
  model.FastForward();
  for (auto _ : state) {
    if (model.Tick().timer == quarnel::TimerChange::stop) {
      model.ToStart();
      model.FastForward();
    }
    if (state.range(0) == 1) {
      for (int row = 0; row < model.RowCount(); ++row) benchmark::DoNotOptimize(model.RowTexts(row));
    } else {
      for (int graph = 0; graph < model.State().ShownCount(); ++graph) benchmark::DoNotOptimize(model.TextsOfGraph(graph));
    }
  }
}
// 0: graph view with its texts; 1: text view with every row's texts.
BENCHMARK(BM_PlaybackStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

