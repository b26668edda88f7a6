#pragma once
// Ignition recordings for the viewer's tests: made by the project's own sample writer on a
// temporary drive, or patched byte by byte where a test needs a damaged or unusual file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/base/testing/temp_drive.h"
#include "tools/samples/ignition_sample.h"

namespace sparwen::testing {

using vetra::samples::IgnitionKind;
using vetra::samples::IgnitionOptions;

inline IgnitionOptions Options(int displayMode, IgnitionKind kind = IgnitionKind::Secondary, int frames = 10)
{
  IgnitionOptions o;
  o.displayMode = displayMode;
  o.kind = kind;
  o.frameCount = frames;
  o.timeBaseCode = displayMode == 0 ? 1 : 2;
  return o;
}

inline std::string WorkingCopy(const std::string& name) { return "Vetra/TempE/" + name; }

// Writes the recording as the working copy "c:\Vetra\TempE\<name>" and returns its bytes.
inline std::string PutRecording(const vetra::testing::TempDrive& drive, const IgnitionOptions& options,
                                const std::string& name = "test.Ig2")
{
  std::string error;
  EXPECT_TRUE(vetra::samples::WriteIgnitionSample(options, drive / WorkingCopy(name), &error)) << error;
  return drive.ReadFile(WorkingCopy(name));
}

inline void PutU8(std::string& bytes, std::size_t at, std::uint8_t value) { bytes[at] = static_cast<char>(value); }
inline void PutI16(std::string& bytes, std::size_t at, std::int16_t value) { std::memcpy(bytes.data() + at, &value, 2); }
inline void PutI32(std::string& bytes, std::size_t at, std::int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }
inline void PutF32(std::string& bytes, std::size_t at, float value) { std::memcpy(bytes.data() + at, &value, 4); }
inline std::size_t RecordAt(std::int64_t k) { return 8504 + static_cast<std::size_t>(k) * 1257; }

}  // namespace sparwen::testing
