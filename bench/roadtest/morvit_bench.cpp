// Road-test viewer: loading the largest unpacked recording (80 channels at the full rate for
// 20 s, 80 MB) against the page-cache copy (the file, already in the page cache, copied through a
// reused 1 MB buffer), in the process with every channel read and as whole programs, with the
// memory the load needs at its peak, with transparent huge pages available and without;
// unpacking file to file and in memory; loading a long packed recording with every derived item;
// and one page reduction of every shown item for a full screen.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/frame_baseline.h"
#include "controls/roadtest/core/lzss_unpacker.h"
#include "controls/roadtest/core/road_model.h"
#include "platform/base/unique_file.h"
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

// The page-cache copy, the yardstick of opening a recording: the file (already in the page cache)
// copied through a reused 1 MB buffer into a working copy, as the chooser must at the least.
// Processor time of the thread, as for the load it is set beside.
double CopySeconds(const fs::path& path, const fs::path& copy) {
  static std::vector<std::uint8_t> buffer(1 << 20);
  const double start = vetra::bench::ThreadSeconds();
  {
    vetra::UniqueFile in(std::fopen(path.c_str(), "rb"));
    vetra::UniqueFile out(std::fopen(copy.c_str(), "wb"));
    if (!in || !out) throw std::runtime_error("cannot copy the recording");
    std::setvbuf(in.get(), nullptr, _IONBF, 0);
    std::setvbuf(out.get(), nullptr, _IONBF, 0);
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0;) {
      if (std::fwrite(buffer.data(), 1, got, out.get()) != got) throw std::runtime_error("cannot copy the recording");
    }
  }
  const double seconds = vetra::bench::ThreadSeconds() - start;
  fs::remove(copy);
  return seconds;
}

// The file (in the page cache) read through the same reused buffer, copied nowhere: the least any
// reading of it costs.
double ReadSeconds(const fs::path& path) {
  static std::vector<std::uint8_t> buffer(1 << 20);
  const double start = vetra::bench::ThreadSeconds();
  vetra::UniqueFile in(std::fopen(path.c_str(), "rb"));
  if (!in) throw std::runtime_error("cannot read the recording");
  std::setvbuf(in.get(), nullptr, _IONBF, 0);
  while (std::fread(buffer.data(), 1, buffer.size(), in.get()) > 0) benchmark::DoNotOptimize(buffer.data());
  return vetra::bench::ThreadSeconds() - start;
}

// Transparent huge pages refused to this process and the programs it starts while the object
// lives, or left as the system offers them.
class HugePages {
public:
  explicit HugePages(bool available) : m_refused(!available) {
    if (m_refused && prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0) throw std::runtime_error("cannot refuse huge pages");
  }
  ~HugePages() {
    if (m_refused) prctl(PR_SET_THP_DISABLE, 0, 0, 0, 0);
  }
  HugePages(const HugePages&) = delete;
  HugePages& operator=(const HugePages&) = delete;

private:
  bool m_refused;
};

// Opening a recording as the user does, whole programs: the chooser given the file copies it into
// the exchange folder and starts the page viewer, which loads it, shows it and (by its session
// script) ends. Returns the processor time of every program of the run and the largest resident
// memory of the programs the chooser started (the chooser's own figure would count this process's
// memory, which it shares until it starts); the benchmark adopts the viewer when the chooser
// leaves it behind.
struct ProgramRun {
  double seconds = 0;
  double peakBytes = 0;
};
ProgramRun RunChooser(const fs::path& recording) {
  const std::string program = VETRA_BUILD_DIR "/programs/chooser/Lumbrel";
  const std::string argument = recording.string();
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start the chooser");
  // Every program of the run as it ends: the chooser, and the viewer once it is ours.
  ProgramRun run;
  for (;;) {
    rusage usage{};
    const pid_t ended = wait4(-1, nullptr, 0, &usage);
    if (ended < 0) {
      if (errno == EINTR) continue;
      break;
    }
    run.seconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    if (ended != pid) run.peakBytes = std::max(run.peakBytes, static_cast<double>(usage.ru_maxrss) * 1024);
  }
  return run;
}

