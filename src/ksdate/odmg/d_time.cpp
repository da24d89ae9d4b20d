// d_Time: a time of day with its zone and hundredths of a second.
#include <cmath>

#include "basesvc.h"
#include "ksdate.h"
#include "ksdate/odmg/float_seconds.h"
#include "ksdate/odmg/orderings.h"
#include "ksdatetime.h"
#include "ksodmg.h"

namespace {

// The process-wide zone of times made without one. The enumeration value is
// kept as set and read as a signed hour byte.
int gDefaultZone = 0;

int8_t DefaultZoneHours() {
  return static_cast<int8_t>(gDefaultZone);
}

// Raising a negative sum by whole days one day at a time is how the sum has
// always been brought into the day; each float addition rounds, so a far
// negative sum is raised in one step instead, to keep the loop bounded.
constexpr long long kDayByDayLimit = 1024;

float RaiseIntoDay(float seconds) {
  if (!(seconds < 0.0f)) return seconds;
  const double days = std::ceil(-static_cast<double>(seconds) / 86400.0);
  if (days > kDayByDayLimit) return static_cast<float>(seconds + 86400.0 * days);
  while (seconds < 0.0f) seconds += 86400.0f;
  return seconds;
}

}  // namespace

d_Time d_Time::FromFields(int8_t zoneHours, int8_t zoneMinutes, int8_t hour, int8_t minute, int8_t second,
                          int8_t hundredthsOfSecond) {
  d_Time t(0);
  t.tzHour = zoneHours;
  t.tzMinute = zoneMinutes;
  t.storedHour = hour;
  t.storedMinute = minute;
  t.wholeSecond = second;
  t.hundredths = hundredthsOfSecond;
  return t;
}

d_Time::d_Time() : d_Time(0) {
  btime now{};
  bksgettime(&now);
  storedHour = static_cast<int8_t>(tzHour + now.hour);
  storedMinute = static_cast<int8_t>(now.minute);
  wholeSecond = static_cast<int8_t>(now.second);
}

d_Time d_Time::current() {
  return d_Time();
}

d_Time::d_Time(unsigned short hour, unsigned short minute, float second)
    : d_Time(hour, minute, second, DefaultZoneHours(), 0) {}

d_Time::d_Time(unsigned short hour, unsigned short minute, float second, short zoneHours, short zoneMinutes) {
  const ks::odmg::SecondParts parts = ks::odmg::SplitSecond(second);
  tzHour = static_cast<int8_t>(zoneHours);
  tzMinute = static_cast<int8_t>(zoneMinutes);
  storedHour = static_cast<int8_t>(hour + zoneHours);
  storedMinute = static_cast<int8_t>(minute + zoneMinutes);
  wholeSecond = parts.second;
  hundredths = parts.hundredths;
}

d_Time::d_Time(int seconds) {
  int s = seconds;
  if (s < 0) {
    s %= 86400;
    if (s < 0) s += 86400;
  }
  tzHour = DefaultZoneHours();
  tzMinute = 0;
  storedHour = static_cast<int8_t>(tzHour + s / 3600);
  storedMinute = static_cast<int8_t>(s % 3600 / 60);
  wholeSecond = static_cast<int8_t>(s % 60);
  hundredths = 0;
}

d_Time::d_Time(KsTime& time) : d_Time(0) {
  storedHour = static_cast<int8_t>(time.hour + tzHour);
  storedMinute = time.minute;
  wholeSecond = time.second;
}

d_Time::d_Time(KsDateTime& dateTime) : d_Time(dateTime.time) {}
d_Time::d_Time(const d_Timestamp& stamp) : d_Time(stamp.time()) {}

d_Time& d_Time::operator=(KsTime& time) {
  return *this = d_Time(time);
}
d_Time& d_Time::operator=(KsDateTime& dateTime) {
  return *this = d_Time(dateTime);
}
d_Time& d_Time::operator=(const d_Timestamp& stamp) {
  return *this = stamp.time();
}

float d_Time::second() const {
  return static_cast<float>(wholeSecond) + static_cast<float>(hundredths) / 100.0f;
}

// The stored clock fields are added as they are, zone included, and the sign
// rule of d_Interval applies to them: a stored hour below 0 (a zone ahead of
// the clock) negates the whole clock before the interval is added.
void d_Time::Shift(const d_Interval& delta, bool withHundredths) {
  const float secondsNow = withHundredths ? second() : static_cast<float>(wholeSecond);
  const d_Interval clock(0, storedHour, storedMinute, secondsNow);
  const float t = RaiseIntoDay((clock + delta).totalSeconds);
  const long long whole = ks::odmg::WholeSeconds(t);
  storedHour = static_cast<int8_t>(whole % 86400 / 3600);
  storedMinute = static_cast<int8_t>(whole % 3600 / 60);
  const ks::odmg::SecondParts parts = ks::odmg::SplitSecond(ks::odmg::SecondOfMinute(t));
  wholeSecond = parts.second;
  hundredths = parts.hundredths;
}

d_Time& d_Time::operator+=(const d_Interval& interval) {
  Shift(interval, true);
  return *this;
}

d_Time& d_Time::operator-=(const d_Interval& interval) {
  Shift(-interval, false);
  return *this;
}

int d_Time::operator==(const d_Time& other) const {
  return tzHour == other.tzHour && tzMinute == other.tzMinute && storedHour == other.storedHour &&
         storedMinute == other.storedMinute && wholeSecond == other.wholeSecond &&
         hundredths == other.hundredths;
}

void d_Time::set_default_Time_Zone(Time_Zone zone) {
  gDefaultZone = zone;
}

// The clock's zone field is local - UTC in seconds, the sign of Time_Zone.
void d_Time::set_default_Time_Zone_to_local() {
  btime now{};
  bksgettime(&now);
  if (now.zoneSeconds != 0) gDefaultZone = now.zoneSeconds / 3600;
}

int d_Time::default_Time_Zone() {
  return gDefaultZone;
}

int operator!=(const d_Time& a, const d_Time& b) {
  if (a.hour() != b.hour()) return a.hour() - b.hour();
  if (a.minute() != b.minute()) return a.minute() - b.minute();
  return ks::odmg::WholeInt(a.second() - b.second());
}
KS_ODMG_ORDERINGS(d_Time)

d_Time operator+(const d_Time& time, const d_Interval& interval) {
  d_Time result = time;
  result.Shift(interval, false);
  return result;
}
d_Time operator+(const d_Interval& interval, const d_Time& time) {
  return time + interval;
}
d_Time operator-(const d_Time& time, const d_Interval& interval) {
  d_Time result = time;
  result.Shift(-interval, false);
  return result;
}

d_Interval operator-(const d_Time& a, const d_Time& b) {
  return d_Interval(0, a.storedHour, a.storedMinute, a.wholeSecond) -
         d_Interval(0, b.storedHour, b.storedMinute, b.wholeSecond);
}
