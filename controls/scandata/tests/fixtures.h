#pragma once
// Scan recordings for the viewer's tests: written by the project's sample writer, or byte by
// byte for recordings the writer would refuse to make.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/scandata/core/scan_model.h"
#include "controls/scandata/core/scan_recording.h"
#include "controls/scandata/text/tests/descriptor_builder.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/scan_sample.h"

namespace quarnel::testing {

// A recording laid out field by field. Items get plain type-1 descriptors unless given others.
class ScanBytes {
 public:
  ScanBytes() : bytes(kSamplesAt, 0) {}

  ScanBytes& SystemText(const std::string& text) { return Text(kSystemTextAt, text); }
  ScanBytes& Text(std::size_t at, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) bytes[at + i] = static_cast<std::uint8_t>(text[i]);
    return *this;
  }
  ScanBytes& Descriptor(int id, const DescriptorBytes& d) {
    const std::size_t at = 226 + static_cast<std::size_t>(id) * kItemDescriptorSize;
    for (std::size_t i = 0; i < d.bytes.size(); ++i) bytes[at + i] = d.bytes[i];
    return *this;
  }
  ScanBytes& DescriptorCount(int n) { return U8(kDescriptorCountAt, n); }
  ScanBytes& Items(const std::vector<int>& ids) {
    U8(kItemCountAt, static_cast<int>(ids.size()));
    for (std::size_t k = 0; k < ids.size() && k < 100; ++k) U8(kItemIdsAt + k, ids[k]);
    return *this;
  }
  ScanBytes& ItemCountByte(int n) { return U8(kItemCountAt, n); }
  ScanBytes& SampleCount(int n) { return I16(kSampleCountAt, n); }
  ScanBytes& Times(std::int32_t start, std::int32_t end) { return I32(kStartTimeAt, start).I32(kEndTimeAt, end); }
  ScanBytes& Marked(int sample) { return I16(kMarkedSampleAt, sample); }
  ScanBytes& WidthCode(int code) { return U8(kSampleWidthAt, code); }
  // Appends samples (2 or 4 bytes each), speeds or other 16-bit words at the end.
  ScanBytes& Append16(const std::vector<int>& words) {
    for (const int w : words) Put(bytes.size(), static_cast<std::uint32_t>(w), 2);
    return *this;
  }
  ScanBytes& Append32(const std::vector<int>& values) {
    for (const int v : values) Put(bytes.size(), static_cast<std::uint32_t>(v), 4);
    return *this;
  }
  ScanBytes& U8(std::size_t at, int v) { return Put(at, static_cast<std::uint32_t>(v), 1); }
  ScanBytes& I16(std::size_t at, int v) { return Put(at, static_cast<std::uint32_t>(v), 2); }
  ScanBytes& I32(std::size_t at, std::int32_t v) { return Put(at, static_cast<std::uint32_t>(v), 4); }
  ScanBytes& Put(std::size_t at, std::uint32_t v, int size) {
    if (bytes.size() < at + static_cast<std::size_t>(size)) bytes.resize(at + static_cast<std::size_t>(size), 0);
    for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    return *this;
  }
  std::string Str() const { return {bytes.begin(), bytes.end()}; }

  std::vector<std::uint8_t> bytes;
};

// A plain 16-bit integer item: the text is the sample itself.
inline DescriptorBytes PlainItem(int graphMin = 0, int graphMax = 255) {
  return DescriptorBytes().Type(1).RawSize(2).Scale(1).Format(1).GraphMin(graphMin).GraphMax(graphMax);
}

// One item (id 0) with the given 2-byte samples, their speeds and triggers.
inline ScanBytes OneItem(const std::vector<int>& samples, const std::vector<int>& triggers = {},
                         const DescriptorBytes& item = PlainItem()) {
  ScanBytes b;
  b.DescriptorCount(1).Descriptor(0, item).Items({0}).SampleCount(static_cast<int>(samples.size())).Append16(samples);
  std::vector<int> speeds;
  for (std::size_t s = 0; s < samples.size(); ++s) speeds.push_back(700 + static_cast<int>(s));
  b.Append16(speeds).Append16({static_cast<int>(triggers.size())}).Append16(triggers);
  return b;
}

// A model that has loaded `bytes` as the working copy "test.SCN".
inline void LoadBytes(ScanModel& model, const vetra::testing::TempDrive& drive, const std::string& bytes,
                      const std::string& name = "test.SCN") {
  drive.WriteFile("Vetra/TempE/" + name, bytes);
  model.SetSaveDataFilePath(name);
  model.RunScantool(1);
}

// A model that has loaded a recording of the sample writer.
inline void LoadSample(ScanModel& model, const vetra::testing::TempDrive& drive, const vetra::samples::ScanOptions& options,
                       const std::string& name = "test.SCN") {
  std::string error;
  std::filesystem::create_directories(drive / "Vetra/TempE");
  if (!vetra::samples::WriteScanSample(options, drive / ("Vetra/TempE/" + name), &error)) throw std::runtime_error(error);
  model.SetSaveDataFilePath(name);
  model.RunScantool(1);
}

inline vetra::samples::ScanOptions SampleOptions(int items, int samples, int width = 2) {
  vetra::samples::ScanOptions o;
  o.itemCount = items;
  o.sampleCount = samples;
  o.sampleWidth = width;
  return o;
}

}  // namespace quarnel::testing
