// The carries and totals shared by KsDateTimeN and KsTimeSpan.
#include "ksdate/field_compare.h"
#include "ksdate/floor_division.h"
#include "ksdate/saturating.h"
#include "ksdatetimen.h"

namespace {

using ks::calendar::FloorDivide;
using ks::calendar::FloorSplit;

constexpr long long kNanosPerSecond = 1'000'000'000;

using ks::calendar::Clamp;
using ks::calendar::TruncateToInt64;

}  // namespace

// A valid date under the calendar rule moves by calendar days. Otherwise a
// month counts 30 days and a year 12 months; a negative remainder borrows
// from the next unit only while that unit or a larger one is non-zero, so a
// span negative by less than a month keeps a negative day count.
void KsDateTimeNBase::CarryDays(long long days, DayRule rule) {
  if (days == 0) return;
  KsDate& date = dateTime.date;
  if (rule == DayRule::Calendar && date.IsDate()) {
    const long long jdn = Clamp(static_cast<long long>(date.dayabs()) + days, INT32_MIN, INT32_MAX);
    date.dateabs(static_cast<int>(jdn));
    return;
  }
  const long long d = date.day + days;
  long long q = d / 30;
  long long r = d - 30 * q;
  if (r < 0 && !(q == 0 && date.month == 0 && date.year == 0)) {
    r += 30;
    --q;
  }
  date.day = static_cast<int8_t>(r);
  if (q == 0) return;
  const long long mo = date.month + q;
  long long q2 = mo / 12;
  long long r2 = mo - 12 * q2;
  if (r2 < 0 && !(q2 == 0 && date.year == 0)) {
    r2 += 12;
    --q2;
  }
  date.month = static_cast<int8_t>(r2);
  if (q2 != 0) date.year = static_cast<int16_t>(Clamp(date.year + q2, INT16_MIN, INT16_MAX));
}

void KsDateTimeNBase::CarryHours(long long hours, DayRule rule) {
  if (hours == 0) return;
  const FloorSplit h = FloorDivide(dateTime.time.hour + hours, 24);
  dateTime.time.hour = static_cast<int8_t>(h.remainder);
  if (h.quotient != 0) CarryDays(h.quotient, rule);
}

void KsDateTimeNBase::CarryMinutes(long long minutes, DayRule rule) {
  if (minutes == 0) return;
  const FloorSplit m = FloorDivide(dateTime.time.minute + minutes, 60);
  dateTime.time.minute = static_cast<int8_t>(m.remainder);
  if (m.quotient == 0) return;
  const FloorSplit h = FloorDivide(dateTime.time.hour + m.quotient, 24);
  dateTime.time.hour = static_cast<int8_t>(h.remainder);
  if (h.quotient != 0) CarryDays(h.quotient, rule);
}

// The amount is split before the field is added, so that no 64-bit amount
// overflows; the minutes go on as a 32-bit count.
void KsDateTimeNBase::CarrySeconds(long long seconds, DayRule rule) {
  if (seconds == 0) return;
  const FloorSplit amount = FloorDivide(seconds, 60);
  const FloorSplit s = FloorDivide(dateTime.time.second + amount.remainder, 60);
  dateTime.time.second = static_cast<int8_t>(s.remainder);
  const long long q = amount.quotient + s.quotient;
  if (q != 0) CarryMinutes(static_cast<int>(q), rule);
}

void KsDateTimeNBase::CarryNanoSeconds(long long nanos, DayRule rule) {
  if (nanos == 0) return;
  const FloorSplit amount = FloorDivide(nanos, kNanosPerSecond);
  const FloorSplit n = FloorDivide(nanoseconds + amount.remainder, kNanosPerSecond);
  nanoseconds = static_cast<int32_t>(n.remainder);
  const long long q = amount.quotient + n.quotient;
  if (q != 0) CarrySeconds(q, rule);
}

void KsDateTimeNBase::CarrySeconds(double seconds, DayRule rule) {
  if (seconds == 0) return;
  CarryNanoSeconds(TruncateToInt64(seconds * 1e9), rule);
}

long long KsDateTimeNBase::TotalSeconds(int totalDays) const {
  const KsTime& t = dateTime.time;
  return 86400LL * totalDays + 3600LL * t.hour + 60LL * t.minute + t.second;
}

// Wraps modulo 2^64 beyond about 292 years, as 64-bit integer arithmetic does.
long long KsDateTimeNBase::TotalNanoSeconds(int totalDays) const {
  const unsigned long long seconds = static_cast<unsigned long long>(TotalSeconds(totalDays));
  return static_cast<long long>(seconds * static_cast<unsigned long long>(kNanosPerSecond) +
                                static_cast<unsigned long long>(static_cast<long long>(nanoseconds)));
}

double KsDateTimeNBase::TotalSecondsF(int totalDays) const {
  return static_cast<double>(TotalSeconds(totalDays)) + nanoseconds / 1e9;
}

int KsDateTimeNBase::CompareWith(const KsDateTimeNBase& other, unsigned short flags) const {
  const int byFields = dateTime.Compare(other.dateTime, flags);
  if (byFields != 0) return byFields;
  if (ks::calendar::WildcardsOn(flags) && (nanoseconds == -1 || other.nanoseconds == -1)) return 0;
  return nanoseconds < other.nanoseconds ? -1 : (nanoseconds > other.nanoseconds ? 1 : 0);
}

int KsDateTimeNBase::EqualTo(const KsDateTimeNBase& other) const {
  return dateTime.Compare(other.dateTime, 0xFFFF) == 0 && nanoseconds == other.nanoseconds;
}

int KsDateTimeNBase::HasNullPattern() const {
  return dateTime.IsNullValue() && nanoseconds == 0;
}
