// The extraction of a saved-data archive into the exchange folder (the chooser's and the
// download control's), on arbitrary archives: it must end with the working copy or a failure,
// and write nothing but the working copy (entry names are never paths).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/savedata/conversion.h"
#include "platform/base/testing/memory_file.h"
#include "platform/base/testing/temp_drive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  static const bool folders = std::filesystem::create_directories(drive / "Vetra/TempE");
  (void)folders;
  static const vetra::testing::MemoryFile archive;
  if (!archive.Write(data, size)) return 0;

  const std::optional<savedata::Failure> failure = savedata::Extract(archive.Path(), "1234Temp.Osc");
  const std::filesystem::path copy = drive / "Vetra/TempE/1234Temp.Osc";
  std::error_code ec;
  if (!failure && !std::filesystem::is_regular_file(copy, ec)) std::abort();
  if (failure && (failure->message.empty() || failure->exitCode == savedata::kExitOk)) std::abort();
  std::filesystem::remove(copy, ec);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(drive.Root(), ec)) {
    if (!entry.is_directory()) std::abort();  // something besides the working copy was written
  }
  return 0;
}
