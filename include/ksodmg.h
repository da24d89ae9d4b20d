// The ODMG date and time classes: d_Date (type id 22), d_Time (23),
// d_Timestamp (24) and d_Interval (25), and the overlaps tests of periods.
//
// They live beside the Ks calendar classes and convert from them, but count
// in their own way, which stored values and index orders depend on:
//   - d_Date numbers its days with the classical astronomical formula, which
//     switches from the Julian to the Gregorian calendar in October 1582
//     (1582-10-04 is followed by 1582-10-15), and whose day number is the
//     Julian Day Number minus 1. Before 1600 every fourth century year is a
//     leap year, as in the Julian calendar.
//   - d_Time keeps its zone offset and stores the hour and minute with the
//     offset added; hundredths of a second are kept in a byte of their own.
//   - d_Interval is one float of seconds; its constructor adds the
//     magnitudes of its parts and then negates the whole sum when any part
//     is negative.
// Comparison operators answer ints: != and the orderings are differences
// (non-zero means "different"), == is 1 only when every field is equal.
// No operation throws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksexport.h"

class KsDate;
class KsTime;
class KsDateTime;
class d_Interval;
class d_Timestamp;

class KS_API d_Date {
 public:
  enum Weekday { Sunday = 0, Monday = 1, Tuesday = 2, Wednesday = 3, Thursday = 4, Friday = 5, Saturday = 6 };
  enum Month {
    January = 1,
    February = 2,
    March = 3,
    April = 4,
    May = 5,
    June = 6,
    July = 7,
    August = 8,
    September = 9,
    October = 10,
    November = 11,
    December = 12
  };

  // Today's local date.
  d_Date();
  static d_Date current();
  // The fields as given, cut to their widths, unchecked.
  constexpr d_Date(short year, unsigned short month, unsigned short day)
      : calYear(year), calMonth(static_cast<uint8_t>(month)), calDay(static_cast<uint8_t>(day)) {}
  // Day dayOfYear of the year, counted from 1 (January 1).
  d_Date(short year, unsigned short dayOfYear);
  d_Date(KsDate& date);
  d_Date(KsDateTime& dateTime);
  d_Date(const d_Timestamp& stamp);
  d_Date(const d_Date& other) = default;
  d_Date& operator=(const d_Date& other) = default;
  d_Date& operator=(KsDate& date);
  d_Date& operator=(KsDateTime& dateTime);
  d_Date& operator=(const d_Timestamp& stamp);

  short year() const { return calYear; }
  unsigned short month() const { return calMonth; }
  unsigned short day() const { return calDay; }
  // (day number + 2) reduced into 0..6, Sunday 0.
  Weekday day_of_week() const;
  unsigned short day_of_year() const;
  int days_in_month() const;
  // 31, 30, 29 or 28; 0 for a month outside 1..12.
  static int days_in_month(short year, unsigned short month);
  static int is_leap_year(short year);
  int is_leap_year() const { return is_leap_year(calYear); }

  // Forward (back) 1..7 days to the next (previous) date on the weekday;
  // a date already on it moves a whole week.
  d_Date& next(Weekday day);
  d_Date& previous(Weekday day);
  d_Date operator++(int);
  d_Date operator--(int);
  // Move by the interval's whole days (truncated toward zero).
  d_Date& operator+=(const d_Interval& interval);
  d_Date& operator-=(const d_Interval& interval);

  // All three fields equal.
  int operator==(const d_Date& other) const;

  // The day number (the Julian Day Number minus 1; 2000-01-01 is 2451544),
  // and the date of a day number.
  int getAbsDate() const;
  d_Date& setAbsDate(int dayNumber);

  int16_t calYear;
  uint8_t calMonth;
  uint8_t calDay;
};

// The difference of the day numbers (a - b).
KS_API int operator!=(const d_Date& a, const d_Date& b);
KS_API int operator<(const d_Date& a, const d_Date& b);
KS_API int operator<=(const d_Date& a, const d_Date& b);
KS_API int operator>(const d_Date& a, const d_Date& b);
KS_API int operator>=(const d_Date& a, const d_Date& b);
KS_API d_Date operator+(const d_Date& date, const d_Interval& interval);
KS_API d_Date operator+(const d_Interval& interval, const d_Date& date);
KS_API d_Date operator-(const d_Date& date, const d_Interval& interval);

class KS_API d_Time {
 public:
  // A signed hour offset from UTC.
  enum Time_Zone {
    GMT = 0,
    GMT1 = 1,
    GMT2 = 2,
    GMT3 = 3,
    GMT4 = 4,
    GMT5 = 5,
    GMT6 = 6,
    GMT7 = 7,
    GMT8 = 8,
    GMT9 = 9,
    GMT10 = 10,
    GMT11 = 11,
    GMT12 = 12,
    GMT_1 = -1,
    GMT_2 = -2,
    GMT_3 = -3,
    GMT_4 = -4,
    GMT_5 = -5,
    GMT_6 = -6,
    GMT_7 = -7,
    GMT_8 = -8,
    GMT_9 = -9,
    GMT_10 = -10,
    GMT_11 = -11,
    GMT_12 = -12
  };

