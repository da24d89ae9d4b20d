// KsDateTimeN (a date and time with nanoseconds, type id 40) and KsTimeSpan
// (a duration, type id 41).
//
// Both share one twelve-byte layout: the seven bytes of a KsDateTime, one
// byte of padding, and a 32-bit nanosecond count at offset 8. They also share
// the carry routines; they differ only in what a carry into the day field
// means. A KsDateTimeN with a valid date moves by calendar days through the
// Julian Day Number; a KsTimeSpan (and a KsDateTimeN whose date is not valid)
// counts 30 days to the month and 12 months to the year, and only borrows a
// day or month from a larger unit that is non-zero, so that a span negative
// by less than a month keeps a negative day count.
//
// 64-bit amounts and totals are long long. Totals in nanoseconds wrap modulo
// 2^64 where they exceed it (a span of more than 292 years).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>

#include "ksdate.h"
#include "ksdatetime.h"
#include "ksexport.h"
#include "ksstring.h"

// The shared layout and carries of KsDateTimeN and KsTimeSpan.
class KS_API KsDateTimeNBase {
 public:
  KsDateTime dateTime;  // year, month, day, hour, minute, second
  int32_t nanoseconds;  // 0..999,999,999 in a normalised value

 public:
  // What a carry into the day field means (see above).
  enum class DayRule : unsigned char { Calendar, ThirtyDay };

 protected:
  constexpr KsDateTimeNBase(short y, char mo, char d, char h, char mi, char s, int ns)
      : dateTime(KsDate(y, mo, d), KsTime(h, mi, s)), nanoseconds(ns) {}
  KsDateTimeNBase(const KsDateTime& dt, int ns) : dateTime(dt), nanoseconds(ns) {}

  // The carries; an amount of 0 leaves the value untouched.
  void CarryDays(long long days, DayRule rule);
  void CarryHours(long long hours, DayRule rule);
  void CarryMinutes(long long minutes, DayRule rule);
  void CarrySeconds(long long seconds, DayRule rule);
  void CarryNanoSeconds(long long nanos, DayRule rule);
  void CarrySeconds(double seconds, DayRule rule);

  long long TotalSeconds(int totalDays) const;
  long long TotalNanoSeconds(int totalDays) const;
  double TotalSecondsF(int totalDays) const;

  int CompareWith(const KsDateTimeNBase& other, unsigned short flags) const;
  int EqualTo(const KsDateTimeNBase& other) const;
  int HasNullPattern() const;
};

// The operations KsDateTimeN and KsTimeSpan share, each bound to the class's
// day rule and day count: amounts added with carries, totals, comparison and
// the special-value tests. Derived provides GetTotalDays, DefaultValue and
// ZeroValue.
template <class Derived, KsDateTimeNBase::DayRule kRule>
class KS_API KsDateTimeNUnits : public KsDateTimeNBase {
 public:
  void AddDays(int days) { CarryDays(days, kRule); }
  void AddHours(int hours) { CarryHours(hours, kRule); }
  void AddMinutes(int minutes) { CarryMinutes(minutes, kRule); }
  void AddSeconds(int seconds) { CarrySeconds(static_cast<long long>(seconds), kRule); }
  void AddSeconds(long long seconds) { CarrySeconds(seconds, kRule); }
  void AddSeconds(double seconds) { CarrySeconds(seconds, kRule); }
  void AddNanoSeconds(int nanos) { CarryNanoSeconds(nanos, kRule); }
  void AddNanoSeconds(long long nanos) { CarryNanoSeconds(nanos, kRule); }
  // Any other integer as long long: int64_t, uint64_t and size_t are long
  // and unsigned long here, which no overload above takes exactly.
  template <std::integral I>
  void AddSeconds(I seconds) {
    CarrySeconds(static_cast<long long>(seconds), kRule);
  }
  template <std::integral I>
  void AddNanoSeconds(I nanos) {
    CarryNanoSeconds(static_cast<long long>(nanos), kRule);
  }
  template <std::integral I>
  void SetTotalSeconds(I seconds) {
    Mutable().SetTotalSeconds(static_cast<long long>(seconds));
  }
  template <std::integral I>
  void SetTotalNanoSeconds(I nanos) {
    Mutable().SetTotalNanoSeconds(static_cast<long long>(nanos));
  }

  long long GetTotalSeconds() const { return TotalSeconds(Self().GetTotalDays()); }
  long long GetTotalNanoSeconds() const { return TotalNanoSeconds(Self().GetTotalDays()); }
  double GetTotalSeconds_f() const { return TotalSecondsF(Self().GetTotalDays()); }

  // The first six fields as KsDateTime::Compare; then -1, 0 or 1 by the
  // nanoseconds, where -1 nanoseconds match anything unless flag 0x10 is set.
  int Compare(const Derived& other, unsigned short flags) const { return CompareWith(other, flags); }
  int operator==(const Derived& other) const { return EqualTo(other); }

  int IsNullValue() const { return HasNullPattern(); }
  int IsDefaultValue() const { return EqualTo(Derived::DefaultValue()); }
  int IsZeroValue() const { return EqualTo(Derived::ZeroValue()); }

 protected:
  using KsDateTimeNBase::KsDateTimeNBase;

 private:
  const Derived& Self() const { return static_cast<const Derived&>(*this); }
  Derived& Mutable() { return static_cast<Derived&>(*this); }
};

