// The road-test recording read from a file piece by piece, as a working copy is loaded, against
// the same bytes read whole: the two readings must agree on every text, channel, range and
// sample, whatever the bytes.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "controls/roadtest/core/recording.h"
#include "controls/roadtest/core/recording_file.h"
#include "platform/base/testing/memory_file.h"
#include "platform/base/testing/temp_drive.h"

namespace {

constexpr std::size_t kLargestRecording = 8u << 20;  // sample bytes of all channels together

bool SameChannel(const morvit::ChannelRecord& a, const morvit::ChannelRecord& b)
{
  return a.code == b.code && a.name == b.name && a.rate == b.rate && a.itemType == b.itemType && a.source == b.source &&
         a.secondSource == b.secondSource && a.lutNumber == b.lutNumber && a.unitCode == b.unitCode &&
         a.coding == b.coding && a.rangeCode == b.rangeCode && a.tyreText == b.tyreText;
}

bool SameHeader(const morvit::VehicleHeader& a, const morvit::VehicleHeader& b)
{
  return a.maker == b.maker && a.model == b.model && a.system == b.system && a.plate == b.plate && a.symptom == b.symptom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  static const vetra::testing::MemoryFile file;
  // The reader takes a name ending in "Dat" as unpacked; the name leads to the bytes in memory.
  static const std::filesystem::path link = [] {
    const std::filesystem::path path = drive / "recording.Dat";
    if (::symlink(file.Path().c_str(), path.c_str()) != 0) std::abort();
    return path;
  }();
  // Both readings size every channel by the header, whatever the file holds: a header that
  // promises hundreds of megabytes makes each run crawl through zeros without reaching anything
  // new. The reading of pieces is the same at any size, so such headers are passed over.
  {
    const morvit::Recording head = morvit::ParseRecordingHead({data, std::min(size, morvit::kHeadSize)});
    std::size_t promised = 0;
    for (const auto& samples : head.data) promised += samples.size();
    if (promised > kLargestRecording) return 0;
  }
  if (!file.Write(data, size)) return 0;

  const morvit::LoadedFile loaded = morvit::LoadRecordingFile(link.string());
  if (!loaded.Ok() || !loaded.unpackedPath.empty()) std::abort();
  const morvit::Recording whole = morvit::ParseRecording({data, size});
  const morvit::Recording& read = loaded.recording;
  if (read.oldLayout != whole.oldLayout || read.recordLengthCode != whole.recordLengthCode ||
      read.eightyChannels != whole.eightyChannels || !SameHeader(read.header, whole.header))
    std::abort();
  for (std::size_t i = 0; i < read.channels.size(); ++i) {
    if (!SameChannel(read.channels[i], whole.channels[i])) std::abort();
    if (read.minMax[i].low != whole.minMax[i].low || read.minMax[i].high != whole.minMax[i].high) std::abort();
    if (read.data[i] != whole.data[i]) std::abort();
  }
  return 0;
}