  // The current local time in the default zone.
  d_Time();
  static d_Time current();
  // The default zone; second split into whole seconds and hundredths.
  d_Time(unsigned short hour, unsigned short minute, float second);
  // The given zone (hours and minutes), added to the stored hour and minute.
  d_Time(unsigned short hour, unsigned short minute, float second, short zoneHours, short zoneMinutes);
  // A second count; negative counts are first raised by whole days into
  // 0..86399, counts of a day or more keep hours above 23.
  d_Time(int seconds);
  // The default zone, hundredths 0.
  d_Time(KsTime& time);
  d_Time(KsDateTime& dateTime);
  // The six fields of the stamp's time part.
  d_Time(const d_Timestamp& stamp);
  d_Time(const d_Time& other) = default;
  d_Time& operator=(const d_Time& other) = default;
  d_Time& operator=(KsTime& time);
  d_Time& operator=(KsDateTime& dateTime);
  d_Time& operator=(const d_Timestamp& stamp);

  // The stored hour and minute less the zone; no reduction into a day.
  int hour() const { return storedHour - tzHour; }
  int minute() const { return storedMinute - tzMinute; }
  // Whole seconds plus hundredths / 100.
  float second() const;
  int tz_hour() const { return tzHour; }
  int tz_minute() const { return tzMinute; }

  // Adds the interval to the stored clock fields and the whole seconds with
  // their hundredths; the zone stays.
  d_Time& operator+=(const d_Interval& interval);
  // As +=, but the hundredths of this time are left out of the sum.
  d_Time& operator-=(const d_Interval& interval);

  int operator==(const d_Time& other) const;

  // The zone that times made without one take, process-wide (initially 0).
  static void set_default_Time_Zone(Time_Zone zone);
  // The local zone of the clock (local - UTC, in whole hours); unchanged
  // when the clock reports none.
  static void set_default_Time_Zone_to_local();
  static int default_Time_Zone();

  // Moves the stored clock fields by delta, taking the hundredths of this
  // time into the sum or not.
  void Shift(const d_Interval& delta, bool withHundredths);
  // The fields as given, unchecked.
  static d_Time FromFields(int8_t zoneHours, int8_t zoneMinutes, int8_t hour, int8_t minute, int8_t second,
                           int8_t hundredths);

  int8_t tzHour;
  int8_t tzMinute;
  int8_t storedHour;    // hour of day + tzHour
  int8_t storedMinute;  // minute + tzMinute
  int8_t wholeSecond;
  int8_t hundredths;  // 0..99
};

// hour(), then minute(), then the seconds difference truncated toward zero:
// times less than a second apart answer 0.
KS_API int operator!=(const d_Time& a, const d_Time& b);
KS_API int operator<(const d_Time& a, const d_Time& b);
KS_API int operator<=(const d_Time& a, const d_Time& b);
KS_API int operator>(const d_Time& a, const d_Time& b);
KS_API int operator>=(const d_Time& a, const d_Time& b);
// A copy moved by the interval; the operand's hundredths are left out.
KS_API d_Time operator+(const d_Time& time, const d_Interval& interval);
KS_API d_Time operator+(const d_Interval& interval, const d_Time& time);
KS_API d_Time operator-(const d_Time& time, const d_Interval& interval);
// The stored clocks (stored hour, stored minute, whole seconds) subtracted.
KS_API d_Interval operator-(const d_Time& a, const d_Time& b);

class KS_API d_Timestamp {
 public:
  // Today and now (the current time in the default zone).
  d_Timestamp();
  static d_Timestamp current();
  // The date unchecked, the time in the default zone.
  d_Timestamp(short year, unsigned short month, unsigned short day, unsigned short hour = 0,
              unsigned short minute = 0, float second = 0.0f);
  d_Timestamp(const d_Date& date, const d_Time& time) : datePart(date), timePart(time) {}
  d_Timestamp(const d_Timestamp& other) = default;
  d_Timestamp& operator=(const d_Timestamp& other) = default;
  // The date, and the time as d_Time(KsTime&).
  d_Timestamp& operator=(KsDateTime& dateTime);
  // Replaces the date part only.
  d_Timestamp& operator=(const d_Date& date);