class KsTimeSpan;

class KS_API KsDateTimeN : public KsDateTimeNUnits<KsDateTimeN, KsDateTimeNBase::DayRule::Calendar> {
 public:
  // The null value.
  KsDateTimeN();
  KsDateTimeN(const KsDateTimeN& other) = default;
  KsDateTimeN& operator=(const KsDateTimeN& other) = default;
  KsDateTimeN(const KsDate& d);
  KsDateTimeN(const KsDate& d, const KsTime& t);
  KsDateTimeN(const KsDateTime& dt);
  KsDateTimeN(const KsTime& t);
  // The fields as given, unchecked.
  constexpr KsDateTimeN(short y, char mo, char d, char h, char mi, char s, int ns)
      : KsDateTimeNUnits(y, mo, d, h, mi, s, ns) {}
  // 0000-01-01 00:00:00 moved forward by seconds.
  explicit KsDateTimeN(double seconds);
  KsDateTimeN& operator=(const KsDateTime& dt);

  // Days since 0000-01-01 (Julian Day Number 1721060).
  int GetTotalDays() const;
  // 0000-01-01 00:00:00.0 moved forward by the amount.
  void SetTotalDays(int days);
  void SetTotalSeconds(long long seconds);
  void SetTotalSeconds(double seconds);
  void SetTotalNanoSeconds(long long nanos);
  using KsDateTimeNUnits::SetTotalNanoSeconds;
  using KsDateTimeNUnits::SetTotalSeconds;
  void SetZero();

  KsDateTimeN& Now();
  KsDateTimeN& NowUTC();
  // 0, or -2171 when no zone is known (the value is then unchanged).
  int ToLocalTime();
  int ToUTCTime();

  int IsValidDateTime() const;

  int SetNullValue();
  int SetDefaultValue();

  static const KsDateTimeN& NullValue();
  static const KsDateTimeN& DefaultValue();
  static const KsDateTimeN& ZeroValue();
  static const KsDateTimeN& ClearValue();

  // Text through the date format engine; a null format is "%X".
  void PrintToKsString(KsString& out, const char* format) const;
  void ScanFromKsString(KsString& in, const char* format);
};

class KS_API KsTimeSpan : public KsDateTimeNUnits<KsTimeSpan, KsDateTimeNBase::DayRule::ThirtyDay> {
 public:
  // The null value.
  KsTimeSpan();
  KsTimeSpan(const KsTimeSpan& other) = default;
  KsTimeSpan& operator=(const KsTimeSpan& other) = default;
  // Hours to nanoseconds stored as given (cut to their widths), then the
  // days added by the 30-day rule.
  KsTimeSpan(int days, int hours, int minutes, int seconds, int nanos);
  // Every field stored as given, cut to its width, not normalised.
  constexpr KsTimeSpan(int years, int months, int days, int hours, int minutes, int seconds, int nanos)
      : KsDateTimeNUnits(static_cast<short>(years), static_cast<char>(months), static_cast<char>(days),
                         static_cast<char>(hours), static_cast<char>(minutes), static_cast<char>(seconds),
                         nanos) {}
  explicit KsTimeSpan(double seconds);

  // days + 30 * (months + 12 * years).
  int GetTotalDays() const;
  // The zero span plus the amount.
  void SetTotalDays(int days);
  void SetTotalSeconds(long long seconds);
  void SetTotalSeconds(double seconds);
  void SetTotalNanoSeconds(long long nanos);
  using KsDateTimeNUnits::SetTotalNanoSeconds;
  using KsDateTimeNUnits::SetTotalSeconds;
  void SetZero();

  // One field each, cut to its width, not normalised.
  void SetYears(int years) { dateTime.date.year = static_cast<int16_t>(years); }
  void SetMonths(int months) { dateTime.date.month = static_cast<int8_t>(months); }
  void SetDays(int days) { dateTime.date.day = static_cast<int8_t>(days); }
  void SetHours(int hours) { dateTime.time.hour = static_cast<int8_t>(hours); }
  void SetMinutes(int minutes) { dateTime.time.minute = static_cast<int8_t>(minutes); }
  void SetSeconds(int seconds) { dateTime.time.second = static_cast<int8_t>(seconds); }
  void SetNanoSeconds(int nanos) { nanoseconds = nanos; }

  int SetNullValue();
  int SetDefaultValue();

  static const KsTimeSpan& NullValue();
  static const KsTimeSpan& DefaultValue();
  static const KsTimeSpan& ZeroValue();
  static const KsTimeSpan& ClearValue();

  // The distance between two points in time whose fields are read as
  // calendar date, time and nanoseconds; null operands count as all zero.
  static KsTimeSpan Difference(const KsTimeSpan& a, const KsTimeSpan& b);

  // Text through the date format engine; a null format is "%V".
  void PrintToKsString(KsString& out, const char* format) const;
  void ScanFromKsString(KsString& in, const char* format);
};

static_assert(sizeof(KsDateTimeN) == 12 && sizeof(KsTimeSpan) == 12);
static_assert(offsetof(KsDateTimeN, dateTime) == 0 && offsetof(KsDateTimeN, nanoseconds) == 8);
static_assert(offsetof(KsTimeSpan, dateTime) == 0 && offsetof(KsTimeSpan, nanoseconds) == 8);
