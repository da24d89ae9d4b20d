// Julian Day Numbers of the proleptic Gregorian calendar, both ways.
//
// These are the integer formulas with truncating division that dates have
// always been calculated with here; they are exact inverses for every day
// number from 0 (-4713-11-24) on. The arithmetic runs in 64 bits so that day
// numbers near the ends of int, which can arrive from callers, never overflow;
// within the range of 32-bit arithmetic the results are the same.
#pragma once

#include <cstdint>

namespace ks::calendar {

struct CivilDate {
  long long year;
  long long month;
  long long day;
};

inline long long JulianDayNumber(long long year, long long month, long long day) {
  const long long a = (month - 14) / 12;
  return day - 32075 + 1461 * (year + 4800 + a) / 4 + 367 * (month - 2 - 12 * a) / 12 -
         3 * ((year + 4900 + a) / 100) / 4;
}

inline CivilDate CivilFromJulianDay(long long jdn) {
  long long l = jdn + 68569;
  const long long n = 4 * l / 146097;
  l = l - (146097 * n + 3) / 4;
  const long long i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const long long k = 80 * l / 2447;
  const long long day = l - 2447 * k / 80;
  l = k / 11;
  const long long month = k + 2 - 12 * l;
  const long long year = 100 * (n - 49) + i + l;
  return {year, month, day};
}

// The Julian Day Number of 0000-01-01, the epoch of the nanosecond totals.
constexpr long long kJdnOfYearZero = 1721060;

}  // namespace ks::calendar