// The whole programs' extra processor time and peak memory for the recording over a small one, each
// at its least of a few runs (a busy machine only ever adds), and the started programs' peak
// memory with the recording.
struct ProgramFigures {
  double extraSeconds = 0;
  double extraPeakBytes = 0;
  double peakBytes = 0;
};
ProgramFigures WholeProgramFigures(const vetra::testing::TempDrive& drive, const fs::path& recording) {
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const std::string setup = std::string(VETRA_BUILD_DIR "/tools/vetra-setup --build " VETRA_BUILD_DIR " >/dev/null");
  if (std::system(setup.c_str()) != 0) throw std::runtime_error("cannot lay out the drive");
  // The viewer shows the recording, then ends.
  drive.WriteFile("scripts/Viewer.script", "wait 1500\nquit\n");
  setenv("VETRA_SCRIPT", (drive / "scripts/").c_str(), 1);
  setenv("VETRA_HEADLESS", "1", 1);
  const fs::path small = drive / "Vetra/Morvit/Record/Sample.DAT";
  double smallSeconds = 1e9, bigSeconds = 1e9, smallPeak = 0, bigPeak = 0;
  for (int run = 0; run < 10; ++run) {
    const ProgramRun s = RunChooser(small);
    const ProgramRun b = RunChooser(recording);
    smallSeconds = std::min(smallSeconds, s.seconds);
    bigSeconds = std::min(bigSeconds, b.seconds);
    smallPeak = std::max(smallPeak, s.peakBytes);
    bigPeak = std::max(bigPeak, b.peakBytes);
  }
  unsetenv("VETRA_SCRIPT");
  return {bigSeconds - smallSeconds, bigPeak - smallPeak, bigPeak};
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

// Argument 1: with transparent huge pages as the system offers them; 0: refused to the process.
void BM_LoadLargestRecording(benchmark::State& state) {
  const HugePages hugePages(state.range(0) != 0);
  vetra::testing::TempDrive drive;
  const fs::path path = WriteLargestRecording(drive, "80MB.Dat", false);
  const fs::path copy = drive / "Vetra/TempE/copy.Dat";
  const double fileBytes = static_cast<double>(fs::file_size(path));
  const std::string root = drive.Root().string();
  // The load as a viewer showing every channel meets it: each recorded channel is read.
  const auto load = [&root] {
    morvit::RoadModel model{morvit::LutStore(root)};
    if (!model.Load("80MB.Dat").Ok()) throw std::runtime_error("load failed");
    for (int channel = 0; channel < morvit::kRecordedCount; ++channel) {
      benchmark::DoNotOptimize(model.State().recording.data[static_cast<std::size_t>(channel)].data());
    }
  };
  CopySeconds(path, copy);  // the file in the page cache for both
  const double peak = PeakAddedBytes(load);
  double copyTotal = 0, readTotal = 0, loadTotal = 0;
  for (auto _ : state) {
    state.PauseTiming();
    copyTotal += CopySeconds(path, copy);
    readTotal += ReadSeconds(path);
    state.ResumeTiming();
    const double start = vetra::bench::ThreadSeconds();
    load();
    loadTotal += vetra::bench::ThreadSeconds() - start;
  }
  const double n = static_cast<double>(state.iterations());
  state.SetLabel(state.range(0) != 0 ? "huge pages available" : "huge pages refused");
  state.counters["file_MB"] = fileBytes / 1e6;
  state.counters["copy_ms"] = copyTotal / n * 1e3;
  state.counters["load_ms"] = loadTotal / n * 1e3;
  state.counters["x_copy"] = loadTotal / copyTotal;
  state.counters["read_ms"] = readTotal / n * 1e3;
  state.counters["x_read"] = loadTotal / readTotal;
  state.counters["peak_MB"] = peak / 1e6;
  state.counters["peak_over_file_MB"] = (peak - fileBytes) / 1e6;
  // The same as the user meets it: the chooser and the viewer, beside the same copy.
  fs::create_directories(drive / "Vetra/Morvit/Record");
  const fs::path shown = drive / "Vetra/Morvit/Record/80MB.DAT";
  fs::copy_file(path, shown);
  const ProgramFigures programs = WholeProgramFigures(drive, shown);
  state.counters["programs_extra_ms"] = programs.extraSeconds * 1e3;
  state.counters["x_copy_programs"] = programs.extraSeconds / (copyTotal / n);
  state.counters["programs_peak_MB"] = programs.peakBytes / 1e6;
  state.counters["programs_extra_peak_MB"] = programs.extraPeakBytes / 1e6;
}
BENCHMARK(BM_LoadLargestRecording)->ArgName("huge_pages")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
