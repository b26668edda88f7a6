#include "tools/setup/drive_layout.h"

#include <unistd.h>

#include <string_view>
#include <system_error>

#include "platform/base/drive.h"
#include "tools/setup/control_registration.h"
#include "tools/setup/first_run_files.h"

namespace vetra::setup {
namespace fs = std::filesystem;
namespace {

// The folders of the product, as the system spells them.
constexpr std::string_view kFolders[] = {
    "C:\\Vetra\\Fenmark",
    "C:\\Vetra\\Fenmark\\Img",
    "C:\\Vetra\\Fenmark\\Temp",
    "C:\\Vetra\\Fenmark\\Data\\LUT",
    "C:\\Vetra\\TempE",
    "C:\\Vetra\\Temp",
    "C:\\Windows",
};

// Built files the system starts or loads from the drive: where they go, and where the build
// puts them.
struct BuiltFile {
  std::string_view inDrive;
  std::string_view inBuild;
};
constexpr BuiltFile kBuiltFiles[] = {
    {"C:\\Vetra\\Fenmark\\Viewer.exe", "programs/viewer/Viewer"},
    {"C:\\Vetra\\Fenmark\\Tolvex.exe", "programs/printlayout/Tolvex"},
};

void MakeFolder(std::string_view windowsPath, SetupResult& result)
{
  fs::path folder = MapPath(windowsPath);
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return;
  if (fs::create_directories(folder, ec); ec) {
    Report(result, false, "cannot make folder " + folder.string() + ": " + ec.message());
  } else {
    Report(result, true, "made folder " + folder.string());
  }
}

// Points the drive's entry at the built file, replacing an older link or copy in one step.
void LinkBuiltFile(const BuiltFile& file, const fs::path& buildDir, SetupResult& result)
{
  fs::path target = MapPath(file.inDrive);
  std::error_code ec;
  fs::path built = fs::absolute(buildDir / file.inBuild, ec).lexically_normal();
  if (!fs::is_regular_file(built, ec) || ::access(built.c_str(), X_OK) != 0) {
    Report(result, true, "left out " + target.string() + " (" + built.string() + " is not built)");
    return;
  }
  if (fs::is_symlink(target, ec) && fs::read_symlink(target, ec) == built) return;
  if (fs::is_directory(target, ec)) {
    Report(result, false, "cannot link " + target.string() + ": a folder is in the way");
    return;
  }
  fs::path temporary = target;
  temporary += ".linking";
  fs::remove(temporary, ec);
  fs::create_symlink(built, temporary, ec);
  if (!ec) fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Report(result, false, "cannot link " + target.string() + ": " + ec.message());
    return;
  }
  Report(result, true, "linked " + target.string() + " -> " + built.string());
}

void MakeFolders(const SetupOptions&, SetupResult& result)
{
  for (std::string_view folder : kFolders) MakeFolder(folder, result);
}

void LinkBuiltFiles(const SetupOptions& options, SetupResult& result)
{
  for (const BuiltFile& file : kBuiltFiles) LinkBuiltFile(file, options.buildDir, result);
}

// The steps of a set-up, in order; each one leaves in place what is already right.
using Step = void (*)(const SetupOptions&, SetupResult&);
constexpr Step kSteps[] = {
    MakeFolders,
    LinkBuiltFiles,
    RegisterBuiltControls,
    DrawSkinSet,
    WriteLutTables,
    WriteSampleRecordings,
    WritePrintInputs,
};

}  // namespace

SetupResult LayOutDrive(const SetupOptions& options)
{
  SetupResult result;
  for (Step step : kSteps) step(options, result);
  return result;
}

}  // namespace vetra::setup
