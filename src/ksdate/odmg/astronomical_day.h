// Day numbers of the ODMG dates: the classical astronomical formula, which
// counts Julian calendar days up to 1582-10-04 and Gregorian ones from
// 1582-10-15 on. The day number is the Julian Day Number minus 1.
//
// The formula's "floor" has always been a conversion to integer, which
// truncates toward zero: for years up to 0, where 365.25 * y has a fraction,
// a true floor would give other day numbers, and stored day numbers of those
// years were made with the truncation. So neither direction is the exact
// inverse of the other there (0000-01-01 numbers 1721058, which reads back as
// 0000-01-02); from year 1 on they are.
#pragma once

namespace ks::odmg {

// REQUIRES: year within 16 bits and month and day within 8 bits (so that
// every intermediate value fits int).
int AstronomicalDayNumber(int year, int month, int day);

struct AstronomicalDate {
  int year;
  int month;
  int day;
};

// Any int day number; the results are cut to their field widths by the
// caller.
AstronomicalDate AstronomicalDateOf(int dayNumber);

// Every fourth year, but of the century years from 1600 on only those
// divisible by 400 (the Julian calendar's rule before).
bool IsOdmgLeapYear(int year);

}  // namespace ks::odmg
