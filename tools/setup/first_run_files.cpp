#include "tools/setup/first_run_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string_view>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "tools/samples/ignition_sample.h"
#include "tools/samples/lut_sample.h"
#include "tools/samples/osc_sample.h"
#include "tools/samples/printlayout_sample.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/samples/sample_bytes.h"
#include "tools/samples/savedata_sample.h"
#include "tools/samples/scan_sample.h"
#include "tools/skins/skin_set.h"

namespace vetra::setup {
namespace fs = std::filesystem;
namespace samples = vetra::samples;
namespace {

// The chooser's start folders: saved recordings of kinds 1 to 4, road tests of kind 5.
constexpr std::string_view kSavedDataFolder = "c:\\Vetra\\저장데이터";
constexpr std::string_view kRoadTestFolder = "C:\\Vetra\\Morvit\\Record";
constexpr std::string_view kLutFolder = "C:\\Vetra\\Fenmark\\Data\\LUT";
constexpr std::string_view kPrintInputFolder = "C:\\Vetra\\Fenmark\\Temp";

fs::path Folder(std::string_view windowsUtf8)
{
  fs::path folder = MapPath(Cp949(windowsUtf8));
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

std::string ReadWhole(const fs::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A recording written by `write` into a scratch file, wrapped as SAVEDATA.DAT of a saved-data
// archive at `target`.
bool WriteSavedData(const fs::path& target, const std::function<bool(const fs::path&)>& write)
{
  fs::path scratch = target;
  scratch += ".recording";
  bool ok = write(scratch);
  std::string data = ok ? ReadWhole(scratch) : std::string();
  std::error_code ec;
  fs::remove(scratch, ec);
  if (!ok || data.empty()) return false;
  return samples::WriteFileAtomically(target, samples::MakeSaveDataArchive(data), nullptr);
}

struct SavedSample {
  std::string_view name;
  std::function<bool(const fs::path&)> write;
};

}  // namespace

void Report(SetupResult& result, bool ok, const std::string& line)
{
  if (!ok) result.ok = false;
  result.lines.push_back(line);
}

void DrawSkinSet(const SetupOptions& options, SetupResult& result)
{
  if (!options.withContent) return;
  skins::SkinSetResult drawn = skins::WriteSkinSet();
  if (drawn.written > 0) Report(result, true, std::to_string(drawn.written) + " skin files drawn");
  for (const auto& failure : drawn.failures) Report(result, false, failure);
}

void WriteLutTables(const SetupOptions& options, SetupResult& result)
{
  if (!options.withContent) return;
  fs::path folder = Folder(kLutFolder);
  samples::LutOptions coolant;  // the table the sample road tests use
  std::error_code ec;
  if (fs::exists(folder / samples::LutFileName(coolant.number), ec)) return;
  std::string error;
  bool ok = samples::WriteLutSample(coolant, folder, &error);
  Report(result, ok, ok ? "wrote " + (folder / samples::LutFileName(coolant.number)).string() : error);
}

void WriteSampleRecordings(const SetupOptions& options, SetupResult& result)
{
  if (!options.withContent) return;
  fs::path saved = Folder(kSavedDataFolder);
  fs::path road = Folder(kRoadTestFolder);
  auto ignition = [](samples::IgnitionKind kind) {
    return [kind](const fs::path& path) {
      samples::IgnitionOptions options;
      options.kind = kind;
      return samples::WriteIgnitionSample(options, path);
    };
  };
  auto scan = [](const fs::path& path) { return samples::WriteScanSample(samples::ScanOptions{}, path); };
  const SavedSample savedSamples[] = {
      {"Sample.OSC", [](const fs::path& path) { return samples::WriteOsc(path, samples::DemoOscOptions()); }},
      {"Sample.IG1", ignition(samples::IgnitionKind::Primary)},
      {"Sample.IG2", ignition(samples::IgnitionKind::Secondary)},
      {"Sample.SCN", scan},
      {"Sample.HSN", scan},
  };
  std::error_code ec;
  for (const auto& sample : savedSamples) {
    fs::path target = saved / sample.name;
    if (fs::exists(target, ec)) continue;
    bool ok = WriteSavedData(target, sample.write);
    Report(result, ok, (ok ? "wrote " : "cannot write ") + target.string());
  }
  for (bool packed : {true, false}) {
    fs::path target = road / (packed ? "Sample.RES" : "Sample.DAT");
    if (fs::exists(target, ec)) continue;
    samples::RoadTestOptions roadTest;
    roadTest.packed = packed;
    std::string error;
    bool ok = samples::WriteRoadTestSample(roadTest, target, &error);
    Report(result, ok, ok ? "wrote " + target.string() : "cannot write " + target.string() + ": " + error);
  }
}

void WritePrintInputs(const SetupOptions& options, SetupResult& result)
{
  if (!options.withContent) return;
  fs::path folder = Folder(kPrintInputFolder);
  std::error_code ec;
  if (fs::exists(folder / "car.dat", ec)) return;
  std::string error;
  bool ok = samples::WritePrintLayoutSample(samples::PrintLayoutOptions{}, folder, &error);
  Report(result, ok, ok ? "wrote the print-layout inputs in " + folder.string() : error);
}

}  // namespace vetra::setup
