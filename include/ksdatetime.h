// KsDateTime: a calendar date with a time of day to the second (type id 19).
//
// The pair of a KsDate and a KsTime; what it adds to them is the carry
// between the two when seconds are added or the value moves between UTC and
// local time. Eight bytes in memory (seven of fields, one of padding).
#pragma once

#include <cstddef>

#include "ksdate.h"
#include "ksexport.h"
#include "ksstring.h"

class KS_API KsDateTime {
 public:
  // Today's local date and the current local time.
  KsDateTime();
  // The given date with the current local time (not midnight).
  KsDateTime(const KsDate& d);
  // Today's local date with the given time.
  KsDateTime(const KsTime& t);
  constexpr KsDateTime(const KsDate& d, const KsTime& t) : date(d), time(t) {}
  KsDateTime(KsDate& d);
  KsDateTime(KsTime& t);
  KsDateTime(KsDate& d, KsTime& t) : date(d), time(t) {}
  KsDateTime(const KsDateTime& other) = default;
  KsDateTime& operator=(const KsDateTime& other) = default;
  // Replaces the time part only.
  KsDateTime& operator=(const KsTime& t);

  KsDateTime& Now();
  KsDateTime& NowUTC();
  // Move by the zone offset of the base services, carrying into the date.
  // 0, or -2171 when no zone is known (the value is then unchanged).
  int ToLocalTime();
  int ToUTCTime();

  // Adds seconds with carry into the date.
  void AddSeconds(int seconds);

  // Date parts first, then time parts; flags as KsDate::Compare (0xFFFF
  // when not given: plain ordering, no wildcards).
  int Compare(const KsDateTime& other) const;
  int Compare(const KsDateTime& other, unsigned short flags) const;
  int operator==(const KsDateTime& other) const;
  // The first differing field's difference; 0 when equal.
  int operator!=(const KsDateTime& other) const;

  int IsDateTime() const;
  int IsDaTime() const { return IsDateTime(); }
  int IsNullValue() const;
  int IsZeroValue() const;
  // Only the date part is looked at.
  int IsDefaultValue() const;
  int SetNullValue();
  int SetDefaultValue();
  int SetZeroValue();

  static const KsDateTime& Null();
  static const KsDateTime& ClearValue();
  static const KsDateTime& NullValue();
  static const KsDateTime& DefaultValue();
  static const KsDateTime& ZeroValue();

  // Text through the date format engine; a null format is
  // "%Y-%m-%dT%H:%M:%S".
  void PrintToKsString(KsString& out, const char* format) const;
  void ScanFromKsString(KsString& in, const char* format);

  KsDate date;
  KsTime time;

 private:
  // Moves the value by a zone offset in minutes (one day of carry at most).
  void MoveByZoneMinutes(long long minutes);
};

static_assert(sizeof(KsDateTime) == 8);
static_assert(offsetof(KsDateTime, date) == 0 && offsetof(KsDateTime, time) == 4);
