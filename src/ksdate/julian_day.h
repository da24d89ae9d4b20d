// Julian Day Numbers of the proleptic Gregorian calendar, both ways.
//
// These are the integer formulas with truncating division that dates have
// always been calculated with here; they are exact inverses for every day
// number from 0 (-4713-11-24) on. Day numbers near the ends of int, which can
// arrive from callers, are calculated in 64 bits so that nothing overflows;
// within the range of 32-bit arithmetic the results are the same.
#pragma once

#include <cstdint>

namespace ks::calendar {

// Every int day number gives fields that fit int (years within about six
// million of year 0).
struct CivilDate {
  int year;
  int month;
  int day;
};

// Both are templates over the integer type: where every operand of a
// division is known to be non-negative they run unsigned, where truncation
// toward zero matters signed, and far-out day numbers in 64 bits. Unsigned
// division of non-negative operands truncates exactly as signed division
// does, and costs less.
template <class Int>
inline Int JulianDayNumberIn(Int year, Int month, Int day) {
  const Int a = (month - 14) / 12;
  return day - 32075 + 1461 * (year + 4800 + a) / 4 + 367 * (month - 2 - 12 * a) / 12 -
         3 * ((year + 4900 + a) / 100) / 4;
}

// Fields of 16 and 8 bits keep every intermediate value far inside int.
inline int JulianDayNumber(int year, int month, int day) {
  const int a = (month - 14) / 12;
  const int yearsFrom4800BC = year + 4800 + a;
  const int monthsFromMarch = month - 2 - 12 * a;
  if (yearsFrom4800BC >= 0 && monthsFromMarch >= 0) {
    const unsigned y = static_cast<unsigned>(yearsFrom4800BC);
    const unsigned m = static_cast<unsigned>(monthsFromMarch);
    return day - 32075 + static_cast<int>(1461 * y / 4) + static_cast<int>(367 * m / 12) -
           static_cast<int>(3 * ((y + 100) / 100) / 4);
  }
  return JulianDayNumberIn<int>(year, month, day);
}

template <class Int>
inline CivilDate CivilFromJulianDayIn(Int jdn) {
  Int l = jdn + 68569;
  const Int n = 4 * l / 146097;
  l = l - (146097 * n + 3) / 4;
  const Int i = 4000 * (l + 1) / 1461001;
  l = l - 1461 * i / 4 + 31;
  const Int k = 80 * l / 2447;
  const Int day = l - 2447 * k / 80;
  l = k / 11;
  const Int month = k + 2 - 12 * l;
  const Int year = 100 * (n - 49) + i + l;
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

// 4 * (jdn + 68569) is the largest intermediate value; within this bound it
// fits int.
constexpr int kLargestJdnIn32Bits = 500'000'000;

// From day number 0 on, every intermediate value is non-negative.
inline CivilDate CivilFromJulianDay(int jdn) {
  if (jdn >= 0 && jdn <= kLargestJdnIn32Bits)
    return CivilFromJulianDayIn<unsigned>(static_cast<unsigned>(jdn));
  if (jdn >= -kLargestJdnIn32Bits && jdn < 0) return CivilFromJulianDayIn<int>(jdn);
  return CivilFromJulianDayIn<long long>(jdn);
}

// The Julian Day Number of 0000-01-01, the epoch of the nanosecond totals.
constexpr long long kJdnOfYearZero = 1721060;

}  // namespace ks::calendar
