// Feeds arbitrary bytes to the zip reader as an archive file and reads every entry to its end:
// whatever the bytes, the reader must answer with an exception or the entry's bytes, never
// crash, hang or read outside its buffers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/unzip/unzip_file.h"
#include "platform/base/testing/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::MemoryFile file;
  if (!file.Write(data, size)) return 0;
  const std::string path = file.Path();
  std::vector<char> block(16384);
  try {
    unzip::CUnzipFile zip(path);
    do {
      unzip::ZipEntryInfo info;
      char name[260];
      zip.GetEntryInfo(info, name, sizeof name);
      zip.OpenEntry();
      while (zip.ReadEntry(block.data(), static_cast<win::UINT>(block.size())) == block.size()) {
      }
    } while (zip.GoToNextEntry());
    zip.Close();
  } catch (const win::CException&) {
  }
  return 0;
}
