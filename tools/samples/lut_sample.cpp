#include "tools/samples/lut_sample.h"

#include <algorithm>
#include <cmath>

#include "platform/base/text.h"
#include "tools/samples/sample_bytes.h"

namespace vetra::samples {

std::array<double, 256> LutEntries(const LutOptions& options) {
  std::array<double, 256> entries{};
  for (int k = 0; k < 256; ++k) {
    if (options.kind == LutKind::Linear) {
      entries[k] = options.low + (options.high - options.low) * k / 255.0;
      continue;
    }
    // The sensor sits below a 2.49 kOhm pull-up to 5 V: 2.45 kOhm at 20 C, beta 3400.
    const double volts = k * 0.0234375;
    double celsius = -40.0;
    if (volts <= 0.0) {
      celsius = 150.0;
    } else if (volts < 5.0) {
      const double ohms = 2490.0 * volts / (5.0 - volts);
      celsius = 1.0 / (1.0 / 293.15 + std::log(ohms / 2450.0) / 3400.0) - 273.15;
    }
    entries[k] = std::round(std::clamp(celsius, -40.0, 150.0) * 10.0) / 10.0;
  }
  return entries;
}

std::string LutFileName(int number) { return Format("Lut%02d.DAT", number); }

bool WriteLutSample(const LutOptions& options, const std::filesystem::path& folder, std::string* error) {
  if (options.number < 0 || options.number > 255) {
    SetError(error, "LUT number must be 0..255");
    return false;
  }
  ByteImage image(2048);
  const auto entries = LutEntries(options);
  for (int k = 0; k < 256; ++k) image.PutF64(8 * static_cast<std::size_t>(k), entries[k]);
  return WriteFileAtomically(folder / LutFileName(options.number), image.Bytes(), error);
}

}  // namespace vetra::samples
