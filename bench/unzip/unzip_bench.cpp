// Extracting a saved-data entry through the zip reader against zlib alone on the same bytes, and
// walking a large central directory. The archives are made once per run in a temporary folder.

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/unzip/unzip_file.h"
#include "platform/base/unique_file.h"
#include "tools/samples/savedata_sample.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kRecordingSize = 50u << 20;
constexpr std::size_t kDirectoryEntries = 10000;
constexpr std::size_t kBlock = 16384;
// A single-entry archive made by the writer: local header (30 bytes) and the name, then the data.
constexpr long kDataOffset = 30 + 12;

struct Archive {
  std::string path;
  std::size_t compressedSize = 0;
};

class Fixtures {
public:
  static Fixtures& Get()
  {
    static Fixtures fixtures;
    return fixtures;
  }

  Archive deflated;
  Archive stored;
  std::string directory;

private:
  Fixtures() : m_folder(fs::temp_directory_path() / ("vetra-unzip-bench-" + std::to_string(::getpid())))
  {
    fs::create_directories(m_folder);
    const std::string recording = vetra::samples::SampleRecordingBytes(kRecordingSize);
    deflated = Write("deflated.osc", recording, vetra::samples::ZipMethod::deflated);
    stored = Write("stored.osc", recording, vetra::samples::ZipMethod::stored);

    vetra::samples::ZipArchiveSample many;
    for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
      vetra::samples::ZipEntrySample entry;
      entry.name = "DATA\\ENTRY";
      entry.name += std::to_string(i);
      entry.name += ".DAT";
      entry.data.push_back('x');  // (assigning a literal trips a false GCC 12 warning)
      entry.method = vetra::samples::ZipMethod::stored;
      many.entries.push_back(std::move(entry));
    }
    directory = (m_folder / "many.osc").string();
    vetra::samples::WriteBytes(directory, vetra::samples::MakeZipArchive(many));
  }

  ~Fixtures()
  {
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }

  Archive Write(const char* name, const std::string& recording, vetra::samples::ZipMethod method)
  {
    const std::string bytes = vetra::samples::MakeSaveDataArchive(recording, method);
    Archive archive;
    archive.path = (m_folder / name).string();
    // The archive minus its local header, central record and end record.
    archive.compressedSize = bytes.size() - kDataOffset - (46 + 12) - 22;
    vetra::samples::WriteBytes(archive.path, bytes);
    return archive;
  }

  fs::path m_folder;
};

void ExtractThroughReader(benchmark::State& state, const Archive& archive)
{
  std::vector<char> block(kBlock);
  for (auto _ : state) {
    unzip::CUnzipFile zip(archive.path);
    zip.OpenEntry();
    std::size_t total = 0;
    win::UINT n = 0;
    do {
      n = zip.ReadEntry(block.data(), kBlock);
      total += n;
    } while (n == kBlock);
    zip.Close();
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRecordingSize));
}

// zlib on its own: the compressed bytes read from the file in the same blocks, raw inflate (or a
// copy for stored data) and crc32 over the output.
void ExtractWithZlibAlone(benchmark::State& state, const Archive& archive, bool inflating)
{
  std::vector<unsigned char> input(kBlock);
  std::vector<unsigned char> output(kBlock);
  for (auto _ : state) {
    vetra::UniqueFile file(std::fopen(archive.path.c_str(), "rb"));
    std::fseek(file.get(), kDataOffset, SEEK_SET);
    z_stream stream{};
    if (inflating) inflateInit2(&stream, -MAX_WBITS);
    uLong crc = crc32(0L, Z_NULL, 0);
    std::size_t left = archive.compressedSize;
    while (left > 0) {
      const std::size_t n = std::fread(input.data(), 1, std::min(left, kBlock), file.get());
      if (n == 0) break;
      left -= n;
      if (!inflating) {
        crc = crc32(crc, input.data(), static_cast<uInt>(n));
        continue;
      }
      stream.next_in = input.data();
      stream.avail_in = static_cast<uInt>(n);
      do {
        stream.next_out = output.data();
        stream.avail_out = kBlock;
        inflate(&stream, Z_SYNC_FLUSH);
        crc = crc32(crc, output.data(), static_cast<uInt>(kBlock - stream.avail_out));
      } while (stream.avail_in > 0 || stream.avail_out == 0);
    }
    if (inflating) inflateEnd(&stream);
    benchmark::DoNotOptimize(crc);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kRecordingSize));
}

void BM_ReaderDeflated(benchmark::State& state)
{
  ExtractThroughReader(state, Fixtures::Get().deflated);
}
void BM_ZlibDeflated(benchmark::State& state)
{
  ExtractWithZlibAlone(state, Fixtures::Get().deflated, true);
}
void BM_ReaderStored(benchmark::State& state)
{
  ExtractThroughReader(state, Fixtures::Get().stored);
}
void BM_ZlibStored(benchmark::State& state)
{
  ExtractWithZlibAlone(state, Fixtures::Get().stored, false);
}

void BM_WalkDirectory(benchmark::State& state)
{
  const std::string& path = Fixtures::Get().directory;
  char name[64];
  for (auto _ : state) {
    unzip::CUnzipFile zip(path);
    std::size_t entries = 0;
    do {
      unzip::ZipEntryInfo info;
      zip.GetEntryInfo(info, name, sizeof name);
      ++entries;
    } while (zip.GoToNextEntry());
    benchmark::DoNotOptimize(entries);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kDirectoryEntries));
}

BENCHMARK(BM_ReaderDeflated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibDeflated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderStored)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibStored)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkDirectory)->Unit(benchmark::kMillisecond);

}  // namespace