  const d_Date& date() const { return datePart; }
  const d_Time& time() const { return timePart; }
  short year() const { return datePart.year(); }
  unsigned short month() const { return datePart.month(); }
  unsigned short day() const { return datePart.day(); }
  int hour() const { return timePart.hour(); }
  int minute() const { return timePart.minute(); }
  float second() const { return timePart.second(); }
  int tz_hour() const { return timePart.tz_hour(); }
  int tz_minute() const { return timePart.tz_minute(); }

  // The day of the month and the time make one interval with the operand;
  // the whole days of the sum move the date, the rest is the new time.
  d_Timestamp& operator+=(const d_Interval& interval);
  d_Timestamp& operator-=(const d_Interval& interval);

  int operator==(const d_Timestamp& other) const;

  d_Date datePart;
  d_Time timePart;
};

// The date difference (day numbers) if non-zero, else the time difference.
KS_API int operator!=(const d_Timestamp& a, const d_Timestamp& b);
KS_API int operator<(const d_Timestamp& a, const d_Timestamp& b);
KS_API int operator<=(const d_Timestamp& a, const d_Timestamp& b);
KS_API int operator>(const d_Timestamp& a, const d_Timestamp& b);
KS_API int operator>=(const d_Timestamp& a, const d_Timestamp& b);
KS_API d_Timestamp operator+(const d_Timestamp& stamp, const d_Interval& interval);
KS_API d_Timestamp operator+(const d_Interval& interval, const d_Timestamp& stamp);
KS_API d_Timestamp operator-(const d_Timestamp& stamp, const d_Interval& interval);

class KS_API d_Interval {
 public:
  // s = |minute|*60 + |second| + |hour|*3600 + |day|*86400, negated when any
  // argument is negative.
  d_Interval(int day = 0, int hour = 0, int minute = 0, float second = 0.0f);
  d_Interval(const d_Interval& other) = default;
  d_Interval& operator=(const d_Interval& other) = default;

  // trunc(s / 86400), and the rest of the whole seconds split into hours and
  // minutes (remainders truncate toward zero, so a negative s gives negative
  // parts); second() keeps the fraction.
  int day() const;
  int hour() const;
  int minute() const;
  float second() const;
  float seconds() const { return totalSeconds; }
  int is_zero() const { return totalSeconds == 0.0f; }

  d_Interval operator-() const;
  d_Interval& operator+=(const d_Interval& other);
  d_Interval& operator-=(const d_Interval& other);
  d_Interval& operator*=(int factor);
  // A divisor of 0 leaves the interval unchanged.
  d_Interval& operator/=(int divisor);

  static d_Interval FromSeconds(float seconds);

  float totalSeconds;
};

KS_API d_Interval operator+(const d_Interval& a, const d_Interval& b);
KS_API d_Interval operator-(const d_Interval& a, const d_Interval& b);
KS_API d_Interval operator*(const d_Interval& interval, int factor);
KS_API d_Interval operator*(int factor, const d_Interval& interval);
KS_API d_Interval operator/(const d_Interval& interval, int divisor);
KS_API int operator==(const d_Interval& a, const d_Interval& b);
KS_API int operator!=(const d_Interval& a, const d_Interval& b);
KS_API int operator<(const d_Interval& a, const d_Interval& b);
KS_API int operator<=(const d_Interval& a, const d_Interval& b);
KS_API int operator>(const d_Interval& a, const d_Interval& b);
KS_API int operator>=(const d_Interval& a, const d_Interval& b);

// Whether the closed periods [a1, a2] and [b1, b2] share a point in time;
// each period may be given in either order, and periods that only touch at
// an end overlap. The mixed forms compare a stamp's date part with dates, or
// its time part with times.
KS_API int overlaps(const d_Date& a1, const d_Date& a2, const d_Date& b1, const d_Date& b2);
KS_API int overlaps(const d_Time& a1, const d_Time& a2, const d_Time& b1, const d_Time& b2);
KS_API int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Timestamp& b1,
                    const d_Timestamp& b2);
KS_API int overlaps(const d_Date& a1, const d_Date& a2, const d_Timestamp& b1, const d_Timestamp& b2);
KS_API int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Date& b1, const d_Date& b2);
KS_API int overlaps(const d_Time& a1, const d_Time& a2, const d_Timestamp& b1, const d_Timestamp& b2);
KS_API int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Time& b1, const d_Time& b2);

static_assert(sizeof(d_Date) == 4);
static_assert(offsetof(d_Date, calYear) == 0 && offsetof(d_Date, calMonth) == 2 &&
              offsetof(d_Date, calDay) == 3);
static_assert(sizeof(d_Time) == 6);
static_assert(offsetof(d_Time, tzHour) == 0 && offsetof(d_Time, storedHour) == 2 &&
              offsetof(d_Time, hundredths) == 5);
static_assert(sizeof(d_Timestamp) == 10);
static_assert(offsetof(d_Timestamp, timePart) == 4);
static_assert(sizeof(d_Interval) == 4);
