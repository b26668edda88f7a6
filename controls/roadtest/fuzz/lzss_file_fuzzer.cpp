// The file form of the road-test unpacker on arbitrary packed files: it must end, leave either
// the whole unpacked file or none, and report which.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "controls/roadtest/core/lzss_unpacker.h"
#include "platform/base/testing/memory_file.h"
#include "platform/base/testing/temp_drive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  static const vetra::testing::MemoryFile packed;
  if (!packed.Write(data, size)) return 0;
  const std::filesystem::path output = drive / "unpacked.Dat";
  morvit::UnpackStatus status{};
  int lastPercent = -1;
  const int result = morvit::UnpackLzss(packed.Path(), output.string(),
                                        [&](int percent) {
                                          if (percent < lastPercent || percent > 100) std::abort();
                                          lastPercent = percent;
                                        },
                                        &status);
  std::error_code ec;
  const bool left = std::filesystem::exists(output, ec);
  if ((result == 1) != left) std::abort();  // a failed unpacking leaves nothing behind
  if (result == 1 && size >= 4) {
    const std::uint32_t length = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    if (std::filesystem::file_size(output, ec) != length) std::abort();
  }
  std::filesystem::remove(output, ec);
  return 0;
}
