// KsDate (a calendar date, type id 12) and KsTime (a time of day, type id 13).
//
// Both are plain value types with an exact four- and three-byte layout, so
// that persistent objects can embed them and the type manager can address
// their fields. The fields are never forced into range: any bit pattern is a
// value, IsDate()/IsTime() tell whether it is a valid one. Two field values
// mean something of their own: -1 is a wildcard ("any") that comparisons
// skip and the text forms print as '*', and -128 (-32768 for the year) marks
// the null value.
//
// Dates calculate through the Julian Day Number of the proleptic Gregorian
// calendar; times through seconds since midnight, wrapping within the day.
// No operation throws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksexport.h"
#include "ksstring.h"

// 0 Monday .. 6 Sunday.
enum KsDaysOfTheWeek {
  KsMonday = 0,
  KsTuesday = 1,
  KsWednesday = 2,
  KsThursday = 3,
  KsFriday = 4,
  KsSaturday = 5,
  KsSunday = 6
};

class KS_API KsDate {
 public:
  // Today's local date from the base services' clock.
  KsDate();
  // The date whose Julian Day Number is jdn (as dateabs).
  KsDate(int jdn);
  // The fields as given, unchecked.
  constexpr KsDate(short y, char m, char d)
      : year(y), month(static_cast<int8_t>(m)), day(static_cast<int8_t>(d)) {}
  KsDate(const KsDate& other) = default;
  KsDate& operator=(const KsDate& other) = default;

  KsDate& Today();

  // Julian Day Number of the date; operator int() answers the same.
  int dayabs() const;
  operator int() const { return dayabs(); }
  // Sets the fields from a Julian Day Number.
  KsDate& dateabs(int jdn);
  // Days from this date to the first of the next month.
  int daynxtmonth() const;
  int IsLastDayOfTheMonth() const;
  int IsDate() const;

  // Arithmetic in days; the result is a valid date when the operand is.
  KsDate operator+(int days) const;
  KsDate operator-(int days) const;
  KsDate& operator+=(int days);
  KsDate& operator-=(int days);
  KsDate& operator++();
  KsDate& operator--();
  int operator-(const KsDate& other) const;

  // Comparison field by field (year, month, day) as signed numbers.
  // operator!= answers the difference of the first differing field.
  int operator==(const KsDate& other) const;
  int operator!=(const KsDate& other) const;
  int operator<(const KsDate& other) const;
  int operator<=(const KsDate& other) const;
  int operator>(const KsDate& other) const;
  int operator>=(const KsDate& other) const;
  // As operator!=, but a field that is -1 in either date is skipped unless
  // bit 0x10 of flags is set.
  int Compare(const KsDate& other, unsigned short flags) const;

  KsDaysOfTheWeek GetDayOfTheDate() const;
  KsDaysOfTheWeek DayOfTheDate() const { return GetDayOfTheDate(); }
  // The weekday's name ("Monday" .. "Sunday").
  KsString PrintDayOfTheDate() const;
  // The weekday's number 0..6 as decimal text.
  KsString PrintDayOfTheDate();

  static const KsDate& NullValue();
  static const KsDate& DefaultValue();
  static const KsDate& ZeroValue();
  static const KsDate& ClearValue();
  int IsNullValue() const;
  int IsDefaultValue() const;
  int IsZeroValue() const;
  int SetNullValue();
  int SetDefaultValue();
  int SetZeroValue();

  // Text through the date format engine; a null format is "%Y-%m-%d".
  void PrintToKsString(KsString& out, const char* format) const;
  void ScanFromKsString(KsString& in, const char* format);

  int16_t year;  // astronomical: year 0 exists
  int8_t month;  // 1..12 in a valid date
  int8_t day;    // 1..31 in a valid date

 protected:
  // Division and remainder of the magnitudes, negated when the signs differ.
  int divide(int a, int b) const;
  int modulo(int a, int b) const;
};

class KS_API KsTime {
 public:
  // The current local time of day.
  KsTime();
  // hour = seconds / 3600 and so on, truncating, without reducing the hour.
  KsTime(int seconds);
  constexpr KsTime(char h, char m, char s)
      : hour(static_cast<int8_t>(h)), minute(static_cast<int8_t>(m)), second(static_cast<int8_t>(s)) {}
  KsTime(const KsTime& other) = default;
  KsTime& operator=(const KsTime& other) = default;

  void SetSecondsAbs(int seconds);
  KsTime& Now();
  KsTime& NowUTC();
  // Shift by the zone offset of the base services, wrapping within the day.
  // 0, or -2171 when no zone is known (the time is then unchanged).
  int ToLocalTime();
  int ToUTCTime();

  // Arithmetic in seconds, wrapping into 00:00:00..23:59:59.
  KsTime operator+(int seconds) const;
  KsTime operator-(int seconds) const;
  KsTime operator-(const KsTime& other) const;
  KsTime& operator+=(int seconds);
  KsTime& operator-=(int seconds);
  KsTime& operator++();
  KsTime& operator--();
  // Seconds since midnight from the signed fields.
  operator int() const;
  int IsTime() const;

  int operator==(const KsTime& other) const;
  int operator!=(const KsTime& other) const;
  int operator<(const KsTime& other) const;
  int operator<=(const KsTime& other) const;
  int operator>(const KsTime& other) const;
  int operator>=(const KsTime& other) const;
  int Compare(const KsTime& other, unsigned short flags) const;

  static const KsTime& NullValue();
  static const KsTime& DefaultValue();
  static const KsTime& ZeroValue();
  static const KsTime& ClearValue();
  int IsNullValue() const;
  int IsDefaultValue() const;
  int IsZeroValue() const;
  int SetNullValue();
  int SetDefaultValue();
  int SetZeroValue();

  // Text through the date format engine; a null format is "%H:%M:%S".
  void PrintToKsString(KsString& out, const char* format) const;
  void ScanFromKsString(KsString& in, const char* format);

  int8_t hour;
  int8_t minute;
  int8_t second;

 private:
  // The wrapping addition behind every operator; 64 bits so that negating
  // any int amount is defined.
  KsTime Plus(long long seconds) const;
};

static_assert(sizeof(KsDate) == 4);
static_assert(offsetof(KsDate, year) == 0 && offsetof(KsDate, month) == 2 && offsetof(KsDate, day) == 3);
static_assert(sizeof(KsTime) == 3);
static_assert(offsetof(KsTime, hour) == 0 && offsetof(KsTime, minute) == 1 && offsetof(KsTime, second) == 2);
