#include "controls/roadtest/core/tables.h"

#include <array>
#include <cmath>
#include <limits>

#include "platform/base/numeric.h"
#include "platform/base/text.h"

namespace morvit {

bool CountsFromZero(int coding) {
  return coding == 2 || coding == 4 || coding == 6 || coding == 8 || coding == 9;
}

int ZeroOfCoding(int coding) { return CountsFromZero(coding) ? 0 : 127; }

double ResolutionOfCoding(int coding) {
  constexpr std::array<double, 15> table = {1.0,        0.78125,     0.390625,     0.390625,  0.1953125,
                                            0.046875,   0.0234375,   0.01953125,   0.009765625, 2.34375,
                                            0.00078125, 0.0390625,   0.009765625,  0.0009765625, 0.15625};
  return coding >= 0 && coding < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(coding)] : 0.0;
}

std::optional<double> CodingFullScale(int coding) {
  constexpr std::array<double, 10> table = {255, 100, 100, 50, 50, 6, 6, 2.5, 2.5, 1};
  if (coding < 0 || coding >= static_cast<int>(table.size())) return std::nullopt;
  return table[static_cast<std::size_t>(coding)];
}

NominalRange RangeOfCode(int rangeCode) {
  constexpr std::array<NominalRange, 22> table = {{{0, 255},     {-100, 100},     {0, 100},      {-50, 50},
                                                   {0, 50},      {-20, 20},       {0, 20},       {-6, 6},
                                                   {0, 6},       {-2.5, 2.5},     {0, 2.5},      {0, 1},
                                                   {0, 600},     {-0.1, 0.1},     {-3, 3},       {-5, 5},
                                                   {0, 6},       {-1.25, 1.25},   {-0.125, 0.125}, {-1.2, 1.2},
                                                   {-0.1, 0.1},  {-20, 20}}};
  if (rangeCode >= 0 && rangeCode < static_cast<int>(table.size())) return table[static_cast<std::size_t>(rangeCode)];
  return {};
}

std::string UnitName(int index) {
  static const std::array<std::string, 18> names = {
      "V",   "kV",  "A",    "ms",          "RPM",  "kPa",  vetra::Cp949("˚"), "km/h", "mV",
      vetra::Cp949("％"), "mmHg", "kg/h", "STEP", "Hz", "mbar", vetra::Cp949("℃"), "MPa", "bar"};
  if (index < 0 || index >= static_cast<int>(names.size())) return {};
  return names[static_cast<std::size_t>(index)];
}

std::string UnitOfCode(int unitCode) { return unitCode == 0 ? std::string() : UnitName(unitCode - 1); }

namespace {

struct TyreTable {
  std::array<float, kTyreWidths * kTyreAspects * kTyreRims> entries{};
  TyreTable() {
    for (int a = 0; a < kTyreWidths; ++a) {
      // The widest tyre repeats the row of the one below it.
      const int widthRow = a == kTyreWidths - 1 ? a - 1 : a;
      const double width = 150.0 + 5.0 * widthRow;
      for (int b = 0; b < kTyreAspects; ++b) {
        const double aspect = 30.0 + 5.0 * b;
        for (int c = 0; c < kTyreRims; ++c) {
          const double rim = 10.0 + c;
          const double rolling = width * aspect * 0.01 * 0.002 + rim * 0.0254;
          const double factor = std::round(0.49837227 / rolling * 1e6) / 1e6;
          entries[static_cast<std::size_t>((a * kTyreAspects + b) * kTyreRims + c)] = static_cast<float>(factor);
        }
      }
    }
  }
};

}  // namespace

std::optional<float> TyreTableEntry(int widthIndex, int aspectIndex, int rimIndex) {
  if (widthIndex < 0 || widthIndex >= kTyreWidths || aspectIndex < 0 || aspectIndex >= kTyreAspects ||
      rimIndex < 0 || rimIndex >= kTyreRims) {
    return std::nullopt;
  }
  static const TyreTable table;
  return table.entries[static_cast<std::size_t>((widthIndex * kTyreAspects + aspectIndex) * kTyreRims + rimIndex)];
}

std::optional<float> TyreFactorFromIndexes(int widthIndex1, int aspectIndex1, int rimIndex1) {
  return TyreTableEntry(widthIndex1 - 1, aspectIndex1 - 1, rimIndex1 - 1);
}

std::optional<float> TyreFactorFromSize(float width, float aspect, float rim) {
  const auto a = vetra::SaturatingCast<std::int64_t>(width) / 5;
  const auto b = vetra::SaturatingCast<std::int64_t>(aspect) / 5;
  const auto c = vetra::SaturatingCast<std::int64_t>(rim);
  if (a < 30 || b < 6 || c < 10 || a > 100 || b > 100 || c > 100) return std::nullopt;
  return TyreTableEntry(static_cast<int>(a - 30), static_cast<int>(b - 6), static_cast<int>(c - 10));
}

double SafeDivide(double a, double b) {
  if (b == 0.0) return 0.0;
  const double q = a / b;
  return std::isfinite(q) ? q : 0.0;
}

}  // namespace morvit
