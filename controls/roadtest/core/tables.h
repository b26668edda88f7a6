#pragma once
// Fixed tables of the road-test viewer: value per raw step by coding, nominal ranges by range
// code, full scales of the piecewise conversion, unit names and the tyre factor table, plus the
// saturating conversions every derived byte passes through.
#include <cstdint>
#include <optional>
#include <string>

namespace morvit {

// Samples of a channel with one of these codings count from 0; all others centre on 127.
bool CountsFromZero(int coding);
int ZeroOfCoding(int coding);  // 0 or 127
// Value of one raw step; 0 for a coding without a row (15 and above, or negative).
double ResolutionOfCoding(int coding);
// Full scale of a coding for the piecewise tables; nothing for a coding without a row (above 9).
std::optional<double> CodingFullScale(int coding);

struct NominalRange {
  double low = 0;
  double high = 0;
};
// Nominal low and high by range code; codes outside 0..29 read as 0..0.
NominalRange RangeOfCode(int rangeCode);

// Unit text by index 0..17 (the unit code minus 1), CP949 without trailing blanks; empty for any
// other index.
std::string UnitName(int index);
// The unit of a channel's unit code: empty for 0 and for codes outside the table.
std::string UnitOfCode(int unitCode);

// Tyre factor table: 29 widths (150..290 mm), 11 aspects (30..80 %), 11 rims (10..20 in).
inline constexpr int kTyreWidths = 29;
inline constexpr int kTyreAspects = 11;
inline constexpr int kTyreRims = 11;
// Entry (width index, aspect index, rim index), all 0-based; nothing outside the table.
std::optional<float> TyreTableEntry(int widthIndex, int aspectIndex, int rimIndex);
// The entry of a tyre given as text indexes (1-based, decimal text read as the C library does).
std::optional<float> TyreFactorFromIndexes(int widthIndex1, int aspectIndex1, int rimIndex1);
// The entry of a tyre given in millimetres, percent and inches (fractions dropped).
std::optional<float> TyreFactorFromSize(float width, float aspect, float rim);

// a / b, or 0 when b is 0 or the quotient is not finite.
double SafeDivide(double a, double b);

}  // namespace morvit
