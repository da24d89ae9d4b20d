// KsTimeSpan: a duration; a month counts 30 days and a year 12 months.
#include "ksdate/format/date_format.h"
#include "ksdate/format/ks_field_access.h"
#include "ksdatetimen.h"

namespace {
constexpr int kNanosPerSecond = 1'000'000'000;
}  // namespace

KsTimeSpan::KsTimeSpan() : KsDateTimeNUnits(NullValue().dateTime, 0) {}

KsTimeSpan::KsTimeSpan(int days, int hours, int minutes, int seconds, int nanos)
    : KsTimeSpan(0, 0, 0, hours, minutes, seconds, nanos) {
  AddDays(days);
}

KsTimeSpan::KsTimeSpan(double seconds) : KsTimeSpan(0, 0, 0, 0, 0, 0, 0) {
  AddSeconds(seconds);
}

int KsTimeSpan::GetTotalDays() const {
  const KsDate& d = dateTime.date;
  return d.day + 30 * (d.month + 12 * d.year);
}

void KsTimeSpan::SetTotalDays(int days) {
  SetZero();
  AddDays(days);
}

void KsTimeSpan::SetTotalSeconds(long long seconds) {
  SetZero();
  AddSeconds(seconds);
}

void KsTimeSpan::SetTotalSeconds(double seconds) {
  SetZero();
  AddSeconds(seconds);
}

void KsTimeSpan::SetTotalNanoSeconds(long long nanos) {
  SetZero();
  AddNanoSeconds(nanos);
}

void KsTimeSpan::SetZero() {
  *this = ZeroValue();
}

int KsTimeSpan::SetNullValue() {
  *this = NullValue();
  return 0;
}

int KsTimeSpan::SetDefaultValue() {
  *this = DefaultValue();
  return 0;
}

// The later point minus the earlier one: whole days through the Julian Day
// Number, the time of day with one borrowed day, and the days split by the
// 30-day rule of spans.
KsTimeSpan KsTimeSpan::Difference(const KsTimeSpan& a, const KsTimeSpan& b) {
  KsTimeSpan first = a.IsNullValue() ? KsTimeSpan(0, 0, 0, 0, 0, 0, 0) : a;
  KsTimeSpan second = b.IsNullValue() ? KsTimeSpan(0, 0, 0, 0, 0, 0, 0) : b;
  const bool firstIsLater = first.CompareWith(second, 0xFFFF) >= 0;
  KsTimeSpan& x = firstIsLater ? first : second;
  KsTimeSpan& y = firstIsLater ? second : first;

  int days = x.dateTime.date.dayabs() - y.dateTime.date.dayabs();
  long long xNanos = x.nanoseconds;
  if (xNanos < y.nanoseconds) {
    xNanos += kNanosPerSecond;
    ++y.dateTime.time;
  }
  if (x.dateTime.time < y.dateTime.time && days >= 1) {
    --days;
    x.dateTime.time.hour = static_cast<int8_t>(x.dateTime.time.hour + 24);
  }
  const int months = days / 30;
  const int years = months / 12;
  const KsTime t = x.dateTime.time - y.dateTime.time;
  return KsTimeSpan(years, months - 12 * years, days - 30 * months, t.hour, t.minute, t.second,
                    static_cast<int>(static_cast<int32_t>(xNanos - y.nanoseconds)));
}

void KsTimeSpan::PrintToKsString(KsString& out, const char* format) const {
  ks::datefmt::PrintValue(out, *this, format != nullptr ? format : "%V");
}

void KsTimeSpan::ScanFromKsString(KsString& in, const char* format) {
  ks::datefmt::ScanValue(this, in, format != nullptr ? format : "%V");
}
