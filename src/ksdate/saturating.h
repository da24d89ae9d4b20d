// Conversions that hold a value at the ends of the target range instead of
// overflowing, for amounts and numbers that callers or text can make as large
// as they like.
#pragma once

#include <cmath>
#include <cstdint>

namespace ks::calendar {

inline long long Clamp(long long value, long long low, long long high) {
  return value < low ? low : (value > high ? high : value);
}

inline int ClampToInt(long long value) {
  return static_cast<int>(Clamp(value, INT32_MIN, INT32_MAX));
}

// The 64-bit truncation of a double; NaN gives 0.
inline long long TruncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2233720368547758e18) return INT64_MAX;
  if (value <= -9.2233720368547758e18) return INT64_MIN;
  return static_cast<long long>(value);
}

}  // namespace ks::calendar
