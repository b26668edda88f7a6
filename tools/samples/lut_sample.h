#pragma once
// Road-test conversion tables: "Lut%02d.DAT", 256 little-endian doubles, entry k being the
// physical value of raw sample byte k.

#include <array>
#include <filesystem>
#include <string>

namespace vetra::samples {

enum class LutKind {
  CoolantNtc,  // a coolant temperature sensor (NTC) read as 0..6 V bytes: degrees Celsius
  Linear,      // low .. high over the 256 bytes
};

struct LutOptions {
  int number = 7;
  LutKind kind = LutKind::CoolantNtc;
  double low = 0.0;     // Linear only
  double high = 100.0;  // Linear only
};

std::array<double, 256> LutEntries(const LutOptions& options);
// "Lut07.DAT" for table 7, "Lut123.DAT" for 123.
std::string LutFileName(int number);
// Writes the table into `folder` under its file name.
bool WriteLutSample(const LutOptions& options, const std::filesystem::path& folder, std::string* error = nullptr);

}  // namespace vetra::samples
