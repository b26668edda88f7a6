// Road-test viewer: loading a long packed recording (unpack, read, derive every item) and one
// page reduction of every shown item for a full screen.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "controls/roadtest/core/road_model.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/roadtest_sample.h"

namespace {

namespace fs = std::filesystem;

// The longest recording: 1,000,000 samples at the full rate, ten channels and seven derived items.
void WriteLongRecording(const vetra::testing::TempDrive& drive, bool packed) {
  fs::create_directories(drive / "Vetra/TempE");
  vetra::samples::RoadTestOptions options;
  options.recordLengthCode = 1;
  options.packed = packed;
  if (!vetra::samples::WriteRoadTestSample(options, drive.Root() / "Vetra" / "TempE" / (packed ? "1Temp.Res" : "1Temp.Dat"))) {
    throw std::runtime_error("cannot write the recording");
  }
}

void BM_LoadPackedRecording(benchmark::State& state) {
  vetra::testing::TempDrive drive;
  WriteLongRecording(drive, true);
  for (auto _ : state) {
    morvit::RoadModel model(morvit::LutStore(drive.Root().string()));
    const auto outcome = model.Load("1Temp.Res");
    if (!outcome.Ok()) state.SkipWithError("load failed");
    for (int item = morvit::kFirstDerived; item < morvit::kItemCount; ++item) model.EnsureDerived(item);
    benchmark::DoNotOptimize(model.State().recording.data[80].data());
  }
}
BENCHMARK(BM_LoadPackedRecording)->Unit(benchmark::kMillisecond);

// One paint of the normal view: every shown item reduced to its points, at the given scale.
void BM_PageOfShownItems(benchmark::State& state) {
  vetra::testing::TempDrive drive;
  WriteLongRecording(drive, false);
  morvit::RoadModel model(morvit::LutStore(drive.Root().string()));
  if (!model.Load("1Temp.Dat").Ok()) throw std::runtime_error("load failed");
  model.SelectScale(static_cast<int>(state.range(0)));
  auto build = [&]() {
    for (int row : model.State().shown.Rows()) {
      benchmark::DoNotOptimize(model.BuildNormalPage(model.State().ChannelOfRow(row)).count);
    }
  };
  build();  // derivations run once, before timing
  for (auto _ : state) build();
}
// Full view, 1:1 and 1:500.
BENCHMARK(BM_PageOfShownItems)->Arg(0)->Arg(1)->Arg(9)->Unit(benchmark::kMicrosecond);

}  // namespace
