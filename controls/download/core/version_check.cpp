#include "controls/download/core/version_check.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/base/file_api.h"

namespace pakrel {
namespace {

constexpr int kVersionTextBytes = 100;

}  // namespace

float ReadVersionFile(const std::string& path)
{
  const win::HFILE file = win::_lopen(path.c_str(), win::OF_READ | win::OF_SHARE_DENY_NONE);
  if (file == win::HFILE_ERROR) return 0.0f;
  std::array<char, kVersionTextBytes> text{};  // the last byte stays 0: the text's end
  const win::UINT got = win::_lread(file, text.data(), kVersionTextBytes - 1);
  win::_lclose(file);
  if (got == static_cast<win::UINT>(win::HFILE_ERROR)) return 0.0f;
  float version = 0.0f;
  if (std::sscanf(text.data(), "%f", &version) != 1) return 0.0f;
  return version;
}

int VersionHundredths(double version)
{
  const double scaled = std::floor(version * 100.0 + 0.01);
  if (std::isnan(scaled)) return 0;
  if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (scaled <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(scaled);
}

bool IsNewerVersion(double offered, double installed)
{
  return static_cast<long long>(VersionHundredths(offered)) - VersionHundredths(installed) > 0;
}

}  // namespace pakrel
