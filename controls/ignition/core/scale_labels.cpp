#include "controls/ignition/core/scale_labels.h"

#include <algorithm>
#include <array>

#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace sparwen {
namespace {

// Right-aligned at four pixels a character.
int LabelX(std::size_t bytes)
{
  static constexpr std::array<int, 5> kX = {16, 12, 8, 4, 0};
  return kX[std::min<std::size_t>(bytes, kX.size() - 1)];
}

}  // namespace

std::optional<double> VoltsPerDivision(int range, bool secondary)
{
  static constexpr std::array<double, 4> kSecondary = {1.0, 2.0, 5.0, 10.0};
  static constexpr std::array<double, 6> kPrimary = {2.0, 4.0, 12.0, 20.0, 60.0, 120.0};
  if (secondary) {
    if (range >= 0 && range < 4) return kSecondary[static_cast<std::size_t>(range)];
  } else if (range >= 0 && range < 6) {
    return kPrimary[static_cast<std::size_t>(range)];
  }
  return std::nullopt;
}

std::vector<ScaleLabel> VoltageScaleLabels(const VoltageScaleInput& in)
{
  std::vector<ScaleLabel> labels;
  const auto perDivision = VoltsPerDivision(in.range, in.secondary);
  if (in.trend || (in.displayMode != 0 && in.displayMode != 3) || !perDivision) return labels;
  const int h = in.graphHeight;
  const bool split = in.displayMode == 0 && in.pairedFlag == 1;
  const int d = split ? h / 2 + 3 : h + 3;
  const int n = in.zeroPos;
  const bool even = n % 2 == 0;
  auto add = [&labels, perDivision](int m, int offset) {
    std::string text = vetra::Format("%d", vetra::SaturatingCast<int>(-(m * *perDivision)));
    const int x = LabelX(text.size());
    labels.push_back({std::move(text), {x, -5 - offset}});
  };
  for (int i = even ? 2 : 1; i <= 5; ++i) {
    const int m = (even ? 6 : 5) - n / 2 - i;
    const int lift = even ? 0 : d / 10;
    if (!split) {
      add(m, lift + 2 * ((d * (i - 1)) / 10));
    } else {
      add(m, lift + (2 * d * (i - 1)) / 10);
      add(m, lift + (2 * d * (i - 1)) / 10 + d);
    }
  }
  const std::string unit = in.secondary ? "[KV]" : "[V]";
  labels.push_back({unit, {LabelX(unit.size()) + 15, 5 - h}});
  return labels;
}

}  // namespace sparwen
