#pragma once
// Integer conversions of the viewers' arithmetic. Readings come from recordings that may be
// damaged, so a float far out of range or NaN must give a defined integer, never undefined
// behaviour; and some values are deliberately kept to their low bits, as the stored formats do.
#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

namespace vetra {

template <typename T>
concept IntegerType = std::integral<T> && !std::same_as<T, bool>;

// Truncates toward zero and clamps to T's range; NaN gives 0.
template <IntegerType T>
constexpr T SaturatingCast(double value)
{
  using Limits = std::numeric_limits<T>;
  // 2^digits, one past T's largest value, is exact as a double (Limits::max() itself may not be).
  constexpr double kPastMax = static_cast<double>(Limits::max() / 2 + 1) * 2.0;
  constexpr double kMin = static_cast<double>(Limits::min());
  if (value != value) return 0;  // NaN
  if (value >= kPastMax) return Limits::max();
  if (value <= kMin) return Limits::min();
  return static_cast<T>(value);
}

// An integer clamped to T's range.
template <IntegerType T, IntegerType U>
constexpr T SaturatingCast(U value)
{
  if (std::cmp_greater(value, std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  if (std::cmp_less(value, std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  return static_cast<T>(value);
}

// Sums, differences and products of wide integers clamped to T's range, with no overflow on the
// way: a saturated reading used again in arithmetic stays saturated instead of wrapping.
template <IntegerType T>
constexpr T SaturatingAdd(std::int64_t a, std::int64_t b)
{
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
  return SaturatingCast<T>(sum);
}

template <IntegerType T>
constexpr T SaturatingSubtract(std::int64_t a, std::int64_t b)
{
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(a, b, &difference))
    return b < 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::min();
  return SaturatingCast<T>(difference);
}

template <IntegerType T>
constexpr T SaturatingMultiply(std::int64_t a, std::int64_t b)
{
  std::int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product))
    return (a < 0) != (b < 0) ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
  return SaturatingCast<T>(product);
}

// The low bits of an integer that fit T, read as T (two's complement for signed T).
template <IntegerType T, IntegerType U>
constexpr T WrappingCast(U value)
{
  return static_cast<T>(value);
}

}  // namespace vetra
