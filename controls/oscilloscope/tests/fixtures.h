#pragma once
// Recordings for the viewer's tests, made by the project's own sample writer on a temporary drive.
#include <cstring>
#include <string>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "tools/samples/osc_sample.h"

namespace tessial::testing {

using vetra::samples::OscChannel;
using vetra::samples::OscOptions;
using vetra::samples::OscWave;

inline OscChannel Channel(int type, OscWave wave = OscWave::flat, int range = -1)
{
  OscChannel channel;
  channel.type = type;
  channel.wave = wave;
  channel.range = range;
  return channel;
}

inline OscOptions Options(std::vector<OscChannel> channels, std::int64_t steps = 700)
{
  OscOptions options;
  options.channels = std::move(channels);
  options.steps = steps;
  return options;
}

inline void PutFloat(std::string& bytes, std::size_t at, float value) { std::memcpy(bytes.data() + at, &value, 4); }
inline void PutInt(std::string& bytes, std::size_t at, std::int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

// Writes the recording as the working copy "c:\Vetra\TempE\<name>".
inline void PutRecording(const vetra::testing::TempDrive& drive, const std::string& bytes, const std::string& name = "test.Osc")
{
  drive.WriteFile("Vetra/TempE/" + name, bytes);
}

inline void PutEnviro(const vetra::testing::TempDrive& drive, const std::string& text) { drive.WriteFile("Vetra/Temp/enviro", text); }

}  // namespace tessial::testing
