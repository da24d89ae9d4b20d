// d_Interval: a signed number of seconds in one float.
#include <cmath>
#include <cstdlib>

#include "ksdate/odmg/float_seconds.h"
#include "ksodmg.h"

using ks::odmg::WholeSeconds;

// The parts are added by magnitude and the sign applies to the whole sum, so
// (1 day, -2 hours) is -93,600 seconds, not 79,200. Each product is an
// integer before it becomes a float.
d_Interval::d_Interval(int day, int hour, int minute, float second) {
  float s = static_cast<float>(std::llabs(static_cast<long long>(minute)) * 60) + std::fabs(second);
  s = s + static_cast<float>(std::llabs(static_cast<long long>(hour)) * 3600);
  s = s + static_cast<float>(std::llabs(static_cast<long long>(day)) * 86400);
  const bool negative = day < 0 || hour < 0 || minute < 0 || second < 0.0f;
  totalSeconds = negative ? -s : s;
}

d_Interval d_Interval::FromSeconds(float seconds) {
  d_Interval interval;
  interval.totalSeconds = seconds;
  return interval;
}

int d_Interval::day() const {
  return ks::odmg::WholeInt(totalSeconds / 86400.0f);
}
int d_Interval::hour() const {
  return static_cast<int>(WholeSeconds(totalSeconds) % 86400 / 3600);
}
int d_Interval::minute() const {
  return static_cast<int>(WholeSeconds(totalSeconds) % 3600 / 60);
}
float d_Interval::second() const {
  return ks::odmg::SecondOfMinute(totalSeconds);
}

d_Interval d_Interval::operator-() const {
  return FromSeconds(-totalSeconds);
}
d_Interval& d_Interval::operator+=(const d_Interval& other) {
  totalSeconds += other.totalSeconds;
  return *this;
}
d_Interval& d_Interval::operator-=(const d_Interval& other) {
  totalSeconds -= other.totalSeconds;
  return *this;
}
d_Interval& d_Interval::operator*=(int factor) {
  totalSeconds *= static_cast<float>(factor);
  return *this;
}
d_Interval& d_Interval::operator/=(int divisor) {
  if (divisor != 0) totalSeconds /= static_cast<float>(divisor);
  return *this;
}

d_Interval operator+(const d_Interval& a, const d_Interval& b) {
  return d_Interval::FromSeconds(a.totalSeconds + b.totalSeconds);
}
d_Interval operator-(const d_Interval& a, const d_Interval& b) {
  return d_Interval::FromSeconds(a.totalSeconds - b.totalSeconds);
}
d_Interval operator*(const d_Interval& interval, int factor) {
  d_Interval result = interval;
  return result *= factor;
}
d_Interval operator*(int factor, const d_Interval& interval) {
  return interval * factor;
}
d_Interval operator/(const d_Interval& interval, int divisor) {
  d_Interval result = interval;
  return result /= divisor;
}

int operator==(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds == b.totalSeconds;
}
int operator!=(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds != b.totalSeconds;
}
int operator<(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds < b.totalSeconds;
}
int operator<=(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds <= b.totalSeconds;
}
int operator>(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds > b.totalSeconds;
}
int operator>=(const d_Interval& a, const d_Interval& b) {
  return a.totalSeconds >= b.totalSeconds;
}
