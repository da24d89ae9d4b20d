// KsDateTime: a date and a time of day, with the carry between the two.
#include "ksdatetime.h"

#include "basesvc.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/ks_field_access.h"

namespace {
constexpr unsigned short kPlainOrder = 0xFFFF;
constexpr int kSecondsPerDay = 86400;
}  // namespace

KsDateTime::KsDateTime() : date(), time() {}
KsDateTime::KsDateTime(const KsDate& d) : date(d), time() {}
KsDateTime::KsDateTime(const KsTime& t) : date(), time(t) {}
KsDateTime::KsDateTime(KsDate& d) : date(d), time() {}
KsDateTime::KsDateTime(KsTime& t) : date(), time(t) {}

KsDateTime& KsDateTime::operator=(const KsTime& t) {
  time = t;
  return *this;
}

KsDateTime& KsDateTime::Now() {
  time.Now();
  date.Today();
  return *this;
}

// One clock reading for both parts, so that they cannot straddle midnight.
KsDateTime& KsDateTime::NowUTC() {
  btime now{};
  bdate today{};
  bksgetsystemtime(&now, &today);
  date = KsDate(today.year, static_cast<char>(today.month), static_cast<char>(today.day));
  time = KsTime(static_cast<char>(now.hour), static_cast<char>(now.minute), static_cast<char>(now.second));
  return *this;
}

// The time part wraps by the remainder; when it wrapped past midnight, the
// date takes one more day in that direction.
void KsDateTime::AddSeconds(int seconds) {
  int days = seconds / kSecondsPerDay;
  const int rest = seconds - kSecondsPerDay * days;
  KsTime t = time;
  if (rest < 0) {
    t = t - (-rest);
    if (t > time) --days;
  } else {
    t = t + rest;
    if (t < time) ++days;
  }
  date += days;
  time = t;
}

int KsDateTime::Compare(const KsDateTime& other) const {
  return Compare(other, kPlainOrder);
}

int KsDateTime::Compare(const KsDateTime& other, unsigned short flags) const {
  const int byDate = date.Compare(other.date, flags);
  return byDate != 0 ? byDate : time.Compare(other.time, flags);
}

int KsDateTime::operator==(const KsDateTime& other) const {
  return Compare(other, kPlainOrder) == 0;
}

int KsDateTime::operator!=(const KsDateTime& other) const {
  const int byDate = date != other.date;
  return byDate != 0 ? byDate : (time != other.time);
}

int KsDateTime::IsDateTime() const {
  return date.IsDate() && time.IsTime();
}
int KsDateTime::IsNullValue() const {
  return date.IsNullValue() && time.IsNullValue();
}
int KsDateTime::IsZeroValue() const {
  return Compare(ZeroValue(), kPlainOrder) == 0;
}
int KsDateTime::IsDefaultValue() const {
  return date == KsDate::DefaultValue();
}

int KsDateTime::SetNullValue() {
  *this = NullValue();
  return 0;
}
int KsDateTime::SetDefaultValue() {
  *this = DefaultValue();
  return 0;
}
int KsDateTime::SetZeroValue() {
  *this = ZeroValue();
  return 0;
}

void KsDateTime::PrintToKsString(KsString& out, const char* format) const {
  ks::datefmt::PrintValue(out, *this, format != nullptr ? format : "%Y-%m-%dT%H:%M:%S");
}

void KsDateTime::ScanFromKsString(KsString& in, const char* format) {
  ks::datefmt::ScanValue(this, in, format != nullptr ? format : "%Y-%m-%dT%H:%M:%S");
}
