// Road-test viewer: loading the largest unpacked recording (80 channels at the full rate for
// 20 s, 80 MB) against reading the same file, with the memory the load needs at its peak;
// unpacking file to file and in memory; loading a long packed recording with every derived item;
// and one page reduction of every shown item for a full screen.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/roadtest/core/lzss_unpacker.h"
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

// The largest recording there is: every one of the 80 channels at the full rate for 20 s.
fs::path WriteLargestRecording(const vetra::testing::TempDrive& drive, const char* name, bool packed) {
  fs::create_directories(drive / "Vetra/TempE");
  vetra::samples::RoadTestOptions options;
  options.recordLengthCode = 1;
  options.channels = 80;
  options.rate = 50;
  options.packed = packed;
  const fs::path path = drive / (std::string("Vetra/TempE/") + name);
  if (!vetra::samples::WriteRoadTestSample(options, path)) throw std::runtime_error("cannot write the recording");
  return path;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// What reading the file costs at the least: one read of all of it into a fresh buffer.
double ReadFileSeconds(const fs::path& path) {
  const auto start = std::chrono::steady_clock::now();
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw std::runtime_error("cannot open the recording");
  const auto size = static_cast<std::size_t>(fs::file_size(path));
  std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size]);
  if (std::fread(bytes.get(), 1, size, file.get()) != size) throw std::runtime_error("cannot read the recording");
  benchmark::DoNotOptimize(bytes.get());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A "VmRSS"/"VmHWM" line of /proc/self/status in bytes.
double StatusBytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == key) {
      double kb = 0;
      status >> kb;
      return kb * 1024;
    }
  }
  return 0;
}

// The resident memory a call adds at its peak, in bytes; 0 when the peak cannot be reset.
template <typename Call>
double PeakAddedBytes(Call&& call) {
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5";
  reset.close();
  if (!reset) return 0;
  const double before = StatusBytes("VmRSS:");
  call();
  return StatusBytes("VmHWM:") - before;
}

void BM_LoadLargestRecording(benchmark::State& state) {
  vetra::testing::TempDrive drive;
  const fs::path path = WriteLargestRecording(drive, "80MB.Dat", false);
  const double fileBytes = static_cast<double>(fs::file_size(path));
  const std::string root = drive.Root().string();
  const auto load = [&root] {
    morvit::RoadModel model{morvit::LutStore(root)};
    if (!model.Load("80MB.Dat").Ok()) throw std::runtime_error("load failed");
    benchmark::DoNotOptimize(model.State().recording.data[79].data());
  };
  ReadFileSeconds(path);  // the file in the page cache for both
  const double peak = PeakAddedBytes(load);
  double readTotal = 0, loadTotal = 0;
  for (auto _ : state) {
    state.PauseTiming();
    readTotal += ReadFileSeconds(path);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    load();
    loadTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["read_ms"] = readTotal / n * 1e3;
  state.counters["load_ms"] = loadTotal / n * 1e3;
  state.counters["x_read"] = loadTotal / readTotal;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_over_file_MB"] = (peak - fileBytes) / 1e6;
}
BENCHMARK(BM_LoadLargestRecording)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Unpacking a packed recording of 80 MB into its working copy beside it.
void BM_UnpackFileToFile(benchmark::State& state) {
  vetra::testing::TempDrive drive;
  const fs::path packed = WriteLargestRecording(drive, "80MB.Res", true);
  std::size_t written = 0;
  for (auto _ : state) {
    if (morvit::UnpackLzss("C:\\Vetra\\TempE\\80MB.Res", "C:\\Vetra\\TempE\\80MB.Dat") != 1) {
      state.SkipWithError("unpack failed");
      return;
    }
    written += static_cast<std::size_t>(fs::file_size(drive / "Vetra/TempE/80MB.Dat"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(written));
  state.counters["packed_MB"] = static_cast<double>(fs::file_size(packed)) / 1e6;
}
BENCHMARK(BM_UnpackFileToFile)->Unit(benchmark::kMillisecond);

// The same unpacking from memory into memory: the decoder alone.
void BM_UnpackInMemory(benchmark::State& state) {
  vetra::testing::TempDrive drive;
  const fs::path packed = WriteLargestRecording(drive, "80MB.Res", true);
  const std::string bytes = vetra::testing::ReadWholeFile(packed);
  const std::span<const std::uint8_t> input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  std::size_t written = 0;
  for (auto _ : state) {
    const auto out = morvit::UnpackLzssBytes(input);
    if (!out) {
      state.SkipWithError("unpack failed");
      return;
    }
    written += out->size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(written));
}
BENCHMARK(BM_UnpackInMemory)->Unit(benchmark::kMillisecond);

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
