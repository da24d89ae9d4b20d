// KsTime: the time of day, calculated in seconds and wrapping within the day.
#include "basesvc.h"
#include "ksdate.h"
#include "ksdate/field_compare.h"
#include "ksdate/format/date_format.h"
#include "ksdate/format/ks_field_access.h"

namespace {

void Fields(const KsTime& t, int (&out)[3]) {
  out[0] = t.hour;
  out[1] = t.minute;
  out[2] = t.second;
}

// The truncating split of a second count into the three fields; each result
// is cut to its byte without reducing the hour modulo 24.
void SplitSeconds(int seconds, KsTime& t) {
  const int hour = seconds / 3600;
  const int minute = (seconds - hour * 3600) / 60;
  t.hour = static_cast<int8_t>(hour);
  t.minute = static_cast<int8_t>(minute);
  t.second = static_cast<int8_t>(seconds - hour * 3600 - minute * 60);
}

}  // namespace

KsTime::KsTime() {
  Now();
}

KsTime::KsTime(int seconds) : hour(0), minute(0), second(0) {
  SplitSeconds(seconds, *this);
}

void KsTime::SetSecondsAbs(int seconds) {
  SplitSeconds(seconds, *this);
}

KsTime& KsTime::Now() {
  btime now{};
  bksgettime(&now);
  hour = static_cast<int8_t>(now.hour);
  minute = static_cast<int8_t>(now.minute);
  second = static_cast<int8_t>(now.second);
  return *this;
}

KsTime& KsTime::NowUTC() {
  btime now{};
  bdate today{};
  bksgetsystemtime(&now, &today);
  hour = static_cast<int8_t>(now.hour);
  minute = static_cast<int8_t>(now.minute);
  second = static_cast<int8_t>(now.second);
  return *this;
}

int KsTime::ToLocalTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  *this = Plus(60LL * offset);
  return 0;
}

int KsTime::ToUTCTime() {
  const int offset = bksgettimezone();
  if (offset == KS_NO_TIME_ZONE) return offset;
  *this = Plus(-60LL * offset);
  return 0;
}

// Each unit takes its share of the amount, then one carry or borrow per unit
// brings a valid time back into range; the hour wraps last.
KsTime KsTime::Plus(long long seconds) const {
  const long long q = seconds / 60;
  const long long h = q / 60;
  long long hours = hour + h;
  long long minutes = minute + (q - 60 * h);
  long long secs = second + (seconds - 60 * q);
  if (secs >= 60) {
    secs -= 60;
    ++minutes;
  } else if (secs < 0) {
    secs += 60;
    --minutes;
  }
  if (minutes >= 60) {
    minutes -= 60;
    ++hours;
  } else if (minutes < 0) {
    minutes += 60;
    --hours;
  }
  hours %= 24;
  if (hours < 0) hours += 24;
  return KsTime(static_cast<char>(hours), static_cast<char>(minutes), static_cast<char>(secs));
}

KsTime KsTime::operator+(int seconds) const {
  return Plus(seconds);
}
KsTime KsTime::operator-(int seconds) const {
  return Plus(-static_cast<long long>(seconds));
}
KsTime KsTime::operator-(const KsTime& other) const {
  return Plus(-static_cast<long long>(int(other)));
}
KsTime& KsTime::operator+=(int seconds) {
  return *this = Plus(seconds);
}
KsTime& KsTime::operator-=(int seconds) {
  return *this = Plus(-static_cast<long long>(seconds));
}
KsTime& KsTime::operator++() {
  return *this = Plus(1);
}
KsTime& KsTime::operator--() {
  return *this = Plus(-1);
}

KsTime::operator int() const {
  return hour * 3600 + minute * 60 + second;
}

int KsTime::IsTime() const {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

int KsTime::operator==(const KsTime& other) const {
  return hour == other.hour && minute == other.minute && second == other.second;
}
int KsTime::operator!=(const KsTime& other) const {
  return Compare(other, 0xFFFF);
}
int KsTime::operator<(const KsTime& other) const {
  return Compare(other, 0xFFFF) < 0;
}
int KsTime::operator<=(const KsTime& other) const {
  return Compare(other, 0xFFFF) <= 0;
}
int KsTime::operator>(const KsTime& other) const {
  return Compare(other, 0xFFFF) > 0;
}
int KsTime::operator>=(const KsTime& other) const {
  return Compare(other, 0xFFFF) >= 0;
}

int KsTime::Compare(const KsTime& other, unsigned short flags) const {
  int a[3];
  int b[3];
  Fields(*this, a);
  Fields(other, b);
  return ks::calendar::CompareThreeFields(a, b, ks::calendar::WildcardsOn(flags));
}

int KsTime::IsNullValue() const {
  return *this == NullValue();
}
int KsTime::IsDefaultValue() const {
  return *this == DefaultValue();
}
int KsTime::IsZeroValue() const {
  return *this == ZeroValue();
}

int KsTime::SetNullValue() {
  *this = NullValue();
  return 0;
}
int KsTime::SetDefaultValue() {
  *this = DefaultValue();
  return 0;
}
int KsTime::SetZeroValue() {
  *this = ZeroValue();
  return 0;
}

void KsTime::PrintToKsString(KsString& out, const char* format) const {
  ks::datefmt::PrintValue(out, *this, format != nullptr ? format : "%H:%M:%S");
}

void KsTime::ScanFromKsString(KsString& in, const char* format) {
  ks::datefmt::ScanValue(this, in, format != nullptr ? format : "%H:%M:%S");
}
